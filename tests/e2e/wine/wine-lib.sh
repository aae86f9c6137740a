# Wine for the end-to-end scripts: the prefix made for this test run, no
# debug chatter, no Mono or Gecko prompts. Source after e2e-lib.sh.
export WINEPREFIX="${WINE_PREFIX:?WINE_PREFIX names the prefix made for this run}"
# winemenubuilder would add menu entries and file types to the home folder.
export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Ends every process of the prefix and then its server, each step bounded.
wine_stop() {
  timeout 10 wineserver -k 2>/dev/null
  timeout 10 wineserver -w 2>/dev/null
  return 0
}

# Fails unless the Windows build has made this program.
need_windows_program() {
  [ -f "$1" ] || fail "$1 is missing: build the Windows program first (make windows)"
}
