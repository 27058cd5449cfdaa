#!/usr/bin/env bash
# The whole test run from a clean clone: packages, build, the second compiler's check
# (clang for the same target, cmake/ClangCheck.cmake), Wine prefix, every test under a
# virtual X display. Extra arguments go to ctest (for example -R logic).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"
"$root/tools/build.sh" --target all clang_check
build="${TM_BUILD_DIR:-$root/build}"
xvfb-run -a -s "-screen 0 1280x1024x24" "$root/tools/ctest-under-wine.sh" "$build" "$@"
