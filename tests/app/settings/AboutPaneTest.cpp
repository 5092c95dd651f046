#include "settings/AboutPane.h"
#include "QStringPrinter.h"

#include <QLabel>

#include <gtest/gtest.h>

using namespace lumetra;

namespace {

TEST(AboutPaneTest, ThreeBulletsSayWhatTheProgramDoes)
{
    AboutPane pane;
    const QList<QLabel *> bullets = pane.bulletLabels();
    ASSERT_EQ(bullets.size(), 3);
    EXPECT_EQ(bullets[0]->text(), QStringLiteral("•  離線 zh-TW 即時語音辨識，聲音不離開這台電腦"));
    EXPECT_EQ(bullets[1]->text(), QStringLiteral("•  跟著你念的句子自動移動提詞位置"));
    EXPECT_TRUE(bullets[2]->text().startsWith(QStringLiteral("•  ")));
    EXPECT_TRUE(bullets[2]->text().contains(QStringLiteral("Linux")));
    EXPECT_TRUE(bullets[2]->text().contains(QStringLiteral("60")));
    const QList<QLabel *> labels = pane.findChildren<QLabel *>();
    const auto shows = [&](const QString &text) {
        return std::any_of(labels.begin(), labels.end(), [&](const QLabel *label) { return label->text() == text; });
    };
    EXPECT_TRUE(shows(QStringLiteral("Lumetra")));
    EXPECT_TRUE(shows(QStringLiteral("AI 跟讀的中文提詞器")));
}

} // namespace
