#pragma once

#include "RecognitionRun.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace lumetra {

// A result of a recognition run: the best transcript of everything heard since the run began.
struct RecognitionResult {
    QString transcript;
    bool isFinal = false;

    bool operator==(const RecognitionResult &) const = default;
};

// A speech recogniser for one language. Called on the main thread.
class SpeechRecognizer {
public:
    // Called on any thread, repeatedly, with a result, an error flag or both. A final result or an
    // error ends the run.
    using ResultHandler = std::function<void(std::optional<RecognitionResult> result, bool error)>;

    virtual ~SpeechRecognizer() = default;

    // The language of the model, for example "zh-TW"; empty while no model is known or its language
    // is not.
    virtual QString languageTag() const = 0;
    // Whether a run for `scriptText` can be started now. A recogniser that picks its model by the
    // script's language picks it here.
    virtual bool isAvailable(const QString &scriptText) = 0;
    // Starts a run decoding against the words of `scriptText`. Null when the recogniser cannot.
    virtual std::shared_ptr<RecognitionRun> startRun(const QString &scriptText, ResultHandler handler) = 0;
};

} // namespace lumetra
