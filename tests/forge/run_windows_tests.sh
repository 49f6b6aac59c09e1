#!/usr/bin/env bash
# What the forge's Windows runner gets and runs, here under Wine: gather-windows-tests takes the
# logic's and the window's test programs, the installer, the Windows Installer package and
# open_and_close.exe from this build, and run-windows-tests passes on them; it fails on a folder
# where one program cannot even start, after running the others, and on a folder with no program.
#   run_windows_tests.sh SOURCE_DIR BUILD_DIR WORK_DIR    (WORK_DIR inside the build tree)
set -euo pipefail
scripts=$1/scripts/lib build=$2 work=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$work" && mkdir -p "$work"
"$scripts/gather-windows-tests" "$build" "$work/gathered"
for program in tests/logic_tests.exe tests/layout_test.exe tests/events_test.exe open_and_close.exe \
  torvelin-hexagon-*-windows-x64-setup.exe torvelin-hexagon-*-windows-x64.msi; do
  [ -f "$(echo "$work/gathered/"$program)" ] || fail "gather-windows-tests left out $program"
done

"$scripts/run-windows-tests" "$work/gathered/tests" >"$work/all.log" 2>&1 ||
  fail "the test programs failed: $(tail -20 "$work/all.log")"
grep -qx 'run-windows-tests: all 3 test programs passed' "$work/all.log" ||
  fail "not the three programs: $(grep '^run-windows-tests' "$work/all.log")"

mkdir "$work/broken"
cp "$work/gathered/tests/logic_tests.exe" "$work/broken/"
echo 'not a program' >"$work/broken/a_broken_test.exe"
if "$scripts/run-windows-tests" "$work/broken" >"$work/broken.log" 2>&1; then
  fail "a program that cannot start passed"
fi
grep -q 'failed: a_broken_test.exe$' "$work/broken.log" || fail "the broken program was not named"
grep -q '^\[  PASSED  \]' "$work/broken.log" || fail "logic_tests.exe did not run after the broken one"

mkdir "$work/empty"
if "$scripts/run-windows-tests" "$work/empty" >/dev/null 2>&1; then fail "an empty folder passed"; fi

[ "$failures" -eq 0 ] && echo "ok: run-windows-tests"
exit $((failures > 0))
