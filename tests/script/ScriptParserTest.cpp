#include "ScriptParser.h"
#include "GraphemeClusters.h"

#include <gtest/gtest.h>

using namespace lumetra;

namespace {

std::vector<QString> titles(const ScriptDocument &document)
{
    std::vector<QString> result;
    for (const auto &section : document.sections)
        result.push_back(section.title);
    return result;
}

std::vector<QString> texts(const ScriptDocument &document)
{
    std::vector<QString> result;
    for (const auto &chunk : document.paragraphs())
        result.push_back(chunk.text);
    return result;
}

} // namespace

TEST(ScriptParser, WorkedExampleGivesExactChunks)
{
    const auto document = ScriptParser::parse(
        QStringLiteral("# 開場\n\n第一段第一句。\n第一段第二句。\n\n第二段。\n\n# 結尾\n\n第三段。"));
    const std::vector<ScriptParagraph> expected = {
        { 0, 0, QStringLiteral("開場"), QStringLiteral("第一段第一句。"), 0, 6 },
        { 1, 0, QStringLiteral("開場"), QStringLiteral("第一段第二句。"), 6, 14 },
        { 2, 0, QStringLiteral("開場"), QStringLiteral("第二段。"), 12, 23 },
        { 10000, 1, QStringLiteral("結尾"), QStringLiteral("第三段。"), 15, 35 },
    };
    EXPECT_EQ(document.paragraphs(), expected);
    EXPECT_EQ(titles(document), (std::vector<QString> { QStringLiteral("開場"), QStringLiteral("結尾") }));
    EXPECT_EQ(document.sections[1].index, 1);
    EXPECT_EQ(document.totalReadableCharacterCount(), 18);
}

TEST(ScriptParser, TextsWithoutParagraphsGiveTheEmptyDocument)
{
    for (const QString &text : { QString(), QStringLiteral("\n\n  \n\u3000\n"), QStringLiteral("# A\n# B") }) {
        const auto document = ScriptParser::parse(text);
        EXPECT_EQ(document, ScriptDocument::empty()) << text.toStdString();
    }
    ASSERT_EQ(ScriptDocument::empty().sections.size(), 1u);
    EXPECT_EQ(ScriptDocument::empty().sections[0].title, QStringLiteral("未命名章節"));
    EXPECT_TRUE(ScriptDocument::empty().sections[0].paragraphs.empty());
}

TEST(ScriptParser, SectionsFormAroundHeadings)
{
    // Body text before a trailing heading: an untitled section, then an empty one.
    auto document = ScriptParser::parse(QStringLiteral("開場白。\n# A"));
    EXPECT_EQ(titles(document), (std::vector<QString> { QStringLiteral("未命名章節"), QStringLiteral("A") }));
    EXPECT_EQ(document.sections[0].paragraphs.size(), 1u);
    EXPECT_TRUE(document.sections[1].paragraphs.empty());

    // Leading headings without paragraphs are dropped.
    document = ScriptParser::parse(QStringLiteral("# A\n# B\n內容。"));
    ASSERT_EQ(document.sections.size(), 1u);
    EXPECT_EQ(document.sections[0].index, 0);
    EXPECT_EQ(document.sections[0].title, QStringLiteral("B"));

    // An empty section between two others keeps its place and index.
    document = ScriptParser::parse(QStringLiteral("# A\n甲。\n# B\n\n# C\n丙。"));
    EXPECT_EQ(
        titles(document), (std::vector<QString> { QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C") }));
    EXPECT_TRUE(document.sections[1].paragraphs.empty());
    ASSERT_EQ(document.sections[2].paragraphs.size(), 1u);
    EXPECT_EQ(document.sections[2].paragraphs[0].id, 20000);
    EXPECT_EQ(document.sections[2].paragraphs[0].sectionTitle, QStringLiteral("C"));
}

TEST(ScriptParser, OnlyNumberSignSpaceOpensASection)
{
    const auto document = ScriptParser::parse(
        QStringLiteral("## 二級\n#直接接字\n#\n\n   # 縮排標題\n正文。\n\n#    多個空格  \n正文二。"));
    EXPECT_EQ(titles(document),
        (std::vector<QString> {
            QStringLiteral("未命名章節"), QStringLiteral("縮排標題"), QStringLiteral("多個空格") }));
    EXPECT_EQ(document.sections[0].paragraphs[0].text, QStringLiteral("## 二級 #直接接字 #"));
    EXPECT_EQ(document.sections[0].paragraphs[0].sourceOffset, 0);
}

TEST(ScriptParser, LineEndsCountAsOneLineFeed)
{
    const auto crlf = ScriptParser::parse(QStringLiteral("# 開場\r\n\r\n第一句。\r\n第二句。"));
    const auto cr = ScriptParser::parse(QStringLiteral("# 開場\r\r第一句。\r第二句。"));
    const auto lf = ScriptParser::parse(QStringLiteral("# 開場\n\n第一句。\n第二句。"));
    EXPECT_EQ(crlf, lf);
    EXPECT_EQ(cr, lf);
    ASSERT_EQ(lf.paragraphs().size(), 2u);
    EXPECT_EQ(lf.paragraphs()[0].sourceOffset, 6);
    EXPECT_EQ(lf.paragraphs()[1].sourceOffset, 11);
}

TEST(ScriptParser, LongSentencesAreCutIntoPiecesOf32)
{
    const QString fortyTwo(42, u'字');
    const QString fortyThree(43, u'字');
    const QString sixtyFour(64, u'字');
    auto lengths = [](const QString &text) {
        std::vector<qsizetype> result;
        for (const auto &chunk : ScriptParser::parse(text).paragraphs())
            result.push_back(chunk.text.size());
        return result;
    };
    EXPECT_EQ(lengths(fortyTwo), std::vector<qsizetype> { 42 });
    EXPECT_EQ(lengths(fortyThree), (std::vector<qsizetype> { 32, 11 }));
    EXPECT_EQ(lengths(sixtyFour), (std::vector<qsizetype> { 32, 32 }));
    const auto pieces = ScriptParser::parse(fortyThree).paragraphs();
    EXPECT_EQ(pieces[1].sourceOffset, 32);
    EXPECT_EQ(pieces[1].globalReadableStart, 32);
}

TEST(ScriptParser, APieceEndingInASpaceIsLocatedUpToItsLastLetter)
{
    // 31 letters and a space make the first 32-character piece; the second starts after the space.
    const QString text = QString(31, u'a') + u' ' + QString(12, u'b') + QStringLiteral(" a");
    const auto chunks = ScriptParser::parse(text).paragraphs();
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0].text, QString(31, u'a') + u' ');
    EXPECT_EQ(chunks[0].sourceOffset, 0);
    EXPECT_EQ(chunks[1].sourceOffset, 32);
    EXPECT_EQ(chunks[1].globalReadableStart, 31);
}

TEST(ScriptParser, QuestionThenExclamationGivesAnUnreadableChunk)
{
    const auto chunks = ScriptParser::parse(QStringLiteral("真的嗎？！下一句。")).paragraphs();
    EXPECT_EQ(texts(ScriptParser::parse(QStringLiteral("真的嗎？！下一句。"))),
        (std::vector<QString> { QStringLiteral("真的嗎？"), QStringLiteral("！"), QStringLiteral("下一句。") }));
    EXPECT_EQ(chunks[1].globalReadableStart, 3);
    EXPECT_EQ(chunks[2].globalReadableStart, 3);
    EXPECT_EQ(chunks[2].sourceOffset, 5);
}

TEST(ScriptParser, AsciiFullStopAndCommasDoNotEndAChunk)
{
    EXPECT_EQ(texts(ScriptParser::parse(QStringLiteral("First. Second, third：「引號。」後面"))),
        (std::vector<QString> { QStringLiteral("First. Second, third：「引號。"), QStringLiteral("」後面") }));
}

TEST(ScriptParser, EmojiAndCombinedSequencesAreOneCharacter)
{
    // 👩‍💻 (5 UTF-16 units), e + combining acute (2 units) and a flag (4 units) are one character each.
    const auto chunks = ScriptParser::parse(QStringLiteral("👩‍💻e\u0301🇹🇼好！\n結束。")).paragraphs();
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[1].sourceOffset, 6);
    EXPECT_EQ(chunks[1].globalReadableStart, 2); // é and 好; emoji and the flag are not readable
    const QString longEmojiLine = QString(43, u'字').replace(0, 1, QStringLiteral("👨‍👩‍👧"));
    const auto pieces = ScriptParser::parse(longEmojiLine).paragraphs();
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_TRUE(pieces[0].text.startsWith(QStringLiteral("👨‍👩‍👧")));
    EXPECT_EQ(pieces[1].sourceOffset, 32);
}

