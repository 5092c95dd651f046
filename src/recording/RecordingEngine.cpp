#include "RecordingEngine.h"

#include "DesktopFileServices.h"
#include "PermissionService.h"
#include "RecordingError.h"
#include "RecordingFileName.h"
#include "RecordingSettingsStore.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <cmath>
#include <limits>

namespace lumetra {
namespace {

constexpr int elapsedTimerIntervalMs = 200;

QString describe(RecordingError error)
{
    return recordingErrorDescription(error);
}

} // namespace

RecordingEngine::RecordingEngine(
    std::unique_ptr<CaptureBackend> backend, PermissionService *permissions, QObject *parent)
    : RecordingEngine(std::move(backend), permissions, CameraDiscovery::immediately, parent)
{
}

RecordingEngine::RecordingEngine(
    std::unique_ptr<CaptureBackend> backend, PermissionService *permissions, CameraDiscovery discovery, QObject *parent)
    : QObject(parent)
    , m_backend(std::move(backend))
    , m_permissions(permissions)
    , m_mode(RecordingSettingsStore::loadMode())
    , m_outputDirectory(RecordingSettingsStore::loadOutputDirectory())
    , m_selectedCameraID(RecordingSettingsStore::loadCameraID())
    , m_statusMessage(QStringLiteral("尚未錄影"))
{
    // The backend's reports are handled as separate main-thread steps, never inside the call that
    // caused them; a report for an engine that is gone is dropped with the connection.
    connect(m_backend.get(), &CaptureBackend::movieRecordingFinished, this, &RecordingEngine::finishMovieRecording,
        Qt::QueuedConnection);
    connect(m_backend.get(), &CaptureBackend::audioRecordingFinished, this, &RecordingEngine::finishAudioRecording,
        Qt::QueuedConnection);
    connect(m_backend.get(), &CaptureBackend::audioEncodingFailed, this, &RecordingEngine::audioEncodingFailed,
        Qt::QueuedConnection);
    connect(m_backend.get(), &CaptureBackend::previewFrameReady, this, &RecordingEngine::previewFrameReady);

    if (discovery == CameraDiscovery::immediately) {
        refreshAvailableCameras();
        QTimer::singleShot(0, this, &RecordingEngine::startPreviewIfAuthorized);
    }
}

void RecordingEngine::discoverCamerasAndStartPreview()
{
    refreshAvailableCameras();
    startPreviewIfAuthorized();
}

RecordingEngine::~RecordingEngine() = default;

// Observable fields

void RecordingEngine::setMode(RecordingMode mode)
{
    assign(m_mode, mode, &RecordingEngine::modeChanged);
    RecordingSettingsStore::saveMode(mode);
    if (mode == RecordingMode::cameraAndMicrophone)
        QTimer::singleShot(0, this, &RecordingEngine::startPreviewIfAuthorized);
}

void RecordingEngine::setOutputDirectory(const QUrl &directory)
{
    assign(m_outputDirectory, directory, &RecordingEngine::outputDirectoryChanged);
    RecordingSettingsStore::saveOutputDirectory(directory);
}

void RecordingEngine::setSelectedCameraID(const std::optional<QString> &cameraID)
{
    const std::optional<QString> oldValue = m_selectedCameraID;
    assign(m_selectedCameraID, cameraID, &RecordingEngine::selectedCameraIDChanged);
    selectedCameraIDDidChange(oldValue);
}

void RecordingEngine::setAvailableCameras(const QList<CameraDevice> &cameras)
{
    assign(m_availableCameras, cameras, &RecordingEngine::availableCamerasChanged);
}

void RecordingEngine::setIsPreviewRunning(bool running)
{
    assign(m_isPreviewRunning, running, &RecordingEngine::isPreviewRunningChanged);
}

void RecordingEngine::setIsRecording(bool recording)
{
    assign(m_isRecording, recording, &RecordingEngine::isRecordingChanged);
}

void RecordingEngine::setIsStopping(bool stopping)
{
    assign(m_isStopping, stopping, &RecordingEngine::isStoppingChanged);
}

void RecordingEngine::setElapsedTime(double seconds)
{
    assign(m_elapsedTime, seconds, &RecordingEngine::elapsedTimeChanged);
}

void RecordingEngine::setStatusMessage(const QString &message)
{
    assign(m_statusMessage, message, &RecordingEngine::statusMessageChanged);
}

void RecordingEngine::setLastOutputURL(const QUrl &url)
{
    assign(m_lastOutputURL, url, &RecordingEngine::lastOutputURLChanged);
}

void RecordingEngine::setActiveOutputURL(const QUrl &url)
{
    assign(m_activeOutputURL, url, &RecordingEngine::activeOutputURLChanged);
}

// Cameras

void RecordingEngine::refreshAvailableCameras()
{
    setAvailableCameras(m_backend->discoverCameras());
    if (m_selectedCameraID) {
        for (const CameraDevice &camera : std::as_const(m_availableCameras)) {
            if (camera.uniqueID == *m_selectedCameraID)
                return;
        }
    }
    setSelectedCameraID(defaultCameraID());
}

std::optional<QString> RecordingEngine::defaultCameraID() const
{
    if (const std::optional<CameraDevice> camera = m_backend->defaultCamera())
        return camera->uniqueID;
    if (!m_availableCameras.isEmpty())
        return m_availableCameras.first().uniqueID;
    return std::nullopt;
}

std::optional<CameraDevice> RecordingEngine::preferredCameraDevice() const
{
    if (m_selectedCameraID) {
        for (const CameraDevice &camera : m_availableCameras) {
            if (camera.uniqueID == *m_selectedCameraID)
                return camera;
        }
        if (std::optional<CameraDevice> known = m_backend->cameraWithID(*m_selectedCameraID))
            return known;
    }
    if (std::optional<CameraDevice> fallback = m_backend->defaultCamera())
        return fallback;
    if (!m_availableCameras.isEmpty())
        return m_availableCameras.first();
    return std::nullopt;
}

void RecordingEngine::selectedCameraIDDidChange(const std::optional<QString> &oldValue)
{
    if (m_selectedCameraID == oldValue)
        return;
    RecordingSettingsStore::saveCameraID(m_selectedCameraID);
    // While recording the choice is only stored; the session keeps its camera.
    if (m_videoInput && !m_isRecording && !m_isStopping)
        switchVideoInput();
}

void RecordingEngine::switchVideoInput()
{
    const std::optional<CameraDevice> device = preferredCameraDevice();
    if (!device) {
        setStatusMessage(QStringLiteral("找不到所選相機"));
        return;
    }
    m_backend->beginConfiguration();
    if (m_videoInput) {
        m_backend->removeCameraInput();
        m_videoInput.reset();
    }
    if (const std::optional<QString> error = m_backend->addCameraInput(*device)) {
        setStatusMessage(QStringLiteral("切換相機失敗：") + *error);
        m_backend->commitConfiguration();
        return;
    }
    m_videoInput = device;
    setStatusMessage(QStringLiteral("已切換相機：") + device->localizedName);
    m_backend->commitConfiguration();
}

// Session

std::optional<QString> RecordingEngine::configureCaptureSession(bool includeAudio)
{
    m_backend->beginConfiguration();
    const std::optional<QString> error = configureCaptureSessionSteps(includeAudio);
    m_backend->commitConfiguration();
    return error;
}

std::optional<QString> RecordingEngine::configureCaptureSessionSteps(bool includeAudio)
{
    if (!m_videoInput) {
        const std::optional<CameraDevice> device = preferredCameraDevice();
        if (!device)
            return describe(RecordingError::cameraUnavailable);
        if (std::optional<QString> error = m_backend->addCameraInput(*device))
            return error;
        m_videoInput = device;
    }
    // An existing microphone input stays, also for a later configuration without audio.
    if (includeAudio && !m_hasAudioInput) {
        if (std::optional<QString> error = m_backend->addMicrophoneInput())
            return error;
        m_hasAudioInput = true;
    }
    if (!m_backend->hasMovieOutput() && !m_backend->addMovieOutput())
        return describe(RecordingError::cannotAddMovieOutput);
    return std::nullopt;
}

void RecordingEngine::startCaptureSessionIfNeeded()
{
    if (!m_backend->isRunning())
        setIsPreviewRunning(m_backend->startRunning());
    else
        setIsPreviewRunning(true);
}

// Preview

void RecordingEngine::startPreviewRequestingPermission()
{
    requestPermission(true, [this](const std::optional<QString> &error) {
        if (error) {
            setStatusMessage(QStringLiteral("預覽失敗：") + *error);
            return;
        }
        refreshAvailableCameras();
        startPreviewSteps();
    });
}

void RecordingEngine::startPreviewIfAuthorized()
{
    if (m_mode == RecordingMode::cameraAndMicrophone
        && m_permissions->status(PermissionKind::camera) == PermissionStatus::authorized)
        startPreviewSteps();
}

void RecordingEngine::startPreviewSteps()
{
    if (const std::optional<QString> error = configureCaptureSession(false)) {
        setStatusMessage(QStringLiteral("預覽失敗：") + *error);
        return;
    }
    startCaptureSessionIfNeeded();
    setStatusMessage(QStringLiteral("鏡頭預覽中"));
}

void RecordingEngine::requestPermission(bool camera, Completion completion)
{
    const PermissionKind kind = camera ? PermissionKind::camera : PermissionKind::microphone;
    const QString denied
        = describe(camera ? RecordingError::cameraPermissionDenied : RecordingError::microphonePermissionDenied);
    switch (m_permissions->status(kind)) {
    case PermissionStatus::authorized:
        completion(std::nullopt);
        return;
    case PermissionStatus::denied:
    case PermissionStatus::restricted:
        completion(denied);
        return;
    case PermissionStatus::notDetermined:
        break;
    }
    m_permissions->request(kind, this, [completion = std::move(completion), denied](bool granted) {
        completion(granted ? std::nullopt : std::optional<QString>(denied));
    });
}

// Recording

std::optional<QString> RecordingEngine::makeOutputURL(RecordingMode mode, QUrl &url) const
{
    const QString directory = m_outputDirectory.toLocalFile();
    if (directory.isEmpty() || !QDir().mkpath(directory))
        return describe(RecordingError::outputDirectoryUnavailable);
    const QString fileName = RecordingFileName::forStart(QDateTime::currentDateTime(), mode);
    url = QUrl::fromLocalFile(RecordingFileName::firstFreePath(directory, fileName));
    return std::nullopt;
}

void RecordingEngine::startRecording()
{
    // A start that still waits for a consent answer counts as running: a second one would race it.
    if (m_isRecording || m_isStopping || m_isStarting)
        return;
    QUrl url;
    if (const std::optional<QString> error = makeOutputURL(m_mode, url)) {
        setActiveOutputURL({});
        setStatusMessage(QStringLiteral("錄製失敗：") + *error);
        return;
    }
    setActiveOutputURL(url);
    m_isStarting = true;
    m_recordingMode = m_mode;
    Completion done = [this](const std::optional<QString> &error) {
        m_isStarting = false;
        if (error) {
            setActiveOutputURL({});
            setStatusMessage(QStringLiteral("錄製失敗：") + *error);
        }
    };
    if (m_mode == RecordingMode::audioOnly)
        startAudioRecording(url, std::move(done));
    else
        startMovieRecording(url, std::move(done));
}

void RecordingEngine::startMovieRecording(const QUrl &url, Completion completion)
{
    requestPermission(true, [this, url, completion](const std::optional<QString> &cameraError) {
        if (cameraError) {
            completion(cameraError);
            return;
        }
        requestPermission(false, [this, url, completion](const std::optional<QString> &microphoneError) {
            if (microphoneError) {
                completion(microphoneError);
                return;
            }
            if (std::optional<QString> error = configureCaptureSession(true)) {
                completion(error);
                return;
            }
            startCaptureSessionIfNeeded();
            startElapsedTimer();
            setIsRecording(true);
            setIsStopping(false);
            setStatusMessage(QStringLiteral("錄影中"));
            completion(std::nullopt);
            m_backend->startMovieRecording(url.toLocalFile());
        });
    });
}

void RecordingEngine::startAudioRecording(const QUrl &url, Completion completion)
{
    requestPermission(false, [this, url, completion](const std::optional<QString> &permissionError) {
        if (permissionError) {
            completion(permissionError);
            return;
        }
        if (std::optional<QString> error = m_backend->startAudioRecording(url.toLocalFile())) {
            completion(error);
            return;
        }
        m_hasAudioRecorder = true;
        startElapsedTimer();
        setIsRecording(true);
        setIsStopping(false);
        setStatusMessage(QStringLiteral("錄音中"));
        completion(std::nullopt);
    });
}

void RecordingEngine::startElapsedTimer()
{
    m_recordingStartDate = std::chrono::steady_clock::now();
    setElapsedTime(0);
    stopElapsedTimer();
    m_elapsedTimer = new QTimer(this);
    m_elapsedTimer->setInterval(elapsedTimerIntervalMs);
    connect(m_elapsedTimer, &QTimer::timeout, this, [this] {
        if (m_recordingStartDate) {
            const std::chrono::duration<double> since = std::chrono::steady_clock::now() - *m_recordingStartDate;
            setElapsedTime(since.count());
        }
    });
    m_elapsedTimer->start();
}

void RecordingEngine::stopElapsedTimer()
{
    delete m_elapsedTimer;
    m_elapsedTimer = nullptr;
}

void RecordingEngine::stopRecording()
{
    if (!m_isRecording || m_isStopping)
        return;
    setIsStopping(true);
    setStatusMessage(QStringLiteral("正在收尾..."));
    // Stop what was started, even if the mode was switched meanwhile: otherwise it would never end.
    if (m_recordingMode == RecordingMode::audioOnly) {
        if (m_hasAudioRecorder)
            m_backend->stopAudioRecording();
    } else {
        m_backend->stopMovieRecording();
    }
}

void RecordingEngine::finishMovieRecording(const QString &outputPath, const std::optional<QString> &error)
{
    stopElapsedTimer();
    setIsStopping(false);
    setIsRecording(false);
    m_recordingStartDate.reset();
    setActiveOutputURL({});
    if (error) {
        setStatusMessage(QStringLiteral("錄影失敗：") + *error);
        return;
    }
    const QUrl output = QUrl::fromLocalFile(outputPath);
    setLastOutputURL(output);
    setStatusMessage(QStringLiteral("已輸出 ") + QFileInfo(outputPath).fileName());
}

void RecordingEngine::finishAudioRecording(bool successfully)
{
    stopElapsedTimer();
    setIsStopping(false);
    setIsRecording(false);
    m_recordingStartDate.reset();
    m_hasAudioRecorder = false;
    if (successfully && !m_activeOutputURL.isEmpty()) {
        const QUrl output = m_activeOutputURL;
        setLastOutputURL(output);
        setActiveOutputURL({});
        setStatusMessage(QStringLiteral("已輸出 ") + QFileInfo(output.toLocalFile()).fileName());
        return;
    }
    setActiveOutputURL({});
    setStatusMessage(QStringLiteral("錄音失敗"));
}

void RecordingEngine::audioEncodingFailed(const std::optional<QString> &error)
{
    finishAudioRecording(false);
    if (error)
        setStatusMessage(QStringLiteral("錄音失敗：") + *error);
}

// Output folder

void RecordingEngine::chooseOutputDirectory()
{
    if (!m_desktop)
        return;
    const std::optional<QUrl> chosen = m_desktop->chooseFolder(
        QStringLiteral("選擇錄影輸出資料夾"), QStringLiteral("使用此資料夾"), m_outputDirectory);
    if (!chosen || chosen->isEmpty())
        return;
    setOutputDirectory(*chosen);
    setStatusMessage(QStringLiteral("輸出資料夾已更新"));
}

void RecordingEngine::revealLastOutput()
{
    if (!m_lastOutputURL.isEmpty() && m_desktop)
        m_desktop->revealFile(m_lastOutputURL);
}

QString RecordingEngine::formatDuration(double seconds)
{
    std::int64_t total = 0;
    if (seconds > 0) // also false for NaN
        total = seconds >= static_cast<double>(std::numeric_limits<std::int64_t>::max())
            ? std::numeric_limits<std::int64_t>::max()
            : static_cast<std::int64_t>(std::floor(seconds));
    return QString::asprintf("%02lld:%02lld", static_cast<long long>(total / 60), static_cast<long long>(total % 60));
}

} // namespace lumetra
