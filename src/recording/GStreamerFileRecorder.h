#pragma once

#include <gst/gst.h>

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <memory>
#include <optional>

namespace lumetra {

class GStreamerBusWatch;

// One pipeline that writes one media file: its file sink is named "file", its encoders
// "videoencoder" and "audioencoder". The file is complete only when the end of stream has passed
// through the muxer; `finished` says so, once, on the main thread.
class GStreamerFileRecorder final : public QObject {
    Q_OBJECT
public:
    explicit GStreamerFileRecorder(QObject *parent = nullptr);
    ~GStreamerFileRecorder() override;

    // Builds the pipeline writing to `path`; the parser's error text on failure.
    std::optional<QString> prepare(const QString &description, const QString &path);
    // Starts writing; false when the pipeline refuses to play.
    bool start();
    // An element by name (a new reference); null when there is none.
    GstElement *element(const char *name) const;
    // The pipeline itself (not a new reference).
    GstElement *pipeline() const { return m_pipeline; }

    // Ends every source so the muxer can write the file's end. Without the end within `timeout` the
    // recording is reported as failed. `failure`, when given, is reported instead of success.
    void stop(std::chrono::milliseconds timeout, const std::optional<QString> &failure = std::nullopt);
    // Ends the file now, waiting at most `timeout` for its end to be written, without reporting; for
    // shutting down, when no event loop will run to hear the end.
    void finishNow(std::chrono::milliseconds timeout);

signals:
    void finished(const std::optional<QString> &error);
    void firstEncodedBuffer(bool video);

private:
    void handleMessage(GstMessage *message);
    void finish(const std::optional<QString> &error);
    void watchFirstBuffer(const char *encoderName, bool video);
    void tearDown();
    void endEveryStream();

    GstElement *m_pipeline = nullptr;
    std::unique_ptr<GStreamerBusWatch> m_busWatch;
    QTimer m_stopDeadline;
    std::optional<QString> m_stopFailure;
    bool m_finished = false;
};

} // namespace lumetra
