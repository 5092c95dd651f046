#pragma once

#include <QWidget>

namespace lumetra {

// One line of text that, when it does not fit, loses characters from its middle ("~/Vid…/Lumetra").
// The whole text is its tooltip.
class MiddleElidedLabel : public QWidget {
    Q_OBJECT
public:
    explicit MiddleElidedLabel(QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);
    // What is drawn at the current width.
    QString displayedText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
};

} // namespace lumetra
