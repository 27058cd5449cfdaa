#!/usr/bin/env bash
# The installer end to end, in a Wine prefix of its own: silent install into the user's
# local programs folder, the installed program started until it has made its database
# beside it, then two silent uninstalls: the first keeps the user's data, the second,
# with /DELETEDATA, deletes it. Arguments: build folder, project version.
# Needs an X display (the program shows its window); tools/test.sh provides one.
set -euo pipefail
build="$(realpath "$1")"; version="$2"
root="$(cd "$(dirname "$0")/../.." && pwd)"
setup="$build/Tidemarker-$version-setup.exe"
work="$build/package-test"
log="$work/wine.log"

fail() { echo "FAIL: $*" >&2; exit 1; }
[ -n "${DISPLAY:-}" ] || fail "no X display (run through tools/test.sh)"

# The packages are not part of the default build: make them (a no-op when up to date).
cmake --build "$build" --target package >/dev/null || fail "building the packages"
[ -f "$setup" ] || fail "$setup was not built"

# A fresh copy of a clean prefix for every run (made once, then copied in a second or two).
template="$build/package-test-prefix"
"$root/tools/wine-prefix.sh" "$template"
rm -rf "$work"; mkdir -p "$work"
cp -a "$template" "$work/prefix"
export WINEPREFIX="$work/prefix"
# winemenubuilder off: the Start-menu shortcut must not reach the host's menus.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" LC_ALL=C.UTF-8 WINEARCH=win64
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
# One persistent Wine server, its output in the log, so that nothing waits on Wine's
# helper processes and each command starts fast.
start_server() { wineserver -p >>"$log" 2>&1; wine cmd /c exit >>"$log" 2>&1; }
: >"$log"
start_server

user="$(ls "$WINEPREFIX/drive_c/users" | grep -vx Public | head -n1)"
inst="$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs/Tidemarker"
inst_win="C:\\users\\$user\\AppData\\Local\\Programs\\Tidemarker"
link="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tidemarker.lnk"
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
machine_run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tidemarker'
program_files=(Tidemarker.exe Tidemarker.chm ReadMe.txt Uninstall.exe)

has_value() { wine reg query "$1" /v "$2" >>"$log" 2>&1; }
# Through a file, not a pipe: Wine's helper processes may keep a pipe open for good.
value_of() {
  wine reg query "$1" /v "$2" >"$work/reg.out" 2>>"$log" || true
  tr -d '\r' <"$work/reg.out" | sed -n 's/.*REG_SZ[[:space:]]*//p'
}

# Polls (bounded) until a condition holds: the uninstaller runs from a copy of itself
# and the command that started it returns at once.
wait_for() {
  local what="$1"; shift
  for _ in $(seq 1 120); do "$@" && return 0; sleep 0.5; done
  fail "$what: not after 60 s"
}
no_uninstall_entry() { ! has_value "$uninstall_key" UninstallString; }

install() {
  wine "$setup" /S >>"$log" 2>&1 || fail "silent install exited with $?"
  for f in "${program_files[@]}"; do [ -f "$inst/$f" ] || fail "installed $f missing"; done
  [ -f "$link" ] || fail "Start-menu shortcut missing"
  has_value "$uninstall_key" UninstallString || fail "uninstall entry missing"
  [ "$(value_of "$uninstall_key" InstallLocation)" = "$inst_win" ] || fail "uninstall entry names another folder"
  [ "$(value_of "$run_key" Tidemarker)" = "\"$inst_win\\Tidemarker.exe\"" ] || fail "log-on start missing"
}

uninstall() {
  wine "$inst/Uninstall.exe" /S "$@" >>"$log" 2>&1 || fail "silent uninstall exited with $?"
  wait_for "uninstall finished" no_uninstall_entry
  for f in "${program_files[@]}"; do [ ! -e "$inst/$f" ] || fail "$f left after uninstall"; done
  [ ! -e "$link" ] || fail "Start-menu shortcut left after uninstall"
  ! has_value "$run_key" Tidemarker || fail "log-on start left"
}

# Round 1: install, start the program until its database exists, stop it, uninstall
# keeping the data.
install
wine "$inst_win\\Tidemarker.exe" >>"$log" 2>&1 &
program=$!
database_made() {
  [ -f "$inst/Data/favors.db" ] && return 0
  kill -0 "$program" 2>/dev/null || fail "the installed program ended before making Data\\favors.db"
  return 1
}
wait_for "Data\\favors.db beside the installed program" database_made
wineserver -k; wait "$program" || true
start_server

# What the program writes on the way: its settings at exit and, on a first start
# with the rights for it, the machine-wide log-on value.
printf '[Display]\r\nIsBrowser=1\r\n' >"$inst/Tidemarker.ini"
echo "my own notes" >"$inst/notes.txt"
wine reg add "$machine_run_key" /v Tidemarker /d "$inst_win\\Tidemarker.exe" /f >>"$log" 2>&1
uninstall
[ -f "$inst/Data/favors.db" ] || fail "Data\\favors.db deleted by a plain silent uninstall"
[ -f "$inst/Tidemarker.ini" ] || fail "Tidemarker.ini deleted by a plain silent uninstall"
[ -f "$inst/notes.txt" ] || fail "a file of the user's in the program folder was deleted"
! has_value "$machine_run_key" Tidemarker || fail "machine-wide log-on start of this copy left"

# Round 2: install over the kept data, uninstall with /DELETEDATA. A machine-wide
# log-on value that starts another copy stays.
rm "$inst/notes.txt"
install
[ -f "$inst/Data/favors.db" ] || fail "installing again lost Data\\favors.db"
wine reg add "$machine_run_key" /v Tidemarker /d 'C:\Other\Tidemarker.exe' /f >>"$log" 2>&1
uninstall /DELETEDATA
[ ! -e "$inst" ] || fail "program folder left after uninstall /DELETEDATA: $(ls -A "$inst")"
[ "$(value_of "$machine_run_key" Tidemarker)" = 'C:\Other\Tidemarker.exe' ] || fail "another copy's log-on start was removed"
wineserver -k >/dev/null 2>&1 || true  # before its prefix goes: a server without one is not found again
rm -rf "$work/prefix"
echo "install and uninstall: ok"
