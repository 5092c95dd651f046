#include "PresenterSimulation.h"

#include "ChineseCharacterFolding.h"
#include "ScriptParser.h"

#include <algorithm>
#include <random>
#include <vector>

namespace lumetra::bench {
namespace {

// Characters a recogniser might put in the place of one it misheard.
const QString soundAlikes
    = QStringLiteral("的是在有個人這中大為上們到說時要就出會也你對生能而子那得於著下自之年過發後作里用道行所然家種事成"
                     "方多經麼去法學如都同現當沒動面起看定天分還進好小部其些主樣理心她本前開但因只從想實");

struct Utterance {
    QString readable; // what is said, as readable characters
    std::int64_t speakerChunk; // where in the script the presenter is meanwhile
};

std::vector<Utterance> presentation(const VoiceSyncAligner &aligner, const QString &unscripted, std::int64_t &skipped)
{
    const ScriptChunkIndex &chunks = aligner.chunks();
    const std::int64_t count = chunks.count();
    const std::int64_t adLibAfter = count / 4;
    const std::int64_t rereadAfter = count / 2;
    // The skipped sentence is followed by one long enough to be recognised on its own.
    skipped = count * 3 / 4;
    while (skipped + 2 < count && chunks.readableLength(skipped + 1) < 12)
        ++skipped;
    std::vector<Utterance> said;
    for (std::int64_t i = 0; i < count; ++i) {
        if (i == skipped)
            continue;
        said.push_back({ ScriptParser::normalizedReadableText(chunks.paragraph(i).text), i });
        // Between sentences the presenter is about to read the next one.
        if (i == adLibAfter)
            said.push_back({ ScriptParser::normalizedReadableText(unscripted), i + 1 });
        if (i == rereadAfter)
            said.push_back({ ScriptParser::normalizedReadableText(chunks.paragraph(i - 1).text), i + 1 });
    }
    return said;
}

} // namespace

FollowFigures followPresenter(
    const VoiceSyncAligner &aligner, const QString &unscripted, const PresenterOptions &options)
{
    std::mt19937 random(options.seed);
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    std::int64_t skipped = 0;
    const std::vector<Utterance> said = presentation(aligner, unscripted, skipped);

    FollowFigures figures;
    VoiceSyncPosition position; // Voice Sync switched on at chunk 0 at time 0
    position.voiceSyncParagraphIndex = 0;
    QString transcript;
    double now = 0;
    double nextPartial = options.partialInterval;

    const auto deliver = [&](std::int64_t speakerChunk) {
        position = aligner.handleVoiceSyncUpdate(transcript, position, now).position;
        const std::int64_t shown = position.currentParagraphIndex;
        ++figures.updates;
        if (std::abs(shown - speakerChunk) <= 1)
            ++figures.updatesWithinOneChunk;
        figures.worstLead = std::max(figures.worstLead, shown - speakerChunk);
        figures.worstLag = std::max(figures.worstLag, speakerChunk - shown);
    };

    for (const Utterance &utterance : said) {
        for (const QChar character : utterance.readable) {
            now += 1.0 / options.charactersPerSecond;
            QChar heard = character;
            if (chance(random) < options.misrecognisedShare)
                heard = soundAlikes.at(std::uniform_int_distribution<qsizetype>(0, soundAlikes.size() - 1)(random));
            transcript += options.simplifiedOutput ? ChineseCharacterFolding::toSimplified(QStringView(&heard, 1))
                                                   : QString(heard);
            if (now >= nextPartial) {
                deliver(utterance.speakerChunk);
                nextPartial = now + options.partialInterval;
            }
        }
        if (utterance.speakerChunk == skipped + 1 && utterance.readable.size() > 0)
            figures.skippedSentenceFollowed = position.currentParagraphIndex >= skipped + 1;
        now += options.pauseAfterSentence;
        // The end of speech ends a recognition run about every second sentence: one final
        // result with the whole transcript, then a new run starts from nothing.
        if (chance(random) < 0.5) {
            deliver(utterance.speakerChunk);
            transcript.clear();
        }
        nextPartial = now + options.partialInterval;
    }
    figures.reachedLastChunk = position.currentParagraphIndex == aligner.chunks().count() - 1;
    return figures;
}

} // namespace lumetra::bench
