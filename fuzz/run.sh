#!/usr/bin/env bash
# Builds one fuzz target with clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
# into build-fuzz/ and runs it for a while on a working corpus seeded from tests/fuzz/<target>.
#   bash fuzz/run.sh <target> [seconds=600] [extra libFuzzer options...]
# A finding is written to build-fuzz/findings/<target>/; once fixed, copy it into
# tests/fuzz/<target>/ so that the corpus replay in CTest keeps it fixed.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
target=${1:?usage: fuzz/run.sh <target> [seconds] [libFuzzer options]}
seconds=${2:-600}
shift $(($# < 2 ? $# : 2))

build="$root/build-fuzz"
if [[ ! -f "$build/CMakeCache.txt" ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -gline-tables-only" -DLUMETRA_BUILD_FUZZERS=ON \
    -DLUMETRA_BUILD_TESTS=OFF -DLUMETRA_BUILD_BENCHMARKS=OFF >/dev/null
fi
cmake --build "$build" --target "fuzz_$target"

corpus="$build/corpus/$target"
findings="$build/findings/$target"
mkdir -p "$corpus" "$findings"
# Inputs become files in a private temporary folder: in memory, where the machine has it.
if [[ -z "${TMPDIR:-}" && -w /dev/shm ]]; then export TMPDIR=/dev/shm; fi
options=(-max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1)
# Each input's settings file stays in QSettings' cache of parsed files, which looks like a leak to
# libFuzzer's per-input check and makes it scan the heap on every run; memory errors are still caught.
[[ "$target" == recording_settings ]] && options+=(-detect_leaks=0)
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:check_initialization_order=1:strict_init_order=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
# The seeds are read but never written to; new inputs go to the working corpus.
"$build/fuzz/fuzz_$target" "${options[@]}" -artifact_prefix="$findings/" "$@" "$corpus" "$root/tests/fuzz/$target"
