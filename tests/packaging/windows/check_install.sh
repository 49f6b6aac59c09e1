#!/usr/bin/env bash
# The installer in a fresh Wine prefix, one scenario per run (the table below): its command lines,
# run as an administrator types them, leave the program in FOLDER with the right files, the
# registry key with every value, and its Start-menu (and maybe desktop) shortcut, from which it
# opens and closes. Then the registry's QuietUninstallString leaves the C: drive as it was but for
# a user's file in the folder, and no key. Prints how long each install and the uninstall took.
#   check_install.sh SCENARIO WINE_RUN SETUP OLDER_SETUP VERSION PROGRAM OPEN_AND_CLOSE WORK_DIR
set -euo pipefail
scenario=$1 setup=$3 older_setup=$4 version=$5 program=$6 helper=$7 work=$8
export WINE_RUN=$2
# shellcheck source=wine_prefix.sh
. "$(dirname "$0")/wine_prefix.sh"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

new=$(windows_path "$setup") older=$(windows_path "$older_setup")
program_files='C:\Program Files\Torvelin Hexagon' other='C:\Училище\Торвелин в шестоъгълник'
case $scenario in
  into_program_files) folder=$program_files desktop=no commands=("$new /S") ;;
  into_another_folder_with_desktop_shortcut)
    folder=$other desktop=yes commands=("$new /S /DESKTOP /D=$other") ;;
  over_an_older_version) folder='C:\Older' desktop=no
    commands=("$older /S /D=C:\Older" "$new /S") ;;
  *) echo "unknown scenario $scenario"; exit 2 ;;
esac
key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\${HEXAGON_APP_ID:?the build sets it}"
shortcut='Торвелин в шестоъгълник.lnk'
start_menu='C:\ProgramData\Microsoft\Windows\Start Menu\Programs' desktop_folder='C:\users\Public\Desktop'
ms() { echo $(($(date +%s%N) / 1000000)); }
drive_c_files() { (cd "$(c_drive)" && find . ! -path './windows/*' ! -path './users/*/Temp/*' | sort); }
# A .reg export's line for a string value.
reg_string() { local v=${2//\\/\\\\}; printf '"%s"="%s"\n' "$1" "${v//\"/\\\"}"; }
expected_key() {
  local bytes
  bytes=$(cat "$(unix_path "$folder")"/{torvelin-hexagon.exe,LICENSE.txt,uninstall.exe} | wc -c)
  reg_string DisplayIcon "$folder\\torvelin-hexagon.exe,0"
  reg_string DisplayName 'Торвелин в шестоъгълник'
  reg_string DisplayVersion "$version"
  printf '"EstimatedSize"=dword:%08x\n' $(((bytes + 1023) / 1024))
  reg_string InstallLocation "$folder"
  printf '"%s"=dword:00000001\n' NoModify NoRepair
  reg_string Publisher 'The Torvelin Hexagon authors'
  reg_string QuietUninstallString "\"$folder\\uninstall.exe\" /S"
  reg_string UninstallString "\"$folder\\uninstall.exe\""
}
check_shortcut() {
  local started line
  started=$(open_and_close "$1") || fail "the program did not open and close from $1"
  echo "$started"
  for line in "target: $folder\\torvelin-hexagon.exe" "icon: $folder\\torvelin-hexagon.exe,0" \
    "window: ${HEXAGON_WEB_ADDRESS:?the build sets it} Торвелин"; do
    grep -qxF "$line" <<<"$started" || fail "$1 gave no '$line'"
  done
}

fresh_prefix "$work"
before=$(drive_c_files)
for command in "${commands[@]}"; do
  start=$(ms)
  win cmd /c "$command" || fail "'$command' ended with status $?"
  echo "'$command' took $(($(ms) - start)) ms"
done

files=$(find "$(unix_path "$folder")" -mindepth 1 -printf '%f\n' | sort | xargs)
[ "$files" = "LICENSE.txt torvelin-hexagon.exe uninstall.exe" ] || fail "$folder holds: $files"
cmp -s "$(unix_path "$folder")/torvelin-hexagon.exe" "$program" || fail "not the program just built"
for file in "$setup" "$(unix_path "$folder")/uninstall.exe"; do
  [ "$(strings -el "$file" | grep -A1 -x ProductVersion | tail -1)" = "$version" ] ||
    fail "$(basename "$file") lacks ProductVersion $version"
done
[ "$folder" = "$program_files" ] || [ ! -e "$(unix_path "$program_files")" ] ||
  fail "files in $program_files as well"
win reg export "$key" "$(windows_path "$work/key.reg")" /y >/dev/null || fail "no registry key"
diff <(expected_key) <(iconv -f UTF-16 -t UTF-8 "$work/key.reg" | tr -d '\r' | grep '^"' | sort) ||
  fail "the registry key differs (< expected, > found)"
check_shortcut "$start_menu\\$shortcut"
if [ $desktop = yes ]; then
  check_shortcut "$desktop_folder\\$shortcut"
elif [ -e "$(unix_path "$desktop_folder\\$shortcut")" ]; then
  fail "a desktop shortcut nobody asked for"
fi

echo "a pupil's notes" >"$(unix_path "$folder")/notes.txt"
quiet=$(iconv -f UTF-16 -t UTF-8 "$work/key.reg" | sed -n 's/^"QuietUninstallString"="\\"\(.*\)\\" \/S"\r$/\1/p')
start=$(ms)
# The uninstaller hands over to a copy of itself and returns at once: wait for its last deletion.
win "${quiet//\\\\/\\}" /S || fail "the uninstaller ended with status $?"
while [ -e "$(unix_path "$folder")/uninstall.exe" ] && [ $(($(ms) - start)) -lt 30000 ]; do sleep 0.05; done
echo "the silent uninstall took $(($(ms) - start)) ms"
"$wineserver" -w
# What may be left: the user's file, and the folder with those of its parents the install made.
rel=${folder:3} expected=() path=.
while IFS= read -r -d "\\" part; do
  path=$path/$part
  grep -qxF "$path" <<<"$before" || expected+=("> $path")
done <<<"${rel}\\"
expected+=("> ./${rel//\\//}/notes.txt")
left=$(diff <(echo "$before") <(drive_c_files) | grep '^[<>]' || true)
[ "$left" = "$(printf '%s\n' "${expected[@]}")" ] ||
  fail "after the uninstall the C: drive differs by more than the user's file: $left"
! win reg query "$key" >/dev/null 2>&1 || fail "the registry key is still there"

[ "$failures" -eq 0 ] && echo "ok: $scenario"
exit $((failures > 0))
