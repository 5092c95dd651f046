// The readable form of any text, and its count, agree with each other and with their definition.

#include "FuzzSupport.h"
#include "GraphemeClusters.h"
#include "ScriptParser.h"
#include "UnicodeText.h"

using namespace lumetra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = fuzz::utf16FromBytes(data, size);
    const QString readable = ScriptParser::normalizedReadableText(text);
    const std::int64_t length = ScriptParser::readableLength(text);

    // The definition spelled out on the whole text: the characters of its lower-case form that
    // begin with a letter or number. The count is of these characters; joined, two of them may
    // read as one (a Hangul jamo after a dropped "!"), so the count is not re-counted from the result.
    QString expected;
    std::int64_t expectedLength = 0;
    GraphemeClusters::forEach(UnicodeText::fullLowercase(text), [&](QStringView character) {
        if (UnicodeText::isLetterOrNumber(UnicodeText::firstScalar(character))) {
            expected += character;
            ++expectedLength;
        }
        return true;
    });
    LUMETRA_FUZZ_CHECK(readable == expected);
    LUMETRA_FUZZ_CHECK(length == expectedLength);
    LUMETRA_FUZZ_CHECK(GraphemeClusters::count(readable) <= length);

    // A line end always separates characters, so the count of two texts on their own lines is
    // the sum of their counts, whichever way each of them is counted.
    const qsizetype half = text.size() / 2;
    const std::int64_t firstHalf = ScriptParser::readableLength(QStringView(text).first(half));
    const std::int64_t secondHalf = ScriptParser::readableLength(QStringView(text).sliced(half));
    const QString joined = text.first(half) + QLatin1Char('\n') + text.sliced(half);
    LUMETRA_FUZZ_CHECK(ScriptParser::readableLength(joined) == firstHalf + secondHalf);

    // The readable form is already readable.
    LUMETRA_FUZZ_CHECK(ScriptParser::normalizedReadableText(readable) == readable);
    return 0;
}
