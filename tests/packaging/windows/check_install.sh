#!/usr/bin/env bash
# The installer under Wine, one scenario per run, each in a fresh prefix. Command lines are run
# as an administrator types them, through run_command.exe (NSIS wants /D= last and unquoted).
#   fresh_install     "setup /S": the files, the Start-menu shortcut (no desktop one) and the
#                     registry key; the program starts from the path the shortcut names
#   other_folder      "setup /S /D=<folder with blanks and Cyrillic>": all of that there, and
#                     nothing in Program Files
#   desktop_shortcut  "setup /S /DESKTOP": a desktop shortcut for all users as well
#   upgrade           an older version installed into another folder, then "setup /S": the new
#                     version replaces it in that folder
#   uninstall         the registry's QuietUninstallString: nothing of the installer's is left on
#                     the C: drive or in the registry, and a user's file keeps its folder
# Prints how long each silent install and uninstall took.
#   check_install.sh SCENARIO WINE_RUN SETUP OLDER_SETUP VERSION PROGRAM HELPERS_DIR WORK_DIR
# HELPERS_DIR holds open_and_close.exe and run_command.exe.
set -euo pipefail
scenario=$1
export WINE_RUN=$2
setup=$3 older_setup=$4 version=$5 program=$6 helpers=$7 work=$8
# shellcheck source=wine_prefix.sh
. "$(dirname "$0")/wine_prefix.sh"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\org.example.TorvelinHexagon'
shortcut='Торвелин в шестоъгълник.lnk'
start_menu='C:\ProgramData\Microsoft\Windows\Start Menu\Programs'
public_desktop='C:\users\Public\Desktop'
program_files='C:\Program Files\Torvelin Hexagon'

