#include "GStreamerBusWatch.h"

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
}

GstBusSyncReply GStreamerBusWatch::onMessage(GstBus *, GstMessage *, gpointer self)
{
    // Streaming thread: only wake the main thread; the message stays queued on the bus.
    auto *watch = static_cast<GStreamerBusWatch *>(self);
    if (!watch->m_drainPending.exchange(true))
        QMetaObject::invokeMethod(watch, &GStreamerBusWatch::drain, Qt::QueuedConnection);
    return GST_BUS_PASS;
}

void GStreamerBusWatch::drain()
{
    m_drainPending = false;
    while (GstMessage *message = gst_bus_pop(m_bus)) {
        if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_LATENCY)
            gst_bin_recalculate_latency(GST_BIN(m_pipeline));
        else
            m_handler(message);
        gst_message_unref(message);
    }
}

} // namespace lumetra
