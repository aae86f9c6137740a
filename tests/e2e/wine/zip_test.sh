#!/usr/bin/env bash
# The Windows zip as make package wrote it, unzipped into a temporary folder:
# its files, the version in its name and in the program's version resource,
# and the program started from the unzipped folder under Wine (under
# xsession.sh), where "Help" must open the document beside it. The reader
# file names a test viewer, a batch file that records its arguments.
#   zip_test.sh FILE.zip VERSION DOCUMENT_DIR
set -uo pipefail
here=$(dirname "$0")
source "$here/../e2e-lib.sh"
source "$here/wine-lib.sh"

zip=$1
version=$2
document=$3
[ -f "$zip" ] || fail "$zip is missing: build the packages first (make package)"
scratch=$(mktemp -d /tmp/tonvisor-zip.XXXXXX)
cleanup() {
  wine_stop
  rm -rf "$scratch"
}
trap cleanup EXIT

# One folder, named as the zip is, holding the program, the README and the
# help document's folder as in the source, and nothing else.
unzip -q "$zip" -d "$scratch" || fail "cannot unzip $zip"
name="tonvisor-$version-win32"
[ "$(basename "$zip")" = "$name.zip" ] || fail "the zip is named $(basename "$zip"), not $name.zip"
[ "$(ls -A "$scratch")" = "$name" ] || fail "the zip does not hold one folder $name: $(ls -A "$scratch")"
folder="$scratch/$name"
expected=$( (printf '%s\n' ./README.txt ./tonvisor.exe; cd "$document" && find . -type f | sed 's|^\./|./document/|') | sort)
found=$(cd "$folder" && find . -type f | sort)
[ "$found" = "$expected" ] || fail "the zip holds"$'\n'"$found"$'\n'"instead of"$'\n'"$expected"
while read -r file; do
  cmp -s "$document/$file" "$folder/document/$file" || fail "document/$file differs from the source"
done < <(cd "$document" && find . -type f)
# Notepad before Windows 10 shows a file without CR LF line ends as one line.
[ "$(grep -c $'\r$' "$folder/README.txt")" -eq "$(wc -l <"$folder/README.txt")" ] ||
  fail "README.txt has lines without CR LF"
grep -q HtmlReader.txt "$folder/README.txt" || fail "README.txt does not explain HtmlReader.txt"

resources=$(i686-w64-mingw32-windres -i "$folder/tonvisor.exe" -O rc 2>/dev/null)
grep -q "VALUE \"ProductVersion\", \"$version\"" <<<"$resources" ||
  fail "the version resource does not say $version: $(grep Version <<<"$resources")"

printf '@echo %%*> "%%~dp0viewer.args"\r\n' >"$scratch/viewer.bat"
printf '%s\r\n' "$(winepath -w "$scratch/viewer.bat")" >"$folder/HtmlReader.txt"
(cd "$folder" && exec wine tonvisor.exe) >"$E2E_ARTIFACTS/zip.out" 2>&1 &
program=$!
window=$(find_window "Tonvisor V1.0") || fail "the unzipped program did not show its window"
press_help "$window" "$scratch/viewer.args" || fail "Help started no viewer: $(cat "$E2E_ARTIFACTS/zip.out")"
argument=$(tr -d '\r' <"$scratch/viewer.args")
[ "$argument" = "$(winepath -w "$folder")\\document\\Tonvisor.htm" ] ||
  fail "the viewer was asked for $argument, not the document in $(winepath -w "$folder")"
[ -f "$(winepath -u "$argument")" ] || fail "$argument does not exist"

close_window "$window"
expect_exit "$program" 0 10
echo "zip test passed: $(basename "$zip"), Help opened $argument"
