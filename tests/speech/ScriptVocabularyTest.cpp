#include "ScriptVocabulary.h"
#include "PronunciationDictionary.h"

#include <gtest/gtest.h>

using namespace lumetra;

namespace {

const PronunciationDictionary englishDictionary = PronunciationDictionary::fromText(
    QStringLiteral("the DH AH\nthe(2) DH IY\ncat K AE T\nsat S AE T\ndon't D OW N T\nmat M AE T\non AA N\n"));

// A small Mandarin-style dictionary: a few words of several characters and some single ones.
const PronunciationDictionary chineseDictionary = PronunciationDictionary::fromText(
    QStringLiteral("提詞機 t i2 c i2 j i1\n提詞 t i2 c i2\n機器 j i1 q i4\n今天 j in1 t ian1\n天氣 t ian1 q i4\n"
                   "今 j in1\n天 t ian1\n很 h en3\n好 h ao3\n我 w o3\n們 m en5\n𠀋 x x\n"));

} // namespace

TEST(PronunciationDictionaryTest, ReadsWordsWithAlternativesAndWritesThemBack)
{
    EXPECT_EQ(englishDictionary.size(), 6);
    EXPECT_EQ(englishDictionary.pronunciations(QStringLiteral("the")),
        (QStringList { QStringLiteral("DH AH"), QStringLiteral("DH IY") }));
    EXPECT_EQ(englishDictionary.subsetText({ QStringLiteral("the"), QStringLiteral("cat"), QStringLiteral("dog") }),
        QStringLiteral("the DH AH\nthe(2) DH IY\ncat K AE T\n"));
    EXPECT_EQ(chineseDictionary.longestWordLength(), 3);
    EXPECT_EQ(PronunciationDictionary::fromText(QStringLiteral("\n  \nlonely\n")).size(), 0)
        << "a word without phones is no entry";
}

TEST(ScriptVocabularyTest, EnglishSentencesKeepKnownWordsInOrder)
{
    const ScriptVocabulary vocabulary(
        QStringLiteral("The cat sat on the mat. The dog sat!\n\nDon’t SAT, cat 42"), englishDictionary);
    ASSERT_EQ(vocabulary.sentences().size(), 4u);
    EXPECT_EQ(vocabulary.sentences()[0], QStringList({ "the", "cat", "sat", "on", "the", "mat" }));
    EXPECT_EQ(vocabulary.sentences()[1], QStringList({ "the", "sat" })) << "an unknown word is left out";
    EXPECT_EQ(vocabulary.sentences()[2], QStringList({ "don't", "sat" })) << "typographic apostrophe and case fold";
    EXPECT_EQ(vocabulary.sentences()[3], QStringList({ "cat" }));
    EXPECT_EQ(vocabulary.words(), QStringList({ "the", "cat", "sat", "on", "mat", "don't" }));
}

TEST(ScriptVocabularyTest, NothingKnownGivesAnEmptyVocabulary)
{
    EXPECT_TRUE(ScriptVocabulary(QString(), englishDictionary).sentences().empty());
    EXPECT_TRUE(ScriptVocabulary(QStringLiteral("Zebras dance. 1234!"), englishDictionary).words().isEmpty());
}

TEST(ScriptVocabularyTest, ChineseIsSegmentedByLongestMatchWithSingleCharacterFallback)
{
    // 提詞機 beats 提詞, and 機器 cannot start inside it; 們 stands alone; 嗎 is unknown.
    EXPECT_EQ(ScriptVocabulary::segment(u"提詞機器", chineseDictionary), QStringList({ "提詞機" }));
    EXPECT_EQ(
        ScriptVocabulary::segment(u"今天天氣很好", chineseDictionary), QStringList({ "今天", "天氣", "很", "好" }));
    EXPECT_EQ(ScriptVocabulary::segment(u"我們嗎今", chineseDictionary), QStringList({ "我", "們", "今" }));
    EXPECT_EQ(ScriptVocabulary::segment(u"𠀋天", chineseDictionary), QStringList({ "𠀋", "天" }))
        << "a character outside the BMP is one character";
    EXPECT_TRUE(ScriptVocabulary::segment(u"嗎呢", chineseDictionary).isEmpty());
}

TEST(ScriptVocabularyTest, ChineseScriptSentencesEndAtPunctuationAndLineEnds)
{
    const ScriptVocabulary vocabulary(QStringLiteral("# 今天\n今天天氣很好，我們用提詞機。\n好"), chineseDictionary);
    ASSERT_EQ(vocabulary.sentences().size(), 4u);
    EXPECT_EQ(vocabulary.sentences()[0], QStringList({ "今天" }));
    EXPECT_EQ(vocabulary.sentences()[1], QStringList({ "今天", "天氣", "很", "好" }));
    EXPECT_EQ(vocabulary.sentences()[2], QStringList({ "我", "們", "提詞機" }));
    EXPECT_EQ(vocabulary.sentences()[3], QStringList({ "好" }));
}
