# shellcheck shell=bash
# Shared by the start-up benchmarks (bench/startup.sh, bench/win32/startup.sh): a median, and
# a wait for an idle machine, since other work on the same cores delays every start. Source it;
# it defines functions only.

median() {
  sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# The share of the machine's processor time (0 to 1) that went to other work over one second.
busy_share() {
  local before after
  before=$(head -1 /proc/stat)
  sleep 1
  after=$(head -1 /proc/stat)
  awk -v b="$before" -v a="$after" 'BEGIN {
    nb = split(b, x); split(a, y); total = 0
    for (i = 2; i <= nb; i++) total += y[i] - x[i]
    idle = (y[5] - x[5]) + (y[6] - x[6])
    printf "%.2f", (total > 0 ? 1 - idle / total : 0) }'
}

# Other work on the same cores delays every process, and under X11 it delays the X server at
# each of the hundred or so round trips of a start as well: on a busy machine the Xvfb figures
# of both programs grow by tens of milliseconds, up to 100 ms (see the README). Waits up to a
# minute for the machine to be nearly idle for three seconds running, and says so when it never
# was.
wait_until_idle() {
  local share i quiet=0
  for ((i = 0; i < 60 && quiet < 3; i++)); do
    share=$(busy_share)
    if awk -v s="$share" 'BEGIN { exit !(s < 0.15) }'; then
      quiet=$((quiet + 1))
    else
      quiet=0
    fi
  done
  ((quiet < 3)) || return 0
  echo "warning: the machine stayed busy (${share} of its processor time went to other work);" \
    "the figures below are not comparable" >&2
}
