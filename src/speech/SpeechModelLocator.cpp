#include "SpeechModelLocator.h"

#include "SpeechModel.h"

#include <QDir>
#include <QLocale>
#include <QSettings>

namespace lumetra {
namespace {

// How the script is written: whether mostly in Han characters, and its commonest writing system.
struct ScriptWriting {
    bool mostlyHan = false;
    std::optional<QLocale::Script> dominant;
};

std::optional<QLocale::Script> localeScriptOf(QChar::Script script)
{
    switch (script) {
    case QChar::Script_Latin:
        return QLocale::LatinScript;
    case QChar::Script_Cyrillic:
        return QLocale::CyrillicScript;
    case QChar::Script_Greek:
        return QLocale::GreekScript;
    case QChar::Script_Arabic:
        return QLocale::ArabicScript;
    case QChar::Script_Hebrew:
        return QLocale::HebrewScript;
    case QChar::Script_Devanagari:
        return QLocale::DevanagariScript;
    case QChar::Script_Thai:
        return QLocale::ThaiScript;
    case QChar::Script_Hangul:
        return QLocale::KoreanScript;
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
        return QLocale::JapaneseScript;
    default:
        return std::nullopt;
    }
}

ScriptWriting writingOf(const QString &scriptText)
{
    std::map<QChar::Script, qsizetype> letters;
    qsizetype total = 0;
    for (const char32_t scalar : scriptText.toUcs4()) {
        if (!QChar::isLetter(scalar))
            continue;
        ++letters[QChar::script(scalar)];
        ++total;
    }
    ScriptWriting writing;
    if (total == 0)
        return writing;
    writing.mostlyHan = 2 * letters[QChar::Script_Han] > total;
    const auto commonest
        = std::max_element(letters.begin(), letters.end(), [](auto a, auto b) { return a.second < b.second; });
    writing.dominant = localeScriptOf(commonest->first);
    return writing;
}

// How well a model of `languageTag` suits the script: nothing when it must not be used.
std::optional<int> fitness(const ScriptWriting &writing, const QString &languageTag)
{
    const QLocale language(languageTag);
    const bool chinese = !languageTag.isEmpty() && language.language() == QLocale::Chinese;
    if (writing.mostlyHan)
        return chinese ? std::optional(1) : std::nullopt;
    const bool writtenAlike = !languageTag.isEmpty() && writing.dominant && language.script() == *writing.dominant;
    return writtenAlike ? 1 : 0;
}

} // namespace

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

std::optional<QString> SpeechModelLocator::locate(const QString &scriptText) const
{
    const QString fromEnvironment = qEnvironmentVariable(environmentVariable);
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString fromSettings = QSettings().value(settingsKey()).toString();
    if (!fromSettings.isEmpty())
        return fromSettings;

    const ScriptWriting writing = writingOf(scriptText);
    std::optional<QString> best;
    int bestFitness = -1;
    for (const QString &folder : foundModels()) {
        const std::optional<int> fit = fitness(writing, SpeechModel::languageTagOf(folder));
        if (fit && *fit > bestFitness) {
            best = folder;
            bestFitness = *fit;
        }
    }
    return best;
}

QStringList SpeechModelLocator::foundModels() const
{
    QStringList models;
    // The user's folder holds a model itself, or models unpacked into folders of their own.
    if (SpeechModel::inFolder(m_userModelFolder))
        models.append(QDir(m_userModelFolder).absolutePath());
    QStringList roots = m_systemModelRoots;
    roots.prepend(m_userModelFolder);
    for (const QString &root : std::as_const(roots)) {
        const QDir rootDir(root);
        if (root.isEmpty() || !rootDir.exists())
            continue;
        for (const QString &name : rootDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            if (SpeechModel::inFolder(rootDir.filePath(name)))
                models.append(rootDir.absoluteFilePath(name));
        }
    }
    return models;
}

} // namespace lumetra
