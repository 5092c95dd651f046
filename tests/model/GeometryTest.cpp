#include "ModelTestSupport.h"
#include "ParagraphGeometry.h"
#include "PrompterViewModel.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace lumetra;
using lumetra::testing::frameTime;
using lumetra::testing::scriptWithChunks;

namespace {

class GeometryTest : public ::testing::Test {
protected:
    void SetUp() override { lumetra::testing::clearStoredSettings(); }
};

TEST_F(GeometryTest, EstimatedPositionsAndTheChunkBeforeTheNextMidpoint)
{
    PrompterViewModel model(scriptWithChunks(5), lumetra::testing::idleRecordingEngine());
    EXPECT_DOUBLE_EQ(model.readingContentY(0), 174.25);
    EXPECT_DOUBLE_EQ(model.readingContentY(1), 282.75);
    EXPECT_EQ(model.paragraphIndex(282.74), 0);
    EXPECT_EQ(model.paragraphIndex(282.75), 1);
    EXPECT_EQ(model.paragraphIndex(0), 0);
    EXPECT_EQ(model.paragraphIndex(1e9), 4);
    // Positions outside the document are limited to it.
    EXPECT_DOUBLE_EQ(model.readingContentY(-3), 174.25);
    EXPECT_DOUBLE_EQ(model.readingContentY(99), model.readingContentY(4));

    model.setFontSize(40);
    model.setLineSpacing(0);
    EXPECT_DOUBLE_EQ(model.readingContentY(1), 120 + 92 + 46); // 92, not 70
}

TEST_F(GeometryTest, WithoutChunksEverythingIsChunkZero)
{
    PrompterViewModel model(QStringLiteral("\n\n"), lumetra::testing::idleRecordingEngine());
    EXPECT_EQ(model.paragraphIndex(5000), 0);
    EXPECT_DOUBLE_EQ(model.readingContentY(7), 174.25);
    EXPECT_EQ(model.currentParagraphIndex(), 0);
    EXPECT_EQ(model.currentSectionIndex(), 0);
    EXPECT_EQ(model.currentSectionTitle(), QStringLiteral("未命名章節"));
    EXPECT_EQ(model.visualProgressText(), QStringLiteral("0 / 0 句"));
    model.setIsVoiceSyncEnabled(true);
    EXPECT_EQ(model.visualProgressText(), QStringLiteral("0 / 1 字"));
    EXPECT_EQ(model.paragraphIndexForReadableCharacterCount(10), 0);
}

TEST_F(GeometryTest, MidpointsSnapToHalfPointsAwayFromZero)
{
    EXPECT_DOUBLE_EQ(ParagraphGeometry::snappedToHalfPoint(100.26), 100.5);
    EXPECT_DOUBLE_EQ(ParagraphGeometry::snappedToHalfPoint(100.24), 100.0);
    EXPECT_DOUBLE_EQ(ParagraphGeometry::snappedToHalfPoint(100.25), 100.5);
    EXPECT_DOUBLE_EQ(ParagraphGeometry::snappedToHalfPoint(100.75), 101.0);
    EXPECT_DOUBLE_EQ(ParagraphGeometry::snappedToHalfPoint(-100.25), -100.5);

    PrompterViewModel model(scriptWithChunks(3), lumetra::testing::idleRecordingEngine());
    model.updateParagraphMidpoints({ { 0, 100.26 }, { 1, 200.24 }, { 2, 300.25 } });
    const ParagraphMidpoints expected { { 0, 100.5 }, { 1, 200.0 }, { 2, 300.5 } };
    EXPECT_EQ(model.measuredParagraphMidpoints(), expected);
    EXPECT_DOUBLE_EQ(model.readingContentY(2), 300.5);
}

TEST_F(GeometryTest, MeasuredMidpointsPickTheNearestAndFallBackToTheEstimate)
{
    PrompterViewModel model(scriptWithChunks(4), lumetra::testing::idleRecordingEngine());
    model.updateParagraphMidpoints({ { 0, 200 }, { 1, 300 }, { 2, 400 } });
    EXPECT_EQ(model.paragraphIndex(349), 1);
    EXPECT_EQ(model.paragraphIndex(351), 2);
    EXPECT_EQ(model.paragraphIndex(350), 1); // a tie keeps the entry examined first
    EXPECT_DOUBLE_EQ(model.readingContentY(3), 120 + 108.5 * 3 + 54.25); // not measured
}

TEST_F(GeometryTest, MeasuredMidpointsBeyondTheDocumentAreLimitedToIt)
{
    PrompterViewModel model(scriptWithChunks(2), lumetra::testing::idleRecordingEngine());
    model.updateParagraphMidpoints({ { 0, 200 }, { 1, 300 }, { 7, 900 } });
    EXPECT_EQ(model.paragraphIndex(950), 1);
}

TEST_F(GeometryTest, LayoutReportsKeepTheCurrentChunkOnTheGuideLineWhilePaused)
{
    PrompterViewModel model(scriptWithChunks(6), lumetra::testing::idleRecordingEngine());
    model.scrollToParagraph(2, false);
    QSignalSpy offsets(&model, &PrompterViewModel::scrollOffsetChanged);

    model.updateParagraphMidpoints({ { 0, 150 }, { 1, 250 }, { 2, 350 }, { 3, 450 }, { 4, 550 }, { 5, 650 } });
    EXPECT_DOUBLE_EQ(model.scrollOffset(), 350);
    EXPECT_EQ(model.currentParagraphIndex(), 2);

    // The same report after snapping changes nothing.
    offsets.clear();
    model.updateParagraphMidpoints({ { 0, 150.1 }, { 1, 250 }, { 2, 349.9 }, { 3, 450 }, { 4, 550 }, { 5, 650 } });
    EXPECT_EQ(offsets.count(), 0);

    // A drift of half a point or less is left alone; more is corrected.
    model.updateParagraphMidpoints({ { 0, 150 }, { 1, 250 }, { 2, 350.5 }, { 3, 450 }, { 4, 550 }, { 5, 650 } });
    EXPECT_DOUBLE_EQ(model.scrollOffset(), 350);
    model.updateParagraphMidpoints({ { 0, 160 }, { 1, 270 }, { 2, 380 }, { 3, 490 }, { 4, 600 }, { 5, 710 } });
    EXPECT_DOUBLE_EQ(model.scrollOffset(), 380);

    // An empty report keeps the old measurements.
    model.updateParagraphMidpoints({});
    EXPECT_DOUBLE_EQ(model.readingContentY(5), 710);
}

TEST_F(GeometryTest, LayoutReportsLeaveTheOffsetAloneDuringFixedSpeedPlayback)
{
    PrompterViewModel model(scriptWithChunks(3), lumetra::testing::idleRecordingEngine());
    model.scrollToParagraph(1, false);
    model.play();
    const double before = model.scrollOffset();
    model.updateParagraphMidpoints({ { 0, 150 }, { 1, 400 }, { 2, 650 } });
    EXPECT_DOUBLE_EQ(model.scrollOffset(), before);

    // With Voice Sync on the chunk follows the layout even while the playing flag is set.
    model.setIsVoiceSyncEnabled(true);
    model.setVoiceSyncParagraphIndex(2);
    model.updateParagraphMidpoints({ { 0, 150 }, { 1, 400 }, { 2, 700 } });
    EXPECT_DOUBLE_EQ(model.scrollOffset(), 700);
}

TEST_F(GeometryTest, NonFiniteMidpointsAreDropped)
{
    PrompterViewModel model(scriptWithChunks(2), lumetra::testing::idleRecordingEngine());
    model.updateParagraphMidpoints({ { 0, std::numeric_limits<double>::quiet_NaN() }, { 1, 300 } });
    const ParagraphMidpoints expected { { 1, 300 } };
    EXPECT_EQ(model.measuredParagraphMidpoints(), expected);
    EXPECT_DOUBLE_EQ(model.readingContentY(0), 174.25);
}

TEST_F(GeometryTest, ClampWritesHighWhenMeasurementsAreInverted)
{
    PrompterViewModel model(scriptWithChunks(2), lumetra::testing::idleRecordingEngine());
    model.updateParagraphMidpoints({ { 0, 500 }, { 1, 300 } });
    model.setScrollOffset(100);
    model.clampScrollOffset();
    EXPECT_DOUBLE_EQ(model.scrollOffset(), 300);
}

TEST_F(GeometryTest, ReadingGuideOffsetStaysInsideTheDisplay)
{
    PrompterViewModel model(scriptWithChunks(1), lumetra::testing::idleRecordingEngine());
    EXPECT_DOUBLE_EQ(model.readingGuideOffset(1000), 350);
    model.setVerticalMargin(-240);
    EXPECT_DOUBLE_EQ(model.readingGuideOffset(1000), 110);
    EXPECT_DOUBLE_EQ(model.readingGuideOffset(500), 0);
    model.setVerticalMargin(240);
    model.setReadingPosition(0.72);
    EXPECT_DOUBLE_EQ(model.readingGuideOffset(800), 800);
    EXPECT_DOUBLE_EQ(model.readingGuideOffset(0), 0);
}

TEST_F(GeometryTest, EditingKeepsThePositionClampedAndLimitsTheSpokenCount)
{
    PrompterViewModel model(scriptWithChunks(10), lumetra::testing::idleRecordingEngine());
    model.scrollToParagraph(8, false);
    model.setSpokenReadableCharacterCount(25);
    QSignalSpy document(&model, &PrompterViewModel::documentChanged);

    model.setScriptText(scriptWithChunks(12));
    EXPECT_DOUBLE_EQ(model.scrollOffset(), model.readingContentY(8)); // not reset to the top
    EXPECT_EQ(model.spokenReadableCharacterCount(), 25);
    EXPECT_TRUE(model.isDirty());
    EXPECT_EQ(document.count(), 1);

    model.setScriptText(scriptWithChunks(3)); // 9 readable characters
    EXPECT_DOUBLE_EQ(model.scrollOffset(), model.readingContentY(2));
    EXPECT_EQ(model.spokenReadableCharacterCount(), 9);
    EXPECT_EQ(model.paragraphs().size(), 3u);
}

TEST_F(GeometryTest, AChunkAddedAtTheEndDoesNotThrowTheReaderBackBeforeItIsMeasured)
{
    // Measured chunks lie much further apart than the estimate (long paragraphs).
    PrompterViewModel model(scriptWithChunks(10), lumetra::testing::idleRecordingEngine());
    ParagraphMidpoints measured;
    for (std::int64_t chunk = 0; chunk < 10; ++chunk)
        measured[chunk] = 200 + 400.0 * static_cast<double>(chunk);
    model.updateParagraphMidpoints(measured);
    model.scrollToParagraph(9, false);
    ASSERT_DOUBLE_EQ(model.scrollOffset(), 3800);

    model.setScriptText(scriptWithChunks(11)); // the new chunk 10 has only its estimate (≈1368)
    EXPECT_DOUBLE_EQ(model.scrollOffset(), 3800);
    measured[10] = 4200;
    model.updateParagraphMidpoints(measured);
    EXPECT_EQ(model.currentParagraphIndex(), 9);

    // Taking chunks away still clamps to the measured end.
    model.scrollToParagraph(10, false);
    model.setScriptText(scriptWithChunks(4));
    EXPECT_DOUBLE_EQ(model.scrollOffset(), 1400);
}

} // namespace

