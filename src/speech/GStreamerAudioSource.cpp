#include "GStreamerAudioSource.h"

#include <QCoreApplication>
#include <QPointer>

#include <gst/app/gstappsink.h>
#include <gst/gst.h>

#include <mutex>
#include <vector>

namespace lumetra {

struct GStreamerAudioSource::Capture {
    GstElement *pipeline = nullptr;
    std::mutex tapMutex;
    Tap tap; // empty while stopped: buffers are then dropped
    // Samples waiting to fill the next buffer; touched only on the streaming thread.
    std::vector<std::int16_t> pending;

    void setTap(Tap newTap)
    {
        std::lock_guard lock(tapMutex);
        tap = std::move(newTap);
    }

    ~Capture()
    {
        if (pipeline) {
            // Going to NULL joins the streaming thread, so the tap is never called after this.
            gst_element_set_state(pipeline, GST_STATE_NULL);
            GstBus *bus = gst_element_get_bus(pipeline);
            gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
            gst_object_unref(bus);
            gst_object_unref(pipeline);
        }
    }
};

namespace {

GstFlowReturn takeSample(GstAppSink *sink, gpointer data)
{
    auto *capture = static_cast<GStreamerAudioSource::Capture *>(data);
    GstSample *sample = gst_app_sink_pull_sample(sink);
    if (!sample)
        return GST_FLOW_EOS;
    std::lock_guard lock(capture->tapMutex);
    if (!capture->tap) {
        capture->pending.clear();
        gst_sample_unref(sample);
        return GST_FLOW_OK;
    }
    GstMapInfo map;
    GstBuffer *buffer = gst_sample_get_buffer(sample);
    if (buffer && gst_buffer_map(buffer, &map, GST_MAP_READ)) {
        const auto *samples = reinterpret_cast<const std::int16_t *>(map.data);
        capture->pending.insert(capture->pending.end(), samples, samples + map.size / sizeof(std::int16_t));
        gst_buffer_unmap(buffer, &map);
    }
    gst_sample_unref(sample);
    std::size_t used = 0;
    for (; capture->pending.size() - used >= AudioSource::framesPerBuffer; used += AudioSource::framesPerBuffer)
        capture->tap(std::span(capture->pending.data() + used, AudioSource::framesPerBuffer));
    capture->pending.erase(capture->pending.begin(), capture->pending.begin() + std::ptrdiff_t(used));
    return GST_FLOW_OK;
}

// The error a failed capture start reports, if the pipeline said why.
QString takeErrorText(GstElement *pipeline, bool *isMissingInput)
{
    GstBus *bus = gst_element_get_bus(pipeline);
    GstMessage *message = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR);
    gst_object_unref(bus);
    if (!message)
        return {};
    GError *error = nullptr;
    gst_message_parse_error(message, &error, nullptr);
    const QString text = QString::fromUtf8(error->message);
    *isMissingInput = error->domain == GST_RESOURCE_ERROR;
    g_error_free(error);
    gst_message_unref(message);
    return text;
}

GstElement *makeMicrophoneSource()
{
    if (GstElement *pulse = gst_element_factory_make("pulsesrc", "microphone")) {
        // Fragments of 50 ms: the server delivers within tens of milliseconds instead of in blocks
        // as long as its own latency, without waking the capture a hundred times a second (10 ms
        // fragments cost twice the capture thread's CPU). The buffer holds four of them, room for
        // the capture thread being held up on a busy machine.
        g_object_set(pulse, "buffer-time", gint64(200000), "latency-time", gint64(50000), nullptr);
        return pulse;
    }
    return gst_element_factory_make("autoaudiosrc", "microphone");
}

} // namespace

GStreamerAudioSource::GStreamerAudioSource(QObject *parent)
    : AudioSource(parent)
{
}

GStreamerAudioSource::~GStreamerAudioSource() = default;

