#include "PrompterDisplayView.h"
#include "ChunkLayoutCache.h"
#include "DisplayTestSupport.h"
#include "ReadingGuidePainter.h"

#include <QElapsedTimer>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>

using namespace lumetra;
using namespace lumetra::testing;

namespace {

QString chunkScript(int chunks)
{
    QString text = QStringLiteral("# 第一節\n");
    for (int k = 1; k <= chunks; ++k)
        text += QStringLiteral("\n第%1句，這一句的文字夠長可以看清楚。\n").arg(k);
    return text;
}

// A shown view of the given size on a model of `script`.
struct ShownView {
    explicit ShownView(const QString &script, QSize size = QSize(1280, 720))
        : model(displayModel(script))
        , view(*model)
    {
        view.resize(size);
        view.show();
        view.ensureLayout();
        settle();
    }
    std::unique_ptr<PrompterViewModel> model;
    PrompterDisplayView view;
};

// Hides the reading guide, so that only the script's ink is measured.
void hideGuide(ShownView &shown)
{
    shown.model->setIsReadingGuidePinned(false);
    shown.model->setIsReadingGuideVisible(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.view.readingGuideOpacity() == 0; }, 3000));
}

// Lets an eased move run to its end.
void waitForAnimations(PrompterDisplayView &view)
{
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.displayedOffset() == view.model().scrollOffset(); }, 3000));
    view.ensureLayout();
    settle();
}

// The row's text on screen, between its left and right edges and its top and bottom.
QRect textAreaOfRow(const PrompterDisplayView &view, std::int64_t index)
{
    const auto &row = view.layoutCache().row(index);
    QRectF area = view.rowRectOnScreen(index);
    area.setTop(area.top() + (row.textTop - row.top));
    return area.toAlignedRect();
}

// Counts the area that paint events ask for.
class PaintedArea : public QObject {
public:
    explicit PaintedArea(QWidget &widget) { widget.installEventFilter(this); }
    qint64 pixels = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            for (const QRect &rect : static_cast<QPaintEvent *>(event)->region())
                pixels += qint64(rect.width()) * rect.height();
        return false;
    }
};

} // namespace

TEST(PrompterDisplayView, TheRedLineLiesAtTheReadingGuideOffset)
{
    ShownView shown(chunkScript(6));
    for (const auto &[position, margin] : { std::pair { 0.35, 0.0 }, std::pair { 0.6, -40.0 } }) {
        shown.model->setReadingPosition(position);
        shown.model->setVerticalMargin(margin);
        const QImage image = renderedView(shown.view);
        // Right of the caption, across the rest of the width.
        const QRect band = redBand(image, QRect(200, 0, 1000, 720));
        ASSERT_FALSE(band.isNull());
        const double expected = shown.model->readingGuideOffset(720);
        EXPECT_NEAR((band.top() + band.bottom() + 1) / 2.0, expected, 1.0);
        EXPECT_NEAR(band.height(), ReadingGuidePainter::lineThickness, 1.0);
    }
}

TEST(PrompterDisplayView, MirroringMovesTheTextToTheOtherSideButNotTheLineOrCaption)
{
    ShownView shown(chunkScript(6));
    const QRect textArea(0, 0, 1280, 720 - int(PrompterDisplayView::statusBarHeight()) - 2);
    const double guide = shown.model->readingGuideOffset(720);
    const QRect caption = ReadingGuidePainter::captionRect(guide).toAlignedRect();

    const QImage plain = renderedView(shown.view);
    shown.model->setIsHorizontallyFlipped(true);
    const QImage mirrored = renderedView(shown.view);
    hideGuide(shown);
    const Ink mirroredInk = inkIn(renderedView(shown.view), textArea);
    shown.model->setIsHorizontallyFlipped(false);
    const Ink plainInk = inkIn(renderedView(shown.view), textArea);
    const double column = ChunkLayoutCache::column(1280, shown.model->horizontalMargin()).left;
    // Plain text starts at the left padding and is ragged on the right; mirrored, the other way.
    EXPECT_NEAR(plainInk.bounds.left(), column, 8);
    EXPECT_NEAR(mirroredInk.bounds.right(), 1280 - column, 8);
    EXPECT_NEAR(plainInk.bounds.right(), 1280 - mirroredInk.bounds.left(), 8);

    // The line and the caption stay where they were.
    EXPECT_EQ(redBand(plain, QRect(200, 0, 1000, 720)), redBand(mirrored, QRect(200, 0, 1000, 720)));
    EXPECT_EQ(plain.copy(caption), mirrored.copy(caption));
}

