#pragma once

#include "ScriptDocument.h"

#include <QString>
#include <QStringView>

#include <cstdint>

namespace lumetra::ScriptParser {

// Parses script text into sections and display chunks. Pure: the same text gives the same
// document, and any text (even empty or malformed) gives one.
ScriptDocument parse(QStringView text);

// The readable form of a text: fully lower-cased, only letters and numbers kept.
QString normalizedReadableText(QStringView text);

// The character count of normalizedReadableText(text), without building it.
std::int64_t readableLength(QStringView text);

// "\r\n" and then every remaining "\r" become "\n".
QString normalizedLineEnds(QStringView text);

} // namespace lumetra::ScriptParser
