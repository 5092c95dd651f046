// Fixed-speed playback: play, pause, rewind, jump to start and the per-frame scroll step.
#include "PrompterViewModel.h"

#include <algorithm>

namespace lumetra {

namespace {

// After a stall the prompter moves at most this much time's worth.
constexpr double maximumFrameStep = 0.1;
constexpr double rewindStep = 260;

} // namespace

void PrompterViewModel::play()
{
    if (m_isVoiceSyncEnabled) {
        setVoiceSyncStatus(QStringLiteral("Voice Sync 控制中，固定速度已暫停"));
        return;
    }
    if (m_isPlaying)
        return;
    // The first tick after this only records its time; movement starts with the second.
    m_lastTickDate.reset();
    setIsPlaying(true);
}

void PrompterViewModel::stopPlayback()
{
    setIsPlaying(false);
    m_lastTickDate.reset();
}

void PrompterViewModel::togglePlayback()
{
    if (m_isPlaying)
        stopPlayback();
    else
        play();
}

void PrompterViewModel::rewind()
{
    if (m_isVoiceSyncEnabled) {
        moveToPreviousSentence();
        return;
    }
    // Limited at 0 only; the next clamp brings it back into the script's range.
    setScrollOffset(std::max(m_scrollOffset - rewindStep, 0.0));
}

void PrompterViewModel::jumpToStart()
{
    setScrollOffset(readingContentY(0));
    setVoiceSyncParagraphIndex(m_isVoiceSyncEnabled ? std::optional<std::int64_t>(0) : std::nullopt);
    setSpokenReadableCharacterCount(0);
}

void PrompterViewModel::advanceScroll(Clock::time_point now)
{
    if (!m_isPlaying || m_isVoiceSyncEnabled) {
        m_lastTickDate = now;
        return;
    }
    if (!m_lastTickDate) {
        m_lastTickDate = now;
        return;
    }
    double elapsed = std::chrono::duration<double>(now - *m_lastTickDate).count();
    m_lastTickDate = now;
    if (!(elapsed > 0)) // a time stamp from the past only becomes the new reference
        return;
    elapsed = std::min(elapsed, maximumFrameStep);
    setScrollOffset(m_scrollOffset + elapsed * m_scrollSpeed);

    const double end = readingContentY(m_chunks.count() - 1);
    if (end <= m_scrollOffset) {
        if (m_isAutoLoopEnabled) {
            jumpToStart();
        } else {
            setScrollOffset(end);
            stopPlayback();
            setStatusMessage(QStringLiteral("已到講稿結尾"));
        }
        return;
    }
    clampScrollOffset();
}

void PrompterViewModel::clampScrollOffset()
{
    const std::int64_t last = std::max<std::int64_t>(m_chunks.count() - 1, 0);
    const double low = readingContentY(0);
    double high = readingContentY(last);
    // Right after an edit adds chunks, the new last one is not measured yet and its estimate can
    // lie far above text that is: the clamp must not throw the reader back from a chunk that
    // still exists there.
    if (!m_geometry.measuredMidpoints().contains(last))
        high = std::max(high, m_geometry.furthestMeasuredMidpoint(last + 1).value_or(high));
    // If a measurement ever puts high below low, high wins.
    setScrollOffset(std::min(high, std::max(low, m_scrollOffset)));
}

} // namespace lumetra