unix_path() {
  local path=${1#C:}
  echo "$(c_drive)${path//\\//}"
}

milliseconds() { echo $(($(date +%s%N) / 1000000)); }

# Runs a Windows command line and prints how long it took.
run_timed() {
  local start
  start=$(milliseconds)
  win "$helpers/run_command.exe" "$1" || fail "'$1' ended with status $?"
  echo "'$1' took $(($(milliseconds) - start)) ms"
}

setup_command() { echo "$(windows_path "$1") $2"; }

# One line of a .reg export for a string value: backslashes and quotes escaped.
reg_string() {
  local value=${2//\\/\\\\}
  printf '"%s"="%s"\n' "$1" "${value//\"/\\\"}"
}

expected_key() {
  local folder=$1 bytes
  bytes=$(cat "$(unix_path "$folder")"/{torvelin-hexagon.exe,LICENSE.txt,uninstall.exe} | wc -c)
  reg_string DisplayIcon "$folder\\torvelin-hexagon.exe,0"
  reg_string DisplayName 'Торвелин в шестоъгълник'
  reg_string DisplayVersion "$version"
  printf '"EstimatedSize"=dword:%08x\n' $(((bytes + 1023) / 1024))
  reg_string InstallLocation "$folder"
  echo '"NoModify"=dword:00000001'
  echo '"NoRepair"=dword:00000001'
  reg_string Publisher 'The Torvelin Hexagon authors'
  reg_string QuietUninstallString "\"$folder\\uninstall.exe\" /S"
  reg_string UninstallString "\"$folder\\uninstall.exe\""
}

# The shortcut names the installed program and its icon, and the program opens and closes from it.
check_shortcut() {
  local link=$1 folder=$2 started
  [ -f "$(unix_path "$link")" ] || { fail "no shortcut $link"; return; }
  started=$(win "$helpers/open_and_close.exe" "$link") ||
    fail "the program did not open and close from $link"
  started=${started//$'\r'/}
  echo "$started"
  for line in "target: $folder\\torvelin-hexagon.exe" "icon: $folder\\torvelin-hexagon.exe,0" \
              "window: www.example.org Торвелин"; do
    grep -qxF "$line" <<<"$started" || fail "$link: no '$line'"
  done
}

check_installed() {
  local folder=$1 files
  files=$(find "$(unix_path "$folder")" -mindepth 1 -printf '%f\n' | sort | tr '\n' ' ')
  [ "$files" = "LICENSE.txt torvelin-hexagon.exe uninstall.exe " ] || fail "$folder holds: $files"
  cmp -s "$(unix_path "$folder")/torvelin-hexagon.exe" "$program" ||
    fail "$folder\\torvelin-hexagon.exe is not the program just built"
  for file in "$setup" "$(unix_path "$folder")/uninstall.exe"; do
    [ "$(strings -el "$file" | grep -A1 -x ProductVersion | tail -1)" = "$version" ] ||
      fail "$(basename "$file") does not carry ProductVersion $version"
  done
  export_key "$key" "$work/key.reg" || { fail "no registry key $key"; return; }
  diff <(expected_key "$folder") <(grep '^"' "$work/key.reg" | sort) ||
    fail "the registry key differs from the expected (< expected, > found)"
  check_shortcut "$start_menu\\$shortcut" "$folder"
}

drive_c_files() { (cd "$(c_drive)" && find . ! -path './windows/*' ! -path './users/*/Temp/*' | sort); }

fresh_prefix "$work/prefix"
case $scenario in
  fresh_install)
    run_timed "$(setup_command "$setup" /S)"
    check_installed "$program_files"
    [ ! -e "$(unix_path "$public_desktop\\$shortcut")" ] || fail "a desktop shortcut nobody asked for"
    ;;
  other_folder)
    folder='C:\Училище\Торвелин в шестоъгълник'
    run_timed "$(setup_command "$setup" "/S /D=$folder")"
    check_installed "$folder"
    [ ! -e "$(unix_path "$program_files")" ] || fail "files in $program_files as well"
    ;;
  desktop_shortcut)
    run_timed "$(setup_command "$setup" "/S /DESKTOP")"
    check_installed "$program_files"
    check_shortcut "$public_desktop\\$shortcut" "$program_files"
    ;;
  upgrade)
    folder='C:\Older'
    run_timed "$(setup_command "$older_setup" "/S /D=$folder")"
    run_timed "$(setup_command "$setup" /S)"
    check_installed "$folder"
    [ ! -e "$(unix_path "$program_files")" ] || fail "the upgrade went to $program_files"
    ;;
  uninstall)
    before=$(drive_c_files)
    run_timed "$(setup_command "$setup" "/S /DESKTOP")"
    echo "a pupil's notes" >"$(unix_path "$program_files")/notes.txt"
    export_key "$key" "$work/key.reg"
    quiet=$(sed -n 's/^"QuietUninstallString"="\(.*\)"$/\1/p' "$work/key.reg" | sed 's/\\\(.\)/\1/g')
    # The uninstaller hands over to a copy of itself and returns at once; wait for that copy.
    start=$(milliseconds)
    win "$helpers/run_command.exe" "$quiet" || fail "'$quiet' ended with status $?"
    while [ -e "$(unix_path "$program_files")/uninstall.exe" ] && [ $(($(milliseconds) - start)) -lt 30000 ]; do
      sleep 0.05
    done
    echo "'$quiet' took $(($(milliseconds) - start)) ms"
    "$(command -v wineserver || echo /usr/lib/wine/wineserver)" -w
    diff <(echo "$before") <(drive_c_files) | grep '^[<>]' >"$work/changes" || true
    [ "$(cat "$work/changes")" = "> ./Program Files/Torvelin Hexagon
> ./Program Files/Torvelin Hexagon/notes.txt" ] ||
      fail "the C: drive differs from before the install by more than the user's file:
$(cat "$work/changes")"
    ! win reg query "$key" >/dev/null 2>&1 || fail "the registry key $key is still there"
    ;;
  *)
    echo "unknown scenario $scenario"
    exit 2
    ;;
esac

[ "$failures" -eq 0 ] && echo "ok: $scenario"
exit $((failures > 0))
