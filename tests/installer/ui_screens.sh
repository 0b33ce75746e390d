#!/usr/bin/env bash
# Shows the installer's windows, one scenario of a showcase program at a time, on a
# virtual X display (Wine's X11 driver in a copy of the clean prefix); the program checks
# what it shows, and each screen is kept as OUT_DIR/SCENARIO.png.
# Usage: ui_screens.sh SHOWCASE.exe OUT_DIR SCENARIO...   (TEMPLATE_PREFIX names the clean prefix)
set -u
showcase=$1 out=$2
shift 2
template=${TEMPLATE_PREFIX:?TEMPLATE_PREFIX must name a clean Wine prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
prefix="$out/prefix-$(basename "$showcase" .exe)"
mkdir -p "$out"; rm -rf "$prefix"; cp -a "$template" "$prefix"
export WINEPREFIX="$prefix"
/usr/lib/wine/wine64 reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f </dev/null >/dev/null 2>&1
/usr/lib/wine/wineserver -w
timeout $((60 + 40 * $#)) xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  failures=0
  /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
  /usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1
  showcase=$0 out=$1
  shift
  for scenario in "$@"; do
    echo "== $scenario"
    ready="$out/$scenario.ready"; rm -f "$ready" "$out/$scenario.png"
    ( timeout 60 /usr/lib/wine/wine64 "$showcase" "$scenario" "Z:${ready//\//\\}" </dev/null >"$out/$scenario.log" 2>/dev/null
      echo $? >"$out/$scenario.rc" ) &
    for i in $(seq 300); do [ -f "$ready" ] && break; sleep 0.1; done
    if [ -f "$ready" ]; then import -window root "$out/$scenario.png"
    else echo "FAIL the screen was never ready"; fi
    wait
    tr -d "\r" <"$out/$scenario.log"
    [ "$(cat "$out/$scenario.rc")" = 0 ] && [ -f "$out/$scenario.png" ] || failures=$((failures + 1))
    rm -f "$out/$scenario.log" "$out/$scenario.rc" "$ready"
  done
  /usr/lib/wine/wineserver -k
  exit $failures' "$showcase" "$out" "$@"
failures=$?
rm -rf "$prefix"
for scenario in "$@"; do ls "$out/$scenario.png" 2>/dev/null; done
exit $failures
