#include "PrompterDisplayView.h"

#include "DisplayPalette.h"
#include "DisplayTextSplit.h"
#include "FrameTimeLog.h"
#include "PrompterViewModel.h"
#include "ReadingGuidePainter.h"
#include "ScriptParser.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTextLayout>
#include <QTextLine>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace lumetra {

namespace {

constexpr int guideFadeMilliseconds = 200;

double finiteOr(double value, double fallback)
{
    return std::isfinite(value) ? value : fallback;
}

} // namespace

PrompterDisplayView::PrompterDisplayView(PrompterViewModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_frameLog(FrameTimeLog::fromEnvironment())
{
    // Every pixel is painted here, which lets a scroll move the backing store instead of
    // repainting the window.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(1, 1);

    m_guideOpacity = m_model.isReadingGuidePinned() || m_model.isReadingGuideVisible() ? 1 : 0;
    m_guideFade.setDuration(guideFadeMilliseconds);
    m_guideFade.setEasingCurve(QEasingCurve::InOutQuad);
    connect(&m_guideFade, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        m_guideOpacity = value.toDouble();
        const double y = readingGuideY();
        update(readingGuideArea(y));
    });

    m_animator.follow(finiteOr(m_model.scrollOffset(), 0));
    m_paintedOffset = std::round(m_animator.displayedOffset());
    m_paintedReadThrough = m_model.readThroughParagraphIndex();
    connect(&m_animator, &ScrollAnimator::displayedOffsetChanged, this, &PrompterDisplayView::scheduleScroll);
    connect(&m_frameClock, &FrameClock::frame, this, [this](FrameClock::Clock::time_point time) {
        m_model.advanceScroll(time);
        if (m_frameLog)
            m_frameLog->recordFrame();
    });
    connectModel();
}

PrompterDisplayView::~PrompterDisplayView() = default;

void PrompterDisplayView::connectModel()
{
    PrompterViewModel *model = &m_model;
    for (auto layoutSignal : { &PrompterViewModel::fontSizeChanged, &PrompterViewModel::lineSpacingChanged,
             &PrompterViewModel::horizontalMarginChanged })
        connect(model, layoutSignal, this, &PrompterDisplayView::invalidateLayout);
    // An edit repaints only the rows it changed (and those it moved), once they are laid out.
    connect(model, &PrompterViewModel::documentChanged, this, &PrompterDisplayView::scheduleLayout);

    const auto repaintAll = [this] { update(); };
    for (auto appearanceSignal :
        { &PrompterViewModel::textBrightnessChanged, &PrompterViewModel::backgroundBrightnessChanged,
            &PrompterViewModel::displayContrastChanged, &PrompterViewModel::isHorizontallyFlippedChanged,
            &PrompterViewModel::isHighlightEnabledChanged, &PrompterViewModel::readTextOpacityChanged,
            &PrompterViewModel::isVoiceSyncEnabledChanged, &PrompterViewModel::spokenReadableCharacterCountChanged,
            &PrompterViewModel::voiceSyncParagraphIndexChanged, &PrompterViewModel::verticalMarginChanged,
            &PrompterViewModel::readingPositionChanged })
        connect(model, appearanceSignal, this, repaintAll);

    connect(model, &PrompterViewModel::isPlayingChanged, this, &PrompterDisplayView::updateFrameClock);
    connect(model, &PrompterViewModel::isVoiceSyncEnabledChanged, this, &PrompterDisplayView::updateFrameClock);
    connect(model, &PrompterViewModel::isPlayingChanged, this, &PrompterDisplayView::refreshDependentParts);
    connect(model, &PrompterViewModel::recordingEngineChanged, this, &PrompterDisplayView::refreshDependentParts);
    connect(model, &PrompterViewModel::measuredParagraphMidpointsChanged, this,
        &PrompterDisplayView::refreshDependentParts);

    connect(model, &PrompterViewModel::isReadingGuidePinnedChanged, this, &PrompterDisplayView::fadeReadingGuide);
    connect(model, &PrompterViewModel::isReadingGuideVisibleChanged, this, &PrompterDisplayView::fadeReadingGuide);

    connect(model, &PrompterViewModel::scrollOffsetChanged, this,
        [this] { m_animator.follow(finiteOr(m_model.scrollOffset(), 0)); });
    connect(model, &PrompterViewModel::scrollAnimationRequested, this,
        [this](double from, double to, double seconds, QEasingCurve::Type curve) {
            m_animator.animate(finiteOr(from, 0), finiteOr(to, 0), seconds, curve);
        });
}

// --- Layout ---

void PrompterDisplayView::invalidateLayout()
{
    update();
    scheduleLayout();
}

