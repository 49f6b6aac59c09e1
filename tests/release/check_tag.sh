#!/usr/bin/env bash
# scripts/release/check-tag, which the release workflow runs first: the tag of the program's
# version passes, near misses do not, and what a wrong tag prints says which tag to make.
#   check_tag.sh SOURCE_DIR      (HEXAGON_IDENTITY, the build's identity.env, in the environment)
set -euo pipefail
check=$1/scripts/release/check-tag
. "${HEXAGON_IDENTITY:?the build sets it}"
version=$HEXAGON_VERSION
failures=0
expect() { # expect pass|fail TAG
  local status=0
  "$check" "$2" >/dev/null 2>&1 || status=$?
  if { [ "$1" = pass ] && [ $status -ne 0 ]; } || { [ "$1" = fail ] && [ $status -ne 1 ]; }; then
    echo "FAIL: check-tag '$2' should $1 (status $status)"
    failures=$((failures + 1))
  fi
}

major=${version%%.*} minor=${version#*.} && minor=${minor%%.*}
expect pass "v$version"
for tag in "$version" "v$version.0" "v${version%.*}" "refs/tags/v$version" "v$version-rc1" "V$version" \
  "v$major.$((minor + 1)).0" ""; do
  expect fail "$tag"
done

message=$("$check" v9.9.9 2>&1 || true)
grep -qF "v$version" <<<"$message" ||
  { echo "FAIL: the message names no v$version: $message"; failures=$((failures + 1)); }

[ "$failures" -eq 0 ] && echo "ok: check-tag"
exit $((failures > 0))
