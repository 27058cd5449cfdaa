#!/usr/bin/env bash
# Builds the release packages from a clean clone: installs what is missing, builds the
# program and its help file, and makes Tidemarker-<version>-win64.zip and
# Tidemarker-<version>-setup.exe in the build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"
"$root/tools/build.sh" --target package
build="${TM_BUILD_DIR:-$root/build}"
ls -1 "$build"/Tidemarker-*-win64.zip "$build"/Tidemarker-*-setup.exe
