#pragma once

#include <QWidget>

class QLabel;

namespace lumetra {

// A label of an icon from the program's icon set followed by text.
class IconLabel : public QWidget {
    Q_OBJECT
public:
    IconLabel(const QString &symbol, const QString &text, const QFont &font, QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const;
    QLabel &textLabel() const { return *m_text; }

private:
    QLabel *m_text;
};

} // namespace lumetra
