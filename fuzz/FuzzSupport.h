#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// The entry point of every fuzz target: called by libFuzzer, or by the corpus replay.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

// Ends the process with the failed condition when an invariant does not hold, so the fuzzer keeps
// the input and a replay fails. Active in every build type.
#define LUMETRA_FUZZ_CHECK(condition)                                                                                  \
    ((condition) ? void() : lumetra::fuzz::failedCheck(#condition, __FILE__, __LINE__))

namespace lumetra::fuzz {

[[noreturn]] void failedCheck(const char *condition, const char *file, int line);

// Each pair of bytes as one UTF-16 unit (little-endian), so that every unit sequence can be
// reached, unpaired surrogates and NUL included. An odd last byte is dropped.
QString utf16FromBytes(const std::uint8_t *data, std::size_t size);

QByteArray bytesOf(const std::uint8_t *data, std::size_t size);

// A private folder for the files of one run; removed when the process ends.
QString scratchFolder();

// Writes `bytes` to the file, replacing it; ends the process if that fails, since the target
// could then check nothing.
void writeFile(const QString &path, const QByteArray &bytes);

} // namespace lumetra::fuzz
