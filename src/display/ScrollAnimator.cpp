#include "ScrollAnimator.h"

#include <algorithm>
#include <cmath>

namespace lumetra {

ScrollAnimator::ScrollAnimator(QObject *parent)
    : QObject(parent)
{
    connect(&m_animation, &QVariantAnimation::valueChanged, this,
        [this](const QVariant &value) { show(value.toDouble()); });
}

void ScrollAnimator::follow(double offset)
{
    if (!isAnimating()) {
        show(offset);
        return;
    }
    // Changing the end of a running animation would move its current value at once; instead the
    // rest of the move goes from here to the new end.
    const int remaining = m_animation.duration() - m_animation.currentTime();
    const double from = m_animation.currentValue().toDouble();
    const QEasingCurve::Type curve = m_animation.easingCurve().type();
    m_animation.stop();
    if (remaining <= 0) {
        show(offset);
        return;
    }
    m_animation.setStartValue(from);
    m_animation.setEndValue(offset);
    m_animation.setDuration(remaining);
    m_animation.setEasingCurve(curve);
    m_animation.start();
}

void ScrollAnimator::animate(double from, double to, double seconds, QEasingCurve::Type curve)
{
    // The model has already taken the target, and this display followed it in memory without
    // painting; the move starts from what is on screen: the running animation's position, or
    // the model's previous offset.
    const double start = isAnimating() ? m_animation.currentValue().toDouble() : from;
    m_animation.stop();
    const int milliseconds = std::isfinite(seconds) ? int(std::lround(std::clamp(seconds, 0.0, 10.0) * 1000)) : 0;
    if (milliseconds <= 0 || !std::isfinite(start) || start == to) {
        show(to);
        return;
    }
    m_animation.setStartValue(start);
    m_animation.setEndValue(to);
    m_animation.setDuration(milliseconds);
    m_animation.setEasingCurve(curve);
    show(start);
    m_animation.start();
}

void ScrollAnimator::show(double offset)
{
    if (offset == m_displayed)
        return;
    m_displayed = offset;
    emit displayedOffsetChanged(offset);
}

} // namespace lumetra
