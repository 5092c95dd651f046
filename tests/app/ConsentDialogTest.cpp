#include "ConsentDialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace lumetra {
namespace {

QMessageBox *openQuestion()
{
    QMessageBox *found = nullptr;
    (void)QTest::qWaitFor(
        [&] {
            for (QWidget *widget : QApplication::topLevelWidgets())
                if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
                    found = box;
            return found != nullptr;
        },
        2000);
    return found;
}

void click(QMessageBox &question, const QString &text)
{
    for (QAbstractButton *button : question.buttons())
        if (button->text() == text)
            button->click();
}

TEST(ConsentDialog, AsksInChineseAndAnswersOnceWithTheChosenButton)
{
    QWidget window;
    window.show();
    ConsentDialog dialog(&window);
    for (const auto &[buttonText, expected] :
        { std::pair { QStringLiteral("允許"), true }, std::pair { QStringLiteral("不允許"), false } }) {
        int answers = 0;
        std::optional<bool> granted;
        dialog.ask(PermissionKind::microphone, [&](bool value) {
            ++answers;
            granted = value;
        });
        QMessageBox *question = openQuestion();
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(question->text(), ConsentDialog::question(PermissionKind::microphone));
        EXPECT_TRUE(question->informativeText().contains(QStringLiteral("Voice Sync")));
        click(*question, buttonText);
        QTest::qWait(20); // the dialog is deleted later: still one answer
        EXPECT_EQ(answers, 1);
        EXPECT_EQ(granted, expected);
    }
}

TEST(ConsentDialog, ADialogClosedWithoutAnAnswerRefuses)
{
    ConsentDialog dialog;
    int answers = 0;
    std::optional<bool> granted;
    dialog.ask(PermissionKind::camera, [&](bool value) {
        ++answers;
        granted = value;
    });
    QMessageBox *question = openQuestion();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->text(), QStringLiteral("要允許 Lumetra 使用相機嗎？"));
    question->close();
    QTest::qWait(20);
    EXPECT_EQ(answers, 1);
    EXPECT_EQ(granted, false);
}

} // namespace
} // namespace lumetra
