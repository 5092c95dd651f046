// Voice Sync: switching it on and off, and moving the reading position with each transcript.
#include "PrompterViewModel.h"

namespace lumetra {
namespace {

double seconds(PrompterViewModel::Clock::time_point time)
{
    return std::chrono::duration<double>(time.time_since_epoch()).count();
}

} // namespace

void PrompterViewModel::setVoiceSyncEngineFactory(VoiceSyncEngineFactory factory)
{
    m_voiceSyncEngineFactory = std::move(factory);
}

void PrompterViewModel::startVoiceSync()
{
    if (m_voiceSyncTask)
        return;
    stopPlayback();
    const std::int64_t current = currentParagraphIndex();
    setVoiceSyncParagraphIndex(current);
    setSpokenReadableCharacterCount(
        current >= 0 && current < m_chunks.count() ? m_chunks.paragraph(current).globalReadableStart : 0);
    m_spokenCountMovedAt = Clock::now();
    m_voiceSyncHeard = {};

    if (!m_voiceSyncEngineFactory) {
        // Nothing can listen: report it as the recogniser being unavailable rather than hang in "starting".
        setVoiceSyncStatus(VoiceSyncError::recognizerUnavailable().description());
        return;
    }
    VoiceSyncEngine *engine = m_voiceSyncEngineFactory(this);
    m_voiceSyncEngine = engine;
    setIsVoiceSyncEnabled(true);
    setVoiceSyncStatus(QStringLiteral("啟動中...固定速度已暫停"));

    const quint64 run = ++m_voiceSyncRuns;
    m_voiceSyncTask = run;
    // The stream before the start, so nothing of the first recognition run is lost.
    m_voiceSyncUpdates = connect(
        engine->updates(), &VoiceSyncUpdateStream::updateReceived, this, [this, run](const VoiceSyncUpdate &update) {
            if (m_voiceSyncTask == run)
                handleVoiceSyncUpdate(update);
        });
    engine->setScriptText(m_scriptText);
    QPointer<PrompterViewModel> self(this);
    engine->start([self, run](std::optional<VoiceSyncError> error) {
        if (self)
            self->finishVoiceSyncStart(run, error);
    });
}

void PrompterViewModel::finishVoiceSyncStart(quint64 run, const std::optional<VoiceSyncError> &error)
{
    if (m_voiceSyncTask != run) {
        // Switched off (and maybe on again) while the start waited: that run's engine has been
        // told to stop, and nothing of a newer run is touched.
        return;
    }
    if (error) {
        setVoiceSyncStatus(error->description());
        setIsVoiceSyncEnabled(false);
        cancelVoiceSyncTask();
        if (VoiceSyncEngine *engine = m_voiceSyncEngine.data()) {
            engine->stop();
            engine->deleteLater();
        }
        m_voiceSyncEngine = nullptr;
        // The chunk and the spoken count from the start stay in place.
        return;
    }
    setVoiceSyncStatus(m_voiceSyncEngine->name() + QStringLiteral(" 監聽中"));
}

void PrompterViewModel::stopVoiceSync()
{
    setIsVoiceSyncEnabled(false);
    setVoiceSyncStatus(QStringLiteral("已停止"));
    setVoiceSyncTranscript(QString());
    setVoiceSyncParagraphIndex(std::nullopt);
    setSpokenReadableCharacterCount(0);
    cancelVoiceSyncTask();
    if (VoiceSyncEngine *engine = m_voiceSyncEngine.data()) {
        // Stopping completes after this returns, as its own step on the main thread.
        QMetaObject::invokeMethod(
            engine,
            [engine] {
                engine->stop();
                engine->deleteLater();
            },
            Qt::QueuedConnection);
    }
    m_voiceSyncEngine = nullptr;
}

void PrompterViewModel::cancelVoiceSyncTask()
{
    m_voiceSyncTask.reset();
    disconnect(m_voiceSyncUpdates);
}

void PrompterViewModel::handleVoiceSyncUpdate(const VoiceSyncUpdate &update)
{
    setVoiceSyncTranscript(update.transcript);
    if (!m_isVoiceSyncAlignerCurrent) {
        m_voiceSyncAligner.setChunks(m_chunks);
        m_isVoiceSyncAlignerCurrent = true;
    }
    const VoiceSyncPosition position { m_voiceSyncParagraphIndex, currentParagraphIndex(),
        m_spokenReadableCharacterCount, seconds(m_spokenCountMovedAt), m_voiceSyncHeard, m_voiceSyncCountBeforeStep,
        m_voiceSyncHeldBackMove };
    const Clock::time_point now = Clock::now();
    const Clock::time_point movedAt = m_spokenCountMovedAt;
    const VoiceSyncDecision decision
        = m_voiceSyncAligner.handleVoiceSyncUpdate(update.transcript, position, seconds(now));
    if (decision.match) {
        setSpokenReadableCharacterCount(decision.position.spokenReadableCharacterCount);
        m_voiceSyncCountBeforeStep = decision.position.countBeforeStep;
        // When the presenter was last found is the alignment's to say: a step toward him moves the
        // count without finding him, and his reading what a step passed finds him without moving it.
        m_spokenCountMovedAt = decision.position.lastAdvanceTime == position.lastAdvanceTime ? movedAt : now;
        setVoiceSyncParagraphIndex(decision.position.voiceSyncParagraphIndex);
        if (decision.shouldScroll)
            scrollToReadableCharacterCount(m_spokenReadableCharacterCount);
    }
    m_voiceSyncHeard = decision.position.heard;
    m_voiceSyncHeldBackMove = decision.position.heldBackMove;
    setVoiceSyncStatus(decision.status);
}

void PrompterViewModel::scrollToReadableCharacterCount(std::int64_t count)
{
    const std::int64_t paragraph = m_chunks.paragraphIndexForReadableCharacterCount(count);
    animateScroll(readingContentY(paragraph), voiceSyncScrollDuration, QEasingCurve::InOutQuad);
}

std::int64_t PrompterViewModel::spokenReadableCount(const ScriptParagraph &paragraph) const
{
    return VoiceSyncAligner::spokenReadableCount(paragraph, m_spokenReadableCharacterCount, m_isVoiceSyncEnabled);
}

} // namespace lumetra
