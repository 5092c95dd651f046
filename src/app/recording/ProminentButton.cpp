#include "ProminentButton.h"

#include <QApplication>
#include <QPushButton>

namespace lumetra {
namespace {

QString rgba(const QColor &color)
{
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg(color.alpha());
}

} // namespace

QColor accentColor()
{
    return QApplication::palette().color(QPalette::Active, QPalette::Highlight);
}

void makeProminent(QPushButton *button, const QColor &tint)
{
    const QColor base = tint.isValid() ? tint : accentColor();
    QColor faded = base;
    faded.setAlpha(110);
    button->setProperty("prominentTint", base);
    button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: white; border: none;"
                                         " border-radius: 6px; padding: 5px 14px; }"
                                         "QPushButton:hover { background-color: %2; }"
                                         "QPushButton:pressed { background-color: %3; }"
                                         "QPushButton:disabled { background-color: %4;"
                                         " color: rgba(255, 255, 255, 190); }")
                              .arg(rgba(base), rgba(base.lighter(110)), rgba(base.darker(115)), rgba(faded)));
}

void makeBordered(QPushButton *button)
{
    button->setProperty("prominentTint", QVariant());
    button->setStyleSheet(QString());
}

} // namespace lumetra
