#pragma once

#include <QString>

#include <cstdint>

namespace lumetra::bench {

// A zh-TW talk as a presenter would write it: sections of short paragraphs whose sentences are
// built from one shared stock of openings, subjects, verbs and objects, so that, as in real talks,
// common characters and parallel sentence openings recur throughout. No sentence repeats.
QString talkScript(int sentences, std::uint32_t seed);

// A sentence in the same style that the talk of that seed does not contain: an ad-lib.
QString unscriptedSentence(const QString &script, std::uint32_t seed);

} // namespace lumetra::bench
