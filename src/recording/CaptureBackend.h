#pragma once

#include "CameraDevice.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>

namespace lumetra {

// The capture platform under the recording engine: camera discovery, one capture session (camera
// preview and movie recording) and an audio-only recorder. Every call and every signal happens on
// the main thread. Failures come back as the user-facing description of what went wrong.
class CaptureBackend : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Cameras attached now, in discovery order.
    virtual QList<CameraDevice> discoverCameras() = 0;
    // The system's default camera, if any.
    virtual std::optional<CameraDevice> defaultCamera() = 0;
    // A camera known to the system by identifier, also one missing from the last discovery.
    virtual std::optional<CameraDevice> cameraWithID(const QString &uniqueID) = 0;

    // Session changes between begin and commit take effect together at the commit.
    virtual void beginConfiguration() = 0;
    virtual void commitConfiguration() = 0;
    // Opens the camera and makes it the session's video input at 1920×1080 if it offers that, else
    // 1280×720, else its best size.
    virtual std::optional<QString> addCameraInput(const CameraDevice &camera) = 0;
    virtual void removeCameraInput() = 0;
    // Makes the default microphone the session's audio input.
    virtual std::optional<QString> addMicrophoneInput() = 0;
    virtual bool hasMovieOutput() const = 0;
    // False when the session cannot take a movie output.
    virtual bool addMovieOutput() = 0;

    // Starts the session if it is not running (blocking); returns whether it runs now.
    virtual bool startRunning() = 0;
    virtual bool isRunning() const = 0;

    // Records the session's camera and microphone to `path`; ends with movieRecordingFinished, once.
    virtual void startMovieRecording(const QString &path) = 0;
    virtual void stopMovieRecording() = 0;

    // Records the default microphone alone to `path` (AAC-LC, 48000 Hz, one channel, MPEG-4 audio).
    // Ends with audioRecordingFinished or audioEncodingFailed, once.
    virtual std::optional<QString> startAudioRecording(const QString &path) = 0;
    virtual void stopAudioRecording() = 0;

signals:
    void previewFrameReady(const QImage &frame);
    // The file at `path` is complete; with an error the recording failed.
    void movieRecordingFinished(const QString &path, const std::optional<QString> &error);
    void audioRecordingFinished(bool successfully);
    void audioEncodingFailed(const std::optional<QString> &error);
};

} // namespace lumetra
