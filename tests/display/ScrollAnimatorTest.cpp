#include "ScrollAnimator.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>

using namespace lumetra;

TEST(ScrollAnimator, PlainChangesAreShownAtOnce)
{
    ScrollAnimator animator;
    QSignalSpy shown(&animator, &ScrollAnimator::displayedOffsetChanged);
    animator.follow(120.5);
    EXPECT_DOUBLE_EQ(animator.displayedOffset(), 120.5);
    EXPECT_FALSE(animator.isAnimating());
    animator.follow(120.5);
    EXPECT_EQ(shown.count(), 1) << "an unchanged offset is not shown again";
}

TEST(ScrollAnimator, AnEasedMoveGoesOneWayFromItsStartToItsTargetWithoutSkippingAhead)
{
    ScrollAnimator animator;
    animator.follow(100);
    // As the model does it: the offset is taken at once, then the move is asked for.
    animator.follow(400);
    animator.animate(100, 400, 0.22, QEasingCurve::OutQuad);
    EXPECT_DOUBLE_EQ(animator.displayedOffset(), 100);
    ASSERT_TRUE(animator.isAnimating());

    double previous = animator.displayedOffset();
    bool monotonic = true;
    QObject::connect(&animator, &ScrollAnimator::displayedOffsetChanged, [&](double offset) {
        monotonic = monotonic && offset >= previous;
        previous = offset;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !animator.isAnimating(); }, 3000));
    EXPECT_TRUE(monotonic);
    EXPECT_DOUBLE_EQ(animator.displayedOffset(), 400);
}

TEST(ScrollAnimator, PlaybackStepsDuringAMoveBecomeItsNewEndWithoutAJump)
{
    ScrollAnimator animator;
    animator.follow(0);
    animator.follow(300);
    animator.animate(0, 300, 0.3, QEasingCurve::InOutQuad);
    ASSERT_TRUE(QTest::qWaitFor([&] { return animator.displayedOffset() > 30; }, 3000));
    const double before = animator.displayedOffset();
    animator.follow(300.7);
    EXPECT_DOUBLE_EQ(animator.displayedOffset(), before);
    EXPECT_TRUE(animator.isAnimating());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !animator.isAnimating(); }, 3000));
    EXPECT_DOUBLE_EQ(animator.displayedOffset(), 300.7);
}

TEST(ScrollAnimator, MovesWithoutDurationOrDistanceAreShownAtOnce)
{
    ScrollAnimator animator;
    animator.follow(50);
    animator.animate(0, 50, 0, QEasingCurve::OutQuad);
    EXPECT_FALSE(animator.isAnimating());
    EXPECT_DOUBLE_EQ(animator.displayedOffset(), 50);
    animator.animate(50, 50, 0.3, QEasingCurve::OutQuad);
    EXPECT_FALSE(animator.isAnimating());
    animator.follow(80);
    animator.animate(50, 80, std::nan(""), QEasingCurve::OutQuad);
    EXPECT_FALSE(animator.isAnimating());
    EXPECT_DOUBLE_EQ(animator.displayedOffset(), 80);
}
