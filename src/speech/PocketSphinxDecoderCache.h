#pragma once

#include "PocketSphinxDecoder.h"

#include <atomic>
#include <memory>
#include <mutex>

namespace lumetra {

// The decoder kept from one recognition run to the next while the script stays the same: its
// running estimate of the microphone's level carries over, so a new run hears its first words as
// well as the previous run heard its last. One run uses it at a time.
class PocketSphinxDecoderCache {
public:
    // Exclusive use of the decoder until destroyed.
    class Lease {
    public:
        PocketSphinxDecoder *decoder() const { return m_decoder; }

    private:
        friend class PocketSphinxDecoderCache;
        std::unique_lock<std::mutex> m_lock;
        PocketSphinxDecoder *m_decoder = nullptr;
    };

    // Waits while another run holds the decoder. The decoder is remade when `key` differs from the
    // last one; no decoder (and failed() from then on) when it cannot be made.
    Lease acquire(const DecoderFiles &files, const QString &key);

    bool failed() const { return m_failed; }

private:
    std::mutex m_mutex;
    std::unique_ptr<PocketSphinxDecoder> m_decoder;
    QString m_key;
    std::atomic<bool> m_failed = false;
};

} // namespace lumetra
