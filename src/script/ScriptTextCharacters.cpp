#include "ScriptTextCharacters.h"

#include "GraphemeClusters.h"
#include "UnicodeText.h"

#include <unicode/normalizer2.h>

namespace lumetra {
namespace {

constexpr std::uint32_t firstComposedKey = 0x110000; // above every scalar value
constexpr std::uint32_t unmatchableKey = 0xFFFFFFFF;

// Units that have no canonical decomposition, so a one-unit character of them is its own key:
// ASCII, CJK punctuation, the unified ideographs and the full-width forms.
bool isPlainUnit(char16_t unit)
{
    return unit < 0xC0 || (unit >= 0x3000 && unit <= 0x303F) || (unit >= 0x4E00 && unit <= 0x9FFF)
           || (unit >= 0xFF01 && unit <= 0xFF5E);
}

QString canonicalDecomposition(QStringView character)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2 *nfd = icu::Normalizer2::getNFDInstance(status);
    if (U_FAILURE(status))
        return character.toString();
    const icu::UnicodeString source(false, reinterpret_cast<const UChar *>(character.utf16()),
                                    static_cast<int32_t>(character.size()));
    icu::UnicodeString decomposed;
    nfd->normalize(source, decomposed, status);
    if (U_FAILURE(status))
        return character.toString();
    return QString(reinterpret_cast<const QChar *>(decomposed.getBuffer()), decomposed.length());
}

} // namespace

ScriptTextCharacters::ScriptTextCharacters(QStringView text)
    : m_text(text)
    , m_boundaries(GraphemeClusters::boundaries(text))
{
    const std::int64_t count = size();
    m_keys.reserve(static_cast<std::size_t>(count));
    m_positions.reserve(static_cast<std::size_t>(count));
    for (std::int64_t index = 0; index < count; ++index) {
        const QStringView current = character(index);
        if (UnicodeText::isWhiteSpace(UnicodeText::firstScalar(current)))
            continue;
        m_keys.push_back(internedKey(current));
        m_positions.push_back(index);
    }
}

QStringView ScriptTextCharacters::character(std::int64_t index) const
{
    const qsizetype begin = utf16Offset(index);
    return m_text.sliced(begin, utf16Offset(index + 1) - begin);
}

std::vector<std::uint32_t> ScriptTextCharacters::nonWhiteSpaceKeys(QStringView text) const
{
    std::vector<std::uint32_t> result;
    GraphemeClusters::forEach(text, [&](QStringView current) {
        if (UnicodeText::isWhiteSpace(UnicodeText::firstScalar(current)))
            return true;
        QString decomposed;
        if (const auto key = scalarKey(current, decomposed))
            result.push_back(*key);
        else
            result.push_back(m_composedKeys.value(decomposed, unmatchableKey));
        return true;
    });
    return result;
}

std::optional<std::uint32_t> ScriptTextCharacters::scalarKey(QStringView character, QString &decomposed)
{
    if (character.size() == 1 && isPlainUnit(character.front().unicode()))
        return character.front().unicode();
    decomposed = canonicalDecomposition(character);
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
