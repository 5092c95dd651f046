#include "RecordingPanelFixture.h"

#include "GStreamerCaptureBackend.h"
#include "recording/RecordingPreviewArea.h"
#include "recording/RecordingPreviewView.h"

#include <QPainter>

using namespace lumetra;
using namespace lumetra::testing;

namespace {

using RecordingPreviewViewTest = RecordingPanelFixture;

// Left half red, right half blue, a green band along the top and a yellow one along the bottom:
// each edge of the picture can be told apart on screen.
QImage markedFrame(int width, int height)
{
    QImage frame(width, height, QImage::Format_RGB32);
    QPainter painter(&frame);
    painter.fillRect(0, 0, width / 2, height, Qt::red);
    painter.fillRect(width / 2, 0, width - width / 2, height, Qt::blue);
    painter.fillRect(0, 0, width, height / 8, Qt::green);
    painter.fillRect(0, height - height / 8, width, height / 8, Qt::yellow);
    return frame;
}

bool near(QRgb pixel, QColor expected)
{
    const QColor actual(pixel);
    return std::abs(actual.red() - expected.red()) < 40 && std::abs(actual.green() - expected.green()) < 40
        && std::abs(actual.blue() - expected.blue()) < 40;
}

class PreviewOnScreen {
public:
    explicit PreviewOnScreen(RecordingPreviewView *view)
        : m_view(view)
        , m_image(view->grab().toImage())
    {
    }
    QRgb at(double x, double y) const { return m_image.pixel(int(x), int(y)); }

private:
    RecordingPreviewView *m_view;
    QImage m_image;
};

TEST(RecordingPreviewViewFitTest, TheFrameFitsInsideWithItsAspectRatioCentred)
{
    const QRectF bounds(0, 0, 320, 180);
    EXPECT_EQ(RecordingPreviewView::aspectFitRect({ 640, 360 }, bounds), bounds);
    EXPECT_EQ(RecordingPreviewView::aspectFitRect({ 640, 480 }, bounds), QRectF(40, 0, 240, 180));
    EXPECT_EQ(RecordingPreviewView::aspectFitRect({ 1000, 250 }, bounds), QRectF(0, 50, 320, 80));
    // A small frame grows to fill the height: never shown smaller than the frame allows.
    EXPECT_EQ(RecordingPreviewView::aspectFitRect({ 160, 120 }, bounds), QRectF(40, 0, 240, 180));
    EXPECT_TRUE(RecordingPreviewView::aspectFitRect({}, bounds).isEmpty());
}

TEST_F(RecordingPreviewViewTest, AFourByThreeFrameIsPillarboxedUncroppedAndUnmirrored)
{
    RecordingControlsView &view = makePanel();
    RecordingPreviewView *preview = view.previewArea()->previewView();
    const QImage frame = markedFrame(400, 300);
    emit backend->previewFrameReady(frame);

    // The view holds the very frame the engine delivered, not a copy of it.
    EXPECT_EQ(preview->currentFrame().constBits(), frame.constBits());

    const QRectF shown = preview->frameRect();
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_NEAR(shown.height(), preview->height(), 1.0);
    EXPECT_NEAR(shown.width() / shown.height(), 4.0 / 3.0, 0.01);
    const PreviewOnScreen screen(preview);
    const double middle = shown.center().y();
    EXPECT_TRUE(near(screen.at(shown.left() + 4, middle), Qt::red)) << "left stays left";
    EXPECT_TRUE(near(screen.at(shown.right() - 5, middle), Qt::blue)) << "right stays right";
    EXPECT_TRUE(near(screen.at(shown.center().x(), shown.top() + 3), Qt::green)) << "top edge shown";
    EXPECT_TRUE(near(screen.at(shown.center().x(), shown.bottom() - 4), Qt::yellow)) << "bottom edge shown";
    EXPECT_TRUE(near(screen.at(shown.left() / 2, middle), Qt::black)) << "bars beside the picture";
    EXPECT_TRUE(near(screen.at(shown.right() + (preview->width() - shown.right()) / 2, middle), Qt::black));
}

TEST_F(RecordingPreviewViewTest, AWideFrameIsLetterboxedWithBothSidesShown)
{
    RecordingControlsView &view = makePanel();
    RecordingPreviewView *preview = view.previewArea()->previewView();
    emit backend->previewFrameReady(markedFrame(470, 200));

    const QRectF shown = preview->frameRect();
    EXPECT_NEAR(shown.width(), preview->width(), 1.0);
    EXPECT_LT(shown.height(), preview->height() - 10);
    const PreviewOnScreen screen(preview);
    EXPECT_TRUE(near(screen.at(6, shown.center().y()), Qt::red));
    EXPECT_TRUE(near(screen.at(preview->width() - 7, shown.center().y()), Qt::blue));
    EXPECT_TRUE(near(screen.at(preview->width() / 2, shown.top() / 2), Qt::black)) << "bar above the picture";
    EXPECT_TRUE(near(screen.at(preview->width() / 2, shown.top() + 3), Qt::green));
    EXPECT_TRUE(near(screen.at(preview->width() / 2, shown.bottom() - 4), Qt::yellow));
}

// The real capture pipeline with a synthetic camera whose ball moves.
class LivePreviewTest : public RecordingPanelFixture {
protected:
    RecordingControlsView &makeLivePanel()
    {
        permissions.setDecision(PermissionKind::camera, true);
        GStreamerCaptureBackend::Options options;
        options.cameras = QList<GStreamerCaptureBackend::SyntheticCamera> {
            { { QStringLiteral("synthetic:0"), QStringLiteral("Synthetic Camera") },
                QStringLiteral("videotestsrc is-live=true pattern=ball "
                               "! capsfilter caps=video/x-raw,width=640,height=360,framerate=30/1") }
        };
        engine = std::make_unique<RecordingEngine>(std::make_unique<GStreamerCaptureBackend>(options), &permissions);
        panel = std::make_unique<RecordingControlsView>(*engine);
        panel->resize(360, 640);
        panel->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
        return *panel;
    }
};

TEST_F(LivePreviewTest, TheSyntheticCameraShowsMovingPictures)
{
    RecordingControlsView &view = makeLivePanel();
    RecordingPreviewView *preview = view.previewArea()->previewView();
    ASSERT_TRUE(waitFor([&] { return engine->isPreviewRunning() && !preview->currentFrame().isNull(); }, 10000))
        << engine->statusMessage().toStdString();
    EXPECT_FALSE(view.previewArea()->placeholder()->isVisible());

    const QImage first = preview->grab().toImage();
    const qint64 firstFrame = preview->currentFrame().cacheKey();
    ASSERT_TRUE(waitFor([&] { return preview->currentFrame().cacheKey() != firstFrame; }));
    QTest::qWait(150);
    const QImage second = preview->grab().toImage();
    EXPECT_NE(first, second) << "the ball moved between the two grabs";

    // The picture is really there: the synthetic camera's white ball is on screen.
    int brightPixels = 0;
    for (int y = 0; y < second.height(); y += 2) {
        for (int x = 0; x < second.width(); x += 2)
            brightPixels += qGray(second.pixel(x, y)) > 200;
    }
    EXPECT_GT(brightPixels, 20);
}

} // namespace
