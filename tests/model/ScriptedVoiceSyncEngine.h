#pragma once

#include "VoiceSyncEngine.h"

#include <QPointer>
#include <QStringList>

#include <optional>
#include <utility>

namespace lumetra::testing {

// A speech engine the test drives: start() waits until the test finishes it, updates are said by
// the test, and every call is written to a log the test owns.
class ScriptedVoiceSyncEngine final : public VoiceSyncEngine {
public:
    ScriptedVoiceSyncEngine(QStringList *log, QObject *parent)
        : VoiceSyncEngine(parent)
        , m_log(log)
    {
    }
    ~ScriptedVoiceSyncEngine() override { m_log->append(QStringLiteral("deleted")); }

    QString name() const override { return QStringLiteral("測試辨識"); }
    void start(StartCompletion completion) override
    {
        m_log->append(QStringLiteral("start"));
        m_pendingStart = std::move(completion);
    }
    void stop() override { m_log->append(QStringLiteral("stop")); }
    VoiceSyncUpdateStream *updates() override
    {
        m_stream = new VoiceSyncUpdateStream(this);
        return m_stream;
    }
    void setScriptText(const QString &text) override { scriptText = text; }

    // Answers the pending start, as the engine does once permissions and the pipeline are known.
    void finishStart(std::optional<VoiceSyncError> error = std::nullopt)
    {
        std::exchange(m_pendingStart, nullptr)(std::move(error));
    }
    void say(const QString &transcript, double confidence = VoiceSyncUpdate::partialConfidence)
    {
        m_stream->yield({ transcript, confidence, std::nullopt });
    }

    QString scriptText;

private:
    QStringList *m_log;
    StartCompletion m_pendingStart;
    QPointer<VoiceSyncUpdateStream> m_stream;
};

} // namespace lumetra::testing