TEST(PrompterDisplayView, AtFixedSpeedRowsBeforeTheCurrentOneAreDimmed)
{
    ShownView shown(chunkScript(8));
    shown.model->jumpToParagraphForManualControl(3);
    waitForAnimations(shown.view);
    ASSERT_EQ(shown.model->currentParagraphIndex(), 3);
    const QImage image = renderedView(shown.view);

    const int dimmed = inkIn(image, textAreaOfRow(shown.view, 2)).brightest;
    const int current = inkIn(image, textAreaOfRow(shown.view, 3)).brightest;
    const int later = inkIn(image, textAreaOfRow(shown.view, 4)).brightest;
    EXPECT_NEAR(dimmed, 255 * 0.28, 12);
    EXPECT_GE(current, 250);
    EXPECT_GE(later, 250);

    // Without highlighting nothing is dimmed.
    shown.model->setIsHighlightEnabled(false);
    EXPECT_GE(inkIn(renderedView(shown.view), textAreaOfRow(shown.view, 2)).brightest, 250);
}

TEST(PrompterDisplayView, UnderVoiceSyncAHalfSpokenChunkIsDimUpToTheSplitAndBrightAfterIt)
{
    ShownView shown(QStringLiteral("# 測試\n\n你好，世界\n"));
    shown.model->setIsVoiceSyncEnabled(true);
    shown.model->setSpokenReadableCharacterCount(2);
    // The row sits on the guide line, whose red would count as ink.
    hideGuide(shown);
    const QImage image = renderedView(shown.view);
    const QRect row = textAreaOfRow(shown.view, 0);
    const int em = int(shown.model->fontSize());

    const QRect spoken(row.left(), row.top(), 2 * em - 12, row.height());
    const QRect comma(row.left() + 2 * em - 6, row.top(), em - 4, row.height());
    const QRect rest(row.left() + 3 * em - 6, row.top(), 2 * em, row.height());
    EXPECT_NEAR(inkIn(image, spoken).brightest, 255 * 0.28, 12);
    const Ink commaInk = inkIn(image, comma);
    EXPECT_GT(commaInk.pixels, 0);
    EXPECT_GE(commaInk.brightest, 250);
    EXPECT_GE(inkIn(image, rest).brightest, 250);

    // All spoken: all dim; nothing spoken: all bright.
    shown.model->setSpokenReadableCharacterCount(4);
    EXPECT_NEAR(inkIn(renderedView(shown.view), row).brightest, 255 * 0.28, 12);
    shown.model->setSpokenReadableCharacterCount(0);
    EXPECT_GE(inkIn(renderedView(shown.view), row).brightest, 250);
}

TEST(PrompterDisplayView, ReportsContentMidpointsThatScrollingDoesNotChange)
{
    ShownView shown(chunkScript(12));
    const ParagraphMidpoints reported = shown.model->measuredParagraphMidpoints();
    ASSERT_EQ(reported.size(), 12u);
    for (std::int64_t i = 0; i < 12; ++i)
        EXPECT_NEAR(reported.at(i), shown.view.layoutCache().row(i).midpoint(), 0.25);
    EXPECT_NEAR(reported.at(0), 120 + shown.view.layoutCache().row(0).height / 2, 0.25);

    QSignalSpy reports(shown.model.get(), &PrompterViewModel::measuredParagraphMidpointsChanged);
    for (double offset : { 400.0, 900.0, 1500.0 }) {
        shown.model->setScrollOffset(offset);
        renderedView(shown.view);
    }
    EXPECT_EQ(reports.count(), 0);
    EXPECT_EQ(shown.model->measuredParagraphMidpoints(), reported);

    // A layout change is reported, once.
    shown.model->setFontSize(70);
    settle();
    EXPECT_EQ(reports.count(), 1);
    EXPECT_GT(shown.model->measuredParagraphMidpoints().at(11), reported.at(11));
}

