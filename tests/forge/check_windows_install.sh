#!/usr/bin/env bash
# The forge's check of the installer and the Windows Installer package on Windows, here under Wine
# in one fresh prefix, as on the runner's one machine: it passes on this build's files, one
# scenario after the other, and fails on a folder whose installer and package are an older
# version's test files, whose "program" (the helper itself) shows no window with the home address.
#   check_windows_install.sh SOURCE_DIR BUILD_DIR WORK_DIR
set -euo pipefail
scripts=$1/scripts/lib build=$2 work=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$work" && mkdir -p "$work"
# Shortcut names are Cyrillic: Wine reads them from the command line in a UTF-8 locale.
export WINEPREFIX=$work/wine LC_ALL=C.UTF-8
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
trap 'status=$?; "$wineserver" -k 2>/dev/null || true
  [ $status -ne 0 ] || rm -rf "$WINEPREFIX" "$WINEPREFIX.lock"' EXIT

"$scripts/gather-windows-tests" "$build" "$work/gathered" >/dev/null
"$scripts/check-windows-install" "$work/gathered" setup msi || fail "this build's files failed"

mkdir "$work/older"
cp "$work/gathered"/*.* "$work/older/"
cp "$work/gathered/older-setup.exe" "$work/older/"torvelin-hexagon-*-setup.exe
cp "$work/gathered/older.msi" "$work/older/"torvelin-hexagon-*.msi
if "$scripts/check-windows-install" "$work/older" setup msi >"$work/older.log" 2>&1; then
  fail "the files of another program passed"
fi
for scenario in setup msi; do
  grep -q "FAIL: $scenario: .* gave no 'window: " "$work/older.log" ||
    fail "no word of the missing window in $scenario: $(cat "$work/older.log")"
done

[ "$failures" -eq 0 ] && echo "ok: check-windows-install"
exit $((failures > 0))
