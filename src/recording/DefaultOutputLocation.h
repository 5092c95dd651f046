#pragma once

#include <QUrl>

namespace lumetra {

class DefaultOutputLocation {
public:
    // The user's Movies folder, or the home folder when there is none, plus "Lumetra". Not created here.
    static QUrl recordings();
};

} // namespace lumetra
