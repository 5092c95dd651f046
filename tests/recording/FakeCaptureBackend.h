#pragma once

#include "CaptureBackend.h"

#include <QStringList>
#include <QTimer>

namespace lumetra::testing {

// A capture platform driven by the test: it records every call in `calls`, fails where told to, and
// reports finished recordings only when the test says so.
class FakeCaptureBackend final : public CaptureBackend {
public:
    QList<CameraDevice> discoverCameras() override
    {
        calls << QStringLiteral("discover");
        return cameras;
    }
    std::optional<CameraDevice> defaultCamera() override
    {
        if (cameras.isEmpty())
            return std::nullopt;
        return cameras.first();
    }
    std::optional<CameraDevice> cameraWithID(const QString &uniqueID) override
    {
        for (const CameraDevice &camera : std::as_const(cameras)) {
            if (camera.uniqueID == uniqueID)
                return camera;
        }
        return std::nullopt;
    }
    void beginConfiguration() override { calls << QStringLiteral("begin"); }
    void commitConfiguration() override { calls << QStringLiteral("commit"); }
    std::optional<QString> addCameraInput(const CameraDevice &camera) override
    {
        calls << QStringLiteral("addCamera ") + camera.uniqueID;
        if (cameraInputError)
            return cameraInputError;
        cameraInput = camera;
        return std::nullopt;
    }
    void removeCameraInput() override
    {
        calls << QStringLiteral("removeCamera");
        cameraInput.reset();
    }
    std::optional<QString> addMicrophoneInput() override
    {
        calls << QStringLiteral("addMicrophone");
        if (microphoneInputError)
            return microphoneInputError;
        hasMicrophone = true;
        return std::nullopt;
    }
    bool hasMovieOutput() const override { return movieOutput; }
    bool addMovieOutput() override
    {
        calls << QStringLiteral("addMovieOutput");
        movieOutput = acceptsMovieOutput;
        return movieOutput;
    }
    bool startRunning() override
    {
        calls << QStringLiteral("startRunning");
        running = startsRunning;
        return running;
    }
    bool isRunning() const override { return running; }
    void startMovieRecording(const QString &path) override
    {
        calls << QStringLiteral("startMovie ") + path;
        moviePath = path;
    }
    void stopMovieRecording() override { calls << QStringLiteral("stopMovie"); }
    std::optional<QString> startAudioRecording(const QString &path) override
    {
        calls << QStringLiteral("startAudio ") + path;
        if (audioRecorderError)
            return audioRecorderError;
        audioPath = path;
        return std::nullopt;
    }
    void stopAudioRecording() override { calls << QStringLiteral("stopAudio"); }

    void finishMovie(const std::optional<QString> &error = std::nullopt)
    {
        emit movieRecordingFinished(moviePath, error);
    }
    void finishAudio(bool successfully) { emit audioRecordingFinished(successfully); }
    void failAudio(const std::optional<QString> &error) { emit audioEncodingFailed(error); }

    QList<CameraDevice> cameras;
    std::optional<QString> cameraInputError;
    std::optional<QString> microphoneInputError;
    std::optional<QString> audioRecorderError;
    bool acceptsMovieOutput = true;
    bool startsRunning = true;

    QStringList calls;
    std::optional<CameraDevice> cameraInput;
    bool hasMicrophone = false;
    bool movieOutput = false;
    bool running = false;
    QString moviePath;
    QString audioPath;
};

} // namespace lumetra::testing
