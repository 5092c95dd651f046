#!/usr/bin/env bash
# Installs what is missing, builds, starts a virtual display and audio server, runs every test
# through CTest: first in the Release build (build/), then once more in a build with
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/), where any sanitizer report fails
# the run. Extra arguments go to both ctest runs (for example -R Parser).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$root/scripts/build.sh"
# -O1 keeps the instrumented tests fast enough; -g1 gives reports file and line numbers. Without
# NDEBUG, so assertions are checked too. Test timeouts are scaled for the slower code.
cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1" -DLUMETRA_SANITIZE=ON -DLUMETRA_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$root/build-asan" --parallel "$(nproc)"

source "$root/scripts/test-services.sh"
# The real-audio tests hear speech through a virtual microphone in real time, so a busy machine
# can cost them a word: a failing test gets one more run. AddressSanitizer and LeakSanitizer
# reports are collected in files apart from the outcome, so a second run cannot hide one.
retry=(--repeat until-pass:2)
ctest --test-dir "$root/build" --output-on-failure --parallel "$(nproc)" "${retry[@]}" "$@"

echo "Tests of the sanitizer build:"
source "$root/scripts/sanitizer-environment.sh"
status=0
ctest --test-dir "$root/build-asan" --output-on-failure --parallel "$(nproc)" "${retry[@]}" \
  "${lumetra_sanitizer_ctest_options[@]}" "$@" || status=$?
lumetra_check_sanitizer_reports || status=1
exit "$status"
