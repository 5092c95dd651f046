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

namespace {

// Mandarin dictionaries as distributed are written in Simplified characters.
const PronunciationDictionary simplifiedDictionary = PronunciationDictionary::fromText(QStringLiteral(
    "这个 zh e4 g e4\n我们 w o3 m en5\n时候 sh ix2 h ou4\n发现 f a1 x ian4\n关于 g uan1 y v2\n提词机 t i2 c i2 j i1\n"
    "说法 sh uo1 f a3\n了解 l iao3 j ie3\n台湾 t ai2 uu uan1\n会 h ui4\n的 d e5\n说 sh uo1\n我 w o3\n们 m en5\n"
    "这 zh e4\n个 g e4\n好 h ao3\n乾隆 q ian2 l ong2\n干 g an1\nai ai4\nsystem s i1 s t em3\n𠀋 x x\n"));

} // namespace

TEST(ScriptVocabularyTest, TraditionalTextFindsTheDictionarysSimplifiedWords)
{
    const ScriptVocabulary vocabulary(
        QStringLiteral("這個時候我們會發現，關於提詞機的說法！\n我們瞭解臺灣。乾隆很乾"), simplifiedDictionary);
    ASSERT_EQ(vocabulary.sentences().size(), 4u);
    EXPECT_EQ(vocabulary.sentences()[0], QStringList({ "这个", "时候", "我们", "会", "发现" }));
    EXPECT_EQ(vocabulary.sentences()[1], QStringList({ "关于", "提词机", "的", "说法" }));
    EXPECT_EQ(vocabulary.sentences()[2], QStringList({ "我们", "了解", "台湾" })) << "phrases convert as wholes";
    EXPECT_EQ(vocabulary.sentences()[3], QStringList({ "乾隆", "干" })) << "乾 stays in the name, not in 很乾";

    // Every word the run's dictionary gets is spelled as the model's dictionary spells it.
    for (const QString &word : vocabulary.words())
        EXPECT_TRUE(simplifiedDictionary.contains(word)) << word.toStdString();
}

TEST(ScriptVocabularyTest, NoDictionaryWordIsDroppedInEitherForm)
{
    // Each Simplified word written in Traditional and as it is: both find it.
    const QStringList traditional = { "這個", "我們", "時候", "發現", "關於", "提詞機", "說法", "瞭解", "臺灣", "會",
        "的", "說", "我", "們", "這", "個", "好", "乾隆" };
    const QStringList simplified = { "这个", "我们", "时候", "发现", "关于", "提词机", "说法", "了解", "台湾", "会",
        "的", "说", "我", "们", "这", "个", "好", "乾隆" };
    ASSERT_EQ(traditional.size(), simplified.size());
    for (qsizetype i = 0; i < traditional.size(); ++i) {
        EXPECT_EQ(ScriptVocabulary::segment(traditional[i], simplifiedDictionary), QStringList { simplified[i] })
            << traditional[i].toStdString();
        EXPECT_EQ(ScriptVocabulary::segment(simplified[i], simplifiedDictionary), QStringList { simplified[i] })
            << simplified[i].toStdString();
    }
}

TEST(ScriptVocabularyTest, ATraditionalDictionaryKeepsItsOwnWords)
{
    // chineseDictionary is written in Traditional characters: 們 and 提詞 stay as they are.
    EXPECT_EQ(ScriptVocabulary::segment(u"我們的提詞機器", chineseDictionary), QStringList({ "我", "們", "提詞機" }));
    // A dictionary holding both forms keeps the form the script uses.
    const PronunciationDictionary both
        = PronunciationDictionary::fromText(QStringLiteral("說話 sh uo1 h ua4\n说话 sh uo1 h ua4\n"));
    EXPECT_EQ(ScriptVocabulary::segment(u"說話", both), QStringList({ "說話" }));
    EXPECT_EQ(ScriptVocabulary::segment(u"说话", both), QStringList({ "说话" }));
}

TEST(ScriptVocabularyTest, MixedScriptsAndDigitsKeepWhatTheDictionaryKnows)
{
    const ScriptVocabulary vocabulary(
        QStringLiteral("我們用AI做這个system，2024年𠀋好 ØØ مرحبا 123"), simplifiedDictionary);
    ASSERT_EQ(vocabulary.sentences().size(), 2u);
    EXPECT_EQ(vocabulary.sentences()[0], QStringList({ "我们", "ai", "这个", "system" }))
        << "Latin words inside Chinese text are words of their own";
    EXPECT_EQ(vocabulary.sentences()[1], QStringList({ "𠀋", "好" })) << "a character outside the BMP is never split";
}

TEST(PronunciationDictionaryTest, MalformedLinesAndDuplicatesLeaveTheUsableEntries)
{
    const PronunciationDictionary dictionary = PronunciationDictionary::fromText(
        QStringLiteral("这个 zh e4 g e4\r\n这个 zh e4 g e4\n这个(2) zh ei4 g e4\n我们\n   \n(2) AH\n\t说  sh   uo1 \n"
                       "مرحبا M AA R\n的(3 d e5\n"));
    EXPECT_EQ(dictionary.pronunciations(QStringLiteral("这个")), QStringList({ "zh e4 g e4", "zh ei4 g e4" }))
        << "a repeated line adds no second path";
    EXPECT_FALSE(dictionary.contains(QStringLiteral("我们"))) << "a word without phones is no entry";
    EXPECT_EQ(dictionary.pronunciations(QStringLiteral("说")), QStringList({ "sh uo1" }));
    EXPECT_TRUE(dictionary.contains(QStringLiteral("的(3")));

    const ScriptVocabulary vocabulary(QStringLiteral("這個說法，我們說。"), dictionary);
    EXPECT_EQ(vocabulary.words(), QStringList({ "这个", "说" }));
    EXPECT_EQ(
        dictionary.subsetText(vocabulary.words()), QStringLiteral("这个 zh e4 g e4\n这个(2) zh ei4 g e4\n说 sh uo1\n"));
}
