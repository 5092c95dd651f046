#include "PresenterSimulation.h"

#include "ChineseCharacterFolding.h"
#include "ScriptParser.h"

#include <algorithm>
#include <limits>
#include <random>

namespace lumetra::bench {
namespace {

// Seconds between two characters of one sentence at the slowest pace; longer gaps are pauses.
constexpr double slowestCharacter = 1 / 3.5;

// Characters a recogniser might put in the place of one it misheard.
const QString soundAlikes
    = QStringLiteral("的是在有個人這中大為上們到說時要就出會也你對生能而子那得於著下自之年過發後作里用道行所然家種事成"
                     "方多經麼去法學如都同現當沒動面起看定天分還進好小部其些主樣理心她本前開但因只從想實");

enum class Saying { Script, Reread, Aside };

struct Utterance {
    QString readable; // what is said, as readable characters
    std::int64_t presenterChunk; // where in the script the presenter is meanwhile
    Saying kind;
};

// One character as the recogniser hears it, at the time it is said.
struct Heard {
    double time;
    QString text; // empty when the recogniser lost it
    std::int64_t presenterChunk;
    Saying kind;
    bool startsChunk; // the first character of a script chunk read
    bool endsRun; // the recogniser ends its run after this character
};

class Talk {
public:
    Talk(const VoiceSyncAligner &aligner, const QStringList &asides, const PresenterOptions &options)
        : m_chunks(aligner.chunks())
        , m_asides(asides)
        , m_options(options)
        , m_random(options.seed)
    {
    }

    std::vector<Utterance> presentation()
    {
        std::vector<Utterance> said;
        const std::int64_t count = m_chunks.count();
        for (std::int64_t i = 0; i < count; ++i) {
            if (i > 0 && i + 1 < count && chance() < 0.03)
                continue; // one sentence left out
            if (i > 0 && i + 6 < count && chance() < 0.006) {
                i += 1 + below(5); // a passage of two to six sentences left out
                continue;
            }
            said.push_back({ readable(m_chunks.paragraph(i).text), i, Saying::Script });
            const std::int64_t next = std::min(i + 1, count - 1);
            if (i > 0 && chance() < 0.03)
                said.push_back({ readable(m_chunks.paragraph(i - 1).text), next, Saying::Reread });
            if (!m_asides.isEmpty() && chance() < m_options.asideShare)
                said.push_back({ readable(m_asides.at(below(m_asides.size()))), next, Saying::Aside });
        }
        return said;
    }

    std::vector<Heard> hear(const std::vector<Utterance> &said)
    {
        const double charactersPerSecond = 1 / slowestCharacter + 2.0 * chance();
        std::vector<Heard> heard;
        double now = 0;
        for (const Utterance &utterance : said) {
            const bool restartsMidway = chance() < 0.05;
            for (qsizetype at = 0; at < utterance.readable.size(); ++at) {
                now += 1.0 / charactersPerSecond;
                const bool startsChunk = at == 0 && utterance.kind == Saying::Script;
                const bool endsRun = restartsMidway && at == utterance.readable.size() / 2;
                for (const QString &text : misheard(utterance.readable.at(at)))
                    heard.push_back({ now, text, utterance.presenterChunk, utterance.kind, startsChunk, false });
                heard.back().endsRun = endsRun;
            }
            if (!heard.empty() && chance() < 0.5)
                heard.back().endsRun = true;
            now += chance() < 0.04 ? 4.0 + 8.0 * chance() : 0.3 + 0.9 * chance();
        }
        if (!heard.empty())
            heard.back().endsRun = true;
        return heard;
    }

    double chance() { return std::uniform_real_distribution<double>(0.0, 1.0)(m_random); }
    qsizetype below(qsizetype bound) { return std::uniform_int_distribution<qsizetype>(0, bound - 1)(m_random); }

private:
    static QString readable(const QString &text) { return ScriptParser::normalizedReadableText(text); }

    // What the recogniser writes for one character said: mostly a sound-alike in its place,
    // sometimes nothing or an extra character.
    QStringList misheard(QChar said)
    {
        QString written(said);
        QStringList result;
        if (chance() < m_options.misrecognisedShare) {
            const double kind = chance();
            if (kind < 0.1)
                written.clear();
            else if (kind < 0.2)
                result.append(soundAlike());
            else
                written = soundAlike();
        }
        result.append(m_options.simplifiedOutput ? ChineseCharacterFolding::toSimplified(written) : written);
        return result;
    }

    QString soundAlike() { return soundAlikes.at(below(soundAlikes.size())); }

    const ScriptChunkIndex &m_chunks;
    const QStringList &m_asides;
    PresenterOptions m_options;
    std::mt19937 m_random;
};

// Keeps the figures while updates are applied.
class Scorer {
public:
    explicit Scorer(std::int64_t chunkCount)
        : m_readAt(static_cast<std::size_t>(chunkCount), -1)
        , m_reachedAt(static_cast<std::size_t>(chunkCount), -1)
    {
    }

    void chunkStarted(std::int64_t chunk, double time)
    {
        auto &start = m_readAt[static_cast<std::size_t>(chunk)];
        if (start < 0)
            start = time;
    }

