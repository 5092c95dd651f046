#include "ControlSliderRow.h"

#include "TextStyles.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace lumetra {
namespace {

// The column of sliders scrolls: a wheel turned over a slider the presenter has not clicked
// scrolls the column instead of silently changing (and saving) a display setting.
class ScrollPassingSlider : public QSlider {
public:
    using QSlider::QSlider;

protected:
    void wheelEvent(QWheelEvent *event) override
    {
        if (hasFocus())
            QSlider::wheelEvent(event);
        else
            event->ignore();
    }
};

// Fine enough that the slider moves continuously across any of the ranges.
constexpr int sliderSteps = 10000;

// Truncation toward zero that does not turn 0.57 × 100 = 56.99999… into 56.
long long truncated(double value)
{
    constexpr double representationSlack = 1e-9;
    return static_cast<long long>(std::trunc(value + (value >= 0 ? representationSlack : -representationSlack)));
}

} // namespace

ControlSliderRow::ControlSliderRow(
    const QString &title, double minimum, double maximum, ValueText valueText, QWidget *parent)
    : QWidget(parent)
    , m_minimum(minimum)
    , m_maximum(maximum)
    , m_valueText(std::move(valueText))
    , m_valueLabel(new QLabel(this))
    , m_slider(new ScrollPassingSlider(Qt::Horizontal, this))
{
    setFont(TextStyles::subheadline());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    auto *header = new QHBoxLayout;
    auto *titleLabel = new QLabel(title, this);
    header->addWidget(titleLabel);
    header->addStretch(1);
    TextStyles::makeSecondary(m_valueLabel);
    header->addWidget(m_valueLabel);
    layout->addLayout(header);
    m_slider->setRange(0, sliderSteps);
    m_slider->setAccessibleName(title);
    layout->addWidget(m_slider);

    connect(m_slider, &QSlider::valueChanged, this, [this](int position) {
        m_value = valueAt(position);
        m_valueLabel->setText(this->valueText());
        emit valueMoved(m_value);
    });
}

void ControlSliderRow::setValue(double value)
{
    m_value = value;
    m_valueLabel->setText(valueText());
    const QSignalBlocker blocker(m_slider);
    m_slider->setValue(sliderPosition(value));
}

QString ControlSliderRow::valueText() const
{
    return m_valueText(m_value);
}

int ControlSliderRow::sliderPosition(double value) const
{
    const double fraction = (value - m_minimum) / (m_maximum - m_minimum);
    return static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * sliderSteps));
}

double ControlSliderRow::valueAt(int position) const
{
    if (position >= sliderSteps)
        return m_maximum; // the ends are the range's own values, not a rounding of them
    if (position <= 0)
        return m_minimum;
    return m_minimum + (m_maximum - m_minimum) * position / sliderSteps;
}

ControlSliderRow::ValueText ControlSliderRow::integerWith(const QString &suffix)
{
    return [suffix](double value) { return QString::number(truncated(value)) + suffix; };
}

ControlSliderRow::ValueText ControlSliderRow::percentOfOne()
{
    return [](double value) { return QString::number(truncated(value * 100)) + u'%'; };
}

ControlSliderRow::ValueText ControlSliderRow::percent()
{
    return [](double value) { return QString::number(truncated(value)) + u'%'; };
}

ControlSliderRow::ValueText ControlSliderRow::factor()
{
    return [](double value) { return QString::asprintf("%.1fx", value); };
}

} // namespace lumetra
