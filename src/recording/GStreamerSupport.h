#pragma once

#include <gst/gst.h>

#include <QString>

#include <memory>

namespace lumetra::gstreamer {

// Initialises GStreamer once per process; safe to call from every entry point.
void ensureInitialized();

struct ObjectUnref {
    void operator()(gpointer object) const { gst_object_unref(object); }
};
struct CapsUnref {
    void operator()(GstCaps *caps) const { gst_caps_unref(caps); }
};
struct ErrorFree {
    void operator()(GError *error) const { g_error_free(error); }
};

template <typename T> using ObjectPtr = std::unique_ptr<T, ObjectUnref>;
using CapsPtr = std::unique_ptr<GstCaps, CapsUnref>;
using ErrorPtr = std::unique_ptr<GError, ErrorFree>;

// The first AAC encoder this system has: "voaacenc", else "avenc_aac"; empty when there is none.
QString aacEncoderName();

// The text of an error message, with the debug detail when the message alone says little.
QString errorText(GstMessage *errorMessage);

} // namespace lumetra::gstreamer
