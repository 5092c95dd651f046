#pragma once

#include "DesktopFileServices.h"

namespace lumetra {

// The desktop's folder chooser (Qt's own dialog, so the title and the confirm button read as asked)
// and the file browser, reached through the freedesktop file-manager interface; without a file
// manager that speaks it, the file's folder is opened instead.
class DesktopFileDialogs final : public DesktopFileServices {
public:
    std::optional<QUrl> chooseFolder(const QString &title, const QString &confirmLabel, const QUrl &start) override;
    void revealFile(const QUrl &file) override;

    // One instance serves every caller for the life of the process.
    static DesktopFileDialogs &shared();
};

} // namespace lumetra