TEST(ScriptParser, ParagraphStartKeepsIndentationAndLinesJoinWithASpace)
{
    const auto chunks = ScriptParser::parse(QStringLiteral("\n    Hello\n  world!")).paragraphs();
    ASSERT_EQ(chunks.size(), 1u);
    EXPECT_EQ(chunks[0].text, QStringLiteral("Hello world!"));
    EXPECT_EQ(chunks[0].sourceOffset, 5); // located at "H", past the indentation
}

TEST(ScriptParser, ReadableTextKeepsLettersAndNumbersLowerCased)
{
    EXPECT_EQ(ScriptParser::normalizedReadableText(QStringLiteral("第一段第一句。")), QStringLiteral("第一段第一句"));
    EXPECT_EQ(ScriptParser::normalizedReadableText(QStringLiteral("Hello, World 42! ＡＢ１")),
        QStringLiteral("helloworld42ａｂ１"));
    // Full lower-case mapping (İ → i + combining dot, still one character) and other scripts.
    EXPECT_EQ(ScriptParser::normalizedReadableText(QStringLiteral("Σİ½Ⅻ👍—")), QStringLiteral("σi\u0307½ⅻ"));
    EXPECT_EQ(ScriptParser::readableLength(QStringLiteral("Σİ½Ⅻ👍—")), 4);
    EXPECT_EQ(ScriptParser::readableLength(QStringLiteral("e\u0301")), 1);
    EXPECT_EQ(ScriptParser::readableLength(QString()), 0);
}

TEST(ScriptParser, ReadableLengthCountsCharactersJoinedOnceTheRemovedOnesAreGone)
{
    // A soft hyphen between two Hangul jamo, a zero-width space before a vowel sign: once dropped,
    // their neighbours form one character of the readable text.
    const QString joinedJamo = QStringLiteral("甲乙丙丁戊己庚辛ᄀ\u00ADᄀ。");
    const QString joinedVowelSign = QStringLiteral("नम\u200Bा");
    EXPECT_EQ(ScriptParser::readableLength(joinedJamo), 9);
    EXPECT_EQ(ScriptParser::readableLength(joinedVowelSign), 2);
    EXPECT_EQ(GraphemeClusters::count(ScriptParser::normalizedReadableText(joinedJamo)), 9);
    EXPECT_EQ(GraphemeClusters::count(ScriptParser::normalizedReadableText(joinedVowelSign)), 2);

    // The chunk after such a chunk starts where its readable text ends.
    const auto chunks = ScriptParser::parse(joinedJamo + QStringLiteral("第二句。")).paragraphs();
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[1].globalReadableStart, 9);
    EXPECT_EQ(ScriptParser::parse(joinedJamo).totalReadableCharacterCount(), 9);
}