void PrompterDisplayView::scheduleLayout()
{
    m_layoutDirty = true;
    // The layout is made and reported once the current change is complete (several settings
    // may change in one go), or by the next paint if that comes first.
    if (!m_refreshQueued) {
        m_refreshQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_refreshQueued = false;
                ensureLayout();
            },
            Qt::QueuedConnection);
    }
}

void PrompterDisplayView::ensureLayout()
{
    if (m_layoutDirty) {
        m_layoutDirty = false;
        const ChunkLayoutCache::Column column = ChunkLayoutCache::column(width(), m_model.horizontalMargin());
        m_layout.update(m_model.paragraphs(), { m_model.fontSize(), m_model.lineSpacing(), column.rowWidth });
        repaintChangedRows();
    }
    // The model may move its offset to keep the current chunk on the guide line. The view is
    // repainted whole after a layout change anyway, so it is painted at that offset straight
    // away rather than first at the old one and then scrolled.
    reportMidpoints();
    const double shown = std::round(finiteOr(m_animator.displayedOffset(), 0));
    if (shown != m_paintedOffset) {
        m_paintedOffset = shown;
        update();
    }
    // The status bar may show another title or count, the dimming may end at another row.
    refreshDependentParts();
}

void PrompterDisplayView::repaintChangedRows()
{
    const ChunkLayoutCache::Changes &changes = m_layout.lastChanges();
    const double shift = contentToScreen();
    if (!changes.rowsMoved) {
        if (changes.end > changes.first)
            updateRows(changes.first, changes.end - 1);
        return;
    }
    // Everything from the first changed row down, including the space the last row left.
    double top = ChunkLayoutCache::topPadding;
    if (changes.first < m_layout.rowCount())
        top = m_layout.row(changes.first).top;
    else if (changes.first > 0)
        top = m_layout.row(changes.first - 1).bottom();
    const QRect area = scrollArea();
    const int screenTop = int(std::clamp(std::floor(top + shift) - 1, double(area.top()), double(area.bottom() + 1)));
    update(QRect(area.left(), screenTop, area.width(), area.bottom() + 1 - screenTop));
}

void PrompterDisplayView::reportMidpoints()
{
    ParagraphMidpoints midpoints = m_layout.midpoints();
    if (midpoints.empty() || midpoints == m_reportedMidpoints)
        return;
    m_reportedMidpoints = midpoints;
    m_model.updateParagraphMidpoints(m_reportedMidpoints);
}

// --- Frame clock and reading guide ---

void PrompterDisplayView::updateFrameClock()
{
    if (QScreen *shownOn = screen())
        m_frameClock.setRefreshRate(shownOn->refreshRate());
    m_frameClock.setRunning(isVisible() && m_model.isPlaying() && !m_model.isVoiceSyncEnabled());
}

void PrompterDisplayView::fadeReadingGuide()
{
    const double target = m_model.isReadingGuidePinned() || m_model.isReadingGuideVisible() ? 1 : 0;
    if (m_guideFade.state() == QAbstractAnimation::Running) {
        if (m_guideFade.endValue().toDouble() == target)
            return;
        m_guideFade.stop();
    } else if (m_guideOpacity == target) {
        return;
    }
    m_guideFade.setStartValue(m_guideOpacity);
    m_guideFade.setEndValue(target);
    m_guideFade.start();
}

// --- Scrolling ---

double PrompterDisplayView::readingGuideY() const
{
    return finiteOr(m_model.readingGuideOffset(height()), 0);
}

double PrompterDisplayView::contentToScreen() const
{
    return readingGuideY() - m_paintedOffset;
}

QRect PrompterDisplayView::statusBarRect() const
{
    const int barHeight = int(std::ceil(statusBarHeight()));
    return QRect(0, height() - barHeight, width(), barHeight);
}

QRect PrompterDisplayView::scrollArea() const
{
    return QRect(0, 0, width(), std::max(statusBarRect().top(), 0));
}

QRegion PrompterDisplayView::readingGuideArea(double y) const
{
    // A pixel of room for anti-aliased edges.
    const QRectF line = ReadingGuidePainter::lineRect(width(), y).adjusted(0, -1, 0, 1);
    const QRectF caption = ReadingGuidePainter::captionRect(y).adjusted(-1, -1, 1, 1);
    return QRegion(line.toAlignedRect()).united(caption.toAlignedRect());
}

QRectF PrompterDisplayView::rowRectOnScreen(std::int64_t index) const
{
    if (index < 0 || index >= m_layout.rowCount())
        return {};
    const ChunkLayoutCache::Row &row = m_layout.row(index);
    const ChunkLayoutCache::Column column = ChunkLayoutCache::column(width(), m_model.horizontalMargin());
    return QRectF(column.left, row.top + contentToScreen(), column.rowWidth, row.height);
}

