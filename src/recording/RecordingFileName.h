#pragma once

#include "RecordingMode.h"

#include <QDateTime>
#include <QString>

namespace lumetra {

// Names of new recordings: the start time, "_Lumetra." and the mode's extension.
class RecordingFileName {
public:
    // For example "2026-03-14_093005_Lumetra.mov" (local time).
    static QString forStart(const QDateTime &start, RecordingMode mode);

    // `fileName` inside `directory`; when that name is taken, " 2", " 3", … goes before the extension,
    // so that a take started within the same second never replaces an earlier one.
    static QString firstFreePath(const QString &directory, const QString &fileName);
};

} // namespace lumetra
