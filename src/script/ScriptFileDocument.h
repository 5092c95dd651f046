#pragma once

#include "ScriptFileError.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

namespace lumetra {

// A script as a file: strict UTF-8 text in, the exact UTF-8 bytes of the text out.
struct ScriptFileDocument {
    QString text;

    // The MIME types this document reads and writes: plain text.
    static QStringList readableContentTypes();
    static QStringList writableContentTypes();

    // Reads the whole regular file at `path`. Bytes that are not valid UTF-8 fail the read (no
    // other encoding is tried); a leading byte-order mark is dropped. Line ends are kept as read.
    static std::variant<ScriptFileDocument, ScriptFileError> read(const QString &path);

    // Writes exactly the UTF-8 bytes of `text` (no byte-order mark, line ends untouched) through
    // a temporary file that replaces the target only once it is complete.
    std::optional<ScriptFileError> write(const QString &path) const;

    bool operator==(const ScriptFileDocument &) const = default;
};

} // namespace lumetra
