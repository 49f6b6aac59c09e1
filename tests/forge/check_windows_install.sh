#!/usr/bin/env bash
# The forge's check of the installer on Windows, here under Wine in a fresh prefix: it passes on
# this build's installer, and fails on an older version's test installer, whose "program" (the
# helper itself) shows no window with the home address in its caption.
#   check_windows_install.sh SOURCE_DIR BUILD_DIR OLDER_SETUP WORK_DIR
set -euo pipefail
scripts=$1/scripts/lib build=$2 older_setup=$3 work=$4
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$work" && mkdir -p "$work"
# Shortcut names are Cyrillic: Wine reads them from the command line in a UTF-8 locale.
export WINEPREFIX=$work/wine LC_ALL=C.UTF-8
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
trap 'status=$?; "$wineserver" -k 2>/dev/null
  [ $status -ne 0 ] || rm -rf "$WINEPREFIX" "$WINEPREFIX.lock"' EXIT

"$scripts/gather-windows-tests" "$build" "$work/gathered" >/dev/null
"$scripts/check-windows-install" "$work/gathered" || fail "this build's installer did not pass"

mkdir "$work/older"
cp "$older_setup" "$work/older/torvelin-hexagon-0.9.0-windows-x64-setup.exe"
cp "$work/gathered/open_and_close.exe" "$work/older/"
if "$scripts/check-windows-install" "$work/older" >"$work/older.log" 2>&1; then
  fail "an installer of another program passed"
fi
grep -q "gave no 'window: " "$work/older.log" ||
  fail "no word of the missing window: $(cat "$work/older.log")"

[ "$failures" -eq 0 ] && echo "ok: check-windows-install"
exit $((failures > 0))
