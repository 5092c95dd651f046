#pragma once

#include "PocketSphinxDecoder.h"
#include "RecognitionRun.h"
#include "SpeechRecognizer.h"

#include <QPointer>
#include <QThread>

#include <atomic>
#include <memory>

class QTemporaryDir;

namespace lumetra {

// A recognition run decoded by PocketSphinx on its own worker thread. Audio is queued by append()
// and decoded in order; the run reports partial hypotheses as they change and ends with a final
// result once the decoder has heard speech and then silence, or with an error.
class PocketSphinxRun final : public RecognitionRun {
public:
    // `files` stays alive until the worker is done with it.
    // `decoderFailed` is set when the decoder cannot be made from these files.
    PocketSphinxRun(DecoderFiles decoderFiles, std::unique_ptr<QTemporaryDir> files,
                    std::shared_ptr<std::atomic<bool>> decoderFailed, SpeechRecognizer::ResultHandler handler);
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
