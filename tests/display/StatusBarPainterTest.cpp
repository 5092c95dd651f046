#include "StatusBarPainter.h"
#include "DisplayFonts.h"
#include "DisplayTestSupport.h"
#include "SampleScript.h"
#include "TabularText.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <QRawFont>
#include <gtest/gtest.h>

using namespace lumetra;
using namespace lumetra::testing;

namespace {

QImage paintedBar(const StatusBarContent &content)
{
    QImage image(1280, int(StatusBarPainter::height()), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    StatusBarPainter::paint(painter, image.rect(), content);
    return image;
}

int redPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            count += qRed(pixel) > 180 && qGreen(pixel) < 100 && qBlue(pixel) < 100 ? 1 : 0;
        }
    return count;
}

} // namespace

TEST(StatusBarPainter, TheRecordingBadgeAppearsOnlyWhileRecordingBetweenTitleAndProgress)
{
    StatusBarContent content { QStringLiteral("play.fill"), QStringLiteral("開場"), std::nullopt,
        QStringLiteral("3 / 11"), 1, 0 };
    const QImage idle = paintedBar(content);
    EXPECT_EQ(redPixels(idle), 0);

    content.recordingTime = QStringLiteral("01:05");
    const QImage recording = paintedBar(content);
    EXPECT_GT(redPixels(recording), 100);
    // The progress keeps its place at the right edge; the badge sits left of it.
    const QRect progressArea(1190, 0, 90, recording.height());
    EXPECT_EQ(recording.copy(progressArea), idle.copy(progressArea));
    EXPECT_EQ(inkIn(recording, QRect(0, 0, 200, recording.height())).bounds,
        inkIn(idle, QRect(0, 0, 200, idle.height())).bounds);
}

TEST(StatusBarPainter, TheBarIsTallEnoughForItsLargestItemAndItsPadding)
{
    EXPECT_GE(StatusBarPainter::height(), 34 + 2 * StatusBarPainter::verticalPadding);
    EXPECT_LT(StatusBarPainter::height(), 120);
}

TEST(TabularText, DigitsTakeEqualWidthsSoCountersDoNotWobble)
{
    const QFont font = DisplayFonts::font(20, QFont::Bold);
    const double reference = TabularText::width(QStringLiteral("00:00"), font);
    for (const QString &text : { QStringLiteral("11:11"), QStringLiteral("17:41"), QStringLiteral("88:88") })
        EXPECT_DOUBLE_EQ(TabularText::width(text, font), reference) << text.toStdString();
    EXPECT_DOUBLE_EQ(
        TabularText::width(QStringLiteral("1 / 9"), font), TabularText::width(QStringLiteral("8 / 0"), font));
}

TEST(DisplayFonts, TheScriptFaceIsTheTraditionalChineseNotoSansInItsHeavierWeight)
{
    const QFontInfo info(DisplayFonts::font(54, DisplayFonts::textWeight));
    EXPECT_TRUE(info.family().startsWith(QStringLiteral("Noto Sans CJK"))) << info.family().toStdString();
    EXPECT_GE(info.weight(), int(QFont::DemiBold));
    EXPECT_EQ(info.pixelSize(), 54);
    // Sizes no screen could show are held to the limits.
    EXPECT_EQ(DisplayFonts::font(10000, QFont::Bold).pixelSize(), int(DisplayFonts::largestSize));
    EXPECT_EQ(DisplayFonts::font(0, QFont::Bold).pixelSize(), int(DisplayFonts::smallestSize));
}

TEST(DisplayFonts, OrdinaryTraditionalChineseTextHasAGlyphForEveryCharacter)
{
    // The sample talk, full-width punctuation and characters particular to Traditional Chinese:
    // none may fall back to a box.
    const QString text = SampleScript::text() + QStringLiteral("「」『』（）、；：？！…—臺灣裡著麼嗎囉喔噢欸齣餵");
    // The face itself, not whatever fallback the system would find.
    const QRawFont face
        = QRawFont::fromFont(DisplayFonts::font(54, DisplayFonts::textWeight), QFontDatabase::TraditionalChinese);
    ASSERT_TRUE(face.isValid());
    EXPECT_TRUE(face.familyName().startsWith(QStringLiteral("Noto Sans CJK"))) << face.familyName().toStdString();
    EXPECT_FALSE(face.supportsCharacter(U'\U0001F600')) << "an emoji is not in the face: the check can fail";
    for (const char32_t character : text.toUcs4()) {
        if (character == u'\n' || character == u' ' || character == u'#')
            continue;
        EXPECT_TRUE(face.supportsCharacter(character)) << "U+" << std::hex << std::uint32_t(character);
    }
}
