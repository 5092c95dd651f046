#pragma once

#include "AudioSource.h"
#include "SpeechRecognizer.h"
#include "VoiceSyncEngine.h"

#include <QPointer>
#include <QTimer>

#include <memory>

namespace lumetra {

class PermissionService;

// Follows the presenter's voice with an offline recogniser fed from the microphone. Each
// recognition run ends at a final result or an error; while listening is wanted, a new run starts
// 0.25 s after each end.
class OfflineSpeechVoiceSyncEngine final : public VoiceSyncEngine {
    Q_OBJECT
public:
    static constexpr int restartDelayMilliseconds = 250;

    // Takes `audioSource` as a child.
    OfflineSpeechVoiceSyncEngine(PermissionService *permissions, std::unique_ptr<SpeechRecognizer> recognizer,
        AudioSource *audioSource, QObject *parent = nullptr);
    // The real parts: the model SpeechModelLocator finds for the script, and the default microphone.
    static OfflineSpeechVoiceSyncEngine *create(PermissionService *permissions, QObject *parent = nullptr);
    ~OfflineSpeechVoiceSyncEngine() override;

    // "離線語音辨識" and the language of the model in use.
    QString name() const override;
    void start(StartCompletion completion) override;
    void stop() override;
    VoiceSyncUpdateStream *updates() override;
    void setScriptText(const QString &text) override { m_scriptText = text; }

    bool shouldKeepRunning() const { return m_shouldKeepRunning; }
    bool isRestartPending() const { return m_restartTimer.isActive(); }

private:
    void requestPermissions(std::function<void(std::optional<VoiceSyncError>)> done);
    std::optional<VoiceSyncError> startAudioPipeline();
    void stopAudioPipeline();
    void restartAudioPipelineIfNeeded();
    void restartNow();
    void handleResult(std::optional<VoiceSyncUpdate> update, bool finished);
    void yield(const VoiceSyncUpdate &update);

    PermissionService *m_permissions;
    std::unique_ptr<SpeechRecognizer> m_recognizer;
    AudioSource *m_audioSource; // a child
    std::shared_ptr<RecognitionRun> m_recognitionRequest;
    QPointer<VoiceSyncUpdateStream> m_continuation;
    bool m_shouldKeepRunning = false;
    // Bumped by stop(), so a start still waiting for permissions does not begin listening.
    quint64 m_startGeneration = 0;
    QString m_scriptText;
    QTimer m_restartTimer;
};

} // namespace lumetra
