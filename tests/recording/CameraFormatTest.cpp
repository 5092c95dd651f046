#include "CameraFormat.h"
#include "GStreamerSupport.h"
#include "QStringPrinter.h"

#include <gtest/gtest.h>

using namespace lumetra;

namespace {

std::optional<CameraFormat> chooseFrom(const char *offered)
{
    gstreamer::ensureInitialized();
    const gstreamer::CapsPtr caps(gst_caps_from_string(offered));
    return CameraFormat::choose(caps.get());
}

} // namespace

TEST(CameraFormatTest, Prefers1080pThen720pThenTheLargestSize)
{
    EXPECT_EQ(chooseFrom("video/x-raw,width=(int)[1,4096],height=(int)[1,4096]"), (CameraFormat { 1920, 1080, false }));
    EXPECT_EQ(chooseFrom("video/x-raw,width=640,height=480; video/x-raw,width=1280,height=720; "
                         "video/x-raw,width=1920,height=1080"),
        (CameraFormat { 1920, 1080, false }));
    EXPECT_EQ(
        chooseFrom("video/x-raw,width=(int)[160,1280],height=(int)[120,720]"), (CameraFormat { 1280, 720, false }));
    EXPECT_EQ(chooseFrom("video/x-raw,width=640,height=480; video/x-raw,width=800,height=600; "
                         "video/x-raw,width=320,height=240"),
        (CameraFormat { 800, 600, false }));
}

TEST(CameraFormatTest, TakesJpegWhenRawFramesAreTooSlowOrMissing)
{
    EXPECT_EQ(chooseFrom("video/x-raw,width=1920,height=1080,framerate=5/1; "
                         "image/jpeg,width=1920,height=1080,framerate=30/1"),
        (CameraFormat { 1920, 1080, true }));
    EXPECT_EQ(chooseFrom("video/x-raw,width=1920,height=1080,framerate=5/1; "
                         "image/jpeg,width=1280,height=720,framerate=30/1"),
        (CameraFormat { 1920, 1080, false }))
        << "size comes before frame rate";
    EXPECT_EQ(chooseFrom("image/jpeg,width=1280,height=720"), (CameraFormat { 1280, 720, true }));
    EXPECT_EQ(chooseFrom("video/x-raw,width=640,height=480; image/jpeg,width=640,height=480"),
        (CameraFormat { 640, 480, false }));
}

TEST(CameraFormatTest, NoUsableVideoIsNoFormat)
{
    EXPECT_EQ(chooseFrom("audio/x-raw,rate=48000"), std::nullopt);
    EXPECT_EQ(chooseFrom("video/x-bayer,width=1920,height=1080"), std::nullopt);
    EXPECT_EQ(CameraFormat::choose(nullptr), std::nullopt);
    EXPECT_EQ((CameraFormat { 1280, 720, true }.capsText()), QStringLiteral("image/jpeg,width=1280,height=720"));
}
