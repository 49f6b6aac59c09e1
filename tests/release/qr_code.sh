#!/usr/bin/env bash
# The QR code the teachers' guide shows, docs/qr-code.png, is the one the web build makes from the
# home address, byte for byte, so it cannot drift from the address; and a reader of QR codes
# (zbarimg) reads that address from it.
#   qr_code.sh HOME_ADDRESS BUILT_QR_CODE COMMITTED_QR_CODE
set -euo pipefail
home=$1 built=$2 committed=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmp -s "$built" "$committed" ||
  fail "$committed is not the QR code the build makes of $home; renew it: cp $built $committed"
# zbar's tools may complain on stderr that there is no D-Bus; only what they read counts.
read_back=$(zbarimg --raw -q "$committed" 2>/dev/null) || fail "zbarimg finds no QR code in $committed"
[ "$read_back" = "$home" ] || fail "$committed reads as '$read_back', not $home"

[ "$failures" -eq 0 ] && echo "ok: $committed is the QR code of $home"
exit $((failures > 0))
