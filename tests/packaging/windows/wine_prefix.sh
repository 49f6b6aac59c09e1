# shellcheck shell=bash
# Sourced by the Windows packaging tests once WINE_RUN names scripts/lib/wine-run.
# fresh_prefix FOLDER makes a new headless Wine prefix there, with a home of its own, so nothing
# reaches the real desktop or menus. When the test exits, its programs are ended and, if it
# passed, the prefix (some 700 MB of Windows DLLs) is deleted. Its locale is
# Bulgarian, as the schools' Windows is: Wine writes a shortcut's target in the ANSI code page,
# and only 1251 holds a Cyrillic folder's name.
fresh_prefix() {
  locale -a | grep -qix 'bg_BG\.utf-\?8' || { echo "FAIL: no bg_BG.UTF-8 locale"; exit 1; }
  rm -rf "$1" && mkdir -p "$1/home"
  export WINEPREFIX=$1/wine HOME=$1/home LC_ALL=bg_BG.UTF-8 WINEDEBUG=-all
  # winemenubuilder would copy each Windows shortcut into the home's Linux menus.
  export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
  unset DISPLAY WAYLAND_DISPLAY XDG_CONFIG_HOME XDG_DATA_HOME
  trap 'status=$?; "$wineserver" -k 2>/dev/null || true; "$wineserver" -w
    [ $status -ne 0 ] || rm -rf "$WINEPREFIX"' EXIT
  win wineboot >/dev/null
}
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
win() { "${WINE_RUN:?}" "$@"; }
c_drive() { echo "$WINEPREFIX/drive_c"; }
windows_path() { local path=${1//\//\\}; echo "Z:$path"; }
# A path on C: as Linux sees it.
unix_path() { local path=${1#C:}; echo "$(c_drive)${path//\\//}"; }
# Runs open_and_close.exe (named by helper) on a program or shortcut; prints its report without
# Windows' CRs and returns its status.
open_and_close() {
  local out status=0
  out=$(win "${helper:?}" "$1") || status=$?
  echo "${out//$'\r'/}"
  return $status
}

# Run as a script, it runs a command in a fresh prefix in WORK_DIR (kept only if the command fails):
#   wine_prefix.sh WINE_RUN WORK_DIR COMMAND [ARGUMENTS...]
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  export WINE_RUN=$1
  fresh_prefix "$2"
  shift 2
  "$@"
fi
