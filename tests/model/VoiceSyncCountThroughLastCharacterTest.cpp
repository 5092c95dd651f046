#include "HeardTranscripts.h"
#include "VoiceSyncAligner.h"

#include <gtest/gtest.h>

using namespace lumetra;
using lumetra::testing::chunksOf;
using lumetra::testing::speak;
using lumetra::testing::Spoken;
using lumetra::testing::startOf;

TEST(VoiceSyncCountThroughLastCharacter, AChunkReadToItsLastButOneIsFinishedByTheNextCharacterHeard)
{
    // Chunk 8 heard as 就是发, its last character lost, then 這 of the closing chunk 10, chunk 9
    // being left out. No match holds the count; finished, chunk 10 is the last one next.
    const ScriptChunkIndex chunks = chunksOf({ QStringLiteral("什麼叫做簡化完了？"),
        QStringLiteral("舉例來說很多公司回頭看看草稿！"), QStringLiteral("什麼叫做更新完了？"),
        QStringLiteral("馬上便宜嗎？"), QStringLiteral("常常說明貨運，大家已經交給這個會議紀錄！"),
        QStringLiteral("這就是貨運。"), QStringLiteral("真的麻煩嗎？"), QStringLiteral("第一次比較短期。"),
        QStringLiteral("這就是發票！"), QStringLiteral("業務學會了。"), QStringLiteral("這就是字幕。") });
    const VoiceSyncAligner aligner(chunks);
    double now = 1;
    const QString heard = QStringLiteral("这就是货运真的麻烦吗第一次比较短年方就是发");
    const Spoken readToLastButOne = speak(aligner, startOf(chunks, 5), heard, now);
    ASSERT_EQ(readToLastButOne.position.spokenReadableCharacterCount, chunks.paragraph(9).globalReadableStart - 1);

    now += 1;
    const Spoken readOn = speak(aligner, readToLastButOne.position, QStringLiteral("這"), now, heard);
    EXPECT_EQ(readOn.position.spokenReadableCharacterCount, chunks.paragraph(9).globalReadableStart);
    EXPECT_EQ(speak(aligner, readOn.position, QStringLiteral("就是時字幕"), now, heard + QStringLiteral("這"))
                  .position.currentParagraphIndex,
        10);
}

TEST(VoiceSyncCountThroughLastCharacter, AnAsideThatMovedTheCountIntoAChunkDoesNotFinishIt)
{
    // Words an aside shares with a chunk (分享, of 使用者分享了) moved the count to its last but one.
    // Its next word finishes nothing: the chunk was not read since the count reached it.
    const ScriptChunkIndex chunks
        = chunksOf({ QStringLiteral("這就是作業。"), QStringLiteral("第三次比較基本。"), QStringLiteral("我們設定了。"),
            QStringLiteral("這個流程規劃了。"), QStringLiteral("這就是提示詞。"), QStringLiteral("第一次比較手動。"),
            QStringLiteral("使用者分享了！"), QStringLiteral("這就是節奏。"), QStringLiteral("聯絡人呢？"),
            QStringLiteral("什麼叫做處理完了？"), QStringLiteral("其實這套系統避開習慣和備份，整理作業。") });
    const VoiceSyncAligner aligner(chunks);
    double now = 1;
    Spoken spoken = speak(aligner, startOf(chunks, 4), QStringLiteral("這就是提示得"), now);
    ASSERT_EQ(spoken.position.currentParagraphIndex, 5);
    now += 1;
    spoken = speak(aligner, spoken.position, QStringLiteral("比較訂單和版本分享好團隊"), now);
    // The presenter is due to read chunk 5.
    EXPECT_LE(spoken.furthestChunk, 6);
}

TEST(VoiceSyncCountThroughLastCharacter, AChunkHeardWorseThanThePresenterLatelyIsNotFinished)
{
    // Chunks 0 to 2 heard word for word, then an aside (我們觀察重複的會議紀錄) whose 複 moved the
    // count to the last but one of chunk 3 (第四次比較複雜), of which it holds nothing else: 的 does
    // not finish it, and no step runs the prompter on from the chunk after it.
    const ScriptChunkIndex chunks = chunksOf({ QStringLiteral("大家拆開內部的表單，工程師把時間表和習慣合併好。"),
        QStringLiteral("這就是廣告。"), QStringLiteral("老實說通常統計這個紀錄，把設定檔解決好！"),
        QStringLiteral("第四次比較複雜。"), QStringLiteral("把關鍵的影片測試好，每個人再說明程式。"),
        QStringLiteral("排序交接文件和分類，你重新想過專案進度。"),
        QStringLiteral("我們也把重複的預算統計好，團隊通常把會議紀錄移除好？"),
        QStringLiteral("你會發現真的寫下節奏？") });
    const VoiceSyncAligner aligner(chunks);
    double now = 1;
    const Spoken spoken = speak(aligner, startOf(chunks, 0),
        QStringLiteral("大家拆開內部的表單工程師把時間表和習慣合併好這就是廣告老實說通常統計這個紀錄把設定檔解決好"
                       "我們觀察重複的會議紀錄"),
        now);
    // The presenter is due to read chunk 3.
    EXPECT_LE(spoken.furthestChunk, 4);
}
