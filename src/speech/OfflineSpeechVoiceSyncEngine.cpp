#include "OfflineSpeechVoiceSyncEngine.h"

#include "GStreamerAudioSource.h"
#include "PermissionService.h"
#include "PocketSphinxRecognizer.h"
#include "SpeechModelLocator.h"

#include <QCoreApplication>

namespace lumetra {

OfflineSpeechVoiceSyncEngine::OfflineSpeechVoiceSyncEngine(PermissionService *permissions,
    std::unique_ptr<SpeechRecognizer> recognizer, AudioSource *audioSource, QObject *parent)
    : VoiceSyncEngine(parent)
    , m_permissions(permissions)
    , m_recognizer(std::move(recognizer))
    , m_audioSource(audioSource)
{
    m_audioSource->setParent(this);
    m_restartTimer.setSingleShot(true);
    m_restartTimer.setInterval(restartDelayMilliseconds);
    connect(&m_restartTimer, &QTimer::timeout, this, &OfflineSpeechVoiceSyncEngine::restartNow);
    // A microphone that fails mid-run ends the run like a recognition error does.
    connect(m_audioSource, &AudioSource::failed, this, [this] { handleResult(std::nullopt, true); });
}

OfflineSpeechVoiceSyncEngine *OfflineSpeechVoiceSyncEngine::create(PermissionService *permissions, QObject *parent)
{
    return new OfflineSpeechVoiceSyncEngine(
        permissions, std::make_unique<PocketSphinxRecognizer>(SpeechModelLocator()), new GStreamerAudioSource, parent);
}

OfflineSpeechVoiceSyncEngine::~OfflineSpeechVoiceSyncEngine()
{
    stop();
}

QString OfflineSpeechVoiceSyncEngine::name() const
{
    const QString language = m_recognizer->languageTag();
    return language.isEmpty() ? QStringLiteral("離線語音辨識") : QStringLiteral("離線語音辨識 ") + language;
}

VoiceSyncUpdateStream *OfflineSpeechVoiceSyncEngine::updates()
{
    if (m_continuation)
        m_continuation->deleteLater();
    m_continuation = new VoiceSyncUpdateStream(this);
    return m_continuation;
}

void OfflineSpeechVoiceSyncEngine::start(StartCompletion completion)
{
    const quint64 generation = m_startGeneration;
    requestPermissions([this, generation, completion = std::move(completion)](std::optional<VoiceSyncError> error) {
        if (!error && generation == m_startGeneration) {
            m_shouldKeepRunning = true;
            error = startAudioPipeline();
            if (error)
                stop(); // a failed start leaves nothing half-running
        }
        completion(error);
    });
}

void OfflineSpeechVoiceSyncEngine::stop()
{
    ++m_startGeneration;
    m_shouldKeepRunning = false;
    m_restartTimer.stop();
    stopAudioPipeline();
    m_audioSource->release();
}

void OfflineSpeechVoiceSyncEngine::requestPermissions(std::function<void(std::optional<VoiceSyncError>)> done)
{
    m_permissions->request(PermissionKind::speech, this, [this, done = std::move(done)](bool speechGranted) mutable {
        if (!speechGranted) {
            done(VoiceSyncError::speechPermissionDenied());
            return;
        }
        m_permissions->request(PermissionKind::microphone, this, [done = std::move(done)](bool microphoneGranted) {
            done(microphoneGranted ? std::nullopt : std::optional(VoiceSyncError::microphonePermissionDenied()));
        });
    });
}

std::optional<VoiceSyncError> OfflineSpeechVoiceSyncEngine::startAudioPipeline()
{
    if (!m_recognizer->isAvailable(m_scriptText))
        return VoiceSyncError::recognizerUnavailable();
    stopAudioPipeline();

    QPointer<OfflineSpeechVoiceSyncEngine> self(this);
    m_recognitionRequest
        = m_recognizer->startRun(m_scriptText, [self](std::optional<RecognitionResult> result, bool error) {
              // Recogniser thread: only compute the small record and hand it to the main thread.
              std::optional<VoiceSyncUpdate> update;
              if (result) {
                  update = VoiceSyncUpdate { result->transcript,
                      result->isFinal ? VoiceSyncUpdate::finalConfidence : VoiceSyncUpdate::partialConfidence,
                      std::nullopt };
              }
              const bool finished = error || (result && result->isFinal);
              QMetaObject::invokeMethod(
                  QCoreApplication::instance(),
                  [self, update, finished] {
                      if (self)
                          self->handleResult(update, finished);
                  },
                  Qt::QueuedConnection);
          });
    if (!m_recognitionRequest)
        return VoiceSyncError::recognizerUnavailable();

    // The tap holds the run weakly: once the run is torn down, late buffers are dropped.
    std::weak_ptr<RecognitionRun> request = m_recognitionRequest;
    return m_audioSource->start([request](std::span<const std::int16_t> frames) {
        if (const auto run = request.lock())
            run->append(frames);
    });
}

void OfflineSpeechVoiceSyncEngine::stopAudioPipeline()
{
    if (m_audioSource->isRunning())
        m_audioSource->stop();
    if (const auto request = std::exchange(m_recognitionRequest, nullptr)) {
        request->endAudio();
        request->cancel();
    }
}

void OfflineSpeechVoiceSyncEngine::handleResult(std::optional<VoiceSyncUpdate> update, bool finished)
{
    if (update)
        yield(*update);
    if (finished) {
        stopAudioPipeline();
        restartAudioPipelineIfNeeded();
    }
}

void OfflineSpeechVoiceSyncEngine::restartAudioPipelineIfNeeded()
{
    if (m_shouldKeepRunning)
        m_restartTimer.start();
}

void OfflineSpeechVoiceSyncEngine::restartNow()
{
    if (!m_shouldKeepRunning)
        return;
    if (const auto error = startAudioPipeline()) {
        m_shouldKeepRunning = false;
        stopAudioPipeline();
        m_audioSource->release();
        yield(VoiceSyncUpdate { QStringLiteral("Voice Sync 重新啟動失敗：") + error->description(), 0, std::nullopt });
    }
}

void OfflineSpeechVoiceSyncEngine::yield(const VoiceSyncUpdate &update)
{
    if (m_continuation)
        m_continuation->yield(update);
}

} // namespace lumetra