void PrompterDisplayView::scheduleScroll()
{
    // A move may be followed at once by the request to animate it; only the outcome is drawn.
    if (m_scrollQueued)
        return;
    m_scrollQueued = true;
    QMetaObject::invokeMethod(this, &PrompterDisplayView::applyScroll, Qt::QueuedConnection);
}

void PrompterDisplayView::applyScroll()
{
    m_scrollQueued = false;
    const double target = std::round(finiteOr(m_animator.displayedOffset(), 0));
    const double shift = target - m_paintedOffset;
    if (shift == 0) {
        refreshDependentParts();
        return;
    }
    const double guideY = readingGuideY();
    m_paintedOffset = target;
    const QRect area = scrollArea();
    const qreal ratio = devicePixelRatioF();
    const bool wholeDevicePixels = ratio == std::round(ratio);
    if (!isVisible() || !wholeDevicePixels || std::abs(shift) >= area.height() || std::abs(shift) > 1e6) {
        update();
    } else {
        const int dy = int(-shift);
        scroll(0, dy, area);
        // The moved pixels carried the fixed parts along: paint them again where they belong,
        // and paint over where they were taken.
        update(readingGuideArea(guideY));
        update(readingGuideArea(guideY).translated(0, dy));
        update(statusBarRect());
    }
    refreshDependentParts();
}

void PrompterDisplayView::refreshDependentParts()
{
    const std::int64_t readThrough = m_model.readThroughParagraphIndex();
    if (readThrough != m_paintedReadThrough) {
        updateRows(std::min(readThrough, m_paintedReadThrough), std::max(readThrough, m_paintedReadThrough));
        m_paintedReadThrough = readThrough;
    }
    const StatusBarContent bar = statusBarContent();
    if (!(bar == m_paintedStatusBar)) {
        m_paintedStatusBar = bar;
        update(statusBarRect());
    }
}

void PrompterDisplayView::updateRows(std::int64_t first, std::int64_t last)
{
    const std::int64_t count = m_layout.rowCount();
    first = std::clamp<std::int64_t>(first, 0, count);
    last = std::clamp<std::int64_t>(last, 0, count - 1);
    // Only the rows on screen matter; the others are painted when they scroll in.
    const double shift = contentToScreen();
    const auto [visibleFirst, visibleEnd] = m_layout.rowsBetween(-shift, height() - shift);
    for (std::int64_t i = std::max(first, visibleFirst); i <= last && i < visibleEnd; ++i) {
        QRectF rect = rowRectOnScreen(i);
        rect.setLeft(0);
        rect.setRight(width());
        update(rect.toAlignedRect());
    }
}

StatusBarContent PrompterDisplayView::statusBarContent() const
{
    StatusBarContent content;
    content.modeSymbol = m_model.isVoiceSyncEnabled() ? QStringLiteral("waveform")
        : m_model.isPlaying()                         ? QStringLiteral("play.fill")
                                                      : QStringLiteral("pause.fill");
    content.sectionTitle = m_model.currentSectionTitle();
    const RecordingEngine &recording = m_model.recordingEngine();
    if (recording.isRecording())
        content.recordingTime = RecordingEngine::formatDuration(recording.elapsedTime());
    const std::int64_t chunks = std::max<std::int64_t>(std::int64_t(m_model.paragraphs().size()), 1);
    const std::int64_t current = std::min<std::int64_t>(m_model.currentParagraphIndex() + 1, chunks);
    content.progress = QStringLiteral("%1 / %2").arg(current).arg(chunks);
    content.textBrightness = m_model.textBrightness();
    content.backgroundBrightness = m_model.backgroundBrightness();
    return content;
}

// --- Events ---

void PrompterDisplayView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (ChunkLayoutCache::column(width(), m_model.horizontalMargin()).rowWidth != m_layout.style().rowWidth)
        invalidateLayout();
    update();
}

void PrompterDisplayView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (QWindow *window = windowHandle()) {
        connect(window, &QWindow::screenChanged, this, &PrompterDisplayView::updateFrameClock, Qt::UniqueConnection);
    }
    if (m_layoutDirty)
        invalidateLayout();
    updateFrameClock();
}

void PrompterDisplayView::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    updateFrameClock();
}

// --- Painting ---

void PrompterDisplayView::paintEvent(QPaintEvent *event)
{
    if (m_layoutDirty)
        ensureLayout();
    QPainter painter(this);
    for (const QRect &area : event->region()) {
        painter.save();
        painter.setClipRect(area);
        paintArea(painter, area);
        painter.restore();
    }
}

