#!/usr/bin/env bash
# Creates a Wine prefix for Tidemarker's runs and tests: on a virtual desktop (no
# window-manager stalls), no crash dialog, no Mono/Gecko prompts. Idempotent.
#   tools/wine-prefix.sh PREFIX [--dpi N]   N: the display's pixels per inch (96 = 100 %)
set -e
prefix="$(realpath -m "${1:?prefix folder}")"
dpi=96
[ "${2:-}" = "--dpi" ] && dpi="${3:?pixels per inch}"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8 WINEARCH=win64
[ "$(cat "$prefix/.tm-ready" 2>/dev/null)" = "dpi=$dpi" ] && exit 0
mkdir -p "$prefix"
[ -f "$prefix/system.reg" ] || wineboot -i >/dev/null 2>&1 || true
reg="$prefix/tm-setup.reg"
cat > "$reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"Default"="1280x1024"

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"LogPixels"=dword:$(printf '%08x' "$dpi")

[HKEY_CURRENT_CONFIG\\Software\\Fonts]
"LogPixels"=dword:$(printf '%08x' "$dpi")
REG
wine regedit /S "$reg" >/dev/null 2>&1
wineserver -w
echo "dpi=$dpi" > "$prefix/.tm-ready"
