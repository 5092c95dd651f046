#include "SettingsView.h"

#include "AboutPane.h"
#include "PermissionsPane.h"
#include "SymbolIcon.h"

#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace lumetra {

SettingsView::SettingsView(PermissionService &permissions, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_tabs(new QTabWidget(this))
    , m_permissions(new PermissionsPane(permissions, m_tabs))
    , m_about(new AboutPane(m_tabs))
{
    setWindowTitle(QStringLiteral("設定"));
    setFixedSize(fixedSize);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_tabs->setDocumentMode(true);
    m_tabs->addTab(m_permissions, symbolIcon(QStringLiteral("lock.shield")), QStringLiteral("權限"));
    m_tabs->addTab(m_about, symbolIcon(QStringLiteral("info.circle")), QStringLiteral("關於"));
    layout->addWidget(m_tabs);
    // Closed like any settings window: with the desktop's close keys or Escape.
    for (const QKeySequence &keys : { QKeySequence(QKeySequence::Close), QKeySequence(Qt::Key_Escape) })
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
}

} // namespace lumetra
