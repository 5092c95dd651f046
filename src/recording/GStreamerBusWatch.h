#pragma once

#include <gst/gst.h>

#include <QObject>

#include <QMutex>
#include <QWaitCondition>

#include <chrono>
#include <deque>
#include <functional>

namespace lumetra {

// Hands every message of a pipeline's bus to `handler` on the main thread. Latency changes are
// handled here. Destroy it only after the pipeline has been set to NULL.
class GStreamerBusWatch final : public QObject {
    Q_OBJECT
public:
    GStreamerBusWatch(GstElement *pipeline, std::function<void(GstMessage *)> handler, QObject *parent = nullptr);
    ~GStreamerBusWatch() override;

    // Blocks until an end of stream or an error has arrived (handled or not), at most `timeout`;
    // whether one did. For shutting down, when the main thread cannot wait for the handler.
    bool waitForEndOrError(std::chrono::milliseconds timeout);

private:
    static GstBusSyncReply onMessage(GstBus *bus, GstMessage *message, gpointer self);
    void drain();

    GstElement *m_pipeline;
    GstBus *m_bus;
    std::function<void(GstMessage *)> m_handler;
    QMutex m_mutex; // guards the two below, shared with streaming threads
    std::deque<GstMessage *> m_messages;
    bool m_drainPending = false;
    bool m_endOrErrorArrived = false;
    QWaitCondition m_arrival;
};

} // namespace lumetra
