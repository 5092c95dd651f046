#include "PocketSphinxRecognizer.h"

#include "ArpaLanguageModel.h"
#include "PocketSphinxRun.h"
#include "ScriptVocabulary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace lumetra {
namespace {

bool writeText(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.flush();
}

} // namespace

PocketSphinxRecognizer::PocketSphinxRecognizer(std::optional<QString> modelFolder)
{
    useModel(modelFolder);
}

PocketSphinxRecognizer::PocketSphinxRecognizer(SpeechModelLocator locator)
    : m_locator(std::move(locator))
{
}

void PocketSphinxRecognizer::useModel(const std::optional<QString> &modelFolder)
{
    if (m_modelChosen && modelFolder == m_modelFolder)
        return;
    m_modelChosen = true;
    m_modelFolder = modelFolder;
    m_model = modelFolder ? SpeechModel::inFolder(*modelFolder) : std::nullopt;
    m_languageTag = modelFolder ? SpeechModel::languageTagOf(*modelFolder) : QString();
    m_dictionary.reset();
    m_scriptDecoderTexts.reset();
    m_checked.reset();
    // Runs still decoding keep the old model's decoder; the next run makes one of the new model.
    m_decoders = std::make_shared<PocketSphinxDecoderCache>();
}

PocketSphinxRecognizer::~PocketSphinxRecognizer()
{
    for (const std::weak_ptr<PocketSphinxRun> &handedOut : m_runs) {
        if (const auto run = handedOut.lock())
            run->cancel();
    }
    // Cancelled workers end at once; none is left running unowned.
    for (const QPointer<QThread> &worker : std::as_const(m_workers)) {
        if (worker)
            worker->wait();
    }
}

QString PocketSphinxRecognizer::languageTag() const
{
    return m_languageTag;
}

bool PocketSphinxRecognizer::isAvailable(const QString &scriptText)
{
    // Each restart asks again; the folders are searched only when the script has changed.
    if (m_locator && scriptText != m_locatedFor) {
        m_locatedFor = scriptText;
        useModel(m_locator->locate(scriptText));
    }
    if (m_decoders->failed())
        return false;
    if (m_checked)
        return *m_checked;
    m_checked = false;
    if (!m_model)
        return false;
    m_dictionary = PronunciationDictionary::load(m_model->dictionary);
    if (!m_dictionary)
        return false;
    QTemporaryDir folder;
    const auto files = writeDecoderFiles(QString(), folder.path());
    m_checked = files && PocketSphinxDecoder::loadsInSeparateProcess(*files, modelCheckTimeoutMs);
    return *m_checked;
}

std::shared_ptr<RecognitionRun> PocketSphinxRecognizer::startRun(const QString &scriptText, ResultHandler handler)
{
    if (!isAvailable(scriptText))
        return nullptr;
    auto folder = std::make_unique<QTemporaryDir>();
    const auto files = writeDecoderFiles(scriptText, folder->path());
    if (!folder->isValid() || !files)
        return nullptr;
    auto run = std::make_shared<PocketSphinxRun>(*files, scriptText, std::move(folder), m_decoders, std::move(handler));
    std::erase_if(m_runs, [](const std::weak_ptr<PocketSphinxRun> &handedOut) { return handedOut.expired(); });
    m_runs.push_back(run);
    m_workers.removeAll(QPointer<QThread>());
    m_workers.append(run->worker());
    return run;
}

std::optional<DecoderFiles> PocketSphinxRecognizer::writeDecoderFiles(const QString &scriptText, const QString &folder)
{
    // Every run of an unchanged script decodes the same words: segment a long script only once.
    if (!m_scriptDecoderTexts || m_scriptDecoderTexts->scriptText != scriptText) {
        const ScriptVocabulary vocabulary(scriptText, *m_dictionary);
        m_scriptDecoderTexts = ScriptDecoderTexts { scriptText, m_dictionary->subsetText(vocabulary.words()),
            ArpaLanguageModel::build(vocabulary.sentences()) };
    }
    DecoderFiles files { m_model->acousticModel, QDir(folder).filePath(QStringLiteral("script.dict")),
        QDir(folder).filePath(QStringLiteral("script.lm")), QString(), 0 };
    if (!writeText(files.dictionary, m_scriptDecoderTexts->dictionary)
        || !writeText(files.languageModel, m_scriptDecoderTexts->languageModel))
        return std::nullopt;
    return files;
}

} // namespace lumetra
