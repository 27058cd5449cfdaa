#!/usr/bin/env bash
# Creates a Wine prefix for Tidemarker's runs and tests: on a virtual desktop (no
# window-manager stalls), no crash dialog, no Mono/Gecko prompts. Idempotent.
set -e
prefix="$(realpath -m "${1:?prefix folder}")"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8 WINEARCH=win64
[ -f "$prefix/.tm-ready" ] && exit 0
mkdir -p "$prefix"
wineboot -i >/dev/null 2>&1 || true
reg="$prefix/tm-setup.reg"
cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1280x1024"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
wine regedit /S "$reg" >/dev/null 2>&1
wineserver -w
touch "$prefix/.tm-ready"
