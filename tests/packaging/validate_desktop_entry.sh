#!/usr/bin/env bash
# The installed menu entry passes desktop-file-validate with nothing to say: no error, no
# warning, no hint.
#   validate_desktop_entry.sh STAGE
set -uo pipefail
. "${HEXAGON_IDENTITY:?the build sets it}"
entry=$1/usr/share/applications/$HEXAGON_APP_ID.desktop
report=$(desktop-file-validate "$entry" 2>&1)
status=$?
if [ "$status" -ne 0 ] || [ -n "$report" ]; then
  echo "FAIL: desktop-file-validate (status $status):"
  echo "$report"
  exit 1
fi
echo "ok: desktop-file-validate has nothing to say about $entry"
