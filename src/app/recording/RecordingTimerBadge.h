#pragma once

#include <QWidget>

namespace lumetra {

// The capsule with a dot and the elapsed time: a red dot while recording, a faint grey one otherwise.
class RecordingTimerBadge : public QWidget {
    Q_OBJECT
public:
    explicit RecordingTimerBadge(QWidget *parent = nullptr);

    bool isRecording() const { return m_isRecording; }
    void setRecording(bool recording);
    QString text() const { return m_text; }
    void setText(const QString &text);

    // The colour the dot is painted in now.
    QColor dotColor() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    bool m_isRecording = false;
    QString m_text = QStringLiteral("00:00");
};

} // namespace lumetra
