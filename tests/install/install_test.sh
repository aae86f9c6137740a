#!/usr/bin/env bash
# Installs a build into a fresh prefix (with a blank in its name) and checks
# the installed tree: the programs run, the help document lies where the menu
# entry starts the program, and the entry names the installed program and icon.
#   install_test.sh BUILD_DIR
set -euo pipefail

build=$1
scratch=$(mktemp -d /tmp/tonvisor-install.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
prefix="$scratch/tonvisor prefix"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" || {
  cat "$scratch/install.log" >&2
  fail "cmake --install failed"
}

for program in tonvisor tonvisor-cli; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is missing or not executable"
done
for file in share/tonvisor/document/Tonvisor.htm share/tonvisor/document/tonvisor.png \
  share/applications/tonvisor.desktop share/icons/hicolor/32x32/apps/tonvisor.png \
  share/icons/hicolor/128x128/apps/tonvisor.png; do
  [ -s "$prefix/$file" ] || fail "$file is missing or empty"
done
cmp -s "$prefix/share/tonvisor/document/Tonvisor.htm" "$(dirname "$0")/../../document/Tonvisor.htm" ||
  fail "the installed help document differs from document/Tonvisor.htm"

# The installed command-line tool works from an unrelated directory.
cd "$scratch"
report=$("$prefix/bin/tonvisor-cli" c e g)
[ "$(head -n1 <<<"$report")" = "Recognised notes: C  E  G" ] || fail "tonvisor-cli c e g printed: $report"
grep -Eq '^C +Major +2\.0000' <<<"$report" || fail "tonvisor-cli c e g: no C Major at 2.0: $report"
"$prefix/bin/tonvisor-cli" --png "$scratch/window.png" c e g || fail "tonvisor-cli --png failed"
[ "$(head -c 8 "$scratch/window.png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] ||
  fail "tonvisor-cli --png wrote no PNG"

# The menu entry: one value of a key, as written.
entry="$prefix/share/applications/tonvisor.desktop"
value() { sed -n "s/^$1=//p" "$entry"; }
[ "$(value Type)" = "Application" ] || fail "Type is not Application"
[ "$(value Icon)" = "tonvisor" ] || fail "Icon is not tonvisor"
# Exec holds the program in double quotes; the prefix has a blank in it.
[ "$(value Exec)" = "\"$prefix/bin/tonvisor\"" ] || fail "Exec is $(value Exec)"
# Started from the menu, the program's current directory is Path, and the
# help it opens is <current directory>/document/Tonvisor.htm.
directory=$(value Path)
[ "$directory" = "$prefix/share/tonvisor" ] || fail "Path is $directory"
[ -f "$directory/document/Tonvisor.htm" ] || fail "no document/Tonvisor.htm under Path $directory"
echo "install test passed: $prefix"
