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

LiveVoiceSyncEngines::LiveVoiceSyncEngines()
    : m_permissions(&m_prompter)
{
    m_permissions.setDecision(PermissionKind::speech, true);
    m_permissions.setDecision(PermissionKind::microphone, true);
}

PrompterViewModel::VoiceSyncEngineFactory LiveVoiceSyncEngines::factory()
{
    return [this](QObject *parent) {
        return new OfflineSpeechVoiceSyncEngine(&m_permissions,
            std::make_unique<PocketSphinxRecognizer>(QStringLiteral("/usr/share/pocketsphinx/model/en-us")),
            new GStreamerAudioSource, parent);
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
