#include "recording/RecordingTimerBadge.h"
#include "QStringPrinter.h"
#include "recording/RecordingColors.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace lumetra;

namespace {

// The dot sits 8 points in from the left edge, 8 points wide, centred vertically.
QColor paintedDot(RecordingTimerBadge &badge)
{
    const QImage image = badge.grab().toImage();
    return image.pixelColor(8 + 4, image.height() / 2);
}

TEST(RecordingTimerBadgeTest, TheDotIsPaintedRedOnlyWhileRecording)
{
    RecordingTimerBadge badge;
    badge.resize(badge.sizeHint());
    EXPECT_EQ(badge.text(), QStringLiteral("00:00"));
    const QColor idle = paintedDot(badge);
    EXPECT_LT(std::abs(idle.red() - idle.blue()), 30) << "grey, not red";

    badge.setRecording(true);
    const QColor recording = paintedDot(badge);
    EXPECT_NEAR(recording.red(), recordingRed().red(), 12);
    EXPECT_NEAR(recording.green(), recordingRed().green(), 12);
    EXPECT_NEAR(recording.blue(), recordingRed().blue(), 12);
}

TEST(RecordingTimerBadgeTest, ItKeepsItsWidthAsTheSecondsChangeAndGrowsForLongRecordings)
{
    RecordingTimerBadge badge;
    badge.setText(QStringLiteral("00:00"));
    const int width = badge.sizeHint().width();
    badge.setText(QStringLiteral("11:11"));
    EXPECT_EQ(badge.sizeHint().width(), width);
    badge.setText(QStringLiteral("100:00"));
    EXPECT_GT(badge.sizeHint().width(), width);
}

} // namespace
