#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

class QWidget;

namespace lumetra {

// The text sizes the panels use, scaled from the desktop's body font so they follow its settings.
enum class TextStyle { caption2, caption, subheadline, callout, body, headline, title2, title };

QFont textStyleFont(TextStyle style, QFont::Weight weight = QFont::Normal);
void applyTextStyle(QWidget *widget, TextStyle style, QFont::Weight weight = QFont::Normal);

// Text of lesser importance: the palette's text colour, faded.
QColor secondaryTextColor(const QPalette &palette);
QColor tertiaryTextColor(const QPalette &palette);
void applyTextColor(QWidget *widget, const QColor &color);

} // namespace lumetra
