#pragma once

#include <QString>

namespace lumetra::SampleScript {

// The built-in sample script the prompter starts with: three sections of a short spoken talk.
const QString &text();

} // namespace lumetra::SampleScript
