#!/usr/bin/env bash
# Configures and builds Tidemarker and its tests into a build folder (default: build/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${TM_BUILD_DIR:-$root/build}"
type="${TM_BUILD_TYPE:-RelWithDebInfo}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="$type" >/dev/null
cmake --build "$build" -j"$(nproc)" "$@"
