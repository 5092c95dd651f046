#!/usr/bin/env bash
# Installs what is missing, builds, starts a virtual display and audio server, runs every test
# through CTest. Extra arguments go to ctest (for example -R Parser).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$root/scripts/build.sh"
source "$root/scripts/test-services.sh"
ctest --test-dir "$root/build" --output-on-failure --parallel "$(nproc)" "$@"
