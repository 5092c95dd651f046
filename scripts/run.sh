#!/usr/bin/env bash
# Builds Lumetra and starts it; arguments are passed to the program.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$root/scripts/build.sh"
exec "$root/build/src/app/lumetra" "$@"
