#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace lumetra {

class RecordingEngine;
class RecordingPreviewView;

// The preview row: the live picture in a rounded 16:9 black frame, a "16:9" tag in its top-left
// corner and, while the session is not running, a placeholder with a button that starts it.
class RecordingPreviewArea : public QWidget {
    Q_OBJECT
public:
    static constexpr double aspectRatio = 16.0 / 9.0;

    explicit RecordingPreviewArea(RecordingEngine &engine, QWidget *parent = nullptr);

    RecordingPreviewView *previewView() const { return m_preview; }
    QWidget *placeholder() const { return m_placeholder; }
    QPushButton *startPreviewButton() const { return m_startPreviewButton; }
    QLabel *aspectTag() const { return m_tag; }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void render();
    void placeChildren();

    RecordingEngine &m_engine;
    RecordingPreviewView *m_preview;
    QWidget *m_placeholder;
    QLabel *m_placeholderIcon;
    QPushButton *m_startPreviewButton;
    QLabel *m_tag;
};

} // namespace lumetra
