#include "HeardTranscripts.h"

#include "ScriptParser.h"

#include <algorithm>

namespace lumetra::testing {

ScriptChunkIndex chunksOf(const QStringList &sentences)
{
    return ScriptChunkIndex(ScriptParser::parse(sentences.join(QString())));
}

VoiceSyncPosition startOf(const ScriptChunkIndex &chunks, std::int64_t chunk)
{
    return { chunk, chunk, chunks.paragraph(chunk).globalReadableStart, 0 };
}

Spoken hear(const VoiceSyncAligner &aligner, VoiceSyncPosition position, const QStringList &transcripts, double &now,
    double interval)
{
    Spoken result { position, position.currentParagraphIndex };
    for (const QString &transcript : transcripts) {
        now += interval;
        result.position = aligner.handleVoiceSyncUpdate(transcript, result.position, now).position;
        result.furthestChunk = std::max(result.furthestChunk, result.position.currentParagraphIndex);
    }
    return result;
}

Spoken speak(const VoiceSyncAligner &aligner, VoiceSyncPosition position, const QString &sentence, double &now,
    const QString &heardBefore)
{
    const QString readable = ScriptParser::normalizedReadableText(sentence);
    QStringList partials;
    for (qsizetype length = 1; length <= readable.size(); ++length)
        partials.append(heardBefore + readable.left(length));
    return hear(aligner, position, partials, now, 0.25);
}

} // namespace lumetra::testing
