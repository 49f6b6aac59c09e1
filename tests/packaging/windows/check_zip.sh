#!/usr/bin/env bash
# The portable zip: it holds exactly the program, its license and the how-to; the program is the
# one just built; the texts have Windows line ends and the how-to a UTF-8 byte order mark and the
# version; and the program, unzipped into a fresh Wine prefix, opens its window and closes.
#   check_zip.sh WINE_RUN ZIP PROGRAM LICENSE VERSION OPEN_AND_CLOSE WORK_DIR
set -euo pipefail
export WINE_RUN=$1
zip=$2 program=$3 license=$4 version=$5 open_and_close=$6 work=$7
# shellcheck source=wine_prefix.sh
. "$(dirname "$0")/wine_prefix.sh"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

fresh_prefix "$work"
folder=$(c_drive)/Torvelin
unzip -q "$zip" -d "$folder"

listed=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
[ "$listed" = "LICENSE.txt README.txt torvelin-hexagon.exe " ] || fail "the zip holds: $listed"
cmp -s "$folder/torvelin-hexagon.exe" "$program" || fail "its .exe is not the one just built"
diff <(tr -d '\r' <"$folder/LICENSE.txt") "$license" >/dev/null || fail "LICENSE.txt is not LICENSE"

# Every line of both texts ends in CR LF: as many CRs as lines, and only before a line end.
for text in LICENSE.txt README.txt; do
  file=$folder/$text
  if [ "$(tr -cd '\r' <"$file" | wc -c)" -ne "$(wc -l <"$file")" ] || grep -q $'\r.' "$file"; then
    fail "$text does not end every line in CR LF"
  fi
done
[ "$(head -c 3 "$folder/README.txt" | od -An -tx1 | tr -d ' ')" = efbbbf ] ||
  fail "README.txt does not start with a UTF-8 byte order mark"
for title in "Торвелин в шестоъгълник $version" "Torvelin Hexagon $version"; do
  tail -c +4 "$folder/README.txt" | grep -q "^$title"$'\r$' || fail "README.txt has no line '$title'"
done

started=$(win "$open_and_close" 'C:\Torvelin\torvelin-hexagon.exe') ||
  fail "the unzipped program did not open and close"
started=${started//$'\r'/}
echo "$started"
grep -qx 'window: www.example.org Торвелин' <<<"$started" || fail "its window is not the program's"

[ "$failures" -eq 0 ] && echo "ok: $(basename "$zip") holds $listed"
exit $((failures > 0))
