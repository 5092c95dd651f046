#include "SymbolIcon.h"

#include "SymbolGlyphs.h"
#include "SymbolIconEngine.h"

#include <QDebug>

namespace lumetra {

namespace {

QIcon makeIcon(const QString &symbolName, std::optional<QColor> color)
{
    if (!SymbolGlyphs::contains(symbolName))
        qWarning() << "lumetra: no drawing for the symbol" << symbolName << "- a placeholder is shown";
    return QIcon(new SymbolIconEngine(symbolName, std::move(color)));
}

} // namespace

QIcon symbolIcon(const QString &symbolName)
{
    return makeIcon(symbolName, std::nullopt);
}

QIcon symbolIcon(const QString &symbolName, const QColor &color)
{
    return makeIcon(symbolName, color);
}

const QStringList &knownSymbolNames()
{
    return SymbolGlyphs::names();
}

bool isKnownSymbol(const QString &symbolName)
{
    return SymbolGlyphs::contains(symbolName);
}

} // namespace lumetra
