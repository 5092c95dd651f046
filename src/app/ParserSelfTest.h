#pragma once

#include <QStringList>

namespace lumetra::ParserSelfTest {

// Whether one of the arguments (after the program name) is exactly "--self-test".
bool isRequested(const QStringList &arguments);

// Runs every check, prints "Parser self-test passed" or "Parser self-test failed" and returns the
// exit status (0 or 1). Needs a QApplication; shows no window and touches no settings.
int run();

// The editor's twelve arrow-key motions on a text view that is never shown.
bool textEditorArrowShortcutsWork();

} // namespace lumetra::ParserSelfTest
