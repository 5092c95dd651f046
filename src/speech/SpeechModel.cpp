#include "SpeechModel.h"

#include <QDir>
#include <QFileInfo>

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

QString SpeechModel::languageTagOf(const QString &folder)
{
    QStringList parts
        = QFileInfo(folder).fileName().replace(QLatin1Char('_'), QLatin1Char('-')).split(QLatin1Char('-'));
    parts.first() = parts.first().toLower();
    for (qsizetype i = 1; i < parts.size(); ++i) {
        if (parts[i].size() == 2)
            parts[i] = parts[i].toUpper();
    }
    return parts.join(QLatin1Char('-'));
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
    model.languageTag = languageTagOf(model.folder);
    return model;
}

} // namespace lumetra
