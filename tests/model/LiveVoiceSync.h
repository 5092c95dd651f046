#pragma once

#include "EnglishLaunchScript.h"
#include "PermissionService.h"
#include "PrompterViewModel.h"
#include "ScriptedConsentPrompter.h"
#include "SpeechModelLocator.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace lumetra::testing {

// Real speech through the real engine into a model: what the end-to-end test and the real-audio
// benchmark share. Needs espeak-ng and the PulseAudio server of scripts/test-services.sh.

// Runs a program to its end; true when it exited normally with status 0.
bool runProgram(const QString &program, const QStringList &arguments, int timeoutMilliseconds = 60000);
// espeak-ng's US English voice at 150 words a minute reads `ssml` (plain text or SSML) into a WAV.
bool speakToWav(const QString &ssml, const QString &wavPath);
// espeak-ng reads the sentences into one WAV, each followed by a 1.2 s break that ends its
// recognition run.
bool speakSentencesToWav(const QStringList &sentences, const QString &wavPath);

// Makes the real offline engine (Debian's en-us model, or the model a locator finds for the script;
// the default microphone) with both permissions granted. Made before the model it serves, so it
// outlives that model's engines.
class LiveVoiceSyncEngines final {
public:
    LiveVoiceSyncEngines();
    explicit LiveVoiceSyncEngines(SpeechModelLocator locator);
    PrompterViewModel::VoiceSyncEngineFactory factory();

private:
    ScriptedConsentPrompter m_prompter;
    PermissionService m_permissions;
    std::optional<SpeechModelLocator> m_locator;
};

// Starts Voice Sync and waits until the engine listens and the capture delivers audio. Returns the
// status text when it does not come to listen.
std::optional<QString> startListening(PrompterViewModel &model);

} // namespace lumetra::testing
