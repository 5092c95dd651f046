#include "SettingsView.h"

#include "AboutPane.h"
#include "PermissionsPane.h"

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
    m_tabs->addTab(m_permissions, QStringLiteral("權限"));
    m_tabs->addTab(m_about, QStringLiteral("關於"));
    layout->addWidget(m_tabs);
}

} // namespace lumetra
