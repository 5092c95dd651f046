#pragma once

#include <QFont>
#include <QPalette>

class QWidget;

namespace lumetra::TextStyles {

// The control window's names for the shared text styles of TextStyle.h.
QFont headline();
QFont subheadline(bool semibold = false);
QFont callout();
QFont caption(bool semibold = false);

// The dimmed colour of secondary text.
QColor secondaryColor(const QPalette &palette);
// Shows the widget's text in the secondary (dimmed) style.
void makeSecondary(QWidget *widget);

} // namespace lumetra::TextStyles
