#include "MediaProbe.h"

#include <gst/gst.h>
#include <gst/pbutils/pbutils.h>

#include <QFile>
#include <QUrl>

namespace lumetra::testing {
namespace {

QString capsName(GstCaps *caps)
{
    if (!caps || gst_caps_is_empty(caps))
        return {};
    return QString::fromUtf8(gst_structure_get_name(gst_caps_get_structure(caps, 0)));
}

} // namespace

MediaFacts probeMedia(const QString &path)
{
    gst_init(nullptr, nullptr);
    MediaFacts facts;
    GError *error = nullptr;
    GstDiscoverer *discoverer = gst_discoverer_new(10 * GST_SECOND, &error);
    if (!discoverer) {
        facts.error = QString::fromUtf8(error->message);
        g_error_free(error);
        return facts;
    }
    const QByteArray uri = QUrl::fromLocalFile(path).toEncoded();
    GstDiscovererInfo *info = gst_discoverer_discover_uri(discoverer, uri.constData(), &error);
    if (error) {
        facts.error = QString::fromUtf8(error->message);
        g_error_free(error);
    }
    if (info && gst_discoverer_info_get_result(info) == GST_DISCOVERER_OK) {
        facts.readable = true;
        facts.durationSeconds = double(gst_discoverer_info_get_duration(info)) / GST_SECOND;
        GstDiscovererStreamInfo *top = gst_discoverer_info_get_stream_info(info);
        if (top) {
            GstCaps *caps = gst_discoverer_stream_info_get_caps(top);
            facts.container = capsName(caps);
            if (caps)
                gst_caps_unref(caps);
            gst_discoverer_stream_info_unref(top);
        }
        GList *videos = gst_discoverer_info_get_video_streams(info);
        if (videos) {
            auto *video = GST_DISCOVERER_VIDEO_INFO(videos->data);
            GstCaps *caps = gst_discoverer_stream_info_get_caps(GST_DISCOVERER_STREAM_INFO(video));
            facts.videoCodec = capsName(caps);
            if (caps)
                gst_caps_unref(caps);
            facts.videoWidth = int(gst_discoverer_video_info_get_width(video));
            facts.videoHeight = int(gst_discoverer_video_info_get_height(video));
        }
        gst_discoverer_stream_info_list_free(videos);
        GList *audios = gst_discoverer_info_get_audio_streams(info);
        if (audios) {
            auto *audio = GST_DISCOVERER_AUDIO_INFO(audios->data);
            GstCaps *caps = gst_discoverer_stream_info_get_caps(GST_DISCOVERER_STREAM_INFO(audio));
            facts.audioCodec = capsName(caps);
            if (caps && !gst_caps_is_empty(caps)) {
                const GstStructure *structure = gst_caps_get_structure(caps, 0);
                gst_structure_get_int(structure, "mpegversion", &facts.audioMpegVersion);
                if (const gchar *profile = gst_structure_get_string(structure, "profile"))
                    facts.audioProfile = QString::fromUtf8(profile);
            }
            if (caps)
                gst_caps_unref(caps);
            facts.sampleRate = int(gst_discoverer_audio_info_get_sample_rate(audio));
            facts.channels = int(gst_discoverer_audio_info_get_channels(audio));
        }
        gst_discoverer_stream_info_list_free(audios);
    } else if (facts.error.isEmpty()) {
        facts.error = QStringLiteral("not discoverable");
    }
    if (info)
        gst_discoverer_info_unref(info);
    g_object_unref(discoverer);
    return facts;
}

QByteArray majorBrand(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = file.read(12);
    if (head.size() < 12 || head.mid(4, 4) != "ftyp")
        return {};
    return head.mid(8, 4);
}

bool decodesToTheEnd(const QString &path, QString *errorText)
{
    gst_init(nullptr, nullptr);
    GstElement *pipeline = gst_element_factory_make("playbin", nullptr);
    GstElement *videoSink = gst_element_factory_make("fakesink", nullptr);
    GstElement *audioSink = gst_element_factory_make("fakesink", nullptr);
    g_object_set(videoSink, "sync", FALSE, nullptr);
    g_object_set(audioSink, "sync", FALSE, nullptr);
    g_object_set(pipeline, "uri", QUrl::fromLocalFile(path).toEncoded().constData(), "video-sink", videoSink,
        "audio-sink", audioSink, nullptr);
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus *bus = gst_element_get_bus(pipeline);
    GstMessage *message
        = gst_bus_timed_pop_filtered(bus, 20 * GST_SECOND, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    bool ok = message && GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS;
    if (!ok && errorText) {
        if (message) {
            GError *error = nullptr;
            gst_message_parse_error(message, &error, nullptr);
            *errorText = QString::fromUtf8(error->message);
            g_error_free(error);
        } else {
            *errorText = QStringLiteral("no end of stream within 20 s");
        }
    }
    if (message)
        gst_message_unref(message);
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    return ok;
}

} // namespace lumetra::testing
