#include "ScriptParserSteps.h"

#include <gtest/gtest.h>

using namespace lumetra;
using namespace lumetra::ScriptParser::Steps;

TEST(ScriptParserSteps, FlushJoinsTrimmedLinesAndAlwaysEmptiesTheCollection)
{
    std::vector<PendingParagraph> pending;
    const QString first = QStringLiteral("  第一行\u3000");
    const QString blank = QStringLiteral("\u00A0 ");
    const QString second = QStringLiteral("第二行");
    std::vector<QStringView> lines = {first, blank, second};
    flushParagraph(lines, 7, pending);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(pending, (std::vector<PendingParagraph>{{QStringLiteral("第一行 第二行"), 7}}));

    lines = {blank};
    flushParagraph(lines, 9, pending);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(pending.size(), 1u);
}

TEST(ScriptParserSteps, SplitCutsAfterEveryEndingAndKeepsItInTheChunk)
{
    EXPECT_EQ(splitIntoDisplayChunks(QStringLiteral("一。二！三？四!五?六；七;八")),
              (std::vector<QString>{QStringLiteral("一。"), QStringLiteral("二！"), QStringLiteral("三？"),
                                    QStringLiteral("四!"), QStringLiteral("五?"), QStringLiteral("六；"),
                                    QStringLiteral("七;"), QStringLiteral("八")}));
    EXPECT_EQ(splitIntoDisplayChunks(QStringLiteral("好。 \u3000 再見")),
              (std::vector<QString>{QStringLiteral("好。"), QStringLiteral("再見")}));
    // A sentence ending that carries a combining mark is another character and ends nothing.
    EXPECT_EQ(splitIntoDisplayChunks(QStringLiteral("甲。\u0301乙")), std::vector<QString>{QStringLiteral("甲。\u0301乙")});
}

TEST(ScriptParserSteps, SplitFallsBackToTheWholeTextWhenNothingRemains)
{
    EXPECT_EQ(splitIntoDisplayChunks(QStringLiteral("  ")), std::vector<QString>{QStringLiteral("  ")});
}

TEST(ScriptParserSteps, AppendChunkCutsLongChunksWithoutTrimmingThePieces)
{
    std::vector<QString> chunks;
    appendChunk(QStringLiteral(" \t "), chunks);
    EXPECT_TRUE(chunks.empty());

    // 31 letters, a space, then 12 more: the second piece begins with the space.
    const QString text = QString(31, u'a') + u' ' + QString(12, u'b');
    appendChunk(QStringLiteral("  ") + text + QStringLiteral("  "), chunks);
    EXPECT_EQ(chunks, (std::vector<QString>{QString(31, u'a') + u' ', QString(12, u'b')}));
}

TEST(ScriptParserSteps, LocateIgnoresWhiteSpaceOnBothSides)
{
    const QString text = QStringLiteral("前言\n  第一行\n\t第二行。後");
    const ScriptTextCharacters characters(text);
    EXPECT_EQ(locateChunk(QStringLiteral("第一行 第二行。"), characters, 0), (ChunkLocation{5, 14}));
    EXPECT_EQ(locateChunk(QStringLiteral("第一行"), characters, 6), std::nullopt);
    EXPECT_EQ(locateChunk(QStringLiteral("後"), characters, -5), (ChunkLocation{14, 15}));
    EXPECT_EQ(locateChunk(QStringLiteral(" \u3000 "), characters, 0), std::nullopt);
    EXPECT_EQ(locateChunk(QStringLiteral("不在"), characters, 0), std::nullopt);
    EXPECT_EQ(locateChunk(QStringLiteral("後"), characters, 100), std::nullopt);
}

TEST(ScriptParserSteps, LocateComparesCharactersByCanonicalEquivalence)
{
    // Text holds é precomposed and Å as A + ring; the chunk the other way round.
    const QString text = QStringLiteral("x caf\u00E9 A\u030A y");
    const ScriptTextCharacters characters(text);
    EXPECT_EQ(locateChunk(QStringLiteral("cafe\u0301\u00C5"), characters, 0), (ChunkLocation{2, 8}));
    // Same base letter without the mark is a different character.
    EXPECT_EQ(locateChunk(QStringLiteral("cafe"), characters, 0), std::nullopt);
}

TEST(ScriptParserSteps, LocateFindsTheFirstMatchAfterRestartingOnMismatch)
{
    const QString text = QStringLiteral("ababac ab ac");
    const ScriptTextCharacters characters(text);
    EXPECT_EQ(locateChunk(QStringLiteral("abac"), characters, 0), (ChunkLocation{2, 6}));
    EXPECT_EQ(locateChunk(QStringLiteral("abac"), characters, 3), (ChunkLocation{7, 12}));
}
