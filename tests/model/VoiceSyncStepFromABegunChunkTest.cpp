#include "HeardTranscripts.h"
#include "VoiceSyncAligner.h"

#include <gtest/gtest.h>

using namespace lumetra;
using lumetra::testing::chunksOf;
using lumetra::testing::hear;
using lumetra::testing::Spoken;
using lumetra::testing::startOf;

TEST(VoiceSyncStepFromABegunChunk, AChunkHeardWithItsLastWordsWrongIsFinishedWhenThePresenterReadsOn)
{
    // Chunk 5 heard as 已經公經麼 left the count two characters short of its end. The presenter
    // reads chunk 6, heard as nothing of it (的那心她天後還本), then chunk 7 (第所中安排個合里), too
    // garbled to move to: the count finishes chunk 5, and the prompter shows chunk 6, next to him.
    const ScriptChunkIndex chunks = chunksOf({ QStringLiteral("慢慢把關鍵的問題簡化好。"),
        QStringLiteral("老實說這套系統就說明紀錄，都追蹤每週的交接文件。"),
        QStringLiteral("反過來說我們比較回頭看看快速的範本，新同事說明檔案！"),
        QStringLiteral("工程師規劃帳號和專案進度，很多公司通常分類資料夾！"), QStringLiteral("這就是問題。"),
        QStringLiteral("已經公開嗎？"), QStringLiteral("講到這裡回頭看看數字！"), QStringLiteral("第二步是安排合約。"),
        QStringLiteral("還是處理這個發票，很多公司真的建立客戶需求和意見？"), QStringLiteral("第五次比較常見。"),
        QStringLiteral("客戶安排昂貴的預約。"), QStringLiteral("你會發現客戶移除排程和考試？") });
    const VoiceSyncAligner aligner(chunks);
    VoiceSyncPosition readToLastButTwo = startOf(chunks, 5);
    readToLastButTwo.spokenReadableCharacterCount += 3;
    readToLastButTwo.heard = { QStringLiteral("這就是問題"), QStringLiteral("已經公經麼"), 2, 5 };
    double now = 1;
    readToLastButTwo.lastAdvanceTime = now;
    Spoken spoken { readToLastButTwo };
    for (const QString &run : { QStringLiteral("的那心她天後還本"), QStringLiteral("第所中安排個合里") }) {
        QStringList partials;
        for (qsizetype length = 1; length <= run.size(); ++length)
            partials.append(run.left(length));
        spoken = hear(aligner, spoken.position, partials, now, 0.15);
        now += 0.5;
    }
    EXPECT_EQ(spoken.furthestChunk, 6);
    EXPECT_EQ(spoken.position.spokenReadableCharacterCount, chunks.paragraph(6).globalReadableStart);
}
