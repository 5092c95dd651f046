#pragma once

#include "DesktopFileServices.h"

#include <QPointer>

class QWidget;

namespace lumetra {

// The desktop's own services: a folder chooser, and showing a file in the file manager through the
// freedesktop FileManager1 call, falling back to opening its folder.
class SystemDesktopFileServices final : public DesktopFileServices {
public:
    std::optional<QUrl> chooseFolder(const QString &title, const QString &confirmLabel, const QUrl &start) override;
    void revealFile(const QUrl &file) override;

    // One instance serves every caller that has none of its own, for the life of the process.
    static SystemDesktopFileServices &shared();

    // Opens the folder that holds `file` with the desktop's default handler.
    static void openContainingFolder(const QUrl &file);
};

} // namespace lumetra