TEST(PrompterDisplayView, AfterAFontSizeChangeTheFirstPaintAlreadyKeepsTheCurrentChunkOnTheLine)
{
    ShownView shown(chunkScript(12));
    shown.model->jumpToParagraphForManualControl(5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.view.displayedOffset() == shown.model->scrollOffset(); }, 3000));
    shown.model->setFontSize(80);
    // Straight to a paint, before any queued work has run.
    const QImage image = shown.view.grab().toImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(shown.model->currentParagraphIndex(), 5);
    EXPECT_NEAR(shown.view.rowRectOnScreen(5).center().y(), shown.view.readingGuideY(), 1.0);
}

TEST(PrompterDisplayView, WideWindowsKeepRowsWithin1180AndNarrowOnesKeep24OfPadding)
{
    ShownView wide(chunkScript(3)
            + QStringLiteral("\n一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十。\n"),
        QSize(2400, 900));
    hideGuide(wide);
    const QImage wideImage = renderedView(wide.view);
    const Ink wideInk = inkIn(wideImage, QRect(0, 0, 2400, 900 - 90));
    EXPECT_LE(wideInk.bounds.width(), 1180);
    EXPECT_LE(wide.view.rowRectOnScreen(3).width(), 1180);

    ShownView narrow(chunkScript(3), QSize(240, 700));
    narrow.model->setHorizontalMargin(2);
    hideGuide(narrow);
    const Ink ink = inkIn(renderedView(narrow.view), QRect(0, 0, 240, 700 - 90));
    ASSERT_GT(ink.pixels, 0);
    EXPECT_GE(ink.bounds.left(), 24);
    EXPECT_LE(ink.bounds.right(), 240 - 24);
}

TEST(PrompterDisplayView, AnEmptyScriptDrawsNoRowsAndShowsOneOfOne)
{
    ShownView shown { QString() };
    EXPECT_EQ(shown.view.layoutCache().rowCount(), 0);
    EXPECT_EQ(shown.view.statusBarContent().progress, QStringLiteral("1 / 1"));
    EXPECT_EQ(shown.view.statusBarContent().sectionTitle, QStringLiteral("未命名章節"));
    const QImage image = renderedView(shown.view);
    const double guide = shown.model->readingGuideOffset(720);
    // Nothing but the guide: no ink above or below it in the text area.
    EXPECT_EQ(inkIn(image, QRect(0, 0, 1280, int(guide) - 40)).pixels, 0);
    EXPECT_EQ(inkIn(image, QRect(0, int(guide) + 4, 1280, 720 - 100 - int(guide))).pixels, 0);
}

TEST(PrompterDisplayView, StatusBarShowsModeProgressAndTheRecordingTime)
{
    ShownView shown(chunkScript(5));
    EXPECT_EQ(shown.view.statusBarContent().modeSymbol, QStringLiteral("pause.fill"));
    EXPECT_EQ(shown.view.statusBarContent().progress, QStringLiteral("1 / 5"));
    EXPECT_FALSE(shown.view.statusBarContent().recordingTime);
    shown.model->jumpToParagraphForManualControl(2);
    EXPECT_EQ(shown.view.statusBarContent().progress, QStringLiteral("3 / 5"));
    shown.model->setIsVoiceSyncEnabled(true);
    EXPECT_EQ(shown.view.statusBarContent().modeSymbol, QStringLiteral("waveform"));
    shown.model->setIsVoiceSyncEnabled(false);
    shown.model->play();
    EXPECT_EQ(shown.view.statusBarContent().modeSymbol, QStringLiteral("play.fill"));
    shown.model->togglePlayback();

    // The bar is mirrored with the script: its progress moves from the right edge to the left.
    const QRect bar(0, 720 - int(PrompterDisplayView::statusBarHeight()) + 2, 1280, 60);
    const Ink plain = inkIn(renderedView(shown.view), QRect(900, bar.top(), 380, bar.height()));
    shown.model->setIsHorizontallyFlipped(true);
    const Ink mirrored = inkIn(renderedView(shown.view), QRect(0, bar.top(), 380, bar.height()));
    EXPECT_GT(plain.pixels, 0);
    EXPECT_NEAR(mirrored.bounds.left(), 1280 - plain.bounds.right() - 1, 2);
}

