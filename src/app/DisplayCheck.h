#pragma once

namespace lumetra {

// Qt aborts with several lines of plugin diagnostics when no display can be reached. Installed
// before the QApplication is made, this replaces that with one clear line and exit status 1.
// Uninstalled again once the application exists, so later messages take their normal course.
void installStartupDisplayCheck();
void removeStartupDisplayCheck();

} // namespace lumetra
