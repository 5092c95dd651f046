#include "GStreamerBusWatch.h"

#include <QDeadlineTimer>

namespace lumetra {

GStreamerBusWatch::GStreamerBusWatch(GstElement *pipeline, std::function<void(GstMessage *)> handler, QObject *parent)
    : QObject(parent)
    , m_pipeline(pipeline)
    , m_bus(gst_element_get_bus(pipeline))
    , m_handler(std::move(handler))
{
    gst_bus_set_sync_handler(m_bus, &GStreamerBusWatch::onMessage, this, nullptr);
}

GStreamerBusWatch::~GStreamerBusWatch()
{
    gst_bus_set_sync_handler(m_bus, nullptr, nullptr, nullptr);
    gst_object_unref(m_bus);
    for (GstMessage *message : m_messages)
        gst_message_unref(message);
}

GstBusSyncReply GStreamerBusWatch::onMessage(GstBus *, GstMessage *message, gpointer self)
{
    // Any thread: the message is queued here, not on the bus, so that one that arrives while the main
    // thread drains always finds either that drain or a new one to take it.
    auto *watch = static_cast<GStreamerBusWatch *>(self);
    const QMutexLocker lock(&watch->m_mutex);
    watch->m_messages.push_back(gst_message_ref(message));
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS || GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
        watch->m_endOrErrorArrived = true;
        watch->m_arrival.wakeAll();
    }
    if (!watch->m_drainPending) {
        watch->m_drainPending = true;
        QMetaObject::invokeMethod(watch, &GStreamerBusWatch::drain, Qt::QueuedConnection);
    }
    return GST_BUS_DROP;
}

bool GStreamerBusWatch::waitForEndOrError(std::chrono::milliseconds timeout)
{
    const QDeadlineTimer deadline(timeout);
    const QMutexLocker lock(&m_mutex);
    while (!m_endOrErrorArrived) {
        if (!m_arrival.wait(&m_mutex, deadline))
            break;
    }
    return m_endOrErrorArrived;
}

void GStreamerBusWatch::drain()
{
    std::deque<GstMessage *> messages;
    {
        const QMutexLocker lock(&m_mutex);
        messages.swap(m_messages);
        m_drainPending = false;
    }
    for (GstMessage *message : messages) {
        if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_LATENCY)
            gst_bin_recalculate_latency(GST_BIN(m_pipeline));
        else
            m_handler(message);
        gst_message_unref(message);
    }
}

} // namespace lumetra
