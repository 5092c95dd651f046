#include "DesktopFileDialogs.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace lumetra {

std::optional<QUrl> DesktopFileDialogs::chooseFolder(
    const QString &title, const QString &confirmLabel, const QUrl &start)
{
    QFileDialog dialog(QApplication::activeWindow(), title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setLabelText(QFileDialog::Accept, confirmLabel);
    // A folder that does not exist yet opens at its nearest existing parent.
    QString startFolder = start.toLocalFile();
    while (!startFolder.isEmpty() && !QFileInfo(startFolder).isDir() && startFolder != QDir::rootPath())
        startFolder = QFileInfo(startFolder).path();
    dialog.setDirectory(startFolder.isEmpty() ? QDir::homePath() : startFolder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedUrls().isEmpty())
        return std::nullopt;
    return dialog.selectedUrls().constFirst();
}

void DesktopFileDialogs::revealFile(const QUrl &file)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"), QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("ShowItems"));
    call << QStringList { file.toString() } << QString();
    const QUrl folder = QUrl::fromLocalFile(QFileInfo(file.toLocalFile()).path());
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), qApp);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, qApp, [folder](QDBusPendingCallWatcher *finished) {
        if (finished->isError())
            QDesktopServices::openUrl(folder);
        finished->deleteLater();
    });
}

DesktopFileDialogs &DesktopFileDialogs::shared()
{
    static DesktopFileDialogs dialogs;
    return dialogs;
}

} // namespace lumetra
