#include "GStreamerSupport.h"

namespace lumetra::gstreamer {

void ensureInitialized()
{
    static const bool initialized = [] {
        gst_init(nullptr, nullptr);
        return true;
    }();
    (void)initialized;
}

QString aacEncoderName()
{
    ensureInitialized();
    for (const char *name : { "voaacenc", "avenc_aac" }) {
        if (ObjectPtr<GstElementFactory> factory { gst_element_factory_find(name) })
            return QString::fromLatin1(name);
    }
    return {};
}

QString errorText(GstMessage *errorMessage)
{
    GError *rawError = nullptr;
    gchar *debug = nullptr;
    gst_message_parse_error(errorMessage, &rawError, &debug);
    const ErrorPtr error(rawError);
    QString text = error ? QString::fromUtf8(error->message) : QString();
    g_free(debug);
    if (text.isEmpty())
        text = QStringLiteral("GStreamer error from %1").arg(QString::fromUtf8(GST_OBJECT_NAME(errorMessage->src)));
    return text;
}

} // namespace lumetra::gstreamer
