#!/usr/bin/env bash
# Checks that a commit gives the same downloads, byte for byte, whoever builds it, wherever and
# whenever: clones it twice into new folders at different paths and runs scripts/package all in
# each, one after the other, with no SOURCE_DATE_EPOCH set (both must take it from the commit).
# The first clone's build folders have been used before: it first builds as if the commit were a
# day older. The second builds only once, later, under another time zone, locale and umask.
# Then compares the two dist/ folders. For each file that differs it names the file and shows
# what differs inside it with diffoscope, and exits with status 1; the clones are kept to look at.
#   tests/reproducible/check_reproducible.sh [COMMIT]    HEAD unless told
set -euo pipefail
cd "$(dirname "$0")/../.."
. scripts/lib/common.sh

install_missing_packages "${HEXAGON_BUILD_PACKAGES[@]}" "${HEXAGON_DEB_PACKAGES[@]}" \
  "${HEXAGON_WINDOWS_PACKAGES[@]}" "${HEXAGON_WEB_PACKAGES[@]}" \
  "${HEXAGON_REPRODUCIBLE_PACKAGES[@]}"
install_arm64_packages "${HEXAGON_ARM64_PACKAGES[@]}"
ensure_bulgarian_locale

commit=$(git rev-parse --verify "${1:-HEAD}^{commit}")
[ -z "$(git status --porcelain --untracked-files=no)" ] ||
  echo "Note: changes not committed are not part of the check; it builds $commit."

work=$(mktemp -d "${TMPDIR:-/tmp}/torvelin-reproducible.XXXXXX")
keep=false
trap '$keep || rm -rf "$work"' EXIT

# build NAME PATH TZ LOCALE UMASK [a-day-older-first]: clones the commit to PATH inside the work
# folder and runs scripts/package all there, with that time zone, locale and umask, its output in
# NAME.log; with a sixth argument, first once with the time a day before the commit's. (set -e
# does not hold inside a condition, hence the &&.)
build() {
  local name=$1 clone=$work/$2 tz=$3 locale=$4 mask=$5 older_first=${6-} start=$SECONDS
  echo "Building $commit in $clone"
  echo "  (TZ=$tz, LC_ALL=$locale, umask $mask${older_first:+, a day older first})..."
  if ! (
    umask "$mask" &&
      git clone --quiet --no-checkout "$PWD" "$clone" &&
      git -C "$clone" checkout --quiet --detach "$commit" &&
      cd "$clone" &&
      export TZ="$tz" LANG="$locale" LC_ALL="$locale" &&
      { [ -z "$older_first" ] ||
        SOURCE_DATE_EPOCH=$(($(git log -1 --format=%ct) - 86400)) scripts/package all; } &&
      env -u SOURCE_DATE_EPOCH scripts/package all
  ) >"$work/$name.log" 2>&1; then
    keep=true
    tail -n 40 "$work/$name.log"
    echo "The $name build failed; its log: $work/$name.log" >&2
    exit 1
  fi
  echo "  $((SECONDS - start)) s"
}

# UTC and UTC+14 (the Line Islands) are a day apart for half of every day.
started=$SECONDS
build first one/torvelin-hexagon UTC0 C.UTF-8 022 a-day-older-first
build second another/folder/th LINT-14 bg_BG.UTF-8 002

one=$work/one/torvelin-hexagon/dist other=$work/another/folder/th/dist
names() { (cd "$1" && find . -type f -printf '%P\n' | LC_ALL=C sort); }
differ=0
if [ "$(names "$one")" != "$(names "$other")" ]; then
  echo "The two dist/ folders hold different files (< first, > second):"
  diff <(names "$one") <(names "$other") || true
  differ=1
fi
while read -r name; do
  [ -f "$other/$name" ] || continue
  if cmp -s "$one/$name" "$other/$name"; then
    echo "identical: $name"
  else
    echo "DIFFERS: $name"
    # diffoscope exits with 1 when the files differ, which is known by now.
    diffoscope --no-progress --text "$work/$name.diffoscope.txt" "$one/$name" "$other/$name" || true
    head -n 120 "$work/$name.diffoscope.txt"
    echo "(the whole comparison: $work/$name.diffoscope.txt)"
    differ=1
  fi
done < <(names "$one")

echo "The builds took $((SECONDS - started)) s."
if [ "$differ" -ne 0 ]; then
  keep=true
  echo "NOT REPRODUCIBLE: see above; both clones are kept in $work" >&2
  exit 1
fi
echo "Reproducible: both builds of $commit gave the same $(names "$one" | wc -l) files in dist/:"
cat "$one/SHA256SUMS"
