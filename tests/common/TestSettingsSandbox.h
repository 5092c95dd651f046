#pragma once

namespace lumetra::testing {

// Points QSettings (user scope) and the XDG folders at a fresh temporary folder, so that no test
// reads or writes a user's settings, and nothing one test process stores leaks into the next.
void redirectSettingsToTemporaryFolder();

} // namespace lumetra::testing
