#!/usr/bin/env bash
# scripts/release/publish-release, which the release workflow runs last, against a stand-in for the
# GitHub CLI that records each call: a checked dist/ becomes one new release with the downloads
# SHA256SUMS lists, SHA256SUMS and the notes; for a release that exists, the files are replaced and the
# text rewritten; a download changed after its checksum, a missing one, missing notes or a tag
# of another version publish nothing.
#   publish_release.sh SOURCE_DIR WORK_DIR     (HEXAGON_IDENTITY in the environment)
set -euo pipefail
publish=$1/scripts/release/publish-release work=$2
. "${HEXAGON_IDENTITY:?the build sets it}"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$work" && mkdir -p "$work/bin"
# The stand-in gh: each call is one line of its arguments in calls.log; "release view" finds
# the release only when the file "exists" is there.
cat >"$work/bin/gh" <<'GH'
#!/usr/bin/env bash
echo "$*" >>"$GH_CALLS"
[ "$1 $2" != "release view" ] || [ -e "$(dirname "$GH_CALLS")/exists" ]
GH
chmod +x "$work/bin/gh"
export PATH=$work/bin:$PATH GH_CALLS=$work/calls.log

downloads=(torvelin-hexagon-1.0.0-web-site.zip torvelin-hexagon-1.0.0-windows-x64-setup.exe
  torvelin-hexagon-1.0.0-windows-x64.msi torvelin-hexagon-1.0.0-windows-x64.zip
  torvelin-hexagon-1.0.0.html torvelin-hexagon_1.0.0_amd64.deb torvelin-hexagon_1.0.0_arm64.deb)
make_dist() {
  rm -rf "$work/dist" "$work/calls.log" "$work/exists" && mkdir "$work/dist"
  local file
  for file in "${downloads[@]}"; do echo "the bytes of $file" >"$work/dist/$file"; done
  printf '# Torvelin Hexagon 1.0.0\n' >"$work/dist/RELEASE-NOTES.md"
  (cd "$work/dist" && sha256sum "${downloads[@]}" >SHA256SUMS)
}
publish() { (cd "$work" && "$publish" "$1" dist) >"$work/out.log" 2>&1; }
calls() { cat "$work/calls.log" 2>/dev/null | grep -v '^release view' || true; }

make_dist
publish v1.0.0 || fail "a checked dist was not published: $(cat "$work/out.log")"
notes="--title $HEXAGON_NAME 1.0.0 --notes-file RELEASE-NOTES.md"
expected="release create v1.0.0 --verify-tag $notes ${downloads[*]} SHA256SUMS"
[ "$(calls)" = "$expected" ] || fail "a new release was made with: $(calls)"

make_dist
touch "$work/exists"
publish v1.0.0 || fail "an existing release was not updated: $(cat "$work/out.log")"
expected="release upload v1.0.0 --clobber ${downloads[*]} SHA256SUMS
release edit v1.0.0 $notes"
[ "$(calls)" = "$expected" ] || fail "an existing release was updated with: $(calls)"

refused() { # refused WHY TAG [FILE_TO_CHANGE|-FILE_TO_REMOVE]: nothing may reach gh
  make_dist
  case ${3-} in -*) rm "$work/dist/${3#-}" ;; ?*) echo changed >>"$work/dist/$3" ;; esac
  if publish "$2"; then fail "published $1"; fi
  [ -z "$(calls)" ] || fail "gh was called for $1: $(calls)"
}
refused "a download changed after its checksum" v1.0.0 torvelin-hexagon-1.0.0.html
refused "with a download missing" v1.0.0 -torvelin-hexagon_1.0.0_amd64.deb
refused "without release notes" v1.0.0 -RELEASE-NOTES.md
refused "the files of 1.0.0 as 1.0.1" v1.0.1

[ "$failures" -eq 0 ] && echo "ok: publish-release"
exit $((failures > 0))
