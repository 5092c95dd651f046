#include "AlignmentCharacters.h"

#include "ChineseCharacterFolding.h"
#include "GraphemeClusters.h"

#include <QHash>
#include <QList>
#include <QString>

#include <mutex>

namespace lumetra {
namespace {

constexpr char32_t firstSequenceKey = 0x110000; // just past the last code point

char32_t sequenceKey(const QString &sequence)
{
    static std::mutex mutex;
    static QHash<QString, char32_t> keys;
    const std::lock_guard lock(mutex);
    const auto found = keys.constFind(sequence);
    if (found != keys.constEnd())
        return *found;
    const char32_t key = firstSequenceKey + static_cast<char32_t>(keys.size());
    keys.insert(sequence, key);
    return key;
}

} // namespace

AlignmentCharacters alignmentCharacters(QStringView text)
{
    AlignmentCharacters keys;
    keys.reserve(text.size());
    GraphemeClusters::forEach(text, [&keys](QStringView cluster) {
        const QList<uint> scalars = cluster.toUcs4();
        if (scalars.size() == 1)
            keys.push_back(ChineseCharacterFolding::toSimplified(scalars.front()));
        else
            keys.push_back(sequenceKey(ChineseCharacterFolding::toSimplified(cluster)));
        return true;
    });
    return keys;
}

} // namespace lumetra
