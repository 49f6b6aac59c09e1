#!/usr/bin/env bash
# The worksheet the web build makes: every page is A4; the pupils' part fills one or two pages and
# the answers start on the next one; the text comes back out of the PDF letter for letter,
# Cyrillic and the home address included, each part on its own pages; only the Liberation fonts
# are inside; and the QR code, read from a picture of the pupils' pages at 200 dots per inch, is
# the home address.
#   worksheet.sh HOME_ADDRESS WORKSHEET_PDF WORK_DIR
set -euo pipefail
home=$1 pdf=$2 work=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$work" && mkdir -p "$work"

pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
sizes=$(pdfinfo -f 1 -l "$pages" "$pdf" | sed -n 's/^Page *[0-9]* size: *//p' | sort -u)
[ "$sizes" = "595.276 x 841.89 pts (A4)" ] || fail "the pages are not all A4: $sizes"
[ "$pages" -le 3 ] || fail "$pages pages, more than 3"
# A character the Liberation fonts lack would come from whatever other font a machine has, and
# the same commit would give different PDFs.
others=$(pdffonts "$pdf" | tail -n +3 | awk '{print $1}' | grep -v '^[A-Z]*+Liberation-' || true)
[ -z "$others" ] || fail "fonts other than Liberation: $(echo $others)"

# Each page's text on one line, the no-break spaces between thousands as plain blanks, so that a
# phrase is found wherever the lines break.
answers=0
for ((page = 1; page <= pages; page++)); do
  pdftotext -enc UTF-8 -f $page -l $page "$pdf" - | tr '\n' ' ' | sed 's/\xc2\xa0/ /g; s/  */ /g' \
    >"$work/page-$page.txt"
  if [ $answers -eq 0 ] && grep -qF "Отговори за учителя" "$work/page-$page.txt"; then
    answers=$page
  fi
done
if [ $answers -lt 2 ] || [ $answers -gt 3 ]; then
  fail "the answers start on page $answers (0: nowhere), not on page 2 or 3"
  answers=2
fi
cat "$work/page-1.txt" $([ $answers -eq 3 ] && echo "$work/page-2.txt") >"$work/pupils.txt"
cat $(seq -f "$work/page-%g.txt" $answers "$pages") >"$work/answers.txt"

web_address=${home#https://} web_address=${web_address%/}
pupils=("Торвелин в шестоъгълник" "Работен лист" "Име:" "Клас:" "зеления бутон „Въведи“"
  "Събери двете числа в два срещуположни върха" "Може ли сборът да е 100? Обясни."
  "Напиши в полето 2,5 (със запетая)" "2.5 (с точка)" "Програмата е на адрес $web_address")
for phrase in "${pupils[@]}"; do
  grep -qF "$phrase" "$work/pupils.txt" || fail "the pupils' pages lack '$phrase'"
done
teacher=("„Грешка 6: Препълване“" "3n + 9 = 30, откъдето n = 7" "n = −3" "3n + 9d"
  "от −32 768 до 32 767" "сборът на цифрите му е 1" "закръглява към четното")
for phrase in "${teacher[@]}"; do
  grep -qF "$phrase" "$work/answers.txt" || fail "the answers lack '$phrase'"
done
! grep -qF "откъдето" "$work/pupils.txt" || fail "the pupils' pages hold answers"

pdftoppm -r 200 -png -f 1 -l $((answers - 1)) "$pdf" "$work/pupils"
# Page by page, since zbarimg fails on a page without a code. zbar's tools may complain on stderr
# that there is no D-Bus; only what they read counts.
read_back=$(for png in "$work"/pupils*.png; do zbarimg --raw -q "$png" 2>/dev/null || true; done)
if [ -z "$read_back" ]; then
  fail "zbarimg finds no QR code on the pupils' pages"
elif [ "$read_back" != "$home" ]; then
  fail "the QR code on the pupils' pages reads as '$read_back', not $home"
fi

[ $failures -eq 0 ] && echo "ok: $pdf, $pages A4 pages, the answers from page $answers, QR code $home"
exit $((failures > 0))
