#pragma once

#include <QImage>
#include <QWidget>

namespace lumetra {

class RecordingEngine;

// The live camera picture: the newest frame of the engine's capture session, scaled with its aspect
// ratio kept inside the view's rounded black frame, never cropped, never mirrored. The frame is kept
// as the engine delivered it (shared, not copied) and drawn straight from there.
class RecordingPreviewView : public QWidget {
    Q_OBJECT
public:
    static constexpr double cornerRadius = 8;

    explicit RecordingPreviewView(RecordingEngine &engine, QWidget *parent = nullptr);

    const QImage &currentFrame() const { return m_frame; }
    // Where the current frame is drawn; empty without a frame.
    QRectF frameRect() const;

    // The largest rectangle of `imageSize`'s aspect ratio inside `bounds`, centred.
    static QRectF aspectFitRect(const QSizeF &imageSize, const QRectF &bounds);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void showFrame(const QImage &frame);

    QImage m_frame;
};

} // namespace lumetra
