#pragma once

#include <QString>
#include <QStringList>

namespace lumetra::testing {

// Twelve English sentences, each short enough to be one chunk: what espeak-ng reads in the
// real-audio test and benchmark, and what transcripts recorded from them are aligned with.
const QStringList &englishLaunchSentences();
// A heading and one paragraph per sentence.
QString scriptOfSentences(const QStringList &sentences);

} // namespace lumetra::testing
