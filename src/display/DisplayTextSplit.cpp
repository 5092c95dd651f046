#include "DisplayTextSplit.h"

#include "GraphemeClusters.h"
#include "UnicodeText.h"

namespace lumetra {

qsizetype splitDisplayText(QStringView text, std::int64_t spokenReadableCount)
{
    if (spokenReadableCount <= 0)
        return 0;
    std::int64_t counted = 0;
    qsizetype split = text.size();
    qsizetype position = 0;
    GraphemeClusters::forEach(text, [&](QStringView character) {
        position += character.size();
        if (UnicodeText::isLetterOrNumber(UnicodeText::firstScalar(character)) && ++counted == spokenReadableCount) {
            split = position;
            return false;
        }
        return true;
    });
    return split;
}

} // namespace lumetra
