#include "PocketSphinxDecoderCache.h"

namespace lumetra {

PocketSphinxDecoderCache::Lease PocketSphinxDecoderCache::acquire(const DecoderFiles &files, const QString &key)
{
    Lease lease;
    lease.m_lock = std::unique_lock(m_mutex);
    if (!m_decoder || key != m_key) {
        m_decoder.reset();
        m_decoder = PocketSphinxDecoder::create(files);
        m_key = key;
        if (!m_decoder)
            m_failed = true;
    }
    lease.m_decoder = m_decoder.get();
    return lease;
}

} // namespace lumetra
