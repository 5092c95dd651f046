#include "ScriptTextCharacters.h"

#include "GraphemeClusters.h"
#include "UnicodeTables.h"
#include "UnicodeText.h"

#include <unicode/normalizer2.h>

namespace lumetra {
namespace {

constexpr std::uint32_t firstComposedKey = 0x110000; // above every scalar value
constexpr std::uint32_t unmatchableKey = 0xFFFFFFFF;

const icu::Normalizer2 *canonicalDecomposer()
{
    UErrorCode status = U_ZERO_ERROR;
    static const icu::Normalizer2 *nfd = icu::Normalizer2::getNFDInstance(status);
    return nfd;
}

QString toQString(const icu::UnicodeString &text)
{
    return QString(reinterpret_cast<const QChar *>(text.getBuffer()), text.length());
}

QString canonicalDecomposition(QStringView character)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString source(
        false, reinterpret_cast<const UChar *>(character.utf16()), static_cast<int32_t>(character.size()));
    icu::UnicodeString decomposed;
    canonicalDecomposer()->normalize(source, decomposed, status);
    return U_SUCCESS(status) ? toQString(decomposed) : character.toString();
}

} // namespace

ScriptTextCharacters::ScriptTextCharacters(QStringView text)
    : m_text(text)
{
    // One walk finds the characters and classifies them: this runs over the whole script on
    // every keystroke.
    const auto units = static_cast<std::size_t>(text.size());
    m_keys.reserve(units);
    m_positions.reserve(units);
    std::int64_t index = 0;
    GraphemeClusters::ClusterWalker walker(text);
    for (qsizetype position = 0; position < text.size(); ++index) {
        const qsizetype next = walker.nextBoundary(position);
        if (m_boundaries.empty() && next - position > 1) {
            // The first character of several units: from here on offsets need a table.
            m_boundaries.reserve(units + 1);
            for (qsizetype unit = 0; unit <= position; ++unit)
                m_boundaries.push_back(unit);
        }
        if (!m_boundaries.empty())
            m_boundaries.push_back(next);
        const QStringView current = text.sliced(position, next - position);
        position = next;
        if (current.size() == 1) {
            // The common case, without building a key.
            const char16_t unit = current.front().unicode();
            if (UnicodeTables::has(unit, UnicodeTables::whiteSpace))
                continue;
            m_keys.push_back(UnicodeTables::has(unit, UnicodeTables::ownCanonicalKey) ? unit : internedKey(current));
        } else {
            if (UnicodeText::isWhiteSpace(UnicodeText::firstScalar(current)))
                continue;
            m_keys.push_back(internedKey(current));
        }
        m_positions.push_back(index);
    }
    m_size = index;
}

std::size_t ScriptTextCharacters::firstNonWhiteSpaceAtOrAfter(std::int64_t start) const
{
    // The answer lies in [low, high). A whole-text binary search would touch a cache line far
    // away at every step; galloping from the previous answer stays near the chunk just found.
    std::size_t low = 0;
    std::size_t high = m_positions.size();
    const std::size_t previous = m_lastNonWhiteSpaceFound;
    if (previous < high && m_positions[previous] < start) {
        low = previous + 1;
        for (std::size_t step = 1; low < high; step *= 2) {
            const std::size_t probe = std::min(previous + step, high - 1);
            if (m_positions[probe] >= start) {
                high = probe + 1;
                break;
            }
            low = probe + 1;
        }
    }
    const auto found = std::lower_bound(m_positions.begin() + static_cast<std::ptrdiff_t>(low),
        m_positions.begin() + static_cast<std::ptrdiff_t>(high), start);
    m_lastNonWhiteSpaceFound = static_cast<std::size_t>(found - m_positions.begin());
    return m_lastNonWhiteSpaceFound;
}

std::vector<std::uint32_t> ScriptTextCharacters::nonWhiteSpaceKeys(QStringView text) const
{
    std::vector<std::uint32_t> result;
    GraphemeClusters::forEach(text, [&](QStringView current) {
        if (UnicodeText::isWhiteSpace(UnicodeText::firstScalar(current)))
            return true;
        result.push_back(existingKey(current));
        return true;
    });
    return result;
}

std::optional<std::size_t> ScriptTextCharacters::matchLengthAt(QStringView chunk, std::size_t first) const
{
    std::size_t next = first;
    qsizetype position = 0;
    GraphemeClusters::ClusterWalker walker(chunk);
    while (position < chunk.size()) {
        const qsizetype end = walker.nextBoundary(position);
        const QStringView current = chunk.sliced(position, end - position);
        position = end;
        const char16_t unit = current.front().unicode();
        const bool singleUnit = current.size() == 1;
        if (singleUnit ? UnicodeTables::has(unit, UnicodeTables::whiteSpace)
                       : UnicodeText::isWhiteSpace(UnicodeText::firstScalar(current)))
            continue;
        if (next >= m_keys.size())
            return std::nullopt;
        const bool ownKey = singleUnit && UnicodeTables::has(unit, UnicodeTables::ownCanonicalKey);
        if ((ownKey ? unit : existingKey(current)) != m_keys[next])
            return std::nullopt;
        ++next;
    }
    return next - first;
}

std::uint32_t ScriptTextCharacters::existingKey(QStringView character) const
{
    QString decomposed;
    if (const auto key = scalarKey(character, decomposed))
        return *key;
    return m_composedKeys.value(decomposed, unmatchableKey);
}

std::optional<std::uint32_t> ScriptTextCharacters::decomposedKey(QStringView character, QString &decomposed)
{
    const char32_t scalar = UnicodeText::firstScalar(character);
    const bool singleScalar = character.size() == (scalar > 0xFFFF ? 2 : 1);
    if (singleScalar) {
        icu::UnicodeString mapping;
        if (!canonicalDecomposer()->getDecomposition(static_cast<UChar32>(scalar), mapping))
            return scalar;
        decomposed = toQString(mapping);
    } else {
        decomposed = canonicalDecomposition(character);
    }
    const auto scalars = decomposed.toUcs4();
    if (scalars.size() == 1)
        return scalars.front();
    return std::nullopt;
}

std::uint32_t ScriptTextCharacters::internedKey(QStringView character)
{
    QString decomposed;
    if (const auto key = scalarKey(character, decomposed))
        return *key;
    const auto found = m_composedKeys.constFind(decomposed);
    if (found != m_composedKeys.cend())
        return found.value();
    const auto key = firstComposedKey + static_cast<std::uint32_t>(m_composedKeys.size());
    m_composedKeys.insert(decomposed, key);
    return key;
}

} // namespace lumetra
