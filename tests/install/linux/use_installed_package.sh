#!/usr/bin/env bash
# In the fresh Debian system in ROOT (scripts/check-linux-install makes it and calls this from
# inside mmdebstrap, which has mounted what apt and the program need), does what a school's
# administrator and then a pupil do with the package DEB:
# - installs it with apt-get, its dependencies from the system's own archive;
# - as an ordinary user, starts the program from its menu entry's Exec line on the X display that
#   DISPLAY names, types 5 into the start box, clicks "Въведи", reads the report (through the
#   clipboard, as a pupil would copy it) and closes the window as its close button does;
# - removes the package with --purge and checks that none of its files or folders is left.
# Says what went well in lines that start with "ok:", and stops at the first thing that goes wrong
# with a line that starts with "FAIL:".
#   scripts/lib/use-installed-package ROOT DEB
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: scripts/lib/use-installed-package ROOT DEB" >&2; exit 2; }
root=$1 deb=$2
: "${DISPLAY:?the X display to start the program on}"
fail() { echo "FAIL: $*" >&2; exit 1; }
in_root() { chroot "$root" env DEBIAN_FRONTEND=noninteractive "$@"; }

# Where the form's controls are in the window, in pixels at 96 dots per inch: the middle of the
# start box, of "Въведи" and of the report box.
start_box=(340 53) enter_button=(408 52) report_box=(230 250)
expected_report=$'5+8+11 = 24\n6+8+10 = 24\n7+8+9 = 24'

cp "$deb" "$root/tmp/"
in_root apt-get install -y -q "/tmp/${deb##*/}" || fail "apt-get could not install ${deb##*/}"
package=$(dpkg-deb -f "$deb" Package)
mapfile -t paths < <(dpkg-deb -c "$deb" | awk '{ sub(/^\./, "", $6); print $6 }' | grep -v '^/$')
entry=$(printf '%s\n' "${paths[@]}" | grep -m1 '^/usr/share/applications/.*\.desktop$') ||
  fail "the package has no menu entry"
exec_line=$(sed -n 's/^Exec=//p' "$root$entry")

# The pupil: an ordinary user with a home of their own.
mkdir -p "$root/home/pupil"
chown 1000:1000 "$root/home/pupil"
# The Exec line is a command line: split into words on purpose.
# shellcheck disable=SC2086
chroot --userspec=1000:1000 "$root" env -i HOME=/home/pupil DISPLAY="$DISPLAY" LANG=C.UTF-8 \
  PATH=/usr/local/bin:/usr/bin:/bin $exec_line &
app=$!
trap 'kill "$app" 2>/dev/null || true' EXIT
# Under emulation the program takes some seconds to show its window.
window=''
for _ in $(seq 90); do
  window=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | head -1) && break
  kill -0 "$app" 2>/dev/null || fail "'$exec_line' ended before it showed a window"
  sleep 1
done
[ -n "$window" ] || fail "'$exec_line' showed no window within 90 s"
echo "ok: '$exec_line' showed the window '$(xdotool getwindowname "$window")'"

click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
click "${start_box[@]}"
xdotool key --window "$window" ctrl+a type --window "$window" 5
click "${enter_button[@]}"
report=''
for _ in $(seq 30); do
  click "${report_box[@]}"
  xdotool key --window "$window" ctrl+a ctrl+c
  report=$(timeout 5 xclip -out -selection clipboard 2>/dev/null || true)
  [ "$report" = "$expected_report" ] && break
  sleep 1
done
[ "$report" = "$expected_report" ] || fail "after 5 and Въведи the report reads '$report'"
echo "ok: after 5 and Въведи the report reads as it should"

# The close button asks the window to close with the WM_DELETE_WINDOW message. Debian's own
# python3 has python3-xlib.
/usr/bin/python3 - "$window" <<'PYTHON' || fail "could not ask the window to close"
import sys
from Xlib import X, display, protocol
screen = display.Display()
window = screen.create_resource_object("window", int(sys.argv[1]))
message = protocol.event.ClientMessage(
    window=window, client_type=screen.intern_atom("WM_PROTOCOLS"),
    data=(32, [screen.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
window.send_event(message)
screen.flush()
PYTHON
status=0
timeout 30 tail --pid="$app" -f /dev/null || fail "the program did not end within 30 s of closing"
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status when its window closed"
echo "ok: closing the window ended the program with status 0"

in_root apt-get remove --purge -y -q "$package" || fail "apt-get could not remove $package"
status=$(in_root dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null || true)
[[ -z $status || $status == ?n* ]] || fail "dpkg still has $package as '$status' after the purge"
# A folder the package shares with others (/usr/share/man/man1, say) stays as long as one of them
# owns it.
for path in "${paths[@]}"; do
  path=${path%/}
  [ -e "$root$path" ] || [ -L "$root$path" ] || continue
  if [ -d "$root$path" ] && [ ! -L "$root$path" ] && in_root dpkg-query -S "$path" >/dev/null 2>&1; then
    continue
  fi
  fail "$path is left after the purge"
done
echo "ok: the purge left nothing of $package"
