#include "PocketSphinxRun.h"

#include <QTemporaryDir>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

namespace lumetra {

struct PocketSphinxRun::Shared {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::vector<std::int16_t>> queue;
    bool audioEnded = false;
    bool cancelled = false;

    bool isCancelled()
    {
        std::lock_guard lock(mutex);
        return cancelled;
    }

    // The next buffer, or nothing once the audio has ended (or the run was cancelled).
    std::optional<std::vector<std::int16_t>> next()
    {
        std::unique_lock lock(mutex);
        wake.wait(lock, [this] { return cancelled || audioEnded || !queue.empty(); });
        if (cancelled || queue.empty())
            return std::nullopt;
        std::vector<std::int16_t> frames = std::move(queue.front());
        queue.pop_front();
        return frames;
    }
};

namespace {

void decode(const DecoderFiles &decoderFiles, const QString &key,
    const std::shared_ptr<PocketSphinxRun::Shared> &shared, PocketSphinxDecoderCache &cache,
    const SpeechRecognizer::ResultHandler &handler)
{
    const auto report = [&](std::optional<RecognitionResult> result, bool error) {
        if (!shared->isCancelled())
            handler(std::move(result), error);
    };
    const auto lease = cache.acquire(decoderFiles, key);
    PocketSphinxDecoder *decoder = lease.decoder();
    if (!decoder || !decoder->startUtterance()) {
        report(std::nullopt, true);
        return;
    }
    bool heardSpeech = false;
    QString partial;
    while (const auto frames = shared->next()) {
        decoder->process(*frames);
        const QString hypothesis = decoder->hypothesis();
        if (decoder->inSpeech()) {
            heardSpeech = true;
        } else if (heardSpeech) {
            decoder->endUtterance();
            report(RecognitionResult { decoder->hypothesis(), true }, false);
            return;
        }
        if (hypothesis != partial) {
            partial = hypothesis;
            report(RecognitionResult { hypothesis, false }, false);
        }
    }
    // Torn down or cancelled: close the utterance so the decoder is ready for the next run.
    decoder->endUtterance();
}

} // namespace

PocketSphinxRun::PocketSphinxRun(DecoderFiles decoderFiles, QString key, std::unique_ptr<QTemporaryDir> files,
    std::shared_ptr<PocketSphinxDecoderCache> cache, SpeechRecognizer::ResultHandler handler)
    : m_shared(std::make_shared<Shared>())
{
    std::shared_ptr<QTemporaryDir> keptFiles(std::move(files));
    m_worker = QThread::create([decoderFiles = std::move(decoderFiles), keptFiles, key = std::move(key),
                                   shared = m_shared, cache = std::move(cache), handler = std::move(handler)] {
        decode(decoderFiles, key, shared, *cache, handler);
    });
    QObject::connect(m_worker, &QThread::finished, m_worker, &QObject::deleteLater);
    m_worker->start();
}

PocketSphinxRun::~PocketSphinxRun()
{
    cancel();
}

void PocketSphinxRun::append(std::span<const std::int16_t> frames)
{
    {
        std::lock_guard lock(m_shared->mutex);
        if (m_shared->audioEnded || m_shared->cancelled)
            return;
        m_shared->queue.emplace_back(frames.begin(), frames.end());
    }
    m_shared->wake.notify_one();
}

void PocketSphinxRun::endAudio()
{
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->audioEnded = true;
    }
    m_shared->wake.notify_one();
}

void PocketSphinxRun::cancel()
{
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->cancelled = true;
        m_shared->queue.clear();
    }
    m_shared->wake.notify_one();
}

} // namespace lumetra
