#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace lumetra {

// Finds the recognition model folder. First hit wins: the LUMETRA_SPEECH_MODEL environment
// variable, the folder chosen in the settings window, ~/.local/share/Lumetra/speech/zh-TW, then
// the models installed by Debian packages. A chosen folder is used even when it turns out broken,
// so a bad choice is reported instead of silently replaced.
class SpeechModelLocator {
public:
    static constexpr const char *environmentVariable = "LUMETRA_SPEECH_MODEL";
    static QString settingsKey() { return QStringLiteral("Lumetra.speech.modelFolder.v1"); }

    SpeechModelLocator();
    // For tests: where the user's own and the system's models live.
    SpeechModelLocator(QString userModelFolder, QStringList systemModelRoots);

    // The folder to use, or nothing when no model is anywhere.
    std::optional<QString> locate() const;

private:
    QString m_userModelFolder;
    QStringList m_systemModelRoots;
};

} // namespace lumetra
