#pragma once

#include <QString>

namespace lumetra {

// `path` with the home folder at its start shown as "~" ("/home/ana/Videos" → "~/Videos"). Only a
// whole leading folder counts: "/home/anabel" stays as it is for the home folder "/home/ana".
QString homeRelativePath(const QString &path, const QString &homeFolder);
QString homeRelativePath(const QString &path);

} // namespace lumetra
