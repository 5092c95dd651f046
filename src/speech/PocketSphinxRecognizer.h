#pragma once

#include "PocketSphinxDecoderCache.h"
#include "PronunciationDictionary.h"
#include "SpeechModel.h"
#include "SpeechModelLocator.h"
#include "SpeechRecognizer.h"

#include <QList>
#include <QPointer>
#include <QThread>

#include <memory>
#include <optional>
#include <vector>

namespace lumetra {

class PocketSphinxRun;

// Offline recognition with PocketSphinx. Each run decodes against a language model and a
// dictionary built from the script's own words, written to a temporary folder of its own.
class PocketSphinxRecognizer final : public SpeechRecognizer {
public:
    // How long loading an unchecked model may take before it counts as broken.
    static constexpr int modelCheckTimeoutMs = 30000;

    // Always the model in `modelFolder`; empty: no model was found.
    explicit PocketSphinxRecognizer(std::optional<QString> modelFolder);
    // The model `locator` finds for each script.
    explicit PocketSphinxRecognizer(SpeechModelLocator locator);
    ~PocketSphinxRecognizer() override;

    QString languageTag() const override;
    // The model is checked once, the first time: its files, its dictionary, and a trial load of the
    // decoder in a separate process, so a broken model cannot take the program down.
    bool isAvailable(const QString &scriptText) override;
    std::shared_ptr<RecognitionRun> startRun(const QString &scriptText, ResultHandler handler) override;

private:
    void useModel(const std::optional<QString> &modelFolder);
    std::optional<DecoderFiles> writeDecoderFiles(const QString &scriptText, const QString &folder);

    std::optional<SpeechModelLocator> m_locator;
    std::optional<QString> m_locatedFor; // the script the model was last chosen for
    bool m_modelChosen = false;
    std::optional<QString> m_modelFolder;
    std::optional<SpeechModel> m_model;
    QString m_languageTag;
    std::optional<PronunciationDictionary> m_dictionary;
    // The run dictionary and language model of the last script, in text form.
    struct ScriptDecoderTexts {
        QString scriptText;
        QString dictionary;
        QString languageModel;
    };
    std::optional<ScriptDecoderTexts> m_scriptDecoderTexts;
    std::optional<bool> m_checked;
    // Shared with the workers; a decoder that cannot be made makes the model unavailable.
    std::shared_ptr<PocketSphinxDecoderCache> m_decoders = std::make_shared<PocketSphinxDecoderCache>();
    // Runs handed out, so none outlives the recogniser with its worker still decoding.
    std::vector<std::weak_ptr<PocketSphinxRun>> m_runs;
    QList<QPointer<QThread>> m_workers;
};

} // namespace lumetra
