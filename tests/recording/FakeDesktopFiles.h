#pragma once

#include "DesktopFileServices.h"

#include <QStringList>
#include <QUrl>

namespace lumetra::testing {

// A folder chooser and file browser that answer as the test says and remember what they were asked.
class FakeDesktopFiles final : public DesktopFileServices {
public:
    std::optional<QUrl> chooseFolder(const QString &title, const QString &confirmLabel, const QUrl &start) override
    {
        asked << title << confirmLabel << start.toLocalFile();
        return answer;
    }
    void revealFile(const QUrl &file) override { revealed << file; }

    std::optional<QUrl> answer;
    QStringList asked;
    QList<QUrl> revealed;
};

} // namespace lumetra::testing
