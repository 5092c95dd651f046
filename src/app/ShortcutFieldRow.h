#pragma once

#include <QWidget>

class QLineEdit;

namespace lumetra {

// One shortcut row: the title and a narrow field showing the key in upper case.
class ShortcutFieldRow : public QWidget {
    Q_OBJECT
public:
    explicit ShortcutFieldRow(const QString &title, QWidget *parent = nullptr);

    // Shows the stored key (one lower-case character).
    void setKey(const QString &key);
    QLineEdit &field() const { return *m_field; }

signals:
    // Every edit by the user, with the field's whole text.
    void keyEdited(const QString &text);

private:
    QLineEdit *m_field;
};

} // namespace lumetra
