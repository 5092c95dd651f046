#include "CameraFormat.h"

#include "GStreamerSupport.h"

#include <array>

namespace lumetra {
namespace {

const char *mediaType(bool jpeg)
{
    return jpeg ? "image/jpeg" : "video/x-raw";
}

bool offers(const GstCaps *offered, int width, int height, bool jpeg, bool fluid)
{
    gstreamer::CapsPtr wanted(
        gst_caps_new_simple(mediaType(jpeg), "width", G_TYPE_INT, width, "height", G_TYPE_INT, height, nullptr));
    if (fluid)
        gst_caps_set_simple(wanted.get(), "framerate", GST_TYPE_FRACTION_RANGE, 24, 1, G_MAXINT, 1, nullptr);
    return gst_caps_can_intersect(offered, wanted.get());
}

// The largest value a width or height field allows.
int largest(const GValue *value)
{
    if (!value)
        return 0;
    if (G_VALUE_HOLDS_INT(value))
        return g_value_get_int(value);
    if (GST_VALUE_HOLDS_INT_RANGE(value))
        return gst_value_get_int_range_max(value);
    if (GST_VALUE_HOLDS_LIST(value)) {
        int best = 0;
        for (guint i = 0; i < gst_value_list_get_size(value); ++i)
            best = std::max(best, largest(gst_value_list_get_value(value, i)));
        return best;
    }
    return 0;
}

} // namespace

std::optional<CameraFormat> CameraFormat::choose(const GstCaps *offered)
{
    if (!offered)
        return std::nullopt;
    constexpr std::array<std::pair<int, int>, 2> preferredSizes { { { 1920, 1080 }, { 1280, 720 } } };
    for (const auto &[width, height] : preferredSizes) {
        for (const bool fluid : { true, false }) {
            for (const bool jpeg : { false, true }) {
                if (offers(offered, width, height, jpeg, fluid))
                    return CameraFormat { width, height, jpeg };
            }
        }
    }
    std::optional<CameraFormat> best;
    for (guint i = 0; i < gst_caps_get_size(offered); ++i) {
        const GstStructure *structure = gst_caps_get_structure(offered, i);
        const bool jpeg = gst_structure_has_name(structure, "image/jpeg");
        if (!jpeg && !gst_structure_has_name(structure, "video/x-raw"))
            continue;
        const CameraFormat candidate { largest(gst_structure_get_value(structure, "width")),
            largest(gst_structure_get_value(structure, "height")), jpeg };
        if (candidate.width <= 0 || candidate.height <= 0)
            continue;
        const qint64 area = qint64(candidate.width) * candidate.height;
        if (!best || area > qint64(best->width) * best->height || (area == qint64(best->width) * best->height && !jpeg))
            best = candidate;
    }
    return best;
}

QString CameraFormat::capsText() const
{
    return QStringLiteral("%1,width=%2,height=%3").arg(QLatin1String(mediaType(isJpeg))).arg(width).arg(height);
}

} // namespace lumetra
