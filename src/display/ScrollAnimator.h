#pragma once

#include <QEasingCurve>
#include <QObject>
#include <QVariantAnimation>

namespace lumetra {

// The offset the display shows. It follows the model's scroll offset at once, except while an
// animated move eases it towards its target; a new move starts from wherever the display is,
// and plain offset changes during a move become the move's new target, so nothing ever jumps.
class ScrollAnimator : public QObject {
    Q_OBJECT
public:
    explicit ScrollAnimator(QObject *parent = nullptr);

    double displayedOffset() const { return m_displayed; }
    bool isAnimating() const { return m_animation.state() == QAbstractAnimation::Running; }

    // The model's offset changed without asking for an animation.
    void follow(double offset);
    // The model moved from `from` to `to` and asks for an eased move over `seconds`.
    void animate(double from, double to, double seconds, QEasingCurve::Type curve);

signals:
    void displayedOffsetChanged(double offset);

private:
    void show(double offset);

    QVariantAnimation m_animation;
    double m_displayed = 0;
};

} // namespace lumetra
