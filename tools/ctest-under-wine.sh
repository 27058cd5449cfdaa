#!/usr/bin/env bash
# Runs ctest with one Wine server for the whole run, started first with its output
# sent to a log, so that no test waits on Wine's helper processes. Needs $DISPLAY.
set -uo pipefail
build="$(realpath "$1")"; shift
"$(dirname "$0")/wine-prefix.sh" "$build/wineprefix"
export WINEPREFIX="$build/wineprefix" TM_WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
wineserver -p >"$build/wineserver.log" 2>&1
wine cmd /c exit >>"$build/wineserver.log" 2>&1
cd "$build"
ctest --output-on-failure "$@"
rc=$?
wineserver -k >/dev/null 2>&1 || true
exit $rc