// The nearest measured midpoint, by looking at every one: the earliest of equally near ones.
static std::int64_t nearestByScan(const ParagraphMidpoints &midpoints, double y)
{
    std::int64_t best = midpoints.begin()->first;
    for (const auto &[index, midpoint] : midpoints) {
        if (std::abs(midpoint - y) < std::abs(midpoints.at(best) - y))
            best = index;
    }
    return best;
}

TEST_F(GeometryTest, NearestMeasuredChunkIsTheEarliestOfEquallyNearOnes)
{
    // Ascending with repeats and gaps in the keys, then one out of order.
    const ParagraphMidpoints ascending { { 0, 100 }, { 1, 200 }, { 2, 200 }, { 4, 300 }, { 5, 400 }, { 6, 400 } };
    ParagraphMidpoints unordered = ascending;
    unordered[3] = 150;
    for (const ParagraphMidpoints &midpoints : { ascending, unordered }) {
        ParagraphGeometry geometry;
        geometry.setMeasuredMidpoints(midpoints);
        for (double y = 0; y <= 500; y += 0.5) {
            SCOPED_TRACE(y);
            EXPECT_EQ(geometry.paragraphIndex(y, 10, 54, 14), nearestByScan(midpoints, y));
        }
        EXPECT_EQ(geometry.paragraphIndex(250, 10, 54, 14), 1); // halfway: the earlier one
        EXPECT_EQ(geometry.paragraphIndex(350, 10, 54, 14), 4);
        EXPECT_EQ(geometry.paragraphIndex(1e9, 3, 54, 14), 2); // limited to the document
    }
}
