#pragma once

#include <QStringList>

namespace lumetra::testing {

// A talk with two chunks of seven readable characters (2 and 7) among longer ones that share
// words and openings; chunks 4 and 11 end in the same clause (把每天重複在做的事情寫下來).
const QStringList &workflowTalk();

} // namespace lumetra::testing
