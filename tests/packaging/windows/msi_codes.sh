#!/usr/bin/env bash
# The Windows Installer package's codes follow the package: built twice from the same inputs it
# has the same product and package codes; built from a WiX source that differs by a comment, or
# for a publisher of another name, it gets another product code and another package code, so
# that Windows never takes a different package for the one it has.
#   msi_codes.sh WORK_DIR CMAKE MAKE_MSI WXS IDENTITY DEFINITION...
#     (DEFINITION: the -D...=... make_msi.cmake needs besides OUTPUT, WORK, WXS and IDENTITY)
set -euo pipefail
work=$1 cmake=$2 make_msi=$3 wxs=$4 identity=$5
shift 5
definitions=("$@")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$work" && mkdir -p "$work"
# build NAME WXS IDENTITY: the package NAME.msi; codes NAME: its product code and package code.
build() {
  "$cmake" -DOUTPUT="$work/$1.msi" -DWORK="$work/$1" -DWXS="$2" -DIDENTITY="$3" \
    "${definitions[@]}" -P "$make_msi" >"$work/$1.log" 2>&1 || { cat "$work/$1.log"; exit 1; }
}
codes() {
  msiinfo export "$work/$1.msi" Property | tr -d '\r' | sed -n 's/^ProductCode\t//p'
  msiinfo suminfo "$work/$1.msi" | sed -n 's/^Revision number (UUID): //p'
}

cp "$wxs" "$work/commented.wxs" && echo '<!-- another package -->' >>"$work/commented.wxs"
sed "s/^HEXAGON_PUBLISHER='\(.*\)'$/HEXAGON_PUBLISHER='\1 (another)'/" "$identity" >"$work/identity.env"
cmp -s "$identity" "$work/identity.env" && fail "the publisher's name did not change"
build once "$wxs" "$identity"
build again "$wxs" "$identity"
build other_source "$work/commented.wxs" "$identity"
build other_publisher "$wxs" "$work/identity.env"

[ "$(codes once)" = "$(codes again)" ] || fail "the same inputs gave other codes: $(codes once | xargs) and $(codes again | xargs)"
for other in other_source other_publisher; do
  mapfile -t first < <(codes once)
  mapfile -t differing < <(codes "$other")
  [ "${first[0]}" != "${differing[0]}" ] || fail "$other kept the product code ${first[0]}"
  [ "${first[1]}" != "${differing[1]}" ] || fail "$other kept the package code ${first[1]}"
done

[ "$failures" -eq 0 ] && echo "ok: the codes follow the package: $(codes once | xargs)"
exit $((failures > 0))
