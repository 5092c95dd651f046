#pragma once

#include <QString>

#include <cstdint>

namespace lumetra::bench {

// A zh-TW talk as a presenter would write it: sections of short paragraphs whose sentences are
// built from one shared stock of openings, subjects, verbs and objects, so that, as in real talks,
// common characters and parallel sentence openings recur throughout. About `shortShare` of the
// sentences are short ones of four to eleven readable characters. No sentence repeats.
QString talkScript(int sentences, std::uint32_t seed, double shortShare = 0);

// A sentence in the same style, none of whose phrases of six characters the talk contains: an ad-lib.
QString unscriptedSentence(const QString &script, std::uint32_t seed);

} // namespace lumetra::bench
