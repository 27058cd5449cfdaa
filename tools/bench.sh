#!/usr/bin/env bash
# Builds the benchmark and runs it under Wine in the build's prefix. Arguments go to
# tm_bench.exe: section names to run (all without any), --runs N, --list.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# The main window's figures need a display: without one, the run gets its own.
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
build="${TM_BUILD_DIR:-$root/build}"
"$root/tools/build.sh" --target tm_bench >/dev/null
"$root/tools/wine-prefix.sh" "$build/wineprefix"
export WINEPREFIX="$build/wineprefix" TM_WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
# One Wine server for the run, its output sent to a log, so that nothing waits on
# Wine's helper processes holding our standard output.
wineserver -p >"$build/wineserver.log" 2>&1
wine cmd /c exit >>"$build/wineserver.log" 2>&1
# The sync figures need the WebDAV servers: started for the run, stopped after it.
if [ $# -eq 0 ] || printf '%s\n' "$@" | grep -q sync; then
    dav="$build/webdav-bench"
    if "$root/tools/webdav-servers.sh" start "$dav" >"$build/webdav-bench.log" 2>&1; then
        export TM_WEBDAV_SERVERS="$dav/servers.ini"
        trap '"$root/tools/webdav-servers.sh" stop "$dav" >/dev/null 2>&1 || true' EXIT
    fi
fi
rc=0
wine "$build/tm_bench.exe" "$@" || rc=$?
wineserver -k >/dev/null 2>&1 || true
exit $rc