std::optional<VoiceSyncError> GStreamerAudioSource::start(Tap tap)
{
    if (m_capture) {
        m_capture->setTap(std::move(tap));
        m_delivering = true;
        return std::nullopt;
    }
    if (!gst_init_check(nullptr, nullptr, nullptr))
        return VoiceSyncError::audioInputUnavailable();

    GstElement *source = makeMicrophoneSource();
    GstElement *convert = gst_element_factory_make("audioconvert", nullptr);
    GstElement *resample = gst_element_factory_make("audioresample", nullptr);
    GstElement *sink = gst_element_factory_make("appsink", nullptr);
    auto capture = std::make_unique<Capture>();
    capture->tap = std::move(tap);
    capture->pipeline = gst_pipeline_new("lumetra-speech-microphone");
    if (!source || !convert || !resample || !sink) {
        for (GstElement *element : { source, convert, resample, sink }) {
            if (element)
                gst_object_unref(element);
        }
        return VoiceSyncError::audioInputUnavailable();
    }
    gst_bin_add_many(GST_BIN(capture->pipeline), source, convert, resample, sink, nullptr);
    GstCaps *caps = gst_caps_new_simple("audio/x-raw", "format", G_TYPE_STRING, "S16LE", "rate", G_TYPE_INT, sampleRate,
        "channels", G_TYPE_INT, 1, "layout", G_TYPE_STRING, "interleaved", nullptr);
    gst_app_sink_set_caps(GST_APP_SINK(sink), caps);
    gst_caps_unref(caps);
    g_object_set(sink, "sync", FALSE, nullptr);
    GstAppSinkCallbacks callbacks {};
    callbacks.new_sample = takeSample;
    gst_app_sink_set_callbacks(GST_APP_SINK(sink), &callbacks, capture.get(), nullptr);
    if (!gst_element_link_many(source, convert, resample, sink, nullptr))
        return VoiceSyncError::audioInputUnavailable();

    // Errors while capturing come on a streaming thread; hand them to the main thread.
    struct Report {
        QPointer<GStreamerAudioSource> source;
        quint64 generation;
    };
    GstBus *bus = gst_element_get_bus(capture->pipeline);
    gst_bus_set_sync_handler(
        bus,
        [](GstBus *, GstMessage *message, gpointer data) {
            if (GST_MESSAGE_TYPE(message) != GST_MESSAGE_ERROR)
                return GST_BUS_PASS;
            const Report report = *static_cast<Report *>(data);
            GError *error = nullptr;
            gst_message_parse_error(message, &error, nullptr);
            const QString text = QString::fromUtf8(error->message);
            g_error_free(error);
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [report, text] {
                    if (report.source && report.source->m_generation == report.generation && report.source->m_capture) {
                        report.source->release();
                        emit report.source->failed(text);
                    }
                },
                Qt::QueuedConnection);
            return GST_BUS_PASS;
        },
        new Report { this, m_generation + 1 }, [](gpointer data) { delete static_cast<Report *>(data); });
    gst_object_unref(bus);

    ++m_generation;
    const GstStateChangeReturn change = gst_element_set_state(capture->pipeline, GST_STATE_PLAYING);
    GstState state = GST_STATE_NULL;
    if (change == GST_STATE_CHANGE_FAILURE
        || gst_element_get_state(capture->pipeline, &state, nullptr, 5 * GST_SECOND) == GST_STATE_CHANGE_FAILURE) {
        bool isMissingInput = true;
        const QString text = takeErrorText(capture->pipeline, &isMissingInput);
        if (isMissingInput || text.isEmpty())
            return VoiceSyncError::audioInputUnavailable();
        return VoiceSyncError::platform(text);
    }
    m_capture = std::move(capture);
    m_delivering = true;
    return std::nullopt;
}

void GStreamerAudioSource::stop()
{
    if (m_capture)
        m_capture->setTap({});
    m_delivering = false;
}

void GStreamerAudioSource::release()
{
    m_capture.reset();
    m_delivering = false;
}

bool GStreamerAudioSource::isRunning() const
{
    return m_delivering;
}

} // namespace lumetra
