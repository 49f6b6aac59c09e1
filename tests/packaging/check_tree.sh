#!/usr/bin/env bash
# The staged install holds what a desktop needs and nothing else: the program, its menu entry,
# its icon at every size the menu entry's Icon name is looked up at, its metainfo, manual page,
# license and changelog, with the releases recorded for the project's version.
#   check_tree.sh STAGE SOURCE_SVG     (HEXAGON_IDENTITY, the build's identity.env, in the environment)
set -uo pipefail
stage=$1 source_svg=$2
. "${HEXAGON_IDENTITY:?the build sets it}"
version=$HEXAGON_VERSION app_id=$HEXAGON_APP_ID
share=$stage/usr/share
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

expected=$(sort <<LIST
usr/bin/torvelin-hexagon
usr/share/applications/$app_id.desktop
usr/share/metainfo/$app_id.metainfo.xml
usr/share/icons/hicolor/32x32/apps/$app_id.png
usr/share/icons/hicolor/48x48/apps/$app_id.png
usr/share/icons/hicolor/64x64/apps/$app_id.png
usr/share/icons/hicolor/128x128/apps/$app_id.png
usr/share/icons/hicolor/scalable/apps/$app_id.svg
usr/share/man/man1/torvelin-hexagon.1.gz
usr/share/doc/torvelin-hexagon/copyright
usr/share/doc/torvelin-hexagon/changelog.gz
LIST
)
actual=$(cd "$stage" && find . ! -type d | sed 's|^\./||' | sort)
if [ "$actual" != "$expected" ]; then
  fail "the installed files are not the expected ones (< expected, > installed):"
  diff <(echo "$expected") <(echo "$actual")
fi

[ -x "$stage/usr/bin/torvelin-hexagon" ] || fail "usr/bin/torvelin-hexagon is not executable"

# A menu finds the icon by the entry's Icon name, in each size folder of the theme.
icon=$(sed -n 's/^Icon=//p' "$share/applications/$app_id.desktop")
for size in 32 48 64 128; do
  png=$share/icons/hicolor/${size}x${size}/apps/$icon.png
  kind=$(file -b "$png")
  [[ $kind == "PNG image data, $size x $size,"* ]] || fail "$png: $kind"
done
svg=$share/icons/hicolor/scalable/apps/$icon.svg
cmp -s "$source_svg" "$svg" || fail "$svg is not the window icon's artwork $source_svg"

# Every release is recorded for software centres and for Debian; the newest is this version.
metainfo_release=$(grep -m1 -o '<release version="[^"]*"' "$share/metainfo/$app_id.metainfo.xml" | cut -d'"' -f2)
[ "$metainfo_release" = "$version" ] || fail "newest metainfo release is '$metainfo_release', not $version"
changelog_release=$(gzip -dc "$share/doc/torvelin-hexagon/changelog.gz" | head -1 | sed -n 's/^torvelin-hexagon (\([^)]*\)).*/\1/p')
[ "$changelog_release" = "$version" ] || fail "newest changelog entry is '$changelog_release', not $version"

[ "$failures" -eq 0 ] && echo "ok: the installed tree holds what a desktop needs"
exit $((failures > 0))
