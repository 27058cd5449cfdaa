#!/usr/bin/env bash
# Runs a Windows program under Wine, quiet and offline, in the build's own prefix.
# Used as CMake's cross-compiling emulator (ctest, custom commands) and by the scripts.
set -e
WINEPREFIX="$(realpath -m "${WINEPREFIX:-${TM_WINEPREFIX:-$PWD/wineprefix}}")"
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export LC_ALL=C.UTF-8
export WINEARCH=win64
if [ ! -f "$WINEPREFIX/.tm-ready" ]; then
  "$(dirname "$0")/wine-prefix.sh" "$WINEPREFIX" >&2
fi
exec wine "$@"
