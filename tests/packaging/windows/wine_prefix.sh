# shellcheck shell=bash
# Sourced by the Windows packaging tests, after WINE_RUN is set to scripts/lib/wine-run.
#   fresh_prefix FOLDER      makes a new headless Wine prefix in FOLDER, with a home of its own so
#                            that nothing reaches the real user's desktop or menus; its programs
#                            are ended when the test exits. Its Windows is a Bulgarian one, as in
#                            the schools: Wine stores a shortcut's target in the ANSI code page,
#                            which only the Bulgarian locale (1251) gives Cyrillic paths.
#   win PROGRAM [ARGS...]    runs a Windows program in that prefix
#   c_drive                  prints the Unix path of its C: drive
#   windows_path UNIX_PATH   prints the path as Windows programs in the prefix see it (Z:)
#   export_key KEY FILE      writes the registry key to FILE as UTF-8 text (reg prints '?' for
#                            Cyrillic, its exported file is UTF-16)

fresh_prefix() {
  rm -rf "$1"
  mkdir -p "$1/home"
  locale -a | grep -qix 'bg_BG\.utf-\?8' ||
    { echo "FAIL: no bg_BG.UTF-8 locale (scripts/test makes it)"; exit 1; }
  export WINEPREFIX=$1/wine HOME=$1/home LC_ALL=bg_BG.UTF-8 WINEDEBUG=-all
  # winemenubuilder would copy every Windows shortcut into the home's Linux menus and desktop.
  export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
  unset DISPLAY WAYLAND_DISPLAY XDG_CONFIG_HOME XDG_DATA_HOME XDG_DESKTOP_DIR
  trap '"$(command -v wineserver || echo /usr/lib/wine/wineserver)" -k 2>/dev/null' EXIT
  # wine-run makes the prefix on first use; make it now, so later timings are the programs' own.
  win wineboot >/dev/null
}

win() { "${WINE_RUN:?}" "$@"; }

c_drive() { echo "$WINEPREFIX/drive_c"; }

windows_path() {
  local path=${1//\//\\}
  echo "Z:$path"
}

export_key() {
  win reg export "$1" "$(windows_path "$2.utf16")" /y >/dev/null &&
    iconv -f UTF-16 -t UTF-8 "$2.utf16" | tr -d '\r' >"$2"
}
