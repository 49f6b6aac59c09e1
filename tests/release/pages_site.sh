#!/usr/bin/env bash
# The folder the release workflow publishes at the home address (scripts/release/pages-site), made
# from this build's site zip, QR code and worksheet: it holds the site's files as the zip has
# them, the screenshot, the QR code and the worksheet, and nothing else; and every address under the home that the
# metainfo, the Windows zip's README or a document gives is a file there. (What the service
# worker keeps, the site's tests show by using it offline.)
#   pages_site.sh SOURCE_DIR HOME_ADDRESS SITE_ZIP QR_CODE WORKSHEET WORK_DIR
set -euo pipefail
source=$1 home=$2 zip=$3 qr_code=$4 worksheet=$5 work=$6
pages=$work/pages
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$work" && mkdir -p "$work"
"$source/scripts/release/pages-site" "$pages" "$zip" "$qr_code" "$worksheet"

site_files=$(unzip -Z1 "$zip" | sed -n 's|^torvelin-hexagon/\(..*[^/]\)$|\1|p' | sort)
expected=$(printf '%s\n' $site_files qr-code.png screenshot.png worksheet.bg.pdf | sort)
found=$(cd "$pages" && find . -type f | sed 's|^\./||' | sort)
[ "$found" = "$expected" ] || fail "the folder differs (> more, < missing):" \
  "$(diff <(echo "$expected") <(echo "$found") | grep '^[<>]' | xargs)"
cmp -s "$pages/screenshot.png" "$source/docs/screenshot.png" ||
  fail "screenshot.png is not docs/screenshot.png"
cmp -s "$pages/qr-code.png" "$qr_code" || fail "qr-code.png is not the build's QR code"
cmp -s "$pages/worksheet.bg.pdf" "$worksheet" || fail "worksheet.bg.pdf is not the build's worksheet"

# The administrators' guide gives a server owner the page's own policy, word for word, with
# frame-ancestors added.
policy=$(sed -n 's/.*http-equiv="Content-Security-Policy" content="\([^"]*\)".*/\1/p' "$pages/index.html")
[ -n "$policy" ] || fail "index.html carries no Content-Security-Policy"
grep -qxF "Content-Security-Policy: $policy; frame-ancestors 'none'" "$source/docs/deploying.md" ||
  fail "docs/deploying.md does not give the page's policy: $policy"

# Addresses under the home, from the files that give them (the metainfo's as configured), without
# the full stop or comma of a sentence that ends with one.
addresses=$(cd "$source" &&
  sed "s|@PROJECT_HOMEPAGE_URL@|$home|g" packaging/*.in packaging/windows/README.txt README.md \
    CONTRIBUTING.md docs/*.md | grep -oE "${home//./\\.}[^][ )\"'<>\`]*" | sed 's/[.,;:]*$//' |
  sort -u)
grep -qxF "${home}screenshot.png" <<<"$addresses" || fail "the metainfo's screenshot address was not found"
grep -qxF "$home" <<<"$addresses" || fail "no document gives the home address itself"
while IFS= read -r address; do
  path=${address#"$home"} path=${path%%[#?]*}
  [ -f "$pages/${path:-index.html}" ] || fail "$address is not in the folder"
done <<<"$addresses"

[ "$failures" -eq 0 ] && echo "ok: the home site's folder"
exit $((failures > 0))
