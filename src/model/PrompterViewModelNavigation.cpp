// Chunk geometry and navigation: chunk ⇄ scroll position, the current chunk, sentence, section
// and click jumps, and the progress line.
#include "PrompterViewModel.h"

#include "GraphemeClusters.h"
#include "ScriptParser.h"

#include <algorithm>
#include <cmath>

namespace lumetra {

double PrompterViewModel::readingContentY(std::int64_t paragraph) const
{
    return m_geometry.readingContentY(paragraph, m_chunks.count(), m_fontSize, m_lineSpacing);
}

std::int64_t PrompterViewModel::paragraphIndex(double contentY) const
{
    return m_geometry.paragraphIndex(contentY, m_chunks.count(), m_fontSize, m_lineSpacing);
}

std::int64_t PrompterViewModel::paragraphIndexForReadableCharacterCount(std::int64_t count) const
{
    return m_chunks.paragraphIndexForReadableCharacterCount(count);
}

void PrompterViewModel::updateParagraphMidpoints(const ParagraphMidpoints &midpoints)
{
    if (midpoints.empty())
        return;
    ParagraphMidpoints snapped = ParagraphGeometry::snapped(midpoints);
    if (snapped.empty() || snapped == m_geometry.measuredMidpoints())
        return;
    const std::int64_t current = currentParagraphIndex();
    m_geometry.setMeasuredMidpoints(std::move(snapped));
    emit measuredParagraphMidpointsChanged();
    // During fixed-speed playback the offset is left where it is.
    if (!m_isVoiceSyncEnabled && m_isPlaying)
        return;
    // Otherwise the chunk that was on the guide line stays on it.
    const double y = readingContentY(current);
    if (std::abs(y - m_scrollOffset) > 0.5) {
        setScrollOffset(y);
        clampScrollOffset();
    }
}

void PrompterViewModel::animateScroll(double target, double durationSeconds, QEasingCurve::Type curve)
{
    const double from = m_scrollOffset;
    setScrollOffset(target);
    clampScrollOffset();
    emit scrollAnimationRequested(from, m_scrollOffset, durationSeconds, curve);
}

void PrompterViewModel::scrollToParagraph(std::int64_t paragraph, bool animated)
{
    const double y = readingContentY(paragraph);
    if (animated) {
        animateScroll(y, paragraphJumpDuration, QEasingCurve::OutQuad);
        return;
    }
    setScrollOffset(y);
    clampScrollOffset();
}

void PrompterViewModel::jumpToParagraphForManualControl(std::int64_t paragraph)
{
    scrollToParagraph(paragraph, true);
    if (m_isVoiceSyncEnabled && paragraph >= 0 && paragraph < m_chunks.count()) {
        setVoiceSyncParagraphIndex(paragraph);
        // A manual move may set the spoken position back; the alignment itself only moves it forward.
        setSpokenReadableCharacterCount(m_chunks.paragraph(paragraph).globalReadableStart);
        setVoiceSyncStatus(QStringLiteral("已手動校正到第 %1 句").arg(paragraph + 1));
    }
}

void PrompterViewModel::moveToNextSentence()
{
    if (m_chunks.isEmpty())
        return;
    const std::int64_t last = m_chunks.count() - 1;
    const std::int64_t target = std::min(currentParagraphIndex() + 1, last);
    jumpToParagraphForManualControl(target);
    setStatusMessage(target == last ? QStringLiteral("已到最後一句") : QStringLiteral("已前進到下一句"));
}

void PrompterViewModel::moveToPreviousSentence()
{
    if (m_chunks.isEmpty())
        return;
    jumpToParagraphForManualControl(std::max<std::int64_t>(currentParagraphIndex() - 1, 0));
    setStatusMessage(QStringLiteral("已回到上一句"));
}

void PrompterViewModel::jump(const ScriptSection &section)
{
    const std::optional<std::int64_t> first = m_chunks.firstParagraphOfSection(section.index);
    if (!first)
        return;
    scrollToParagraph(*first, true);
    if (m_isVoiceSyncEnabled) {
        setVoiceSyncParagraphIndex(*first);
        setSpokenReadableCharacterCount(m_chunks.paragraph(*first).globalReadableStart);
    }
}

void PrompterViewModel::jumpToSourceOffset(qsizetype offset)
{
    if (m_chunks.isEmpty())
        return;
    // Chunk source offsets count characters of the line-end-normalised text; the click counts
    // UTF-16 units of the text as it is.
    const qsizetype limited = std::clamp<qsizetype>(offset, 0, m_scriptText.size());
    const QString before = ScriptParser::normalizedLineEnds(QStringView(m_scriptText).first(limited));
    const std::int64_t target = m_chunks.paragraphIndexForSourceOffset(GraphemeClusters::count(before));
    jumpToParagraphForManualControl(target);
    setStatusMessage(QStringLiteral("已跳到第 %1 句").arg(target + 1));
}

std::int64_t PrompterViewModel::currentParagraphIndex() const
{
    if (m_chunks.isEmpty())
        return 0;
    if (m_voiceSyncParagraphIndex)
        return std::clamp<std::int64_t>(*m_voiceSyncParagraphIndex, 0, m_chunks.count() - 1);
    return paragraphIndex(m_scrollOffset);
}

std::int64_t PrompterViewModel::currentSectionIndex() const
{
    if (m_chunks.isEmpty())
        return 0;
    return m_chunks.paragraph(currentParagraphIndex()).sectionIndex;
}

QString PrompterViewModel::currentSectionTitle() const
{
    if (m_chunks.isEmpty())
        return QStringLiteral("未命名章節");
    return m_chunks.paragraph(currentParagraphIndex()).sectionTitle;
}

std::int64_t PrompterViewModel::readThroughParagraphIndex() const
{
    if (!m_isVoiceSyncEnabled)
        return currentParagraphIndex();
    return paragraphIndexForReadableCharacterCount(m_spokenReadableCharacterCount);
}

QString PrompterViewModel::visualProgressText() const
{
    if (m_isVoiceSyncEnabled) {
        const std::int64_t total = m_chunks.totalReadableCharacterCount();
        return QStringLiteral("%1 / %2 字")
            .arg(std::min<std::int64_t>(m_spokenReadableCharacterCount, total))
            .arg(std::max<std::int64_t>(total, 1));
    }
    const std::int64_t count = m_chunks.count();
    return QStringLiteral("%1 / %2 句").arg(std::min(count, currentParagraphIndex() + 1)).arg(count);
}

} // namespace lumetra