TEST(PrompterDisplayView, ColoursFollowBrightnessAndContrast)
{
    ShownView shown(chunkScript(3));
    shown.model->setTextBrightness(0.5);
    shown.model->setBackgroundBrightness(0.2);
    QImage image = renderedView(shown.view);
    EXPECT_NEAR(qGray(image.pixel(5, 5)), 51, 2);
    const QColor background = QColor::fromRgbF(0.2f, 0.2f, 0.2f);
    EXPECT_NEAR(inkIn(image, textAreaOfRow(shown.view, 0), background).brightest, 128, 3);

    // Contrast 2 pushes mid-grey text away from grey: 0.5 stays, 0.6 becomes 0.7.
    shown.model->setTextBrightness(0.6);
    shown.model->setDisplayContrast(2);
    image = renderedView(shown.view);
    EXPECT_NEAR(inkIn(image, textAreaOfRow(shown.view, 0), background).brightest, 0.7 * 255, 3);
}

TEST(PrompterDisplayView, TheGuideFadesOutWhenNeitherPinnedNorShown)
{
    ShownView shown(chunkScript(3));
    shown.model->setIsReadingGuideVisible(false);
    shown.model->setIsReadingGuidePinned(false);
    // Fading: neither there nor gone yet.
    EXPECT_EQ(shown.view.readingGuideOpacity(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.view.readingGuideOpacity() < 1; }, 3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.view.readingGuideOpacity() == 0; }, 3000));
    EXPECT_TRUE(redBand(renderedView(shown.view), QRect(200, 0, 1000, 720)).isNull());
    shown.model->showReadingGuideTemporarily();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.view.readingGuideOpacity() == 1; }, 3000));
    EXPECT_FALSE(redBand(renderedView(shown.view), QRect(200, 0, 1000, 720)).isNull());
}

TEST(PrompterDisplayView, TheFrameClockRunsOnlyDuringFixedSpeedPlayback)
{
    ShownView shown(chunkScript(30));
    EXPECT_FALSE(shown.view.isFrameClockRunning());
    PaintedArea painted(shown.view);
    QTest::qWait(150);
    // No frame reached the model while paused, and nothing was painted again.
    EXPECT_FALSE(shown.model->lastTickDate());
    EXPECT_EQ(painted.pixels, 0);

    const double start = shown.model->scrollOffset();
    shown.model->play();
    EXPECT_TRUE(shown.view.isFrameClockRunning());
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown.model->scrollOffset() > start; }, 3000));

    shown.model->togglePlayback();
    EXPECT_FALSE(shown.view.isFrameClockRunning());
    const double paused = shown.model->scrollOffset();
    QTest::qWait(100);
    EXPECT_EQ(shown.model->scrollOffset(), paused);
    EXPECT_FALSE(shown.model->lastTickDate());

    // Voice Sync drives the position: no frames either.
    shown.model->setIsVoiceSyncEnabled(true);
    shown.model->play();
    EXPECT_FALSE(shown.view.isFrameClockRunning());
    shown.model->setIsVoiceSyncEnabled(false);
    shown.model->play();
    EXPECT_TRUE(shown.view.isFrameClockRunning());
    // A hidden display does not advance the script.
    shown.view.hide();
    EXPECT_FALSE(shown.view.isFrameClockRunning());
}

TEST(PrompterDisplayView, JumpsAreEasedAndANewJumpContinuesFromWhereTheDisplayIs)
{
    ShownView shown(chunkScript(10));
    const double start = shown.view.displayedOffset();
    shown.model->jumpToParagraphForManualControl(4);
    const double target = shown.model->scrollOffset();
    ASSERT_GT(target, start + 100);
    // The model has the target at once; the display starts where it was and eases towards it.
    EXPECT_DOUBLE_EQ(shown.view.displayedOffset(), start);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.view.displayedOffset() > start + 20; }, 2000));
    const double midway = shown.view.displayedOffset();
    EXPECT_LT(midway, target);

    // Turn back mid-way: the display goes on from where it is, with no jump back or forward.
    shown.model->jumpToParagraphForManualControl(0);
    const double retarget = shown.model->scrollOffset();
    ASSERT_LT(retarget, midway);
    EXPECT_DOUBLE_EQ(shown.view.displayedOffset(), midway);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.view.displayedOffset() < midway; }, 2000));
    EXPECT_GT(shown.view.displayedOffset(), retarget);
    waitForAnimations(shown.view);
    EXPECT_DOUBLE_EQ(shown.view.displayedOffset(), retarget);
}

