#include "ModelTestSupport.h"
#include "PrompterViewModel.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace lumetra;

namespace {

class ReadingGuideTest : public ::testing::Test {
protected:
    void SetUp() override { lumetra::testing::clearStoredSettings(); }
};

TEST_F(ReadingGuideTest, StartUpShowsTheGuideForTwoSeconds)
{
    QElapsedTimer clock;
    clock.start();
    PrompterViewModel model(lumetra::testing::scriptWithChunks(2), lumetra::testing::idleRecordingEngine());
    EXPECT_TRUE(model.isReadingGuideVisible());
    QSignalSpy visibility(&model, &PrompterViewModel::isReadingGuideVisibleChanged);
    ASSERT_TRUE(visibility.wait(3000));
    EXPECT_FALSE(model.isReadingGuideVisible());
    EXPECT_GE(clock.elapsed(), 1990);
}

TEST_F(ReadingGuideTest, VisibleUntilTwoSecondsAfterTheSecondOfTwoQuickChanges)
{
    PrompterViewModel model(lumetra::testing::scriptWithChunks(2), lumetra::testing::idleRecordingEngine());
    model.setIsReadingGuideVisible(false);
    model.setReadingPosition(0.4);
    EXPECT_TRUE(model.isReadingGuideVisible());
    QTest::qWait(1000);
    QElapsedTimer sinceSecond;
    sinceSecond.start();
    model.setReadingPosition(0.5);

    QTest::qWait(1500); // 2.5 s after the first change
    EXPECT_TRUE(model.isReadingGuideVisible());

    QSignalSpy visibility(&model, &PrompterViewModel::isReadingGuideVisibleChanged);
    ASSERT_TRUE(visibility.wait(2000));
    EXPECT_FALSE(model.isReadingGuideVisible());
    EXPECT_GE(sinceSecond.elapsed(), 1990); // a countdown from the first change would end at 1000
}

TEST_F(ReadingGuideTest, AModelDestroyedWhileTheGuideIsShownIsNeverTouched)
{
    QSignalSpy *visibility = nullptr;
    {
        auto model = std::make_unique<PrompterViewModel>(
            lumetra::testing::scriptWithChunks(2), lumetra::testing::idleRecordingEngine());
        model->showReadingGuideTemporarily();
        visibility = new QSignalSpy(model.get(), &PrompterViewModel::isReadingGuideVisibleChanged);
    }
    QTest::qWait(2300);
    EXPECT_EQ(visibility->count(), 0);
    delete visibility;
}

} // namespace
