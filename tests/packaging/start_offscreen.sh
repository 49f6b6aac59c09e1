#!/usr/bin/env bash
# Starts the staged program the way a menu does, from its entry's Exec line, without a display
# (Qt's offscreen platform), then tells it to quit with SIGTERM, as a session manager does at
# logout. It passes when the program is still running after two seconds, so it neither crashed
# nor gave up at start, and then ends within three seconds of the signal.
#   start_offscreen.sh STAGE
set -uo pipefail
. "${HEXAGON_IDENTITY:?the build sets it}"
stage=$1
entry=$stage/usr/share/applications/$HEXAGON_APP_ID.desktop
exec_line=$(sed -n 's/^Exec=//p' "$entry")
export PATH=$stage/usr/bin:$PATH QT_QPA_PLATFORM=offscreen
program=$(command -v "${exec_line%% *}")
if [[ $program != "$stage"/* ]]; then
  echo "FAIL: the Exec line '$exec_line' does not run the installed program but '$program'"
  exit 1
fi
# The Exec line is a command line: split into words on purpose.
# shellcheck disable=SC2086
timeout --signal=TERM --kill-after=3 2 $exec_line
status=$?
case $status in
  124) echo "ok: '$exec_line' was still running after 2 s and quit on SIGTERM" ;;
  137) echo "FAIL: '$exec_line' did not quit within 3 s of SIGTERM" ;;
  *) echo "FAIL: '$exec_line' ended by itself with status $status before it was told to quit" ;;
esac
[ "$status" -eq 124 ]
