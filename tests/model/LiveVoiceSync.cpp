#include "LiveVoiceSync.h"

#include "GStreamerAudioSource.h"
#include "OfflineSpeechVoiceSyncEngine.h"
#include "PocketSphinxRecognizer.h"

#include <QProcess>
#include <QTest>

namespace lumetra::testing {

bool runProgram(const QString &program, const QStringList &arguments, int timeoutMilliseconds)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(timeoutMilliseconds) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
}

bool speakToWav(const QString &ssml, const QString &wavPath)
{
    return runProgram(QStringLiteral("espeak-ng"), { "-m", "-v", "en-us", "-s", "150", "-w", wavPath, ssml });
}

bool speakSentencesToWav(const QStringList &sentences, const QString &wavPath)
{
    QString ssml = QStringLiteral("<speak>");
    for (const QString &sentence : sentences)
        ssml += sentence + QStringLiteral(" <break time=\"1200ms\"/> ");
    ssml += QStringLiteral("</speak>");
    return speakToWav(ssml, wavPath);
}

LiveVoiceSyncEngines::LiveVoiceSyncEngines()
    : m_permissions(&m_prompter)
{
    m_permissions.setDecision(PermissionKind::speech, true);
    m_permissions.setDecision(PermissionKind::microphone, true);
}

LiveVoiceSyncEngines::LiveVoiceSyncEngines(SpeechModelLocator locator)
    : LiveVoiceSyncEngines()
{
    m_locator = std::move(locator);
}

PrompterViewModel::VoiceSyncEngineFactory LiveVoiceSyncEngines::factory()
{
    return [this](QObject *parent) {
        auto recognizer = m_locator
            ? std::make_unique<PocketSphinxRecognizer>(*m_locator)
            : std::make_unique<PocketSphinxRecognizer>(QStringLiteral("/usr/share/pocketsphinx/model/en-us"));
        return new OfflineSpeechVoiceSyncEngine(
            &m_permissions, std::move(recognizer), new GStreamerAudioSource, parent);
    };
}

std::optional<QString> startListening(PrompterViewModel &model)
{
    model.startVoiceSync();
    if (!QTest::qWaitFor([&] { return !model.voiceSyncStatus().startsWith(QStringLiteral("啟動中")); }, 60000))
        return model.voiceSyncStatus();
    if (!model.voiceSyncStatus().endsWith(QStringLiteral(" 監聽中")))
        return model.voiceSyncStatus();
    // The test audio server's keep-alive stream makes a new capture's first buffer take up to two seconds.
    QTest::qWait(2500);
    return std::nullopt;
}

} // namespace lumetra::testing
