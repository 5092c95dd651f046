#pragma once

#include "PocketSphinxDecoderCache.h"
#include "RecognitionRun.h"
#include "SpeechRecognizer.h"

#include <QPointer>
#include <QThread>

#include <memory>

class QTemporaryDir;

namespace lumetra {

// A recognition run decoded by PocketSphinx on its own worker thread. Audio is queued by append()
// and decoded in order; the run reports partial hypotheses as they change and ends with a final
// result once the decoder has heard speech and then silence, or with an error.
class PocketSphinxRun final : public RecognitionRun {
public:
    // Decodes with the cache's decoder, remade from `decoderFiles` when `key` (the script) changed.
    // `files` stays alive until the worker is done with it.
    PocketSphinxRun(DecoderFiles decoderFiles, QString key, std::unique_ptr<QTemporaryDir> files,
        std::shared_ptr<PocketSphinxDecoderCache> cache, SpeechRecognizer::ResultHandler handler);
    ~PocketSphinxRun() override;

    void append(std::span<const std::int16_t> frames) override;
    void endAudio() override;
    void cancel() override;

    // The worker, gone once it has finished.
    QPointer<QThread> worker() const { return m_worker; }

    // The queue between the feeding threads and the worker.
    struct Shared;

private:
    std::shared_ptr<Shared> m_shared;
    QPointer<QThread> m_worker;
};

} // namespace lumetra
