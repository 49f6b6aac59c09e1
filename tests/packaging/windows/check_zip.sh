#!/usr/bin/env bash
# The portable zip holds exactly the program just built, LICENSE.txt and README.txt, both texts
# with CR LF line ends and the how-to with a UTF-8 byte order mark and the program's names and
# version; the program, unzipped, opens its window in a fresh Wine prefix and closes.
#   check_zip.sh WINE_RUN ZIP PROGRAM LICENSE OPEN_AND_CLOSE WORK_DIR
#     (HEXAGON_IDENTITY, the build's identity.env, in the environment)
set -euo pipefail
wine_run=$1 zip=$2 program=$3 license=$4 helper=$5 work=$6
. "${HEXAGON_IDENTITY:?the build sets it}"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

folder=$work/Torvelin
rm -rf "$work" && mkdir -p "$work"
unzip -q "$zip" -d "$folder"
listed=$(unzip -Z1 "$zip" | sort | xargs)
[ "$listed" = "LICENSE.txt README.txt torvelin-hexagon.exe" ] || fail "the zip holds: $listed"
cmp -s "$folder/torvelin-hexagon.exe" "$program" || fail "its .exe is not the one just built"
cmp -s <(tr -d '\r' <"$folder/LICENSE.txt") "$license" || fail "LICENSE.txt is not LICENSE"
bom=$'\xef\xbb\xbf'
for text in LICENSE.txt README.txt; do
  # As many CRs as lines, each just before a line's end.
  if [ "$(tr -cd '\r' <"$folder/$text" | wc -c)" -ne "$(wc -l <"$folder/$text")" ] ||
    grep -q $'\r.' "$folder/$text"; then fail "$text does not end every line in CR LF"; fi
done
[ "$(head -c 3 "$folder/README.txt")" = "$bom" ] || fail "README.txt does not start with a byte order mark"
for title in "${bom}$HEXAGON_NAME_BG $HEXAGON_VERSION" "$HEXAGON_NAME $HEXAGON_VERSION"; do
  grep -qx "$title"$'\r' "$folder/README.txt" || fail "README.txt has no line '$title'"
done

# Wine's drive Z: is the Linux root.
unzipped=Z:${folder//\//\\}\\torvelin-hexagon.exe
started=$("$wine_run" --fresh "$work/wine" "$helper" "$unzipped" | tr -d '\r') ||
  fail "the unzipped program did not open and close"
echo "$started"
grep -qxF "window: $HEXAGON_WEB_ADDRESS Торвелин" <<<"$started" || fail "its window is not the program's"

[ "$failures" -eq 0 ] && echo "ok: $(basename "$zip") holds $listed"
exit $((failures > 0))
