#pragma once

#include <QString>
#include <QUrl>

#include <optional>

namespace lumetra {

// The desktop's folder chooser and file browser, as the recording engine uses them.
class DesktopFileServices {
public:
    virtual ~DesktopFileServices() = default;
    // Runs a modal folder chooser (folders only, new folders allowed, one selection) starting in
    // `start`; the chosen folder, or none when cancelled.
    virtual std::optional<QUrl> chooseFolder(const QString &title, const QString &confirmLabel, const QUrl &start) = 0;
    // Shows the file selected in the file browser.
    virtual void revealFile(const QUrl &file) = 0;
};

} // namespace lumetra
