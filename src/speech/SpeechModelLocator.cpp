#include "SpeechModelLocator.h"

#include "SpeechModel.h"

#include <QDir>
#include <QSettings>

namespace lumetra {

SpeechModelLocator::SpeechModelLocator()
    : SpeechModelLocator(QDir::homePath() + QStringLiteral("/.local/share/Lumetra/speech/zh-TW"),
        { QStringLiteral("/usr/share/pocketsphinx/model") })
{
}

SpeechModelLocator::SpeechModelLocator(QString userModelFolder, QStringList systemModelRoots)
    : m_userModelFolder(std::move(userModelFolder))
    , m_systemModelRoots(std::move(systemModelRoots))
{
}

std::optional<QString> SpeechModelLocator::locate() const
{
    const QString fromEnvironment = qEnvironmentVariable(environmentVariable);
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString fromSettings = QSettings().value(settingsKey()).toString();
    if (!fromSettings.isEmpty())
        return fromSettings;
    if (QDir(m_userModelFolder).exists())
        return m_userModelFolder;
    for (const QString &root : m_systemModelRoots) {
        const QDir rootDir(root);
        for (const QString &language : rootDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            if (SpeechModel::inFolder(rootDir.filePath(language)))
                return rootDir.filePath(language);
        }
    }
    return std::nullopt;
}

} // namespace lumetra