void PrompterDisplayView::paintArea(QPainter &painter, const QRect &area)
{
    painter.fillRect(area, DisplayPalette::whiteLevel(m_model.backgroundBrightness()));

    // The script and the status bar are mirrored about the window's centre line.
    painter.save();
    if (m_model.isHorizontallyFlipped()) {
        painter.translate(width(), 0);
        painter.scale(-1, 1);
    }
    const double shift = contentToScreen();
    const auto [first, end] = m_layout.rowsBetween(area.top() - shift, area.bottom() + 1 - shift);
    const double left = ChunkLayoutCache::column(width(), m_model.horizontalMargin()).left;
    for (std::int64_t i = first; i < end; ++i)
        paintRow(painter, i, left, shift);
    const QRect bar = statusBarRect();
    if (bar.intersects(area))
        StatusBarPainter::paint(painter, bar, statusBarContent());
    painter.restore();

    const double guideY = readingGuideY();
    if (readingGuideArea(guideY).intersects(area))
        ReadingGuidePainter::paint(painter, width(), guideY, m_guideOpacity);
}

void PrompterDisplayView::paintRow(QPainter &painter, std::int64_t index, double left, double shift) const
{
    const ChunkLayoutCache::Row &row = m_layout.row(index);
    const double contrast = m_model.displayContrast();
    if (row.label) {
        painter.setPen(
            DisplayPalette::contrastAdjusted(DisplayPalette::withOpacity(DisplayPalette::yellow(), 0.86), contrast));
        row.label->draw(&painter, QPointF(left, row.top + shift));
    }

    const ScriptParagraph &paragraph = m_model.paragraphs()[std::size_t(index)];
    const QColor base
        = DisplayPalette::contrastAdjusted(DisplayPalette::whiteLevel(m_model.textBrightness()), contrast);
    const QColor dimmed = DisplayPalette::contrastAdjusted(
        DisplayPalette::withOpacity(DisplayPalette::whiteLevel(m_model.textBrightness()), m_model.readTextOpacity()),
        contrast);
    // The UTF-16 offset up to which the text is drawn dimmed.
    qsizetype dimmedUpTo = 0;
    if (m_model.isHighlightEnabled()) {
        if (m_model.isVoiceSyncEnabled()) {
            const std::int64_t spoken = m_model.spokenReadableCount(paragraph);
            if (spoken >= ScriptParser::readableLength(paragraph.text))
                dimmedUpTo = paragraph.text.size();
            else if (spoken > 0)
                dimmedUpTo = splitDisplayText(paragraph.text, spoken);
        } else if (index < m_model.readThroughParagraphIndex()) {
            dimmedUpTo = paragraph.text.size();
        }
    }

    const QPointF origin(left, row.textTop + shift);
    const QTextLayout &text = *row.text;
    if (dimmedUpTo == 0 || dimmedUpTo >= paragraph.text.size()) {
        painter.setPen(dimmedUpTo == 0 ? base : dimmed);
        text.draw(&painter, origin);
        return;
    }
    // A half-spoken chunk: lines wholly before the split are dim, lines after it bright, and
    // the line holding it is cut in two where the split falls. Lines outside the painted area
    // are skipped: a chunk can be thousands of lines long.
    const QRectF painted = painter.clipBoundingRect();
    for (int i = 0; i < text.lineCount(); ++i) {
        const QTextLine line = text.lineAt(i);
        const double lineTop = origin.y() + line.y();
        if (!painted.isNull() && (lineTop > painted.bottom() || lineTop + line.height() < painted.top()))
            continue;
        const qsizetype start = line.textStart();
        const qsizetype end = start + line.textLength();
        if (end <= dimmedUpTo || start >= dimmedUpTo) {
            painter.setPen(end <= dimmedUpTo ? dimmed : base);
            line.draw(&painter, origin);
            continue;
        }
        const double splitX = origin.x() + line.cursorToX(int(dimmedUpTo));
        // Only the horizontal cut matters; ink reaching past the line box keeps its colour.
        const QRectF band(0, origin.y() + line.y() - line.height(), 0, 3 * line.height());
        painter.save();
        painter.setClipRect(
            QRectF(origin.x() - 1e4, band.top(), splitX - origin.x() + 1e4, band.height()), Qt::IntersectClip);
        painter.setPen(dimmed);
        line.draw(&painter, origin);
        painter.restore();
        painter.save();
        painter.setClipRect(QRectF(splitX, band.top(), 1e5, band.height()), Qt::IntersectClip);
        painter.setPen(base);
        line.draw(&painter, origin);
        painter.restore();
    }
}

} // namespace lumetra
