#include "GStreamerFileRecorder.h"

#include "GStreamerBusWatch.h"
#include "GStreamerSupport.h"

#include <gst/app/gstappsrc.h>

namespace lumetra {

GStreamerFileRecorder::GStreamerFileRecorder(QObject *parent)
    : QObject(parent)
{
    gstreamer::ensureInitialized();
    m_stopDeadline.setSingleShot(true);
    connect(&m_stopDeadline, &QTimer::timeout, this, [this] { finish(QStringLiteral("收尾逾時，檔案可能不完整")); });
}

GStreamerFileRecorder::~GStreamerFileRecorder()
{
    tearDown();
}

void GStreamerFileRecorder::tearDown()
{
    if (!m_pipeline)
        return;
    // NULL joins the streaming threads and closes the file; only then may the bus watch go.
    gst_element_set_state(m_pipeline, GST_STATE_NULL);
    m_busWatch.reset();
    gst_object_unref(m_pipeline);
    m_pipeline = nullptr;
}

std::optional<QString> GStreamerFileRecorder::prepare(const QString &description, const QString &path)
{
    GError *rawError = nullptr;
    GstElement *pipeline = gst_parse_launch(description.toUtf8().constData(), &rawError);
    const gstreamer::ErrorPtr error(rawError);
    if (!pipeline || error) {
        if (pipeline)
            gst_object_unref(pipeline);
        return error ? QString::fromUtf8(error->message) : QStringLiteral("無法建立錄製管線");
    }
    m_pipeline = GST_ELEMENT(gst_object_ref_sink(pipeline));
    const gstreamer::ObjectPtr<GstElement> file { element("file") };
    if (!file)
        return QStringLiteral("錄製管線沒有檔案輸出");
    g_object_set(file.get(), "location", path.toLocal8Bit().constData(), nullptr);
    m_busWatch
        = std::make_unique<GStreamerBusWatch>(m_pipeline, [this](GstMessage *message) { handleMessage(message); });
    watchFirstBuffer("videoencoder", true);
    watchFirstBuffer("audioencoder", false);
    return std::nullopt;
}

bool GStreamerFileRecorder::start()
{
    return m_pipeline && gst_element_set_state(m_pipeline, GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE;
}

GstElement *GStreamerFileRecorder::element(const char *name) const
{
    return m_pipeline ? gst_bin_get_by_name(GST_BIN(m_pipeline), name) : nullptr;
}

void GStreamerFileRecorder::watchFirstBuffer(const char *encoderName, bool video)
{
    const gstreamer::ObjectPtr<GstElement> encoder { element(encoderName) };
    if (!encoder)
        return;
    const gstreamer::ObjectPtr<GstPad> pad { gst_element_get_static_pad(encoder.get(), "src") };
    if (!pad)
        return;
    auto onBuffer = [](GstPad *, GstPadProbeInfo *, gpointer data) -> GstPadProbeReturn {
        auto *probe = static_cast<std::pair<GStreamerFileRecorder *, bool> *>(data);
        QMetaObject::invokeMethod(
            probe->first,
            [recorder = probe->first, video = probe->second] { emit recorder->firstEncodedBuffer(video); },
            Qt::QueuedConnection);
        return GST_PAD_PROBE_REMOVE;
    };
    gst_pad_add_probe(pad.get(), GST_PAD_PROBE_TYPE_BUFFER, onBuffer,
        new std::pair<GStreamerFileRecorder *, bool>(this, video),
        [](gpointer data) { delete static_cast<std::pair<GStreamerFileRecorder *, bool> *>(data); });
}

void GStreamerFileRecorder::stop(std::chrono::milliseconds timeout, const std::optional<QString> &failure)
{
    if (m_finished || m_stopDeadline.isActive())
        return;
    m_stopFailure = failure;
    m_stopDeadline.start(timeout);
    endEveryStream();
}

void GStreamerFileRecorder::finishNow(std::chrono::milliseconds timeout)
{
    if (m_finished || !m_pipeline)
        return;
    m_finished = true;
    m_stopDeadline.stop();
    endEveryStream();
    m_busWatch->waitForEndOrError(timeout);
    gst_element_set_state(m_pipeline, GST_STATE_NULL);
}

void GStreamerFileRecorder::endEveryStream()
{
    // Every source ends its stream; the file sink's end then ends the pipeline.
    GstIterator *sources = gst_bin_iterate_sources(GST_BIN(m_pipeline));
    GValue item = G_VALUE_INIT;
    while (gst_iterator_next(sources, &item) == GST_ITERATOR_OK) {
        auto *source = GST_ELEMENT(g_value_get_object(&item));
        if (GST_IS_APP_SRC(source))
            gst_app_src_end_of_stream(GST_APP_SRC(source));
        else
            gst_element_send_event(source, gst_event_new_eos());
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(sources);
}

void GStreamerFileRecorder::handleMessage(GstMessage *message)
{
    if (m_finished)
        return;
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS)
        finish(m_stopFailure);
    else if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR)
        finish(m_stopFailure ? m_stopFailure : gstreamer::errorText(message));
}

void GStreamerFileRecorder::finish(const std::optional<QString> &error)
{
    if (m_finished)
        return;
    m_finished = true;
    m_stopDeadline.stop();
    gst_element_set_state(m_pipeline, GST_STATE_NULL); // closes the file before anyone is told
    emit finished(error);
}

} // namespace lumetra
