#pragma once

#include "CameraFormat.h"

#include <gst/gst.h>

#include <QImage>
#include <QMutex>
#include <QObject>

#include <atomic>
#include <memory>
#include <optional>

namespace lumetra {

class GStreamerBusWatch;

// The running capture pipeline: camera → I420 → tee → a scaled preview (frames as QImage) and a
// recording feed that, while a movie records, hands each camera frame to that movie's video input.
class GStreamerCaptureSession final : public QObject {
    Q_OBJECT
public:
    // Takes `cameraSource` (a floating or owned reference) that delivers frames in `format`.
    GStreamerCaptureSession(GstElement *cameraSource, const CameraFormat &format, QObject *parent = nullptr);
    ~GStreamerCaptureSession() override;

    // The pipeline's build error, if any.
    std::optional<QString> buildError() const { return m_buildError; }
    // Plays the pipeline (blocking); false when it cannot.
    bool start();
    bool isRunning() const { return m_isRunning; }

    // Feeds camera frames to `appSource`, time-stamped by `recordingPipeline`'s clock; null stops it.
    void setRecordingTarget(GstElement *appSource, GstElement *recordingPipeline);

signals:
    void previewFrameReady(const QImage &frame);
    // The camera stopped delivering (unplugged, failed or ended).
    void failed(const QString &reason);

private:
    static GstFlowReturn onPreviewSample(GstElement *sink, gpointer self);
    static GstFlowReturn onRecordSample(GstElement *sink, gpointer self);
    void deliverPreviewFrame();
    void handleMessage(GstMessage *message);

    GstElement *m_pipeline = nullptr;
    std::unique_ptr<GStreamerBusWatch> m_busWatch;
    std::optional<QString> m_buildError;
    bool m_isRunning = false;

    QMutex m_previewMutex;
    QImage m_latestFrame;
    std::atomic<bool> m_previewPending { false };

    QMutex m_targetMutex;
    GstElement *m_targetSource = nullptr;
    GstElement *m_targetPipeline = nullptr;
    GstClockTime m_lastFrameTime = 0; // of the movie being fed; frames get strictly later times
    GstCaps *m_targetCaps = nullptr;
};

} // namespace lumetra
