#pragma once

#include "CameraFormat.h"
#include "CaptureBackend.h"

#include <gst/gst.h>

#include <QPointer>

#include <chrono>
#include <memory>

namespace lumetra {

class GStreamerCaptureSession;
class GStreamerFileRecorder;

// The capture platform on GStreamer: cameras from the device monitor ("Video/Source"; identifier =
// device path), one capture session for preview and movies (H.264 + AAC in QuickTime), and audio-only
// recordings (AAC-LC, 48000 Hz, mono, MPEG-4 audio).
class GStreamerCaptureBackend final : public CaptureBackend {
    Q_OBJECT
public:
    // A camera made of a pipeline description, standing in for attached devices.
    struct SyntheticCamera {
        CameraDevice device;
        QString sourceDescription; // for example "videotestsrc is-live=true"
    };

    struct Options {
        // When set, these are the only cameras (an empty list: no camera at all).
        std::optional<QList<SyntheticCamera>> cameras;
        // The microphone's source; the default PulseAudio microphone unless replaced.
        QString microphoneDescription = QStringLiteral("pulsesrc client-name=Lumetra");
        // How long a stopping recording may take to write its file's end.
        std::chrono::milliseconds finishTimeout { 5000 };
    };

    GStreamerCaptureBackend();
    explicit GStreamerCaptureBackend(Options options);
    ~GStreamerCaptureBackend() override;

    QList<CameraDevice> discoverCameras() override;
    std::optional<CameraDevice> defaultCamera() override;
    std::optional<CameraDevice> cameraWithID(const QString &uniqueID) override;

    void beginConfiguration() override;
    void commitConfiguration() override;
    std::optional<QString> addCameraInput(const CameraDevice &camera) override;
    void removeCameraInput() override;
    std::optional<QString> addMicrophoneInput() override;
    bool hasMovieOutput() const override { return m_hasMovieOutput; }
    bool addMovieOutput() override;

    bool startRunning() override;
    bool isRunning() const override;

    void startMovieRecording(const QString &path) override;
    void stopMovieRecording() override;

    std::optional<QString> startAudioRecording(const QString &path) override;
    void stopAudioRecording() override;

signals:
    // The first encoded video or audio of the running recording left its encoder.
    void firstEncodedBuffer(bool video);

private:
    struct CameraEntry {
        CameraDevice device;
        QString sourceDescription; // synthetic cameras
        std::shared_ptr<GstDevice> systemDevice; // attached cameras
    };
    struct CameraInput {
        CameraEntry camera;
        CameraFormat format;
    };

    std::optional<CameraEntry> entryFor(const QString &uniqueID) const;
    GstElement *createSource(const CameraEntry &camera, QString &error) const;
    void rebuildSession();
    void sessionFailed(const QString &reason);
    void movieFinished(GStreamerFileRecorder *recorder, const QString &path, const std::optional<QString> &error);
    void audioFinished(GStreamerFileRecorder *recorder, const std::optional<QString> &error);
    GStreamerFileRecorder *makeRecorder(const QString &description, const QString &path, QString &error);
    QString movieDescription() const;
    QString audioDescription() const;

    Options m_options;
    QList<CameraEntry> m_cameras;
    int m_configurationDepth = 0;
    bool m_sessionChanged = false;
    std::optional<CameraInput> m_cameraInput;
    bool m_hasMovieOutput = false;
    std::unique_ptr<GStreamerCaptureSession> m_session;
    QPointer<GStreamerFileRecorder> m_movieRecorder;
    QPointer<GStreamerFileRecorder> m_audioRecorder;
};

} // namespace lumetra
