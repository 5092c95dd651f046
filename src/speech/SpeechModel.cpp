#include "SpeechModel.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

namespace lumetra {
namespace {

bool holdsAcousticModel(const QDir &dir)
{
    static const QStringList required = { QStringLiteral("mdef"), QStringLiteral("means"), QStringLiteral("variances"),
        QStringLiteral("transition_matrices") };
    for (const QString &name : required) {
        const QFileInfo file(dir.filePath(name));
        if (!file.isFile() || file.size() == 0)
            return false;
    }
    const QFileInfo weights(dir.filePath(QStringLiteral("mixture_weights")));
    const QFileInfo sendump(dir.filePath(QStringLiteral("sendump")));
    return (weights.isFile() && weights.size() > 0) || (sendump.isFile() && sendump.size() > 0);
}

// `skipped`: a part of the name that marks a file of another purpose.
QString firstNonEmptyFile(const QDir &dir, const QStringList &patterns, const QString &skipped)
{
    for (const QFileInfo &file : dir.entryInfoList(patterns, QDir::Files, QDir::Name)) {
        if (file.size() > 0 && !file.fileName().contains(skipped))
            return file.absoluteFilePath();
    }
    return {};
}

} // namespace

QString SpeechModel::languageTagIn(const QString &name)
{
    static const QRegularExpression separators(QStringLiteral("[-_.\\s]+"));
    const QStringList parts = name.split(separators, Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString language = parts[i].toLower();
        const bool knownLanguage = (language.size() == 2 || language.size() == 3)
            && QLocale::codeToLanguage(language) != QLocale::AnyLanguage;
        if (!knownLanguage)
            continue;
        QString tag = language;
        qsizetype next = i + 1;
        if (next < parts.size() && parts[next].size() == 4
            && QLocale::codeToScript(parts[next]) != QLocale::AnyScript) {
            tag += QLatin1Char('-') + parts[next].left(1).toUpper() + parts[next].mid(1).toLower();
            ++next;
        }
        const bool hasRegion = next < parts.size() && parts[next].size() == 2
            && QLocale::codeToTerritory(parts[next].toUpper()) != QLocale::AnyTerritory;
        if (hasRegion)
            tag += QLatin1Char('-') + parts[next].toUpper();
        // Three letters alone are too often a word's start ("bin", "dic") to be read as a language.
        if (language.size() == 2 || hasRegion)
            return tag;
    }
    return {};
}

QString SpeechModel::languageTagOf(const QString &folder)
{
    if (const std::optional<SpeechModel> model = inFolder(folder))
        return model->languageTag;
    return languageTagIn(QFileInfo(folder).fileName());
}

std::optional<SpeechModel> SpeechModel::inFolder(const QString &folder)
{
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return std::nullopt;

    SpeechModel model;
    model.folder = dir.absolutePath();
    if (holdsAcousticModel(dir)) {
        model.acousticModel = model.folder;
    } else {
        for (const QString &sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            if (holdsAcousticModel(QDir(dir.filePath(sub)))) {
                model.acousticModel = dir.absoluteFilePath(sub);
                break;
            }
        }
    }
    model.dictionary
        = firstNonEmptyFile(dir, { QStringLiteral("*.dict"), QStringLiteral("*.dic") }, QStringLiteral("noisedict"));
    if (model.acousticModel.isEmpty() || model.dictionary.isEmpty())
        return std::nullopt;
    // A phone language model is for phoneme decoding, not words.
    model.generalLanguageModel = firstNonEmptyFile(dir,
        { QStringLiteral("*.lm.bin"), QStringLiteral("*.lm"), QStringLiteral("*.arpa") }, QStringLiteral("-phone"));
    // The files name the language as they are distributed ("zh_cn.dic"); the folder may be named anything.
    QStringList names { QFileInfo(model.dictionary).completeBaseName(),
        QFileInfo(model.generalLanguageModel).completeBaseName() };
    if (model.acousticModel != model.folder)
        names.append(QFileInfo(model.acousticModel).fileName());
    names.append(QFileInfo(model.folder).fileName());
    for (const QString &name : std::as_const(names)) {
        model.languageTag = languageTagIn(name);
        if (!model.languageTag.isEmpty())
            break;
    }
    return model;
}

} // namespace lumetra
