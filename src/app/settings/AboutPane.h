#pragma once

#include <QWidget>

class QLabel;

namespace lumetra {

// The about tab: the program's symbol, name and tagline, and what it does in three lines.
class AboutPane : public QWidget {
    Q_OBJECT
public:
    explicit AboutPane(QWidget *parent = nullptr);

    QLabel *symbolLabel() const { return m_symbol; }
    QList<QLabel *> bulletLabels() const { return m_bullets; }

private:
    QLabel *m_symbol;
    QList<QLabel *> m_bullets;
};

} // namespace lumetra
