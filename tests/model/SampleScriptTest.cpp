#include "SampleScript.h"
#include "ModelTestSupport.h"
#include "PrompterViewModel.h"
#include "ScriptParser.h"

#include <gtest/gtest.h>

using namespace lumetra;

namespace {

TEST(SampleScriptTest, IsTheDescribedTalk)
{
    const QString &sample = SampleScript::text();
    EXPECT_EQ(sample.toUtf8().size(), 794);
    EXPECT_TRUE(
        sample.startsWith(QStringLiteral("# 開場\n\n今天這支影片，我想跟你聊一個很多人做 AI 工具時會忽略的問題："
                                         "不是工具不夠強，而是你的工作流還沒有被重新設計。")));

    const ScriptDocument document = ScriptParser::parse(sample);
    ASSERT_EQ(document.sections.size(), 3u);
    EXPECT_EQ(document.sections[0].title, QStringLiteral("開場"));
    EXPECT_EQ(document.sections[1].title, QStringLiteral("核心觀念"));
    EXPECT_EQ(document.sections[2].title, QStringLiteral("收尾"));

    // Two, two and one paragraphs: count the blank-line-separated blocks under each heading.
    const QStringList blocks = sample.split(QStringLiteral("\n\n"), Qt::SkipEmptyParts);
    QList<int> paragraphsPerSection;
    for (const QString &block : blocks) {
        if (block.startsWith(QStringLiteral("# ")))
            paragraphsPerSection.append(0);
        else
            ++paragraphsPerSection.last();
    }
    EXPECT_EQ(paragraphsPerSection, (QList<int> { 2, 2, 1 }));

    // Every sentence ends in "。": each paragraph does, and no other sentence ending occurs.
    for (const QString &block : blocks) {
        if (block.startsWith(QStringLiteral("# ")))
            continue;
        EXPECT_TRUE(block.trimmed().endsWith(QStringLiteral("。"))) << block.toStdString();
        for (const QChar ending : QStringLiteral("！？!?；;"))
            EXPECT_FALSE(block.contains(ending)) << block.toStdString();
    }
    EXPECT_GT(document.paragraphs().size(), 5u); // several sentences per paragraph
}

TEST(SampleScriptTest, TheModelStartsWithIt)
{
    lumetra::testing::clearStoredSettings();
    PrompterViewModel model(lumetra::testing::idleRecordingEngine());
    EXPECT_EQ(model.scriptText(), SampleScript::text());
    EXPECT_EQ(model.document(), ScriptParser::parse(SampleScript::text()));
    EXPECT_EQ(model.statusMessage(), QStringLiteral("使用範例講稿"));
    EXPECT_TRUE(model.currentFileURL().isEmpty());
    EXPECT_FALSE(model.isDirty());
    EXPECT_EQ(model.documentTitle(), QStringLiteral("未命名講稿"));
}

} // namespace
