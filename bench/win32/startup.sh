#!/usr/bin/env bash
# Figures of the Windows program, printed, never asserted: the size of its .exe; its start under
# Wine to the first painted frame against a bare Windows-API window with one label that ends
# the same way (headless with Wine's null display driver, and on a private Xvfb display with its
# X11 driver); and the lines of code of each window and of the shared table.
#   bench/win32/startup.sh [runs]      (default: 40 runs of each, per display)
set -euo pipefail
cd "$(dirname "$0")/../.."
. scripts/lib/common.sh
. bench/measure.sh

runs=${1:-40}
install_missing_packages "${HEXAGON_WINDOWS_PACKAGES[@]}" cmake ninja-build hyperfine jq xvfb \
  fonts-liberation2

# The program as the windows preset builds it, and the probes, built with the same flags by the
# project in bench/win32 (which builds the program's libraries from the project itself).
cmake --preset windows >/dev/null
cmake --build --preset windows --target torvelin-hexagon
build=build/windows-startup
cmake -S bench/win32 -B "$build" -G Ninja --toolchain "$PWD/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS=-Wall -Wextra -Wpedantic -Werror" \
  "-DCMAKE_EXE_LINKER_FLAGS=-static -s" >/dev/null
cmake --build "$build" --target startup_probe bare_window_probe

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
program=$PWD/$build/startup_probe.exe
bare=$PWD/$build/bare_window_probe.exe
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -z "${WINEPREFIX:-}" ] || "$wineserver" -k 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid"
  rm -rf "$work"
}
trap cleanup EXIT

echo "== size"
stat -c %s build/windows/app/torvelin-hexagon.exe |
  awk '{ printf "torvelin-hexagon.exe: %d bytes = %.1f KiB, %.3f of the 1 MiB goal\n", $1, $1 / 1024, $1 / 1048576 }'

# A Wine prefix per display driver, kept in the build folder; Liberation Serif stands in for
# Times New Roman. The prefix's server is kept running for the whole measurement, so that each
# run is the program's own start and not the server's.
use_prefix() {
  export WINEPREFIX=$PWD/$build/wine-prefix-$1 WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
  if [ ! -f "$WINEPREFIX/.ready" ]; then
    "$wine" wineboot --init >/dev/null 2>&1
    "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' \
      /d 'Liberation Serif' /f >/dev/null 2>&1
    if [ "$1" = null ]; then
      "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    fi
    "$wineserver" -k || true
    "$wineserver" -w || true
    touch "$WINEPREFIX/.ready"
  fi
  "$wineserver" -p
}

# The time of every run in milliseconds, into program.ms and bare.ms, in rounds of five runs
# that take turns to go first, so that a change in the machine's load falls on both alike; and
# the processor time (user and system, Wine's own processes included) of a start, as the mean
# of each round, into program.cpu and bare.cpu.
start_times() {
  local round order
  rm -f "$work"/*.ms "$work"/*.cpu
  wait_until_idle
  for ((round = 0; round < (runs + 4) / 5; round++)); do
    order=("$wine $program" "$wine $bare")
    ((round % 2 == 0)) || order=("$wine $bare" "$wine $program")
    hyperfine -N --warmup 2 --runs 5 --export-json "$work/round.json" "${order[@]}" >/dev/null
    jq -r --arg program "$wine $program" \
      '.results[] | select(.command == $program) | .times[] * 1000' "$work/round.json" \
      >>"$work/program.ms"
    jq -r --arg program "$wine $program" \
      '.results[] | select(.command != $program) | .times[] * 1000' "$work/round.json" \
      >>"$work/bare.ms"
    jq -r --arg program "$wine $program" \
      '.results[] | select(.command == $program) | (.user + .system) * 1000' "$work/round.json" \
      >>"$work/program.cpu"
    jq -r --arg program "$wine $program" \
      '.results[] | select(.command != $program) | (.user + .system) * 1000' "$work/round.json" \
      >>"$work/bare.cpu"
  done
  awk -v what="$1" -v n="$(wc -l <"$work/program.ms")" -v p="$(median <"$work/program.ms")" \
    -v b="$(median <"$work/bare.ms")" 'BEGIN {
    printf "%-10s start to first frame, median of %d: program %6.1f ms, bare window %6.1f ms, ratio %.3f (goal 1.10)\n",
           what, n, p, b, p / b }'
  awk -v what="$1" -v n="$(wc -l <"$work/program.cpu")" -v p="$(median <"$work/program.cpu")" \
    -v b="$(median <"$work/bare.cpu")" 'BEGIN {
    printf "%-10s processor time of a start, median of %d rounds: program %6.1f ms, bare window %6.1f ms, ratio %.3f\n",
           what, n, p, b, p / b }'
}

echo "== start under Wine ($("$wine" --version))"
use_prefix null
start_times headless
"$wineserver" -k || true

for display in $(seq 90 99); do
  [ -e "/tmp/.X11-unix/X$display" ] || break
done
Xvfb ":$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=:$display
sleep 1
use_prefix x11
start_times Xvfb
"$wineserver" -k || true

# Lines of the C++ sources: all of them, and those that are neither blank nor only a comment.
echo "== lines of code"
for folder in ui/qt ui/win32 ui/shared; do
  cat "$folder"/*.h "$folder"/*.cpp |
    awk -v folder="$folder" '{ all++ } !/^[[:space:]]*($|\/\/)/ { code++ }
      END { printf "%-10s %5d lines, %5d of code\n", folder, all, code }'
done
