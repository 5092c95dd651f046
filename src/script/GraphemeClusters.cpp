#include "GraphemeClusters.h"

#include <unicode/brkiter.h>
#include <unicode/utext.h>

namespace lumetra::GraphemeClusters {
namespace {

// ICU break iterators are costly to create; one per thread is reused and re-pointed at each text.
icu::BreakIterator *characterIterator()
{
    thread_local std::unique_ptr<icu::BreakIterator> iterator = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::BreakIterator> made(
            icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        return U_SUCCESS(status) ? std::move(made) : nullptr;
    }();
    return iterator.get();
}

} // namespace

namespace detail {

// The thread's break iterator attached to one text. Nested walks over other texts take the
// iterator over; the walk re-attaches when it next needs it.
class RuleFollower {
public:
    explicit RuleFollower(QStringView text) : m_text(text) {}
    ~RuleFollower()
    {
        if (attached == this)
            attached = nullptr;
        if (m_opened)
            utext_close(&m_utext);
    }
    RuleFollower(const RuleFollower &) = delete;
    RuleFollower &operator=(const RuleFollower &) = delete;

    qsizetype following(qsizetype from)
    {
        icu::BreakIterator *iterator = characterIterator();
        if (!iterator)
            return from + 1;
        if (attached != this) {
            UErrorCode status = U_ZERO_ERROR;
            if (!m_opened) {
                utext_openUChars(&m_utext, reinterpret_cast<const UChar *>(m_text.utf16()), m_text.size(), &status);
                m_opened = U_SUCCESS(status);
            }
            iterator->setText(&m_utext, status);
            if (U_FAILURE(status))
                return from + 1;
            attached = this;
        }
        const int32_t next = iterator->following(static_cast<int32_t>(from));
        return next == icu::BreakIterator::DONE ? m_text.size() : next;
    }

private:
    static thread_local const RuleFollower *attached;

    QStringView m_text;
    UText m_utext = UTEXT_INITIALIZER;
    bool m_opened = false;
};

thread_local const RuleFollower *RuleFollower::attached = nullptr;

} // namespace detail

ClusterWalker::ClusterWalker(QStringView text)
    : m_text(text)
{
}

ClusterWalker::~ClusterWalker() = default;

qsizetype ClusterWalker::nextBoundaryByRules(qsizetype from)
{
    if (!m_rules)
        m_rules = std::make_unique<detail::RuleFollower>(m_text);
    return m_rules->following(from);
}

std::vector<qsizetype> boundaries(QStringView text)
{
    std::vector<qsizetype> result;
    result.reserve(static_cast<std::size_t>(text.size()) + 1);
    result.push_back(0);
    ClusterWalker walker(text);
    for (qsizetype position = 0; position < text.size(); position = result.back())
        result.push_back(walker.nextBoundary(position));
    return result;
}

std::int64_t count(QStringView text)
{
    std::int64_t clusters = 0;
    ClusterWalker walker(text);
    for (qsizetype position = 0; position < text.size(); position = walker.nextBoundary(position))
        ++clusters;
    return clusters;
}

QStringView first(QStringView text)
{
    if (text.isEmpty())
        return text;
    return text.first(ClusterWalker(text).nextBoundary(0));
}

} // namespace lumetra::GraphemeClusters
