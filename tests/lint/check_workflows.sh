#!/usr/bin/env bash
# scripts/lib/check-workflows.mjs, which scripts/lint runs: the forge's workflow files pass, and
# copies of them with one fault each do not, each with its own finding: a job that needs a job that
# is not there, an expression naming an unknown property, a misspelt permission (actionlint's), a
# step that runs commands of its own instead of a script, and an action not pinned to a commit
# with its version in a comment.
#   check_workflows.sh NODE SOURCE_DIR WORK_DIR
set -euo pipefail
node=$1 source=$2 work=$3
check=$source/scripts/lib/check-workflows.mjs
workflows=$source/.github/workflows
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$node" "$check" || fail "the workflow files have findings"

rm -rf "$work" && mkdir -p "$work"
# broken NAME FILE SED_EXPRESSION EXPECTED_FINDING
broken() {
  local copy=$work/$1.yml out
  sed "$3" "$workflows/$2" >"$copy"
  cmp -s "$copy" "$workflows/$2" && { fail "$1: the change did not apply to $2"; return; }
  if out=$("$node" "$check" "$copy"); then
    fail "$1 passed"
  elif ! grep -q "$1\.yml:[0-9]*:[0-9]*: .*$4" <<<"$out"; then
    fail "$1: no finding '$4': $out"
  fi
}
broken needs-missing-job tests.yml 's/needs: windows-build/needs: windows-built/' 'does not exist'
broken unknown-property release.yml \
  's/GITHUB_REF_NAME" dist/GITHUB_REF_NAME" ${{ github.ref_nmae }}/' 'ref_nmae'
broken unknown-permission release.yml 's/attestations: write/attestation: write/' 'unknown permission scope'
broken shell-logic tests.yml 's|- run: scripts/test program lint|- run: apt-get update \&\& scripts/test program lint|' 'not one call of a script'
broken unpinned-action release.yml 's|actions/deploy-pages@[0-9a-f]*|actions/deploy-pages@v5|' 'not pinned'
broken pinned-without-version tests.yml '0,/ # v7.0.1/s/ # v7.0.1//' 'not pinned'

[ "$failures" -eq 0 ] && echo "ok: check-workflows"
exit $((failures > 0))
