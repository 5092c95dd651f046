#pragma once

#include <QWidget>

namespace lumetra {

// One line of text that never widens its window: what does not fit is cut with "…" (at the end,
// or in the middle for paths such as "~/Vid…/Lumetra"), and the whole text is the tooltip.
class ElidedLabel : public QWidget {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const { return m_text; }
    void setAlignment(Qt::Alignment alignment);
    void setElideMode(Qt::TextElideMode mode);
    // What is drawn at the current width.
    QString displayedText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    Qt::TextElideMode m_elideMode = Qt::ElideRight;
};

} // namespace lumetra
