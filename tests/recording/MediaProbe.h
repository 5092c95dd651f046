#pragma once

#include <QByteArray>
#include <QString>

namespace lumetra::testing {

// What a media file holds, as GStreamer's discoverer reads it.
struct MediaFacts {
    bool readable = false;
    QString container; // e.g. "video/quicktime"
    QString videoCodec; // e.g. "video/x-h264"
    QString audioCodec; // e.g. "audio/mpeg"
    int audioMpegVersion = 0;
    QString audioProfile; // "lc" for AAC-LC
    int sampleRate = 0;
    int channels = 0;
    int videoWidth = 0;
    int videoHeight = 0;
    double durationSeconds = 0;
    QString error;
};

MediaFacts probeMedia(const QString &path);

// The major brand of an ISO media file's "ftyp" box: "qt  " for QuickTime, "mp42", "M4A " … for MPEG-4.
QByteArray majorBrand(const QString &path);

// Whether every frame and sample of the file decodes to the end without error.
bool decodesToTheEnd(const QString &path, QString *error = nullptr);

} // namespace lumetra::testing
