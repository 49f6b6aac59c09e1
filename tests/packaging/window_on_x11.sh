#!/usr/bin/env bash
# Starts the staged program from its menu entry on the X display DISPLAY names (CTest runs this
# under xvfb-run) and checks that it shows a window whose class is the one the entry names in
# StartupWMClass: X11 desktops match a window to its menu entry, name and icon by that class.
# Then it quits the program with SIGTERM.
#   window_on_x11.sh STAGE
set -uo pipefail
. "${HEXAGON_IDENTITY:?the build sets it}"
stage=$1
entry=$stage/usr/share/applications/$HEXAGON_APP_ID.desktop
app=''
trap '[ -z "$app" ] || kill "$app" 2>/dev/null' EXIT
export PATH=$stage/usr/bin:$PATH

exec_line=$(sed -n 's/^Exec=//p' "$entry")
# shellcheck disable=SC2086
$exec_line &
app=$!
window=$(timeout 5 xdotool search --sync --onlyvisible --pid "$app" 2>/dev/null | head -1)
[ -n "$window" ] || { echo "FAIL: '$exec_line' showed no window within 5 s"; exit 1; }

# WM_CLASS(STRING) = "instance", "class"
class=$(xprop -id "$window" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = "[^"]*", "\([^"]*\)"$/\1/p')
wanted=$(sed -n 's/^StartupWMClass=//p' "$entry")
if [ "$class" != "$wanted" ]; then
  echo "FAIL: the window's class is '$class'; the menu entry's StartupWMClass is '$wanted'"
  exit 1
fi

kill -TERM "$app"
for _ in $(seq 30); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app" 2>/dev/null; then
  echo "FAIL: the program did not quit within 3 s of SIGTERM"
  exit 1
fi
app=''
echo "ok: the window of class '$class' showed and the program quit on SIGTERM"
