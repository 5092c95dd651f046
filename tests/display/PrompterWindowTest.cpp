#include "PrompterWindow.h"
#include "DisplayTestSupport.h"
#include "PrompterDisplayView.h"

#include <QAction>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

using namespace lumetra;
using namespace lumetra::testing;

namespace {

class PrompterWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PrompterWindow::closeInstance();
        QSettings().remove(PrompterWindow::geometrySettingsKey());
    }
    void TearDown() override { PrompterWindow::closeInstance(); }

    std::unique_ptr<PrompterViewModel> model = displayModel(QStringLiteral("# 節\n\n第一句。\n\n第二句。\n"));
};

} // namespace

TEST_F(PrompterWindowTest, OpensOnceAsPrompterAtItsDefaultSizeAndAskingAgainRaisesTheSameWindow)
{
    PrompterWindow *first = PrompterWindow::showFor(*model);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->windowTitle(), QStringLiteral("Prompter"));
    EXPECT_EQ(first->size(), QSize(PrompterWindow::defaultWidth, PrompterWindow::defaultHeight));
    EXPECT_EQ(first->displayView()->size(), first->size());
    EXPECT_EQ(&first->displayView()->model(), model.get());

    EXPECT_EQ(PrompterWindow::showFor(*model), first);
    EXPECT_EQ(PrompterWindow::instance(), first);
}

TEST_F(PrompterWindowTest, ClosingDeletesTheWindowAndANewOneCanBeOpened)
{
    PrompterWindow *first = PrompterWindow::showFor(*model);
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(PrompterWindow::instance(), nullptr);
    EXPECT_NE(PrompterWindow::showFor(*model), nullptr);
}

TEST_F(PrompterWindowTest, GoesAwayWithTheModelItShows)
{
    PrompterWindow::showFor(*model);
    model.reset();
    EXPECT_EQ(PrompterWindow::instance(), nullptr);
    QCoreApplication::processEvents();
}

TEST_F(PrompterWindowTest, RemembersItsGeometryBetweenRuns)
{
    PrompterWindow *window = PrompterWindow::showFor(*model);
    window->setGeometry(QRect(40, 60, 900, 500));
    settle();
    PrompterWindow::closeInstance();
    EXPECT_FALSE(QSettings().value(PrompterWindow::geometrySettingsKey()).toByteArray().isEmpty());

    window = PrompterWindow::showFor(*model);
    EXPECT_EQ(window->size(), QSize(900, 500));
}

TEST_F(PrompterWindowTest, TheFullScreenActionTogglesFullScreenWithF11AndEscapeLeaves)
{
    PrompterWindow *window = PrompterWindow::showFor(*model);
    EXPECT_EQ(window->fullScreenAction()->shortcut(), QKeySequence(Qt::Key_F11));
    window->fullScreenAction()->trigger();
    settle();
    EXPECT_TRUE(window->isFullScreen());
    EXPECT_TRUE(window->fullScreenAction()->isChecked());

    window->activateWindow();
    QTest::keyClick(window, Qt::Key_Escape);
    settle();
    EXPECT_FALSE(window->isFullScreen());
    EXPECT_FALSE(window->fullScreenAction()->isChecked());
}
