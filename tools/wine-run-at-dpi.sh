#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of its own whose display has another
# scale (pixels per inch, 144 = 150 %). The prefix's Wine server is started first, its
# output sent to a log so that nothing waits on Wine's helper processes, and ended
# afterwards. Needs $DISPLAY.
#   tools/wine-run-at-dpi.sh DPI PREFIX PROGRAM [ARGUMENTS...]
set -uo pipefail
dpi="${1:?pixels per inch}"; prefix="$(realpath -m "${2:?prefix folder}")"; shift 2
"$(dirname "$0")/wine-prefix.sh" "$prefix" --dpi "$dpi" >&2
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8 WINEARCH=win64
wineserver -p >"$prefix/wineserver.log" 2>&1
wine cmd /c exit >>"$prefix/wineserver.log" 2>&1
TM_EXPECT_DPI="$dpi" wine "$@"
rc=$?
wineserver -k >/dev/null 2>&1 || true
exit $rc
