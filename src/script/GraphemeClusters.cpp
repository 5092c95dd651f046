#include "GraphemeClusters.h"

#include <unicode/brkiter.h>
#include <unicode/utext.h>

#include <memory>

namespace lumetra::GraphemeClusters {
namespace {

// Units that are their own cluster when followed by another such unit: every rule of extended
// grapheme segmentation that could join two of them (CR LF, Hangul syllables, extenders,
// spacing marks, prepend, regional indicators, ZWJ) involves a unit outside this set. Covers
// ASCII, line feed, CJK punctuation (not its combining tone marks), CJK ideographs and the
// full-width forms, which is nearly all of a zh-TW script, so ICU is only asked about the rest.
bool standsAlone(char16_t unit)
{
    return unit == u'\n' || (unit >= 0x20 && unit <= 0x7E) || (unit >= 0x3000 && unit <= 0x3029)
           || (unit >= 0x3030 && unit <= 0x303F) || (unit >= 0x4E00 && unit <= 0x9FFF)
           || (unit >= 0xFF01 && unit <= 0xFF5E);
}

// ICU break iterators are costly to create; one per thread is reused and re-pointed at each text.
icu::BreakIterator *characterIterator()
{
    thread_local std::unique_ptr<icu::BreakIterator> iterator = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::BreakIterator> made(icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        return U_SUCCESS(status) ? std::move(made) : nullptr;
    }();
    return iterator.get();
}

class SlowPath;
// The walk whose text the shared iterator currently points at; nested walks take it over.
thread_local const SlowPath *attachedWalk = nullptr;

// Follows boundaries with ICU for one text; the text is attached only when first needed.
class SlowPath {
public:
    explicit SlowPath(QStringView text) : m_text(text) {}
    ~SlowPath()
    {
        if (attachedWalk == this)
            attachedWalk = nullptr;
        utext_close(&m_utext);
    }
    SlowPath(const SlowPath &) = delete;
    SlowPath &operator=(const SlowPath &) = delete;

    qsizetype following(qsizetype from)
    {
        icu::BreakIterator *iterator = characterIterator();
        if (!iterator)
            return from + 1;
        if (attachedWalk != this) {
            UErrorCode status = U_ZERO_ERROR;
            utext_openUChars(&m_utext, reinterpret_cast<const UChar *>(m_text.utf16()), m_text.size(), &status);
            iterator->setText(&m_utext, status);
            if (U_FAILURE(status))
                return from + 1;
            attachedWalk = this;
        }
        const int32_t next = iterator->following(static_cast<int32_t>(from));
        return next == icu::BreakIterator::DONE ? m_text.size() : next;
    }

private:
    QStringView m_text;
    UText m_utext = UTEXT_INITIALIZER;
};

template <typename OnBoundary>
void walk(QStringView text, OnBoundary &&onBoundary)
{
    const char16_t *units = text.utf16();
    const qsizetype size = text.size();
    SlowPath slow(text);
    qsizetype position = 0;
    while (position < size) {
        qsizetype next;
        if (standsAlone(units[position]) && (position + 1 == size || standsAlone(units[position + 1])))
            next = position + 1;
        else
            next = slow.following(position);
        onBoundary(next);
        position = next;
    }
}

} // namespace

std::vector<qsizetype> boundaries(QStringView text)
{
    std::vector<qsizetype> result;
    result.reserve(static_cast<std::size_t>(text.size()) + 1);
    result.push_back(0);
    walk(text, [&](qsizetype boundary) { result.push_back(boundary); });
    return result;
}

std::int64_t count(QStringView text)
{
    std::int64_t clusters = 0;
    walk(text, [&](qsizetype) { ++clusters; });
    return clusters;
}

QStringView first(QStringView text)
{
    if (text.isEmpty())
        return text;
    return text.first(detail::nextBoundary(text, 0));
}

namespace detail {

qsizetype nextBoundary(QStringView text, qsizetype from)
{
    const char16_t *units = text.utf16();
    if (standsAlone(units[from]) && (from + 1 == text.size() || standsAlone(units[from + 1])))
        return from + 1;
    SlowPath slow(text);
    return slow.following(from);
}

} // namespace detail

} // namespace lumetra::GraphemeClusters