    void reading(double seconds, std::int64_t presenterChunk)
    {
        m_reading += seconds;
        if (presenterChunk > m_shown)
            m_readingBehind += seconds;
    }

    void update(const VoiceSyncPosition &before, const VoiceSyncPosition &after, const Heard &presenter, double now)
    {
        const std::int64_t shown = after.currentParagraphIndex;
        ++m_figures.updates;
        if (std::abs(shown - presenter.presenterChunk) <= 1)
            ++m_figures.updatesWithinOneChunk;
        std::int64_t &lead = presenter.kind == Saying::Reread ? m_figures.worstLeadWhileRereading : m_figures.worstLead;
        lead = std::max(lead, shown - presenter.presenterChunk);
        m_figures.worstLag = std::max(m_figures.worstLag, presenter.presenterChunk - shown);
        if (after.spokenReadableCharacterCount != before.spokenReadableCharacterCount)
            m_readingAtAdvance = m_reading;
        m_figures.longestReadingWithoutAdvance
            = std::max(m_figures.longestReadingWithoutAdvance, m_reading - m_readingAtAdvance);
        m_shown = shown;
        if (after.spokenReadableCharacterCount != before.spokenReadableCharacterCount)
            m_readingBehindAtAdvance = m_readingBehind;
        m_figures.longestReadingBehindWithoutAdvance
            = std::max(m_figures.longestReadingBehindWithoutAdvance, m_readingBehind - m_readingBehindAtAdvance);
        for (std::int64_t chunk = 0; chunk <= shown; ++chunk) {
            auto &at = m_reachedAt[static_cast<std::size_t>(chunk)];
            if (at < 0)
                at = now;
        }
    }

    FollowFigures finish()
    {
        // In time: before the presenter starts the second chunk after it.
        std::vector<std::size_t> readOrder;
        for (std::size_t chunk = 0; chunk < m_readAt.size(); ++chunk) {
            if (m_readAt[chunk] >= 0)
                readOrder.push_back(chunk);
        }
        std::sort(readOrder.begin(), readOrder.end(),
            [this](std::size_t a, std::size_t b) { return m_readAt[a] < m_readAt[b]; });
        for (std::size_t i = 0; i < readOrder.size(); ++i) {
            const std::size_t chunk = readOrder[i];
            const double deadline
                = i + 2 < readOrder.size() ? m_readAt[readOrder[i + 2]] : std::numeric_limits<double>::max();
            ++m_figures.readChunks;
            if (m_reachedAt[chunk] < 0 || m_reachedAt[chunk] > deadline)
                continue;
            ++m_figures.reachedChunks;
            m_figures.reachDelays.push_back(m_reachedAt[chunk] - m_readAt[chunk]);
        }
        return m_figures;
    }

private:
    FollowFigures m_figures;
    std::vector<double> m_readAt; // when the presenter started each chunk, -1 if never
    std::vector<double> m_reachedAt; // when the Voice Sync chunk first got to or beyond it
    double m_reading = 0;
    double m_readingAtAdvance = 0;
    std::int64_t m_shown = 0; // the Voice Sync chunk after the latest update
    double m_readingBehind = 0; // seconds of reading while the Voice Sync chunk was behind
    double m_readingBehindAtAdvance = 0;
};

} // namespace

FollowFigures followPresenter(
    const VoiceSyncAligner &aligner, const QStringList &asides, const PresenterOptions &options)
{
    Talk talk(aligner, asides, options);
    const std::vector<Heard> heard = talk.hear(talk.presentation());
    const double lag = 0.25 + 0.35 * talk.chance(); // partial results trail the voice

    Scorer scorer(aligner.chunks().count());
    VoiceSyncPosition position; // Voice Sync switched on at chunk 0 at time 0
    position.voiceSyncParagraphIndex = 0;
    std::size_t runStart = 0; // first character of the recogniser's run
    std::size_t said = 0; // characters said so far
    std::size_t transcribed = 0; // characters of the run in the last delivered transcript
    double nextPartial = options.partialInterval;

    const auto deliver = [&](std::size_t end, double now) {
        QString transcript;
        for (std::size_t i = runStart; i < end; ++i)
            transcript += heard[i].text;
        transcribed = end;
        const VoiceSyncPosition before = position;
        position = aligner.handleVoiceSyncUpdate(transcript, position, now).position;
        scorer.update(before, position, heard[said - 1], now);
    };

    while (said < heard.size()) {
        const Heard &next = heard[said];
        // Partial results while the run goes on: what was said up to `lag` ago.
        while (nextPartial < next.time) {
            std::size_t end = runStart;
            while (end < said && heard[end].time <= nextPartial - lag)
                ++end;
            if (end > transcribed)
                deliver(end, nextPartial);
            nextPartial += options.partialInterval;
        }
        if (next.startsChunk)
            scorer.chunkStarted(next.presenterChunk, next.time);
        if (next.kind == Saying::Script && said > 0)
            scorer.reading(std::min(next.time - heard[said - 1].time, slowestCharacter), next.presenterChunk);
        ++said;
        if (next.endsRun) {
            // The final result with the whole run, then a new run starts from nothing.
            deliver(said, next.time + lag);
            runStart = transcribed = said;
            nextPartial = next.time + lag + options.partialInterval;
        }
    }
    return scorer.finish();
}

} // namespace lumetra::bench
