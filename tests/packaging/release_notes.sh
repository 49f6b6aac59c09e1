#!/usr/bin/env bash
# The release notes a version is published with come from its changelog entry, in both
# languages, and tell how to check only the files that were downloaded.
#   release_notes.sh changelog RELEASE_NOTES CHANGELOG
#     The project's changelog: dpkg reads it, and every entry gives notes in English and
#     Bulgarian. (That its newest entry is the project's version, check_tree.sh checks.)
#   release_notes.sh cases RELEASE_NOTES
#     A table of changelogs: the notes hold the asked version's bullets and no other's, wrapped
#     bullets joined, the day as written; an entry a language short fails.
set -uo pipefail
. "${HEXAGON_IDENTITY:?the build sets it}"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

check_project_changelog() {
  local notes=$1 changelog=$2 versions version
  versions=$(dpkg-parsechangelog -l "$changelog" --all --show-field Version) ||
    { fail "dpkg-parsechangelog cannot read $changelog"; return; }
  for version in $versions; do
    "$notes" "$version" "$changelog" >/dev/null || fail "no notes for $version"
  done
  echo "entries: $(xargs <<<"$versions")"
}

declare -A changelogs
changelogs[two_entries]='torvelin-hexagon (1.1.0) unstable; urgency=medium

  [ English ]
  * New in 1.1.0, wrapped
    onto a second line.
  * Second change of 1.1.0.

  [ Български ]
  * Ново в 1.1.0, пренесено
    на втори ред.
  * Втора промяна в 1.1.0.

 -- A <a@test.invalid>  Sun, 07 Mar 2027 12:00:00 +0000

torvelin-hexagon (1.0.0) unstable; urgency=medium

  [ English ]
  * Only in 1.0.0.

  [ Български ]
  * Само в 1.0.0.

 -- A <a@test.invalid>  Tue, 08 Dec 2026 23:30:00 -0200
'
changelogs[no_bulgarian]='torvelin-hexagon (1.0.0) unstable; urgency=medium

  [ English ]
  * Only in English.

 -- A <a@test.invalid>  Tue, 08 Dec 2026 12:00:00 +0000
'
changelogs[one_short]=$(sed '/Втора промяна/d' <<<"${changelogs[two_entries]}")
changelogs[no_section]='torvelin-hexagon (1.0.0) unstable; urgency=medium

  * Which language?

 -- A <a@test.invalid>  Tue, 08 Dec 2026 12:00:00 +0000
'

# name | changelog | version | lines the notes must hold, or "fails" | lines they must not hold
cases=(
  "the newest entry|two_entries|1.1.0|# $HEXAGON_NAME 1.1.0;2027-03-07;\`sha256sum -c --ignore-missing SHA256SUMS\` checks those that are there.;- New in 1.1.0, wrapped onto a second line.;- Second change of 1.1.0.;- Ново в 1.1.0, пренесено на втори ред.;- Втора промяна в 1.1.0.|- Only in 1.0.0.;- Само в 1.0.0."
  "an older entry, its day as written in its own zone|two_entries|1.0.0|# $HEXAGON_NAME 1.0.0;2026-12-08;- Only in 1.0.0.;- Само в 1.0.0.|- Second change of 1.1.0.;- Втора промяна в 1.1.0.;2026-12-09"
  "a version with no entry|two_entries|1.2.0|fails|"
  "an entry without its Bulgarian|no_bulgarian|1.0.0|fails|"
  "an entry a Bulgarian bullet short|one_short|1.1.0|fails|"
  "bullets outside a language's section|no_section|1.0.0|fails|"
)

check_cases() {
  local notes=$1 work row name fixture version want unwanted output line
  work=$(mktemp -d)
  trap 'rm -rf "$work"' RETURN
  for row in "${cases[@]}"; do
    IFS='|' read -r name fixture version want unwanted <<<"$row"
    printf '%s' "${changelogs[$fixture]}" >"$work/changelog"
    # A time zone a day ahead of the entry's own must not move its day.
    if ! output=$(TZ=LINT-14 "$notes" "$version" "$work/changelog" 2>"$work/stderr"); then
      [ "$want" = fails ] || fail "$name: no notes ($(cat "$work/stderr"))"
      continue
    fi
    [ "$want" != fails ] || { fail "$name: notes written where it must fail"; continue; }
    IFS=';' read -ra lines <<<"$want"
    for line in "${lines[@]}"; do
      grep -qxF -- "$line" <<<"$output" || fail "$name: no line '$line'"
    done
    IFS=';' read -ra lines <<<"$unwanted"
    for line in "${lines[@]}"; do
      ! grep -qxF -- "$line" <<<"$output" || fail "$name: the line '$line' does not belong"
    done
  done
  echo "${#cases[@]} changelogs"
}

case $1 in
  changelog) check_project_changelog "$2" "$3" ;;
  cases) check_cases "$2" ;;
  *) echo "usage: release_notes.sh changelog|cases ..." >&2; exit 2 ;;
esac
[ "$failures" -eq 0 ] && echo ok
exit $((failures > 0))
