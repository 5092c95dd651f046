#include "RecordingPreviewView.h"

#include "RecordingEngine.h"

#include <QPainter>
#include <QPainterPath>

namespace lumetra {

RecordingPreviewView::RecordingPreviewView(RecordingEngine &engine, QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
    connect(&engine, &RecordingEngine::previewFrameReady, this, &RecordingPreviewView::showFrame);
}

QRectF RecordingPreviewView::aspectFitRect(const QSizeF &imageSize, const QRectF &bounds)
{
    if (imageSize.isEmpty() || bounds.isEmpty())
        return {};
    const QSizeF fitted = imageSize.scaled(bounds.size(), Qt::KeepAspectRatio);
    return { bounds.center().x() - fitted.width() / 2, bounds.center().y() - fitted.height() / 2, fitted.width(),
        fitted.height() };
}

QRectF RecordingPreviewView::frameRect() const
{
    return aspectFitRect(m_frame.size(), rect());
}

void RecordingPreviewView::showFrame(const QImage &frame)
{
    m_frame = frame;
    if (isVisible())
        update();
}

void RecordingPreviewView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    QPainterPath frame;
    frame.addRoundedRect(rect(), cornerRadius, cornerRadius);
    painter.fillPath(frame, Qt::black);

    const QRectF target = frameRect();
    if (target.isEmpty())
        return;
    // The picture is painted as the texture of its own outline, cut to the rounded frame: smooth
    // corners, and no scaled copy of the frame is ever made.
    QBrush picture(m_frame);
    picture.setTransform(QTransform::fromTranslate(target.x(), target.y())
                             .scale(target.width() / m_frame.width(), target.height() / m_frame.height()));
    QPainterPath outline;
    outline.addRect(target);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setBrush(picture);
    painter.drawPath(frame.intersected(outline));
}

} // namespace lumetra
