#include "SymbolIcon.h"

#include <QImage>
#include <QPixmap>
#include <QSet>
#include <gtest/gtest.h>

using namespace lumetra;

namespace {

// Every symbol the windows name: playback, toolbar, panels, recording, permissions, about page.
const QStringList programSymbols {
    "waveform",
    "play.fill",
    "pause.fill",
    "gobackward.10",
    "backward.end.fill",
    "rectangle.on.rectangle",
    "stop.circle.fill",
    "stop.fill",
    "record.circle",
    "record.circle.fill",
    "folder",
    "square.and.arrow.down",
    "list.bullet.rectangle",
    "doc.text",
    "slider.horizontal.3",
    "minus",
    "plus",
    "chevron.up",
    "chevron.down",
    "exclamationmark.circle",
    "checkmark.circle",
    "checkmark.circle.fill",
    "xmark.circle.fill",
    "lock.fill",
    "lock.shield",
    "info.circle",
    "mic",
    "mic.fill",
    "camera",
    "video",
    "video.fill",
    "arrow.clockwise",
    "ellipsis",
    "text.line.first.and.arrowtriangle.forward",
};

QImage render(const QIcon &icon, int side, QIcon::Mode mode = QIcon::Normal)
{
    return icon.pixmap(QSize(side, side), mode).toImage().convertToFormat(QImage::Format_ARGB32);
}

int inkedPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 64 ? 1 : 0;
    return count;
}

int strongestAlpha(const QImage &image)
{
    int strongest = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            strongest = std::max(strongest, qAlpha(image.pixel(x, y)));
    return strongest;
}

} // namespace

TEST(SymbolIcon, EverySymbolTheProgramUsesIsDrawnAsAShapeNotABlankOrABlock)
{
    for (const QString &name : programSymbols) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(isKnownSymbol(name));
        const QIcon icon = symbolIcon(name);
        ASSERT_FALSE(icon.isNull());
        const QImage image = render(icon, 48);
        ASSERT_EQ(image.size(), QSize(48, 48));
        const int inked = inkedPixels(image);
        EXPECT_GT(inked, 48 * 48 / 25) << "too little ink to be seen";
        EXPECT_LT(inked, 48 * 48 * 3 / 4) << "a solid block, not a symbol";
    }
}

TEST(SymbolIcon, DifferentSymbolsLookDifferent)
{
    QSet<QByteArray> drawings;
    for (const QString &name : knownSymbolNames()) {
        const QImage image = render(symbolIcon(name, Qt::black), 32);
        drawings.insert(QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()));
    }
    EXPECT_EQ(drawings.size(), knownSymbolNames().size());
}

TEST(SymbolIcon, AnUnknownNameStillShowsAPlaceholderInsteadOfAGap)
{
    EXPECT_FALSE(isKnownSymbol("no.such.symbol"));
    const QImage image = render(symbolIcon("no.such.symbol"), 32);
    EXPECT_GT(inkedPixels(image), 32 * 32 / 25);
}

TEST(SymbolIcon, AColouredIconPaintsInItsColourAndDisabledIconsAreFainter)
{
    const QImage red = render(symbolIcon("xmark.circle.fill", QColor(255, 0, 0)), 32);
    const QRgb middleOfDisc = red.pixel(8, 16);
    EXPECT_EQ(qRed(middleOfDisc), 255);
    EXPECT_EQ(qGreen(middleOfDisc), 0);
    EXPECT_EQ(qBlue(middleOfDisc), 0);

    const QIcon icon = symbolIcon("play.fill");
    EXPECT_GT(strongestAlpha(render(icon, 32)), 250);
    EXPECT_LT(strongestAlpha(render(icon, 32, QIcon::Disabled)), 120);
}

TEST(SymbolIcon, HighResolutionScreensGetPixmapsDrawnAtTheirOwnResolution)
{
    const QIcon icon = symbolIcon("chevron.down", Qt::black);
    const QPixmap doubled = icon.pixmap(QSize(24, 24), 2.0);
    EXPECT_EQ(doubled.size(), QSize(48, 48));
    EXPECT_DOUBLE_EQ(doubled.devicePixelRatio(), 2.0);
    // A stroke drawn at twice the resolution has hard edges: most inked pixels are fully opaque,
    // which an upscaled 24-pixel image would not give.
    const QImage image = doubled.toImage().convertToFormat(QImage::Format_ARGB32);
    int opaque = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            opaque += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
    EXPECT_GT(opaque, 60);
}
