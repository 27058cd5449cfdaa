#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Tidemarker need,
# only those that are missing. Needs root (or sudo) and a reachable apt mirror.
set -euo pipefail
pkgs=(cmake make npm wine wine64 g++-mingw-w64-x86-64-posix mingw-w64-tools
      xvfb xauth googletest fp-utils nsis zip unzip python3)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
