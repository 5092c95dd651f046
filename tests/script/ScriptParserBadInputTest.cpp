#include "ScriptParser.h"

#include <gtest/gtest.h>

using namespace lumetra;

// Each of these must parse quickly and without failing; under the CTest time-out a quadratic
// slip would show as a time-out rather than a slow pass.

TEST(ScriptParserBadInput, OneVeryLongLineWithoutAnEnding)
{
    const QString line(100000, u'字');
    const auto chunks = ScriptParser::parse(line).paragraphs();
    ASSERT_EQ(chunks.size(), 3125u); // 100000 / 32
    EXPECT_EQ(chunks.back().sourceOffset, 99968);
    EXPECT_EQ(chunks.back().globalReadableStart, 99968);
}

TEST(ScriptParserBadInput, TenThousandHeadings)
{
    QString text;
    for (int i = 0; i < 10000; ++i)
        text += QStringLiteral("# 標題%1\n").arg(i);
    EXPECT_EQ(ScriptParser::parse(text), ScriptDocument::empty());
    text += QStringLiteral("內容。\n");
    for (int i = 0; i < 10000; ++i)
        text += QStringLiteral("# 再一個%1\n").arg(i);
    const auto document = ScriptParser::parse(text);
    EXPECT_EQ(document.sections.size(), 10001u);
    EXPECT_EQ(document.sections.front().title, QStringLiteral("標題9999"));
}

TEST(ScriptParserBadInput, AlmostAllWhiteSpace)
{
    QString text(200000, u' ');
    text.replace(100000, 1, QStringLiteral("字"));
    for (int i = 0; i < 200000; i += 997)
        text[i] = u'\n';
    const auto chunks = ScriptParser::parse(text).paragraphs();
    ASSERT_EQ(chunks.size(), 1u);
    EXPECT_EQ(chunks[0].text, QStringLiteral("字"));
    EXPECT_EQ(chunks[0].sourceOffset, 100000);
}

TEST(ScriptParserBadInput, UnpairedSurrogatesAndNulCharacters)
{
    QString text = QStringLiteral("甲");
    text += QChar(0xD800);
    text += QStringLiteral("乙。");
    text += QChar(0xDC00);
    text += QChar(u'\0');
    text += QStringLiteral("丙。\n");
    text += QChar(0xDBFF);
    const auto chunks = ScriptParser::parse(text).paragraphs();
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[1].sourceOffset, 4);
    EXPECT_EQ(chunks[1].globalReadableStart, 2);
    EXPECT_EQ(ScriptParser::readableLength(chunks[1].text), 1);
    EXPECT_EQ(chunks[2].sourceOffset, 9); // the last line joins the paragraph
}

TEST(ScriptParserBadInput, ChunksThatCannotBeFoundAgainStayCheap)
{
    // A space that carries a combining mark joins two lines into a different character, so the
    // chunk is not found in the text; thousands of them must not make the parse quadratic.
    QString text;
    for (int i = 0; i < 3000; ++i)
        text += QStringLiteral("甲乙\n\u0301丙丁。\n\n");
    const auto chunks = ScriptParser::parse(text).paragraphs();
    ASSERT_EQ(chunks.size(), 3000u);
    EXPECT_EQ(chunks[1].sourceOffset, 9); // not found: the paragraph's start offset
}
