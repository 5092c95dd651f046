#include "GStreamerCaptureSession.h"

#include "GStreamerBusWatch.h"
#include "GStreamerSupport.h"

#include <gst/app/gstappsink.h>
#include <gst/app/gstappsrc.h>

#include <algorithm>
#include <gst/video/video.h>

namespace lumetra {
namespace {

constexpr int previewWidth = 640;

QString tailDescription(const CameraFormat &format)
{
    const int width = std::min(previewWidth, format.width) & ~1;
    const int height = std::max(2, int(qint64(width) * format.height / std::max(1, format.width)) & ~1);
    return QStringLiteral("capsfilter caps=\"%1\" ! %2 videoconvert ! video/x-raw,format=I420 ! tee name=split "
                          "split. ! queue leaky=downstream max-size-buffers=2 max-size-bytes=0 max-size-time=0 "
                          "! videoscale ! videoconvert "
                          "! video/x-raw,format=BGRx,width=%3,height=%4,pixel-aspect-ratio=1/1 "
                          "! appsink name=preview sync=false max-buffers=1 drop=true emit-signals=true "
                          "split. ! queue leaky=downstream max-size-buffers=2 max-size-bytes=0 max-size-time=0 "
                          "! appsink name=record sync=false max-buffers=2 drop=true emit-signals=true")
        .arg(format.capsText(), format.isJpeg ? QStringLiteral("jpegdec !") : QString())
        .arg(width)
        .arg(height);
}

} // namespace

GStreamerCaptureSession::GStreamerCaptureSession(GstElement *cameraSource, const CameraFormat &format, QObject *parent)
    : QObject(parent)
{
    gstreamer::ensureInitialized();
    m_pipeline = GST_ELEMENT(gst_object_ref_sink(gst_pipeline_new("capture")));
    GError *rawError = nullptr;
    GstElement *tail = gst_parse_bin_from_description(tailDescription(format).toUtf8().constData(), TRUE, &rawError);
    const gstreamer::ErrorPtr error(rawError);
    if (!tail || error) {
        m_buildError = error ? QString::fromUtf8(error->message) : QStringLiteral("無法建立相機管線");
        if (tail)
            gst_object_unref(tail);
        gst_object_unref(gst_object_ref_sink(cameraSource));
        return;
    }
    gst_bin_add_many(GST_BIN(m_pipeline), cameraSource, tail, nullptr);
    if (!gst_element_link(cameraSource, tail)) {
        m_buildError = QStringLiteral("相機不提供可用的畫面格式");
        return;
    }
    const gstreamer::ObjectPtr<GstElement> preview { gst_bin_get_by_name(GST_BIN(m_pipeline), "preview") };
    const gstreamer::ObjectPtr<GstElement> record { gst_bin_get_by_name(GST_BIN(m_pipeline), "record") };
    g_signal_connect(preview.get(), "new-sample", G_CALLBACK(&GStreamerCaptureSession::onPreviewSample), this);
    g_signal_connect(record.get(), "new-sample", G_CALLBACK(&GStreamerCaptureSession::onRecordSample), this);
    m_busWatch
        = std::make_unique<GStreamerBusWatch>(m_pipeline, [this](GstMessage *message) { handleMessage(message); });
}

GStreamerCaptureSession::~GStreamerCaptureSession()
{
    gst_element_set_state(m_pipeline, GST_STATE_NULL);
    m_busWatch.reset();
    gst_object_unref(m_pipeline);
    setRecordingTarget(nullptr, nullptr);
}

bool GStreamerCaptureSession::start()
{
    if (m_buildError)
        return false;
    m_isRunning = gst_element_set_state(m_pipeline, GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE;
    if (!m_isRunning)
        gst_element_set_state(m_pipeline, GST_STATE_NULL);
    return m_isRunning;
}

void GStreamerCaptureSession::setRecordingTarget(GstElement *appSource, GstElement *recordingPipeline)
{
    const QMutexLocker lock(&m_targetMutex);
    for (GstElement **held : { &m_targetSource, &m_targetPipeline }) {
        if (*held)
            gst_object_unref(*held);
        *held = nullptr;
    }
    if (m_targetCaps)
        gst_caps_unref(m_targetCaps);
    m_targetCaps = nullptr;
    m_lastFrameTime = 0;
    if (appSource && recordingPipeline) {
        m_targetSource = GST_ELEMENT(gst_object_ref(appSource));
        m_targetPipeline = GST_ELEMENT(gst_object_ref(recordingPipeline));
    }
}

GstFlowReturn GStreamerCaptureSession::onRecordSample(GstElement *sink, gpointer self)
{
    auto *session = static_cast<GStreamerCaptureSession *>(self);
    GstSample *sample = gst_app_sink_pull_sample(GST_APP_SINK(sink));
    if (!sample)
        return GST_FLOW_OK;
    {
        const QMutexLocker lock(&session->m_targetMutex);
        const GstClockTime now = session->m_targetPipeline
            ? gst_element_get_current_running_time(session->m_targetPipeline)
            : GST_CLOCK_TIME_NONE;
        if (session->m_targetSource && GST_CLOCK_TIME_IS_VALID(now)) {
            GstCaps *caps = gst_sample_get_caps(sample);
            if (caps && (!session->m_targetCaps || !gst_caps_is_equal(caps, session->m_targetCaps))) {
                gst_caps_replace(&session->m_targetCaps, caps);
                gst_app_src_set_caps(GST_APP_SRC(session->m_targetSource), caps);
            }
            // The frame's memory is shared, not copied; its time is when the movie received it.
            GstBuffer *frame = gst_buffer_copy(gst_sample_get_buffer(sample));
            // Strictly increasing and never zero: the encoder then maps every output frame back
            // to its time (a first frame at time zero once left the next one without a time,
            // and the muxer failed the movie).
            session->m_lastFrameTime = std::max(now, session->m_lastFrameTime + 1);
            GST_BUFFER_PTS(frame) = session->m_lastFrameTime;
            GST_BUFFER_DTS(frame) = GST_CLOCK_TIME_NONE;
            GST_BUFFER_DURATION(frame) = GST_CLOCK_TIME_NONE;
            gst_app_src_push_buffer(GST_APP_SRC(session->m_targetSource), frame);
        }
    }
    gst_sample_unref(sample);
    return GST_FLOW_OK;
}

GstFlowReturn GStreamerCaptureSession::onPreviewSample(GstElement *sink, gpointer self)
{
    auto *session = static_cast<GStreamerCaptureSession *>(self);
    GstSample *sample = gst_app_sink_pull_sample(GST_APP_SINK(sink));
    if (!sample)
        return GST_FLOW_OK;
    GstVideoInfo info;
    GstMapInfo map;
    GstBuffer *buffer = gst_sample_get_buffer(sample);
    if (gst_video_info_from_caps(&info, gst_sample_get_caps(sample)) && gst_buffer_map(buffer, &map, GST_MAP_READ)) {
        QImage frame = QImage(map.data, GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info),
            GST_VIDEO_INFO_PLANE_STRIDE(&info, 0), QImage::Format_RGB32)
                           .copy();
        gst_buffer_unmap(buffer, &map);
        {
            const QMutexLocker lock(&session->m_previewMutex);
            session->m_latestFrame = std::move(frame);
        }
        // One delivery in flight at most: a busy main thread gets the newest frame, not a backlog.
        if (!session->m_previewPending.exchange(true))
            QMetaObject::invokeMethod(session, &GStreamerCaptureSession::deliverPreviewFrame, Qt::QueuedConnection);
    }
    gst_sample_unref(sample);
    return GST_FLOW_OK;
}

void GStreamerCaptureSession::deliverPreviewFrame()
{
    QImage frame;
    {
        const QMutexLocker lock(&m_previewMutex);
        frame = std::exchange(m_latestFrame, QImage());
        m_previewPending = false;
    }
    if (!frame.isNull())
        emit previewFrameReady(frame);
}

void GStreamerCaptureSession::handleMessage(GstMessage *message)
{
    if (!m_isRunning)
        return;
    QString reason;
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR)
        reason = gstreamer::errorText(message);
    else if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS)
        reason = QStringLiteral("相機停止傳送畫面");
    else
        return;
    m_isRunning = false;
    gst_element_set_state(m_pipeline, GST_STATE_NULL);
    emit failed(reason);
}

} // namespace lumetra
