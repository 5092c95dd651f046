#include "LiveVoiceSync.h"

#include "GStreamerAudioSource.h"
#include "OfflineSpeechVoiceSyncEngine.h"
#include "PocketSphinxRecognizer.h"

#include <QProcess>
#include <QTest>

namespace lumetra::testing {

const QStringList &englishLaunchSentences()
{
    static const QStringList sentences = {
        QStringLiteral("Good morning and welcome to our meeting."),
        QStringLiteral("Today we will talk about the new product."),
        QStringLiteral("Our team worked very hard this year."),
        QStringLiteral("We listened to our customers every week."),
        QStringLiteral("They asked for a simpler way to plan."),
        QStringLiteral("So we built a calendar that plans itself."),
        QStringLiteral("It learns when you like to work."),
        QStringLiteral("Early users saved two hours every week."),
        QStringLiteral("Next month we open the beta to everyone."),
        QStringLiteral("Please sign up on our website to join."),
        QStringLiteral("We would love to hear what you think."),
        QStringLiteral("Thank you all for coming here today."),
    };
    return sentences;
}

QString scriptOfSentences(const QStringList &sentences)
{
    return QStringLiteral("# Launch\n\n") + sentences.join(QStringLiteral("\n\n"));
}

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
