#include "AlignerWithSearch.h"
#include "HeardTranscripts.h"
#include "ScriptParser.h"
#include "VoiceSyncAligner.h"

#include <gtest/gtest.h>

#include <limits>

using namespace lumetra;
using lumetra::testing::speak;
using lumetra::testing::startOf;
using lumetra::testing::withSearch;

namespace {

// A talk ending in two short sentences.
const QStringList talk = { QStringLiteral("這套系統解決這個問題使用者也觀察重要的廣告。"), QStringLiteral("都手動嗎？"),
    QStringLiteral("主管處理了。"), QStringLiteral("你重新想過了。") };

// The talk, or the talk with one more sentence after its end.
ScriptChunkIndex chunksOf(bool withASentenceAfter)
{
    const QStringList sentences = withASentenceAfter ? talk + QStringList { QStringLiteral("客戶排序了。") } : talk;
    ScriptChunkIndex chunks(ScriptParser::parse(sentences.join(QString())));
    EXPECT_EQ(chunks.count(), sentences.size());
    return chunks;
}

// The chunk shown after the presenter, at the start of chunk `chunk` with the words before it
// heard in the same recognition run, says `said`.
std::int64_t chunkAfterSaying(
    const ScriptChunkIndex &chunks, std::int64_t chunk, const QString &heardBefore, const QString &said)
{
    double now = 1;
    return speak(VoiceSyncAligner(chunks), startOf(chunks, chunk), said, now, heardBefore)
        .position.currentParagraphIndex;
}

// The chunk shown after one transcript of a run of its own, compared whole with the chunks
// around the position and not searched for.
std::int64_t chunkAfterComparingWhole(const ScriptChunkIndex &chunks, std::int64_t chunk, const QString &transcript)
{
    VoiceSyncAligner comparedWholeOnly(chunks);
    comparedWholeOnly.setRecoverySearch(std::nullopt);
    return comparedWholeOnly.handleVoiceSyncUpdate(transcript, startOf(chunks, chunk), 1.0)
        .position.currentParagraphIndex;
}

} // namespace

TEST(VoiceSyncLastChunk, TheLastSentenceReadAfterTheOneBeforeItWasLeftOutIsReached)
{
    // Chunk 2 left out and chunk 3, the last, heard with one character wrong and one heard extra: its
    // words in order weigh less than a sentence left out asks of the chunk after it.
    const QString heardBefore = QStringLiteral("都手動嗎");
    const QString lastSentence = QStringLiteral("你重子想種過了");
    EXPECT_EQ(chunkAfterSaying(chunksOf(false), 2, heardBefore, lastSentence), 3);
    // With a sentence after it, the same words are not enough to mark it read (an aside may go on
    // from them): the count steps to its start at most.
    const ScriptChunkIndex longer = chunksOf(true);
    double now = 1;
    EXPECT_EQ(speak(VoiceSyncAligner(longer), startOf(longer, 2), lastSentence, now, heardBefore)
                  .position.spokenReadableCharacterCount,
        longer.paragraph(3).globalReadableStart);
    // Two sentences before the end, they do not carry the prompter to it.
    EXPECT_LE(chunkAfterSaying(chunksOf(false), 1, QStringLiteral("重要的廣告"), lastSentence), 2);
}

TEST(VoiceSyncLastChunk, TheLastSentenceSaidAloneAndGarbledIsReached)
{
    // Chunk 2 said garbled and not found; chunk 3, the last, said as a run of its own with two of
    // its six characters wrong and compared whole: it scores what a short chunk due needs, less
    // than a chunk a sentence on needs.
    const QString lastSentence = QStringLiteral("你重新把過來");
    EXPECT_EQ(chunkAfterComparingWhole(chunksOf(false), 2, lastSentence), 3);
    EXPECT_EQ(chunkAfterComparingWhole(chunksOf(true), 2, lastSentence), 2);
}

TEST(VoiceSyncLastChunk, TheClosingSentenceReadAfterThePassageBeforeItWasLeftOutIsReached)
{
    // Read up to chunk 3; the presenter leaves out chunks 4 to 9 and closes with chunk 10, heard
    // word for word as a run of its own: beyond the window, and too few words for the search.
    QStringList closing
        = { QStringLiteral("什麼叫做保留完了？"), QStringLiteral("什麼叫做交給完了？"), QStringLiteral("客戶確認了。"),
              QStringLiteral("所以老闆馬上觀察問題，我們重新想過庫存和任務！"), QStringLiteral("什麼叫做確認完了？"),
              QStringLiteral("同樣地常常上傳交接文件和設定檔，設計師已經交給成果和聯絡人！"),
              QStringLiteral("一定清楚嗎？"), QStringLiteral("什麼叫做選擇完了？"),
              QStringLiteral("一定避開這個備份！"), QStringLiteral("這就是聯絡人。"), QStringLiteral("這就是照片！") };
    const auto shownAfterClosing = [](const QStringList &sentences) {
        const ScriptChunkIndex chunks(ScriptParser::parse(sentences.join(QString())));
        EXPECT_EQ(chunks.count(), sentences.size());
        double now = 1;
        return speak(VoiceSyncAligner(chunks), startOf(chunks, 4), QStringLiteral("這就是照片"), now)
            .position.currentParagraphIndex;
    };
    EXPECT_EQ(shownAfterClosing(closing), 10);
    // Followed by another sentence, the same words six sentences on are as likely an aside's.
    closing.append(QStringLiteral("客戶排序了。"));
    EXPECT_EQ(shownAfterClosing(closing), 4);
}

TEST(VoiceSyncLastChunk, TheClosingSentenceReadOnInTheRunOfTheSentenceBeforeTheOneLeftOutIsReached)
{
    // Chunk 8 read, chunk 9 left out, and the closing chunk 10 heard with a slip in the same run.
    // The latest words hold chunk 8 to its end nearly as well as they hold chunk 10.
    const QStringList sentences = { QStringLiteral("這就是會議紀錄。"),
        QStringLiteral("都簡化這個截圖，整理舊的密碼。"), QStringLiteral("新同事簡化了。"),
        QStringLiteral("團隊就選擇合約和訊息，拆開步驟和課程。"), QStringLiteral("新手還是整理截圖。"),
        QStringLiteral("第三次比較關鍵。"), QStringLiteral("把報告檢查好，我自己把這個課程調整好？"),
        QStringLiteral("第三步是客戶也把習慣和溝通方式測試好。"),
        QStringLiteral("很多公司上傳清楚的資料夾，這套系統準備報告和答案。"),
        QStringLiteral("主管把數字和網站合併好，學會節奏！"), QStringLiteral("這就是分類？") };
    const ScriptChunkIndex chunks(ScriptParser::parse(sentences.join(QString())));
    ASSERT_EQ(chunks.count(), sentences.size());
    const auto shownAfterClosing = [&](const VoiceSyncAligner &aligner) {
        double now = 1;
        return speak(aligner, startOf(chunks, 8),
            QStringLiteral("很多公司上傳對楚的資料夾這套系統準備報告和答案這就經分類"), now)
            .position.currentParagraphIndex;
    };
    EXPECT_EQ(shownAfterClosing(VoiceSyncAligner(chunks)), 10);
    // Weighed on the latest words alone, chunk 8's end rivals it, and the prompter stays on chunk 9.
    EXPECT_EQ(shownAfterClosing(withSearch(chunks,
                  [](RecoverySearch &search) {
                      search.fewestWordsHeardSinceSentenceEnded = std::numeric_limits<std::size_t>::max();
                  })),
        9);
}