TEST(PrompterDisplayView, AScrollPaintsOnlyAStripAndLooksLikeAFullRepaint)
{
    for (const bool mirrored : { false, true }) {
        SCOPED_TRACE(mirrored ? "mirrored" : "plain");
        ShownView shown(chunkScript(40), QSize(1280, 720));
        shown.model->setIsHorizontallyFlipped(mirrored);
        settle();
        PaintedArea painted(shown.view);
        // Small steps as in playback, and larger ones as in an eased jump.
        for (int step = 0; step < 12; ++step) {
            shown.model->setScrollOffset(shown.model->scrollOffset() + (step % 2 == 0 ? 7.4 : 45));
            settle();
        }
        const qint64 window = 1280 * 720;
        // Twelve moves; each repaints the strip, the guide and the status bar, far from the window.
        EXPECT_LT(painted.pixels, 12 * window / 4);
        EXPECT_GT(painted.pixels, 0);

        // What the moves left on screen equals a fresh paint of the same state.
        const QImage onScreen
            = shown.view.screen()->grabWindow(shown.view.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage fresh = shown.view.grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(onScreen.size(), fresh.size());
        int differing = 0;
        for (int y = 0; y < fresh.height(); ++y)
            for (int x = 0; x < fresh.width(); ++x)
                differing += std::abs(qGray(onScreen.pixel(x, y)) - qGray(fresh.pixel(x, y))) > 40 ? 1 : 0;
        EXPECT_LT(differing, fresh.width() * fresh.height() / 1000);
    }
}

TEST(PrompterDisplayView, BadSettingsNeitherCrashNorStall)
{
    QString manySections;
    for (int i = 0; i < 10000; ++i)
        manySections += QStringLiteral("# 節%1\n\n").arg(i);
    for (const QString &script : { chunkScript(5), QString(100000, QChar(u'字')), manySections }) {
        ShownView shown(script, QSize(800, 600));
        for (double fontSize : { 0.0, 10000.0, 54.0 }) {
            shown.model->setFontSize(fontSize);
            renderedView(shown.view);
        }
        shown.model->setLineSpacing(-50);
        shown.model->setHorizontalMargin(150);
        renderedView(shown.view);
        shown.view.resize(1, 1);
        const QImage tiny = renderedView(shown.view);
        EXPECT_EQ(tiny.size(), QSize(1, 1));
        shown.model->setScrollOffset(1e12);
        renderedView(shown.view);
        for (const auto &[index, midpoint] : shown.model->measuredParagraphMidpoints())
            ASSERT_TRUE(std::isfinite(midpoint)) << index;
    }
}

TEST(PrompterDisplayView, AnEditRepaintsWhatItChangedAndLooksLikeAFullRepaint)
{
    const QString script = chunkScript(40);
    ShownView shown(script, QSize(1280, 720));
    settle();
    const qint64 window = 1280 * 720;
    const auto matchesAFreshPaint = [&shown] {
        const QImage onScreen
            = shown.view.screen()->grabWindow(shown.view.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage fresh = shown.view.grab().toImage().convertToFormat(QImage::Format_RGB32);
        int differing = 0;
        for (int y = 0; y < fresh.height(); ++y)
            for (int x = 0; x < fresh.width(); ++x)
                differing += std::abs(qGray(onScreen.pixel(x, y)) - qGray(fresh.pixel(x, y))) > 40 ? 1 : 0;
        return differing < fresh.width() * fresh.height() / 1000;
    };

    // A character changed in a sentence below the line: only its row is painted again.
    {
        PaintedArea painted(shown.view);
        shown.model->setScriptText(QString(script).replace(QStringLiteral("第3句"), QStringLiteral("第3改")));
        settle();
        EXPECT_GT(painted.pixels, 0);
        EXPECT_LT(painted.pixels, window / 4);
        EXPECT_TRUE(matchesAFreshPaint());
    }
    // The sentence grows by lines: the rows below it move and are painted again.
    {
        PaintedArea painted(shown.view);
        shown.model->setScriptText(QString(script).replace(
            QStringLiteral("第3句"), QStringLiteral("第3改") + QStringLiteral("加長的文字").repeated(20)));
        settle();
        EXPECT_GT(painted.pixels, window / 4);
        EXPECT_LT(painted.pixels, window);
        EXPECT_TRUE(matchesAFreshPaint());
    }
    // And back: the rows move up and the space they leave is painted.
    {
        shown.model->setScriptText(script);
        settle();
        EXPECT_TRUE(matchesAFreshPaint());
    }
}
