#!/usr/bin/env bash
# The link check of scripts/lint (remark with remark-validate-links, as .remarkrc.json sets it):
# the documents as they are pass, and copies of them with one broken link each do not, each
# named with its link: a file that is not there, a heading of another document that is not there,
# and one of its own, Cyrillic, that is not there.
#   check_links.sh SOURCE_DIR WORK_DIR      (WORK_DIR inside the source tree, which holds the
#                                            configuration and node_modules)
set -euo pipefail
source=$1 work=$2
remark=$source/node_modules/.bin/remark
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# copy NAME: the documents into WORK_DIR/NAME; check NAME: their links, the findings in NAME.log.
copy() {
  rm -rf "$work/$1" && mkdir -p "$work/$1"
  cp -r "$source"/{README.md,CONTRIBUTING.md,LICENSE,docs} "$work/$1/"
}
check() { (cd "$work/$1" && "$remark" --no-stdout --quiet --frail --no-color README.md \
  CONTRIBUTING.md docs/*.md) >"$work/$1.log" 2>&1; }

copy as_they_are
check as_they_are || fail "the documents as they are: $(cat "$work/as_they_are.log")"

# name | document | sed expression | what the finding must say
cases=(
  "a_missing_file|README.md|s,(docs/testing.md),(docs/tests.md),|Cannot find file \`docs/tests.md\`"
  "a_missing_heading_elsewhere|README.md|s,deploying.md#checking-a-download,deploying.md#checking-downloads,|Cannot find heading for \`#checking-downloads\`"
  "a_missing_heading_of_its_own|docs/teachers.bg.md|\$a [тук](#няма-такова-заглавие)|Cannot find heading for \`#няма-такова-заглавие\`"
)
for row in "${cases[@]}"; do
  IFS='|' read -r name document expression finding <<<"$row"
  copy "$name"
  sed -i "$expression" "$work/$name/$document"
  if cmp -s "$work/$name/$document" "$source/$document"; then
    fail "$name: the change did not apply"
  elif check "$name"; then
    fail "$name passed"
  elif ! grep -qF "$finding" "$work/$name.log"; then
    fail "$name: no finding '$finding': $(cat "$work/$name.log")"
  fi
done

[ "$failures" -eq 0 ] && echo "ok: the link check"
exit $((failures > 0))
