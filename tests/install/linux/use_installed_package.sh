#!/usr/bin/env bash
# In the fresh Debian system in ROOT (check_linux_install.sh makes it and calls this from inside
# mmdebstrap, which has mounted what apt and the program need), does what a school's
# administrator and then a pupil do with the package DEB:
# - runs, as root and as they stand, every block of the administrators' guide GUIDE marked `sh`,
#   in order, in a folder holding DEB and a SHA256SUMS that lists it; each must end with status 0.
#   apt's questions are answered yes, as the administrator would. The guide's blocks install the
#   package (its dependencies from the system's own archive) and, last, remove it;
# - once a block has installed it: as an ordinary user, starts the program from its menu entry's
#   Exec line on the X display that DISPLAY names (with the cookie XAUTHORITY names), under a
#   window manager as on a desktop; and by keyboard alone: 5 into the start box, which has the
#   focus with its "0" selected, Return, which presses "Въведи", Shift+Tab to the report, which it
#   copies (Ctrl+A, Ctrl+C) and reads from the clipboard, then Alt+F4, which closes the window as
#   its close button does;
# - once all blocks have run: checks, with dpkg's own list of the package's files, that none of
#   them is left.
# Says what went well in lines that start with "ok:", and stops at the first thing that goes wrong
# with a line that starts with "FAIL:".
#   tests/install/linux/use_installed_package.sh ROOT DEB GUIDE
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: use_installed_package.sh ROOT DEB GUIDE" >&2; exit 2; }
root=$1 deb=$2 guide=$3
: "${DISPLAY:?the X display to start the program on}" "${XAUTHORITY:?the cookie of the display}"
fail() { echo "FAIL: $*" >&2; exit 1; }
in_root() { chroot "$root" env DEBIAN_FRONTEND=noninteractive "$@"; }
package=$(dpkg-deb -f "$deb" Package)
installed() { in_root dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null | grep -q '^ii'; }
expected_report=$'5+8+11 = 24\n6+8+10 = 24\n7+8+9 = 24'

# The pupil: an ordinary user with a home of their own and the display's cookie, who works the
# program by keyboard.
use_program() {
  local exec_line entry window window_manager app status=0
  entry=$(printf '%s\n' "${paths[@]}" | grep -m1 '^/usr/share/applications/.*\.desktop$') ||
    fail "the package has no menu entry"
  exec_line=$(sed -n 's/^Exec=//p' "$root$entry")
  mkdir -p "$root/home/pupil"
  cp "$XAUTHORITY" "$root/home/pupil/.Xauthority"
  chown -R 1000:1000 "$root/home/pupil"
  openbox --sm-disable >/dev/null 2>&1 &
  window_manager=$!
  # The window manager is ready once it names itself on the root window; a window mapped before
  # then is not given the keyboard.
  for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
  # The Exec line is a command line: split into words on purpose.
  # shellcheck disable=SC2086
  chroot --userspec=1000:1000 "$root" env -i HOME=/home/pupil DISPLAY="$DISPLAY" \
    XAUTHORITY=/home/pupil/.Xauthority LANG=C.UTF-8 PATH=/usr/local/bin:/usr/bin:/bin $exec_line &
  app=$!
  trap 'kill "$app" "$window_manager" 2>/dev/null || true' EXIT
  # Under emulation the program takes some seconds to show its window.
  window=''
  for _ in $(seq 90); do
    window=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | head -1) && break
    kill -0 "$app" 2>/dev/null || fail "'$exec_line' ended before it showed a window"
    sleep 1
  done
  [ -n "$window" ] || fail "'$exec_line' showed no window within 90 s"
  echo "ok: '$exec_line' showed the window '$(xdotool getwindowname "$window")'"
  for _ in $(seq 50); do [ "$(xdotool getwindowfocus)" = "$window" ] && break; sleep 0.2; done
  [ "$(xdotool getwindowfocus)" = "$window" ] || fail "the window did not get the keyboard"

  xdotool type 5
  xdotool key Return shift+Tab
  local report=''
  for _ in $(seq 30); do
    xdotool key ctrl+a ctrl+c
    report=$(timeout 5 xclip -out -selection clipboard 2>/dev/null || true)
    [ "$report" = "$expected_report" ] && break
    sleep 1
  done
  [ "$report" = "$expected_report" ] || fail "after 5 and Return the report reads '$report'"
  echo "ok: after 5 and Return the report reads as it should"

  xdotool key alt+F4
  timeout 30 tail --pid="$app" -f /dev/null || fail "the program did not end within 30 s of Alt+F4"
  wait "$app" || status=$?
  [ "$status" -eq 0 ] || fail "the program ended with status $status when its window closed"
  echo "ok: closing the window with Alt+F4 ended the program with status 0"
  kill "$window_manager" 2>/dev/null || true
  trap - EXIT
}

# The guide's blocks, one file each, and what they work on: the package and a SHA256SUMS that
# lists it and, as a release's does, a download that is not there.
mkdir -p "$root/root/guide" "$root/root/downloads"
awk '/^```sh *$/ { n++; inside = 1; next } /^```/ { inside = 0 }
  inside { print > (dir "/" sprintf("%02d", n) ".sh") }' dir="$root/root/guide" "$guide"
mapfile -t blocks < <(cd "$root/root/guide" && ls)
[ ${#blocks[@]} -gt 0 ] || fail "no sh block in $guide"
cp "$deb" "$root/root/downloads/"
(cd "$root/root/downloads" && sha256sum "${deb##*/}" &&
  echo "$(printf '0%.0s' $(seq 64))  not-downloaded.html") >"$root/root/downloads/SHA256SUMS"
echo 'APT::Get::Assume-Yes "true";' >"$root/etc/apt/apt.conf.d/90yes"

paths=()
for block in "${blocks[@]}"; do
  in_root sh -c "cd /root/downloads && exec sh -e /root/guide/$block" ||
    fail "the guide's sh block $block failed: $(tr '\n' ';' <"$root/root/guide/$block")"
  echo "ok: the guide's sh block $block: $(head -1 "$root/root/guide/$block")"
  if [ ${#paths[@]} -eq 0 ] && installed; then
    mapfile -t paths < <(in_root dpkg-query -L "$package" | grep -v '^/\.$')
    use_program
  fi
done
[ ${#paths[@]} -gt 0 ] || fail "no sh block of the guide installed $package"

installed && fail "$package is still installed after the guide's last block"
status=$(in_root dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null || true)
[[ -z $status || $status == ?n* ]] || fail "dpkg still has $package as '$status' after the purge"
# A folder the package shares with others (/usr/share/man/man1, say) stays as long as one of them
# owns it.
for path in "${paths[@]}"; do
  [ -e "$root$path" ] || [ -L "$root$path" ] || continue
  if [ -d "$root$path" ] && [ ! -L "$root$path" ] && in_root dpkg-query -S "$path" >/dev/null 2>&1; then
    continue
  fi
  fail "$path is left after the purge"
done
echo "ok: the purge left none of the ${#paths[@]} files and folders dpkg listed for $package"
