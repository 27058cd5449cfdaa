#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Tidemarker need,
# only those that are missing. Needs root (or sudo) and a reachable apt mirror.
set -euo pipefail
# command the package provides : package
tools=(cmake:cmake make:make npm:npm wine:wine clang++:clang
       x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64-posix
       xvfb-run:xvfb xauth:xauth chmcmd:fp-utils makensis:nsis zip:zip unzip:unzip python3:python3
       rclone:rclone openssl:openssl htpasswd:apache2-utils)
# packages without a command of their own
files=(/usr/src/googletest/CMakeLists.txt:googletest /usr/lib/wine/wine64:wine64
       /usr/include/nlohmann/json.hpp:nlohmann-json3-dev /usr/sbin/apache2:apache2)
missing=()
for t in "${tools[@]}"; do command -v "${t%%:*}" >/dev/null 2>&1 || missing+=("${t##*:}"); done
for f in "${files[@]}"; do [ -e "${f%%:*}" ] || missing+=("${f##*:}"); done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
$sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
