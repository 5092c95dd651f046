#pragma once

#include "CameraDevice.h"
#include "CaptureBackend.h"
#include "RecordingMode.h"

#include <QImage>
#include <QObject>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace lumetra {

class DesktopFileServices;
class PermissionService;

// Records the presenter: camera and microphone into a movie, or the microphone alone into an audio
// file, in the chosen output folder; keeps the camera preview running; reports every outcome in
// statusMessage. Lives on the main thread.
class RecordingEngine : public QObject {
    Q_OBJECT
    Q_PROPERTY(lumetra::RecordingMode mode READ mode WRITE setMode NOTIFY modeChanged)
    Q_PROPERTY(QUrl outputDirectory READ outputDirectory WRITE setOutputDirectory NOTIFY outputDirectoryChanged)
    Q_PROPERTY(QList<lumetra::CameraDevice> availableCameras READ availableCameras NOTIFY availableCamerasChanged)
    Q_PROPERTY(std::optional<QString> selectedCameraID READ selectedCameraID WRITE setSelectedCameraID NOTIFY
            selectedCameraIDChanged)
    Q_PROPERTY(bool isPreviewRunning READ isPreviewRunning NOTIFY isPreviewRunningChanged)
    Q_PROPERTY(bool isRecording READ isRecording NOTIFY isRecordingChanged)
    Q_PROPERTY(bool isStopping READ isStopping NOTIFY isStoppingChanged)
    Q_PROPERTY(double elapsedTime READ elapsedTime NOTIFY elapsedTimeChanged)
    Q_PROPERTY(QString statusMessage READ statusMessage NOTIFY statusMessageChanged)
    Q_PROPERTY(QUrl lastOutputURL READ lastOutputURL NOTIFY lastOutputURLChanged)
    Q_PROPERTY(QUrl activeOutputURL READ activeOutputURL NOTIFY activeOutputURLChanged)

public:
    // When the cameras are first looked for: as the engine is made, or when its owner calls
    // discoverCamerasAndStartPreview(), so that a program can show its window before the capture
    // system has started up.
    enum class CameraDiscovery { immediately, onRequest };

    // Loads the stored mode, folder and camera, discovers the cameras, and starts the preview by itself
    // later when the mode records the camera and camera access was granted before. Never asks at launch.
    RecordingEngine(std::unique_ptr<CaptureBackend> backend, PermissionService *permissions, QObject *parent = nullptr);
    // As above, with the discovery and the preview start left to discoverCamerasAndStartPreview()
    // when `discovery` says so.
    RecordingEngine(std::unique_ptr<CaptureBackend> backend, PermissionService *permissions, CameraDiscovery discovery,
        QObject *parent = nullptr);
    ~RecordingEngine() override;

    RecordingMode mode() const { return m_mode; }
    // Stores the mode (also an equal one) and, for camera and microphone, starts the preview if allowed.
    void setMode(RecordingMode mode);
    QUrl outputDirectory() const { return m_outputDirectory; }
    void setOutputDirectory(const QUrl &directory);
    QList<CameraDevice> availableCameras() const { return m_availableCameras; }
    std::optional<QString> selectedCameraID() const { return m_selectedCameraID; }
    void setSelectedCameraID(const std::optional<QString> &cameraID);
    bool isPreviewRunning() const { return m_isPreviewRunning; }
    bool isRecording() const { return m_isRecording; }
    bool isStopping() const { return m_isStopping; }
    double elapsedTime() const { return m_elapsedTime; }
    QString statusMessage() const { return m_statusMessage; }
    // Empty when there is none.
    QUrl lastOutputURL() const { return m_lastOutputURL; }
    QUrl activeOutputURL() const { return m_activeOutputURL; }

    void refreshAvailableCameras();
    // Asks for camera access if it was never decided, then starts the preview.
    void startPreviewRequestingPermission();
    // Starts the preview only in camera-and-microphone mode with camera access already granted.
    void startPreviewIfAuthorized();
    // The start-up step left for later by CameraDiscovery::onRequest: discovers the cameras and
    // starts the preview if allowed.
    void discoverCamerasAndStartPreview();
    // Starts a recording in the current mode; finishes after the permission answers arrive.
    void startRecording();
    void stopRecording();
    void chooseOutputDirectory();
    void revealLastOutput();
    void setDesktopFileServices(DesktopFileServices *services) { m_desktop = services; }

    // "%02d:%02d" of whole minutes (not capped) and seconds; negative counts as zero.
    static QString formatDuration(double seconds);

signals:
    void modeChanged();
    void outputDirectoryChanged();
    void availableCamerasChanged();
    void selectedCameraIDChanged();
    void isPreviewRunningChanged();
    void isRecordingChanged();
    void isStoppingChanged();
    void elapsedTimeChanged();
    void statusMessageChanged();
    void lastOutputURLChanged();
    void activeOutputURLChanged();
    // After any observable field above changed.
    void changed();
    // A new camera preview frame, aspect kept.
    void previewFrameReady(const QImage &frame);

private:
    using Completion = std::function<void(const std::optional<QString> &error)>;

    std::optional<QString> defaultCameraID() const;
    std::optional<CameraDevice> preferredCameraDevice() const;
    void selectedCameraIDDidChange(const std::optional<QString> &oldValue);
    void switchVideoInput();
    std::optional<QString> configureCaptureSession(bool includeAudio);
    std::optional<QString> configureCaptureSessionSteps(bool includeAudio);
    void startCaptureSessionIfNeeded();
    void startPreviewSteps();
    void requestPermission(bool camera, Completion completion);
    std::optional<QString> makeOutputURL(RecordingMode mode, QUrl &url) const;
    void startMovieRecording(const QUrl &url, Completion completion);
    void startAudioRecording(const QUrl &url, Completion completion);
    void startElapsedTimer();
    void stopElapsedTimer();
    void finishMovieRecording(const QString &outputPath, const std::optional<QString> &error);
    void finishAudioRecording(bool successfully);
    void audioEncodingFailed(const std::optional<QString> &error);

    // Stores a changed value and tells observers: its own signal, then `changed`.
    template <typename T> void assign(T &field, const T &value, void (RecordingEngine::*notify)())
    {
        if (field == value)
            return;
        field = value;
        emit(this->*notify)();
        emit changed();
    }
    void setAvailableCameras(const QList<CameraDevice> &cameras);
    void setIsPreviewRunning(bool running);
    void setIsRecording(bool recording);
    void setIsStopping(bool stopping);
    void setElapsedTime(double seconds);
    void setStatusMessage(const QString &message);
    void setLastOutputURL(const QUrl &url);
    void setActiveOutputURL(const QUrl &url);

    std::unique_ptr<CaptureBackend> m_backend;
    PermissionService *m_permissions;
    DesktopFileServices *m_desktop = nullptr;

    RecordingMode m_mode;
    QUrl m_outputDirectory;
    QList<CameraDevice> m_availableCameras;
    std::optional<QString> m_selectedCameraID;
    bool m_isPreviewRunning = false;
    bool m_isRecording = false;
    bool m_isStopping = false;
    double m_elapsedTime = 0;
    QString m_statusMessage;
    QUrl m_lastOutputURL;
    QUrl m_activeOutputURL;

    std::optional<CameraDevice> m_videoInput;
    bool m_hasAudioInput = false;
    bool m_hasAudioRecorder = false;
    bool m_isStarting = false;
    RecordingMode m_recordingMode = RecordingMode::cameraAndMicrophone; // what the running recording captures
    std::optional<std::chrono::steady_clock::time_point> m_recordingStartDate;
    QTimer *m_elapsedTimer = nullptr;
};

} // namespace lumetra
