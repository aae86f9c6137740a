#!/usr/bin/env bash
# The Debian package as make package wrote it, unpacked into a temporary
# folder (never installed): its files, its dependencies, the version in every
# place that shows it, the unpacked tonvisor-cli at work, manual pages that
# describe every option, and what lintian and appstreamcli say of it.
#   package_test.sh FILE.deb VERSION DOCUMENT_DIR
set -euo pipefail

deb=$(realpath -m "$1")
version=$2
document=$(realpath "$3")
scratch=$(mktemp -d /tmp/tonvisor-package.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
root="$scratch/unpacked package"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

[ -f "$deb" ] || fail "$deb is missing: build the packages first (make package)"
dpkg-deb -x "$deb" "$root"
field() { dpkg-deb -f "$deb" "$1"; }

# --- files -----------------------------------------------------------------

for program in tonvisor tonvisor-cli; do
  [ -x "$root/usr/bin/$program" ] || fail "usr/bin/$program is missing or not executable"
done
for file in share/applications/tonvisor.desktop share/icons/hicolor/32x32/apps/tonvisor.png \
  share/icons/hicolor/128x128/apps/tonvisor.png share/man/man1/tonvisor.1.gz \
  share/man/man1/tonvisor-cli.1.gz share/doc/tonvisor/copyright share/doc/tonvisor/changelog.gz; do
  [ -s "$root/usr/$file" ] || fail "usr/$file is missing or empty"
done
metainfo=("$root"/usr/share/metainfo/*.metainfo.xml)
[ ${#metainfo[@]} -eq 1 ] && [ -s "${metainfo[0]}" ] || fail "not one AppStream file in usr/share/metainfo"
# The help document's folder, whole: every file as in the source.
(cd "$document" && find . -type f) | while read -r file; do
  cmp -s "$document/$file" "$root/usr/share/tonvisor/document/$file" ||
    fail "usr/share/tonvisor/document/${file#./} is missing or differs from the source"
done
# Nothing lands outside the folders a package of this kind owns.
stray=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -vE '^\./(usr/(|bin/.*|share/(|applications/.*|doc/(|tonvisor/.*)|icons/.*|man/(|man1/.*)|metainfo/.*|tonvisor/.*)))?$' || true)
[ -z "$stray" ] || fail "files outside the package's folders: $stray"

# --- control fields ----------------------------------------------------------

[ "$(field Package)" = tonvisor ] || fail "Package is $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version is $(field Version), not $version"
[ "$(basename "$deb")" = "tonvisor_${version}_$(field Architecture).deb" ] || fail "the file is named $(basename "$deb")"
# Every library the programs need, as dpkg-shlibdeps finds it for the
# unpacked programs, is a dependency: none forgotten, none typed by hand.
mkdir -p "$scratch/debian"
printf 'Source: tonvisor\n\nPackage: tonvisor\nArchitecture: any\n' >"$scratch/debian/control"
shlibs=$(cd "$scratch" && dpkg-shlibdeps -O "$root/usr/bin/tonvisor" "$root/usr/bin/tonvisor-cli" 2>/dev/null |
  sed -n 's/^shlibs:Depends=//p')
[ -n "$shlibs" ] || fail "dpkg-shlibdeps found no library dependency"
depends=", $(field Depends), "
while read -r library; do
  [[ "$depends" == *", $library, "* ]] || fail "Depends lacks '$library': $(field Depends)"
done < <(tr ',' '\n' <<<"$shlibs" | sed 's/^ *//')
# The synthesizer, which the programs load at run time, and the soundfont are
# recommended, not required.
[[ "$(field Recommends)" == *libfluidsynth3* ]] || fail "FluidSynth is not among Recommends: $(field Recommends)"
[[ "$(field Recommends)" == *timgm6mb-soundfont* ]] || fail "no soundfont among Recommends: $(field Recommends)"
[[ "$(field Depends)" != *soundfont* ]] || fail "a soundfont is a hard dependency: $(field Depends)"

# --- the version in every place that shows it --------------------------------

cli="$root/usr/bin/tonvisor-cli"
changelog=$(zcat "$root/usr/share/doc/tonvisor/changelog.gz")
while IFS='|' read -r place shown; do
  [ "$shown" = "$version" ] || fail "$place shows version '$shown', not $version"
done <<PLACES
tonvisor-cli --version|$("$cli" --version | sed -n 's/^tonvisor-cli //p')
the changelog's top entry|$(dpkg-parsechangelog -l- -S Version <<<"$changelog")
the AppStream release|$(grep -o '<release version="[^"]*"' "${metainfo[0]}" | head -n1 | cut -d'"' -f2)
the manual page of tonvisor|$(zcat "$root/usr/share/man/man1/tonvisor.1.gz" | sed -n 's/^\.TH .*"Tonvisor \([^"]*\)".*/\1/p')
the manual page of tonvisor-cli|$(zcat "$root/usr/share/man/man1/tonvisor-cli.1.gz" | sed -n 's/^\.TH .*"Tonvisor \([^"]*\)".*/\1/p')
PLACES

# --- the unpacked command-line tool ---------------------------------------------

cd "$scratch"
report=$("$cli" c e g)
[ "$(head -n1 <<<"$report")" = "Recognised notes: C  E  G" ] || fail "tonvisor-cli c e g printed: $report"
grep -Eq '^C +Major +2\.0000' <<<"$report" || fail "tonvisor-cli c e g: no C Major at 2.0: $report"
"$cli" --png "$scratch/window.png" c e g || fail "tonvisor-cli --png failed"
[ "$(head -c 8 "$scratch/window.png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] ||
  fail "tonvisor-cli --png wrote no PNG"
# Its manual page describes every option that --help lists.
manual=$(zcat "$root/usr/share/man/man1/tonvisor-cli.1.gz")
for option in $("$cli" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
  grep -qF -- "${option//-/\\-}" <<<"$manual" || fail "the manual page of tonvisor-cli does not describe $option"
done

# --- the checkers ------------------------------------------------------------------

# Errors and warnings fail; lintian says so itself when it runs as root.
lintian --fail-on error,warning "$deb" || fail "lintian found errors or warnings in $deb"
# --no-net: the screenshot lives on the project's web site, which the test
# does not reach; everything else is checked: the file itself, and in the
# unpacked tree the menu entry and icon it names.
appstreamcli validate --no-net "${metainfo[0]}" || fail "appstreamcli validate failed"
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli validate-tree failed"
echo "package test passed: $(basename "$deb")"
