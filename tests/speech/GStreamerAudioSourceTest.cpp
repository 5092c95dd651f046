#include "GStreamerAudioSource.h"

#include <QTest>

#include <gtest/gtest.h>

#include <atomic>

using namespace lumetra;

TEST(GStreamerAudioSourceTest, NoAudioServerMeansNoMicrophone)
{
    const QByteArray server = qgetenv("PULSE_SERVER");
    qputenv("PULSE_SERVER", "unix:/nonexistent/lumetra/pulse/native");
    GStreamerAudioSource source;
    std::atomic<int> buffers = 0;
    const auto error = source.start([&](std::span<const std::int16_t>) { ++buffers; });
    if (server.isEmpty())
        qunsetenv("PULSE_SERVER");
    else
        qputenv("PULSE_SERVER", server);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(*error, VoiceSyncError::audioInputUnavailable());
    EXPECT_FALSE(source.isRunning());
    EXPECT_EQ(buffers, 0);
}

// Needs the test script's PulseAudio server (PULSE_SERVER); skipped without it.
TEST(GStreamerAudioSourceTest, DeliversBuffersOf1024MonoFramesUntilStopped)
{
    if (qgetenv("PULSE_SERVER").isEmpty())
        GTEST_SKIP() << "no PulseAudio server of the test script";
    GStreamerAudioSource source;
    std::atomic<int> buffers = 0;
    std::atomic<bool> allFull = true;
    ASSERT_EQ(source.start([&](std::span<const std::int16_t> frames) {
        allFull = allFull && frames.size() == std::size_t(AudioSource::framesPerBuffer);
        ++buffers;
    }),
        std::nullopt);
    EXPECT_TRUE(source.isRunning());
    // 16 kHz in 1024-frame buffers is about 15.6 buffers a second.
    ASSERT_TRUE(QTest::qWaitFor([&] { return buffers >= 10; }, 5000));
    EXPECT_TRUE(allFull);
    source.stop();
    EXPECT_FALSE(source.isRunning());
    const int atStop = buffers;
    QTest::qWait(300);
    EXPECT_EQ(buffers, atStop) << "nothing reaches the tap after stop()";

    // The device stayed open: a new tap hears at once.
    std::atomic<int> later = 0;
    ASSERT_EQ(source.start([&](std::span<const std::int16_t>) { ++later; }), std::nullopt);
    EXPECT_TRUE(QTest::qWaitFor([&] { return later >= 3; }, 1000));
    source.release();
    EXPECT_FALSE(source.isRunning());
}
