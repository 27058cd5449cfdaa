#!/usr/bin/env bash
# Installs what is missing, builds Tidemarker and starts it under Wine on the
# user's X display. The program keeps Data\favors.db and Tidemarker.ini beside
# Tidemarker.exe, i.e. in the build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"
TM_BUILD_TESTS=OFF "$root/tools/build.sh" --target Tidemarker
build="${TM_BUILD_DIR:-$root/build}"
export WINEPREFIX="${TM_RUN_WINEPREFIX:-$build/wineprefix-run}"
"$root/tools/wine-prefix.sh" "$WINEPREFIX"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
exec wine "$build/Tidemarker.exe"
