#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QSlider;

namespace lumetra {

// One labelled slider row: title and value text above a continuous slider over [minimum, maximum].
class ControlSliderRow : public QWidget {
    Q_OBJECT
public:
    using ValueText = std::function<QString(double value)>;

    ControlSliderRow(
        const QString &title, double minimum, double maximum, ValueText valueText, QWidget *parent = nullptr);

    // Shows a value of the model; a value outside the range shows as it is while the slider
    // stops at its end.
    void setValue(double value);
    double value() const { return m_value; }
    QString valueText() const;
    QSlider &slider() const { return *m_slider; }

    // Value texts: the value truncated toward zero with a suffix ("42 px/s"); the value × 100
    // truncated with "%"; the value truncated with "%"; "%.1fx".
    static ValueText integerWith(const QString &suffix);
    static ValueText percentOfOne();
    static ValueText percent();
    static ValueText factor();

signals:
    // The user moved the slider to this value.
    void valueMoved(double value);

private:
    int sliderPosition(double value) const;
    double valueAt(int position) const;

    double m_minimum;
    double m_maximum;
    ValueText m_valueText;
    double m_value = 0;
    QLabel *m_valueLabel;
    QSlider *m_slider;
};

} // namespace lumetra
