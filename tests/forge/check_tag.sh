#!/usr/bin/env bash
# scripts/lib/check-tag, which the release workflow runs first: the tag of the version this
# CMakeLists.txt gives (as CMake itself read it) passes, near misses do not, also in a project()
# written over two lines after cmake_minimum_required's own VERSION.
#   check_tag.sh SOURCE_DIR VERSION WORK_DIR
set -euo pipefail
source=$1 version=$2 work=$3
check=$source/scripts/lib/check-tag
failures=0
expect() { # expect pass|fail TAG [FOLDER]
  local status=0
  "$check" "$2" "${3:-$source}" >/dev/null 2>&1 || status=$?
  if { [ "$1" = pass ] && [ $status -ne 0 ]; } || { [ "$1" = fail ] && [ $status -ne 1 ]; }; then
    echo "FAIL: check-tag '$2' ${3:+in $3 }should $1 (status $status)"
    failures=$((failures + 1))
  fi
}

major=${version%%.*} minor=${version#*.} && minor=${minor%%.*}
expect pass "v$version"
for tag in "$version" "v$version.0" "v${version%.*}" "refs/tags/v$version" "v$version-rc1" "V$version" \
  "v$major.$((minor + 1)).0" ""; do
  expect fail "$tag"
done

# A project of another version, whose cmake_minimum_required's VERSION is the one a careless
# reading would take.
rm -rf "$work" && mkdir -p "$work"
printf 'cmake_minimum_required(VERSION 3.25.1)\nproject(Other\n  VERSION 2.1.0 LANGUAGES CXX)\n' \
  >"$work/CMakeLists.txt"
expect pass v2.1.0 "$work"
expect fail v3.25.1 "$work"
expect fail "v$version" "$work"

# What a wrong tag prints says which version to tag.
message=$("$check" v9.9.9 "$source" 2>&1 || true)
grep -qF "v$version" <<<"$message" ||
  { echo "FAIL: the message names no v$version: $message"; failures=$((failures + 1)); }

[ "$failures" -eq 0 ] && echo "ok: check-tag"
exit $((failures > 0))
