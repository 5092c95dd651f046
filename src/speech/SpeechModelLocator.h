#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace lumetra {

// Finds the recognition model folder for a script. The LUMETRA_SPEECH_MODEL environment variable,
// then the folder chosen in the settings window, win as they are, so a bad choice is reported
// instead of silently replaced. Otherwise the models found in ~/.local/share/Lumetra/speech/zh-TW
// (the folder itself or the folders in it) and in the folders of Debian's packages are chosen by
// the script's language: a script mostly in Han characters takes a Chinese model and nothing else;
// any other script prefers a model whose language is written like it, then takes any.
class SpeechModelLocator {
public:
    static constexpr const char *environmentVariable = "LUMETRA_SPEECH_MODEL";
    static QString settingsKey() { return QStringLiteral("Lumetra.speech.modelFolder.v1"); }

    SpeechModelLocator();
    // For tests: where the user's own and the system's models live.
    SpeechModelLocator(QString userModelFolder, QStringList systemModelRoots);

    // The folder to use for `scriptText`, or nothing when no model fits it. Without a script any
    // model fits.
    std::optional<QString> locate(const QString &scriptText = QString()) const;

private:
    QStringList foundModels() const;

    QString m_userModelFolder;
    QStringList m_systemModelRoots;
};

} // namespace lumetra
