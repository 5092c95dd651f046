#pragma once

#include "ConsentPrompter.h"

#include <QPointer>

class QWidget;

namespace lumetra {

// Asks the presenter for a permission in a small window-modal question ("允許" / "不允許").
class ConsentDialog final : public ConsentPrompter {
public:
    // The dialog opens over the active window, or over `fallbackParent` when none is active.
    explicit ConsentDialog(QWidget *fallbackParent = nullptr);

    void ask(PermissionKind kind, std::function<void(bool granted)> answer) override;

    static QString question(PermissionKind kind);
    static QString explanation(PermissionKind kind);

private:
    QPointer<QWidget> m_fallbackParent;
};

} // namespace lumetra
