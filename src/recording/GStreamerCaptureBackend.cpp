#include "GStreamerCaptureBackend.h"

#include "GStreamerCaptureSession.h"
#include "GStreamerFileRecorder.h"
#include "GStreamerSupport.h"
#include "RecordingError.h"

#include <QTimer>

namespace lumetra {
namespace {

// A stable text for an attached camera: its device path where the provider tells one.
QString stableIdentifier(GstDevice *device)
{
    if (GstStructure *properties = gst_device_get_properties(device)) {
        QString identifier;
        for (const char *key : { "device.path", "api.v4l2.path", "object.path" }) {
            if (const gchar *value = gst_structure_get_string(properties, key)) {
                identifier = QString::fromUtf8(value);
                break;
            }
        }
        gst_structure_free(properties);
        if (!identifier.isEmpty())
            return identifier;
    }
    gchar *name = gst_device_get_display_name(device);
    const QString identifier = QString::fromUtf8(name);
    g_free(name);
    return identifier;
}

// The devices of one class the device monitor lists now, in its order.
QList<std::shared_ptr<GstDevice>> listDevices(const char *deviceClass)
{
    gstreamer::ensureInitialized();
    QList<std::shared_ptr<GstDevice>> devices;
    const gstreamer::ObjectPtr<GstDeviceMonitor> monitor { gst_device_monitor_new() };
    gst_device_monitor_add_filter(monitor.get(), deviceClass, nullptr);
    const bool started = gst_device_monitor_start(monitor.get());
    GList *found = gst_device_monitor_get_devices(monitor.get());
    for (GList *item = found; item; item = item->next)
        devices << std::shared_ptr<GstDevice>(
            GST_DEVICE(item->data), [](GstDevice *device) { gst_object_unref(device); });
    g_list_free(found);
    if (started)
        gst_device_monitor_stop(monitor.get());
    return devices;
}

bool hasElement(const char *name)
{
    gstreamer::ensureInitialized();
    return gstreamer::ObjectPtr<GstElementFactory> { gst_element_factory_find(name) } != nullptr;
}

int videoBitrateKbps(const CameraFormat &format)
{
    const qint64 pixels = qint64(format.width) * format.height;
    if (pixels >= 1920 * 1080)
        return 8000;
    if (pixels >= 1280 * 720)
        return 5000;
    return 2500;
}

const QString audioChain = QStringLiteral(
    "queue max-size-buffers=0 max-size-bytes=0 max-size-time=3000000000 ! audioconvert ! audioresample "
    "! audio/x-raw,rate=48000,channels=1 ! %1 name=audioencoder bitrate=128000 ! aacparse");

} // namespace

GStreamerCaptureBackend::GStreamerCaptureBackend()
    : GStreamerCaptureBackend(Options {})
{
}

// GStreamer starts up on first use (discovery, a camera source, a recorder), not here: the
// backend is made while the program starts.
GStreamerCaptureBackend::GStreamerCaptureBackend(Options options)
    : m_options(std::move(options))
{
}

GStreamerCaptureBackend::~GStreamerCaptureBackend()
{
    // The session's streaming thread feeds the movie; stop it before the recorders go. A recording
    // still running gets its end written, so the file stays playable.
    m_session.reset();
    for (GStreamerFileRecorder *recorder : { m_movieRecorder.data(), m_audioRecorder.data() }) {
        if (recorder)
            recorder->finishNow(m_options.finishTimeout);
        delete recorder;
    }
}

// Cameras

QList<CameraDevice> GStreamerCaptureBackend::discoverCameras()
{
    gstreamer::ensureInitialized();
    m_cameras.clear();
    if (m_options.cameras) {
        for (const SyntheticCamera &camera : std::as_const(*m_options.cameras))
            m_cameras << CameraEntry { camera.device, camera.sourceDescription, {} };
    } else {
        for (const std::shared_ptr<GstDevice> &device : listDevices("Video/Source")) {
            gchar *name = gst_device_get_display_name(device.get());
            m_cameras << CameraEntry { { stableIdentifier(device.get()), QString::fromUtf8(name) }, {}, device };
            g_free(name);
        }
    }
    QList<CameraDevice> devices;
    for (const CameraEntry &entry : std::as_const(m_cameras))
        devices << entry.device;
    return devices;
}

std::optional<CameraDevice> GStreamerCaptureBackend::defaultCamera()
{
    // The system's default camera is the first one the monitor lists.
    if (m_cameras.isEmpty())
        return std::nullopt;
    return m_cameras.first().device;
}

std::optional<CameraDevice> GStreamerCaptureBackend::cameraWithID(const QString &uniqueID)
{
    if (const std::optional<CameraEntry> entry = entryFor(uniqueID))
        return entry->device;
    return std::nullopt;
}

std::optional<GStreamerCaptureBackend::CameraEntry> GStreamerCaptureBackend::entryFor(const QString &uniqueID) const
{
    for (const CameraEntry &entry : m_cameras) {
        if (entry.device.uniqueID == uniqueID)
            return entry;
    }
    return std::nullopt;
}

GstElement *GStreamerCaptureBackend::createSource(const CameraEntry &camera, QString &error) const
{
    gstreamer::ensureInitialized();
    if (camera.systemDevice) {
        GstElement *source = gst_device_create_element(camera.systemDevice.get(), nullptr);
        if (!source)
            error = QStringLiteral("無法開啟相機「%1」").arg(camera.device.localizedName);
        return source;
    }
    GError *rawError = nullptr;
    GstElement *source = gst_parse_bin_from_description(camera.sourceDescription.toUtf8().constData(), TRUE, &rawError);
    const gstreamer::ErrorPtr parseError(rawError);
    if (parseError || !source) {
        error = parseError ? QString::fromUtf8(parseError->message) : QStringLiteral("無法開啟相機");
        if (source)
            gst_object_unref(source);
        return nullptr;
    }
    return source;
}

// Session configuration

void GStreamerCaptureBackend::beginConfiguration()
{
    ++m_configurationDepth;
}

void GStreamerCaptureBackend::commitConfiguration()
{
    if (m_configurationDepth > 0)
        --m_configurationDepth;
    if (m_configurationDepth > 0 || !m_sessionChanged)
        return;
    m_sessionChanged = false;
    const bool wasRunning = isRunning();
    m_session.reset();
    if (wasRunning && m_cameraInput) {
        rebuildSession();
        if (m_session)
            m_session->start();
    }
}

std::optional<QString> GStreamerCaptureBackend::addCameraInput(const CameraDevice &camera)
{
    const std::optional<CameraEntry> entry = entryFor(camera.uniqueID);
    if (!entry)
        return QStringLiteral("找不到相機「%1」").arg(camera.localizedName);
    gstreamer::CapsPtr offered;
    if (entry->systemDevice) {
        offered.reset(gst_device_get_caps(entry->systemDevice.get()));
    } else {
        QString error;
        GstElement *source = createSource(*entry, error);
        if (!source)
            return error;
        gst_object_ref_sink(source);
        if (const gstreamer::ObjectPtr<GstPad> pad { gst_element_get_static_pad(source, "src") })
            offered.reset(gst_pad_query_caps(pad.get(), nullptr));
        gst_object_unref(source);
    }
    const std::optional<CameraFormat> format = CameraFormat::choose(offered.get());
    if (!format)
        return recordingErrorDescription(RecordingError::cannotAddCameraInput);
    m_cameraInput = CameraInput { *entry, *format };
    m_sessionChanged = true;
    return std::nullopt;
}

void GStreamerCaptureBackend::removeCameraInput()
{
    m_cameraInput.reset();
    m_sessionChanged = true;
}

std::optional<QString> GStreamerCaptureBackend::addMicrophoneInput()
{
    if (m_options.microphoneDescription == Options {}.microphoneDescription && listDevices("Audio/Source").isEmpty())
        return recordingErrorDescription(RecordingError::microphoneUnavailable);
    if (gstreamer::aacEncoderName().isEmpty())
        return recordingErrorDescription(RecordingError::cannotAddMicrophoneInput);
    return std::nullopt;
}

bool GStreamerCaptureBackend::addMovieOutput()
{
    m_hasMovieOutput = hasElement("x264enc") && hasElement("h264parse") && hasElement("qtmux");
    return m_hasMovieOutput;
}

// Running

void GStreamerCaptureBackend::rebuildSession()
{
    m_session.reset();
    QString error;
    GstElement *source = createSource(m_cameraInput->camera, error);
    if (!source)
        return;
    m_session = std::make_unique<GStreamerCaptureSession>(source, m_cameraInput->format);
    connect(m_session.get(), &GStreamerCaptureSession::previewFrameReady, this, &CaptureBackend::previewFrameReady);
    connect(m_session.get(), &GStreamerCaptureSession::failed, this, &GStreamerCaptureBackend::sessionFailed);
}

bool GStreamerCaptureBackend::startRunning()
{
    if (!m_cameraInput)
        return false;
    if (!m_session)
        rebuildSession();
    return m_session && m_session->start();
}

bool GStreamerCaptureBackend::isRunning() const
{
    return m_session && m_session->isRunning();
}

void GStreamerCaptureBackend::sessionFailed(const QString &reason)
{
    // The movie keeps what it has: its streams are ended so the file is complete up to here.
    if (m_movieRecorder) {
        m_session->setRecordingTarget(nullptr, nullptr);
        m_movieRecorder->stop(m_options.finishTimeout, QStringLiteral("相機中斷：") + reason);
    }
}

// Recordings

GStreamerFileRecorder *GStreamerCaptureBackend::makeRecorder(
    const QString &description, const QString &path, QString &error)
{
    auto *recorder = new GStreamerFileRecorder(this);
    if (const std::optional<QString> prepareError = recorder->prepare(description, path)) {
        error = *prepareError;
        delete recorder;
        return nullptr;
    }
    if (!recorder->start()) {
        error.clear();
        delete recorder;
        return nullptr;
    }
    connect(recorder, &GStreamerFileRecorder::firstEncodedBuffer, this, &GStreamerCaptureBackend::firstEncodedBuffer);
    return recorder;
}

QString GStreamerCaptureBackend::movieDescription() const
{
    // A slow encoder drops camera frames rather than piling them up in memory.
    return QStringLiteral("appsrc name=video is-live=true format=time max-bytes=0 max-buffers=30 leaky-type=downstream "
                          "! queue max-size-buffers=0 max-size-bytes=0 max-size-time=3000000000 "
                          "! x264enc name=videoencoder tune=zerolatency speed-preset=ultrafast key-int-max=60 "
                          "bitrate=%1 ! h264parse ! queue ! mux. "
                          "%2 ! %3 ! queue ! mux. "
                          "qtmux name=mux ! filesink name=file")
        .arg(videoBitrateKbps(m_cameraInput->format))
        .arg(m_options.microphoneDescription, audioChain.arg(gstreamer::aacEncoderName()));
}

QString GStreamerCaptureBackend::audioDescription() const
{
    return QStringLiteral("%1 ! %2 ! mp4mux name=mux ! filesink name=file")
        .arg(m_options.microphoneDescription, audioChain.arg(gstreamer::aacEncoderName()));
}

void GStreamerCaptureBackend::startMovieRecording(const QString &path)
{
    QString error = QStringLiteral("相機未在運作");
    GStreamerFileRecorder *recorder = nullptr;
    if (isRunning() && m_cameraInput && !m_movieRecorder) {
        recorder = makeRecorder(movieDescription(), path, error);
        if (!recorder && error.isEmpty())
            error = QStringLiteral("無法開始錄影");
    }
    if (!recorder) {
        // Reported like any other end of a recording: later, never inside this call.
        QTimer::singleShot(0, this, [this, path, error] { emit movieRecordingFinished(path, error); });
        return;
    }
    m_movieRecorder = recorder;
    connect(recorder, &GStreamerFileRecorder::finished, this,
        [this, recorder, path](
            const std::optional<QString> &finishError) { movieFinished(recorder, path, finishError); });
    const gstreamer::ObjectPtr<GstElement> videoSource { recorder->element("video") };
    m_session->setRecordingTarget(videoSource.get(), recorder->pipeline());
}

void GStreamerCaptureBackend::stopMovieRecording()
{
    if (!m_movieRecorder)
        return;
    if (m_session)
        m_session->setRecordingTarget(nullptr, nullptr);
    m_movieRecorder->stop(m_options.finishTimeout);
}

void GStreamerCaptureBackend::movieFinished(
    GStreamerFileRecorder *recorder, const QString &path, const std::optional<QString> &error)
{
    if (m_session && m_movieRecorder == recorder)
        m_session->setRecordingTarget(nullptr, nullptr);
    if (m_movieRecorder == recorder)
        m_movieRecorder = nullptr;
    recorder->deleteLater();
    emit movieRecordingFinished(path, error);
}

std::optional<QString> GStreamerCaptureBackend::startAudioRecording(const QString &path)
{
    if (m_audioRecorder || gstreamer::aacEncoderName().isEmpty())
        return recordingErrorDescription(RecordingError::audioRecorderUnavailable);
    QString error;
    GStreamerFileRecorder *recorder = makeRecorder(audioDescription(), path, error);
    if (!recorder)
        return error.isEmpty() ? recordingErrorDescription(RecordingError::audioRecorderUnavailable) : error;
    m_audioRecorder = recorder;
    connect(recorder, &GStreamerFileRecorder::finished, this,
        [this, recorder](const std::optional<QString> &error) { audioFinished(recorder, error); });
    return std::nullopt;
}

void GStreamerCaptureBackend::stopAudioRecording()
{
    if (m_audioRecorder)
        m_audioRecorder->stop(m_options.finishTimeout);
}

void GStreamerCaptureBackend::audioFinished(GStreamerFileRecorder *recorder, const std::optional<QString> &error)
{
    if (m_audioRecorder == recorder)
        m_audioRecorder = nullptr;
    recorder->deleteLater();
    if (error)
        emit audioEncodingFailed(error);
    else
        emit audioRecordingFinished(true);
}

} // namespace lumetra
