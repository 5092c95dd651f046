#pragma once

// The program's icon set comes with the prompter display; until it is part of the build the
// buttons show their text alone.
#if __has_include("SymbolIcon.h")
#include "SymbolIcon.h"
#else
#include <QIcon>
#include <QString>
namespace lumetra {
inline QIcon symbolIcon(const QString &)
{
    return {};
}
} // namespace lumetra
#endif
