#!/usr/bin/env bash
# Times the program's start against a bare Qt window with one label, both as whole processes up
# to their first painted frame, and a click on Въведи up to the repainted report. Runs offscreen
# and, on a private Xvfb display, under X11. Prints the medians and the ratios program / bare,
# and at the end the start and memory ratios of both platforms together.
#   bench/startup.sh [runs] [build-dir]      (defaults: 40 runs, build/ci)
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/common.sh
. bench/measure.sh

runs=${1:-40}
build=${2:-build/ci}
install_missing_packages "${HEXAGON_BUILD_PACKAGES[@]}" hyperfine time jq xvfb
[ -f "$build/CMakeCache.txt" ] || cmake --preset ci -B "$build"
cmake --build "$build" --target startup_probe bare_window_probe click_latency

program=$build/bench/startup_probe
bare=$build/bench/bare_window_probe
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid"
  rm -rf "$work"
}
trap cleanup EXIT

# The time of every run in milliseconds, into program.ms and bare.ms, each round's ratio of the
# two medians into round.ratio, and the processor time (user and system) of each round in
# milliseconds, into program.cpu and bare.cpu. hyperfine
# times all runs of one command before the next; in rounds of five runs that take turns to go
# first, a change in the machine's load falls on both alike.
start_times() {
  local round order
  for ((round = 0; round < (runs + 4) / 5; round++)); do
    order=("$program" "$bare")
    ((round % 2 == 0)) || order=("$bare" "$program")
    hyperfine -N --warmup 2 --runs 5 --export-json "$work/round.json" "${order[@]}" >/dev/null
    jq -r --arg program "$program" '.results[] | select(.command == $program) | .times[] * 1000' \
      "$work/round.json" >>"$work/program.ms"
    jq -r --arg program "$program" '.results[] | select(.command != $program) | .times[] * 1000' \
      "$work/round.json" >>"$work/bare.ms"
    # The round's own ratio of the medians: a burst of other work that lasts a round or two
    # moves the ratio of the pooled medians, but only those rounds' ratios.
    jq -r --arg program "$program" '[.results[] | .median] as $m
      | (.results[0].command == $program) as $first
      | if $first then $m[0] / $m[1] else $m[1] / $m[0] end' \
      "$work/round.json" >>"$work/round.ratio"
    jq -r --arg program "$program" \
      '.results[] | select(.command == $program) | (.user + .system) * 1000' \
      "$work/round.json" >>"$work/program.cpu"
    jq -r --arg program "$program" \
      '.results[] | select(.command != $program) | (.user + .system) * 1000' \
      "$work/round.json" >>"$work/bare.cpu"
  done
}

# The peak resident memory of every run in KiB, into program.kib and bare.kib, taking turns.
peak_memory() {
  local i
  for ((i = 0; i < runs; i++)); do
    /usr/bin/time -f %M -o "$work/program.kib" -a "$program" 2>/dev/null
    /usr/bin/time -f %M -o "$work/bare.kib" -a "$bare" 2>/dev/null
  done
}

# Prints "what: program X unit, bare window Y unit, ratio X/Y (goal G)".
compare() {
  awk -v what="$1" -v p="$2" -v b="$3" -v unit="$4" -v goal="$5" 'BEGIN {
    printf "%-42s program %6.1f %s, bare window %6.1f %s, ratio %.3f%s\n",
           what, p, unit, b, unit, p / b, goal == "" ? "" : " (goal " goal ")" }'
}

ratio() {
  awk -v p="$(median <"$1")" -v b="$(median <"$2")" 'BEGIN { printf "%.3f", p / b }'
}

# Measures one platform; adds its two ratios to the summary.
measure() {
  echo "== $1"
  rm -f "$work"/*.ms "$work"/*.cpu "$work"/*.kib "$work"/*.ratio
  wait_until_idle
  start_times
  peak_memory
  compare "start to first frame, median of $(wc -l <"$work/program.ms"):" \
    "$(median <"$work/program.ms")" "$(median <"$work/bare.ms")" ms ""
  printf '%-42s %.3f (goal 1.15)\n' "start ratio, median of $(wc -l <"$work/round.ratio") rounds:" \
    "$(median <"$work/round.ratio")"
  compare "processor time of a start, median of $(wc -l <"$work/program.cpu"):" \
    "$(median <"$work/program.cpu")" "$(median <"$work/bare.cpu")" ms ""
  compare "peak resident memory, median of $runs:" \
    "$(median <"$work/program.kib" | awk '{ print $1 / 1024 }')" \
    "$(median <"$work/bare.kib" | awk '{ print $1 / 1024 }')" MiB 1.10
  "$build/bench/click_latency" 2>/dev/null
  summary+=("$(printf '%-12s start %s   memory %s' "$1" \
    "$(median <"$work/round.ratio" | awk '{ printf "%.3f", $1 }')" \
    "$(ratio "$work/program.kib" "$work/bare.kib")")")
}

summary=()

# Qt warns on every start when XDG_RUNTIME_DIR is unset (as under CI); give it a private one.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

QT_QPA_PLATFORM=offscreen measure offscreen

if command -v Xvfb >/dev/null; then
  # Xvfb picks a free display itself and writes its number to descriptor 3 once it is ready.
  Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$work/display" 2>/dev/null &
  xvfb_pid=$!
  while [ ! -s "$work/display" ]; do
    kill -0 "$xvfb_pid"  # stops the script if Xvfb could not start
    sleep 0.1
  done
  DISPLAY=:$(cat "$work/display") QT_QPA_PLATFORM=xcb measure "Xvfb (X11)"
fi

echo "== ratios program / bare window (goals: start 1.15, memory 1.10)"
printf '%s\n' "${summary[@]}"
