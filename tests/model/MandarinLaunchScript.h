#pragma once

#include <QString>
#include <QStringList>

namespace lumetra::testing {

// Twelve zh-TW sentences, each one chunk, rich in characters whose Simplified form differs: what
// the Mandarin real-audio test and benchmark read.
const QStringList &mandarinLaunchSentences();
// The same sentences as a Mandarin speaker reads them in the Simplified spelling of the model's
// dictionary (written out, not converted, so a conversion fault in the program cannot hide).
const QStringList &mandarinLaunchReadings();
// A sentence that is not in the script, in Simplified spelling: the presenter's aside.
QString mandarinUnscriptedReading();
// The words of several characters a Mandarin dictionary would hold for these readings, and a few
// it holds that the script never uses.
const QStringList &mandarinDictionaryWords();

} // namespace lumetra::testing
