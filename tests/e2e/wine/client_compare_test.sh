#!/usr/bin/env bash
# The picture comparison of the conformance run can fail, counts only what
# the mask leaves, compares the area both pictures cover, and shows where
# they differ.
#   client_compare_test.sh CLIENT_COMPARE PNG_PROBE
set -uo pipefail
compare=$1
probe=$2
dir=$(mktemp -d /tmp/tonvisor-compare.XXXXXX)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
failures=0
check() {
  local what=$1
  shift
  if ! "$@"; then
    echo "FAIL: $what" >&2
    failures=$((failures + 1))
  fi
}

teal="xc:rgb(50,140,140)"
convert -size 100x100 "$teal" a.png
# B: a 20 x 20 red square at (30, 40): 4 % of the pixels.
convert -size 100x100 "$teal" -fill red -draw "rectangle 30,40 49,59" b.png
# C: A with 20 more columns, all black.
convert a.png -background black -extent 120x100 c.png
: >empty.txt
echo "30 40 50 60" >square.txt

"$compare" a.png a.png empty.txt 99.5 diff.png >out.txt
check "identical pictures pass" [ $? -eq 0 ]
check "identical pictures: every pixel equal" grep -q "^10000 of 10000 unmasked pixels equal: 100.000 %" out.txt
check "no difference image when passing" [ ! -e diff.png ]

"$compare" a.png b.png empty.txt 99.5 diff.png >out.txt
check "4 % different fails at 99.5 %" [ $? -eq 1 ]
check "the share is counted" grep -q "^9600 of 10000 unmasked pixels equal: 96.000 %" out.txt
check "the colour change is named with its box" grep -q "400 px (50,140,140) -> (255,0,0) within x 30..49, y 40..59" out.txt
check "the difference image marks the square" [ "$("$probe" diff.png pixel 30 59)" = "255 0 0" ]
check "and fades the rest" [ "$("$probe" diff.png pixel 29 59)" = "25 70 70" ]
rm -f diff.png

"$compare" a.png b.png empty.txt 95 diff.png >/dev/null
check "4 % different passes at 95 %" [ $? -eq 0 ]

"$compare" a.png b.png square.txt 100 diff.png >out.txt
check "a masked difference does not count" [ $? -eq 0 ]
check "masked pixels leave the count" grep -q "^9600 of 9600 unmasked pixels equal" out.txt

"$compare" a.png c.png empty.txt 100 diff.png >out.txt
check "only the area both cover is compared" [ $? -eq 0 ]
check "the common area is named" grep -q "(compared 100 x 100)" out.txt

"$compare" a.png missing.png empty.txt 99.5 diff.png >/dev/null 2>&1
check "an unreadable picture is an error, not a result" [ $? -eq 2 ]
"$compare" a.png b.png missing.txt 99.5 diff.png >/dev/null 2>&1
check "an unreadable mask is an error, not a result" [ $? -eq 2 ]

[ "$failures" -eq 0 ] || exit 1
echo "client_compare: all checks passed"
