#include "GraphemeClusters.h"

#include <unicode/brkiter.h>
#include <unicode/utext.h>

#include <memory>

namespace lumetra::GraphemeClusters {
namespace {

bool standsAlone(char16_t unit)
{
    return UnicodeTables::has(unit, UnicodeTables::standsAlone);
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
        if (m_opened)
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
            m_opened = U_SUCCESS(status);
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
    bool m_opened = false;
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

qsizetype nextBoundaryFromRules(QStringView text, qsizetype from)
{
    SlowPath slow(text);
    return slow.following(from);
}

} // namespace detail

} // namespace lumetra::GraphemeClusters

