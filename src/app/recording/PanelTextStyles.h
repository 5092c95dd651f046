#pragma once

#include <QColor>
#include <QFont>

class QWidget;

namespace lumetra::PanelTextStyles {

// The sizes the recording panel and the settings window need beyond the windows' common text
// styles (TextStyles.h), derived from the application font the same way.
QFont caption2(bool semibold = false);
QFont title2(bool bold = false);
QFont title(bool bold = false);

// Text of the least importance: fainter than secondary text.
void makeTertiary(QWidget *widget);
// Shows the widget's text in `color`.
void setTextColor(QWidget *widget, const QColor &color);

} // namespace lumetra::PanelTextStyles
