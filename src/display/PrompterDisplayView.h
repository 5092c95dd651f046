#pragma once

#include "ChunkLayoutCache.h"
#include "FrameClock.h"
#include "ParagraphGeometry.h"
#include "ScrollAnimator.h"
#include "StatusBarPainter.h"

#include <QRegion>
#include <QVariantAnimation>
#include <QWidget>

#include <cstdint>
#include <memory>

namespace lumetra {

class FrameTimeLog;
class PrompterViewModel;

// The prompter's content: the script set large on a dark background under a fixed red reading
// line, optionally mirrored, with a status bar along the bottom. A pure view of the model: it
// drives fixed-speed scrolling with its frame clock, reports the measured chunk midpoints after
// each layout change, and dims what has been read.
//
// Scrolling is cheap: the chunks are laid out once, and a pure scroll moves the already painted
// text by whole pixels and paints only the strip that comes into view, the status bar and the
// reading guide.
class PrompterDisplayView : public QWidget {
    Q_OBJECT
public:
    explicit PrompterDisplayView(PrompterViewModel &model, QWidget *parent = nullptr);
    ~PrompterDisplayView() override;

    PrompterViewModel &model() const { return m_model; }

    // Lays out what changed now (normally done before the next paint) and reports the midpoints
    // to the model when they differ from the last report.
    void ensureLayout();
    const ChunkLayoutCache &layoutCache() const { return m_layout; }

    bool isFrameClockRunning() const { return m_frameClock.isRunning(); }
    // The offset on screen: the model's, or where an eased move has got to.
    double displayedOffset() const { return m_animator.displayedOffset(); }
    double readingGuideY() const;
    // 1 while the reading guide is shown, 0 while hidden, in between while it fades.
    double readingGuideOpacity() const { return m_guideOpacity; }
    static double statusBarHeight() { return StatusBarPainter::height(); }
    // Row `index` on screen as if unmirrored, in widget coordinates.
    QRectF rowRectOnScreen(std::int64_t index) const;
    // What the status bar shows now.
    StatusBarContent statusBarContent() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void connectModel();
    void invalidateLayout();
    void scheduleLayout();
    void repaintChangedRows();
    void reportMidpoints();
    void updateFrameClock();
    void fadeReadingGuide();
    void scheduleScroll();
    void applyScroll();
    void refreshDependentParts();
    void updateRows(std::int64_t first, std::int64_t last);
    QRect statusBarRect() const;
    QRect scrollArea() const;
    QRegion readingGuideArea(double y) const;
    double contentToScreen() const;

    void paintArea(QPainter &painter, const QRect &area);
    void paintRow(QPainter &painter, std::int64_t index, double left, double shift) const;

    PrompterViewModel &m_model;
    ChunkLayoutCache m_layout;
    bool m_layoutDirty = true;
    bool m_refreshQueued = false;
    ParagraphMidpoints m_reportedMidpoints;

    ScrollAnimator m_animator;
    bool m_scrollQueued = false;
    // The offset the painted pixels show, in whole pixels: moves of the backing store carry the
    // fraction in the model's offset instead of smearing it into the picture.
    double m_paintedOffset = 0;
    std::int64_t m_paintedReadThrough = 0;
    StatusBarContent m_paintedStatusBar;

    FrameClock m_frameClock;
    QVariantAnimation m_guideFade;
    double m_guideOpacity = 1;
    std::unique_ptr<FrameTimeLog> m_frameLog;
};

} // namespace lumetra
