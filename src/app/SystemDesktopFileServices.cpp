#include "SystemDesktopFileServices.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace lumetra {

std::optional<QUrl> SystemDesktopFileServices::chooseFolder(
    const QString &title, const QString &confirmLabel, const QUrl &start)
{
    // A folder that does not exist yet opens at its nearest existing parent.
    QString startFolder = start.toLocalFile();
    while (!startFolder.isEmpty() && !QFileInfo(startFolder).isDir() && startFolder != QDir::rootPath())
        startFolder = QFileInfo(startFolder).path();
    QFileDialog chooser(QApplication::activeWindow(), title, startFolder.isEmpty() ? QDir::homePath() : startFolder);
    // Qt's own dialog, so the title and the confirm button read as asked.
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setFileMode(QFileDialog::Directory);
    chooser.setOption(QFileDialog::ShowDirsOnly);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    chooser.setLabelText(QFileDialog::Accept, confirmLabel);
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return std::nullopt;
    return QUrl::fromLocalFile(chooser.selectedFiles().first());
}

void SystemDesktopFileServices::revealFile(const QUrl &file)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        openContainingFolder(file);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"), QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("ShowItems"));
    call << QStringList { file.toString() } << QString();
    // Asynchronous: a file manager that takes its time never freezes the window.
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), qApp);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [file](QDBusPendingCallWatcher *finished) {
        if (finished->isError())
            openContainingFolder(file);
        finished->deleteLater();
    });
}

SystemDesktopFileServices &SystemDesktopFileServices::shared()
{
    static SystemDesktopFileServices services;
    return services;
}

void SystemDesktopFileServices::openContainingFolder(const QUrl &file)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(file.toLocalFile()).absolutePath()));
}

} // namespace lumetra
