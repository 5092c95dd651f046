#pragma once

#include <QColor>
#include <QIcon>
#include <QString>
#include <QStringList>

namespace lumetra {

// The program's one icon set. Every window names its icons by symbol ("play.fill", "waveform",
// "checkmark.circle.fill", …); each is drawn as vector art at whatever size and device pixel
// ratio it is shown, so it stays crisp on every screen.
//
// The plain form takes the colour of the application palette's window text when painted
// (greyed when the icon is disabled); the second form always paints in `color`. An unknown
// name draws a question mark in a circle rather than nothing.
QIcon symbolIcon(const QString &symbolName);
QIcon symbolIcon(const QString &symbolName, const QColor &color);

// Every symbol name the set draws.
const QStringList &knownSymbolNames();
bool isKnownSymbol(const QString &symbolName);

} // namespace lumetra
