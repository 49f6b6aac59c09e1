#!/usr/bin/env bash
# The portable zip holds exactly the program just built, LICENSE.txt and README.txt, both texts
# with CR LF line ends and the how-to with a UTF-8 byte order mark and the version; the program,
# unzipped into a fresh Wine prefix, opens its window and closes.
#   check_zip.sh WINE_RUN ZIP PROGRAM LICENSE VERSION OPEN_AND_CLOSE WORK_DIR
set -euo pipefail
export WINE_RUN=$1
zip=$2 program=$3 license=$4 version=$5 helper=$6 work=$7
# shellcheck source=wine_prefix.sh
. "$(dirname "$0")/wine_prefix.sh"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

fresh_prefix "$work"
folder=$(c_drive)/Torvelin
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
for title in "${bom}Торвелин в шестоъгълник $version" "Torvelin Hexagon $version"; do
  grep -qx "$title"$'\r' "$folder/README.txt" || fail "README.txt has no line '$title'"
done

started=$(open_and_close 'C:\Torvelin\torvelin-hexagon.exe') || fail "the unzipped program did not open and close"
echo "$started"
grep -qxF "window: ${HEXAGON_WEB_ADDRESS:?the build sets it} Торвелин" <<<"$started" || fail "its window is not the program's"

[ "$failures" -eq 0 ] && echo "ok: $(basename "$zip") holds $listed"
exit $((failures > 0))
