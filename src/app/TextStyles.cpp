#include "TextStyles.h"

#include "TextStyle.h"

#include <QWidget>

namespace lumetra::TextStyles {

QFont headline()
{
    return textStyleFont(TextStyle::headline);
}

QFont subheadline(bool semibold)
{
    return textStyleFont(TextStyle::subheadline, semibold ? QFont::DemiBold : QFont::Normal);
}

QFont callout()
{
    return textStyleFont(TextStyle::callout);
}

QFont caption(bool semibold)
{
    return textStyleFont(TextStyle::caption, semibold ? QFont::DemiBold : QFont::Normal);
}

QColor secondaryColor(const QPalette &palette)
{
    return secondaryTextColor(palette);
}

void makeSecondary(QWidget *widget)
{
    applyTextColor(widget, secondaryTextColor(widget->palette()));
}

} // namespace lumetra::TextStyles
