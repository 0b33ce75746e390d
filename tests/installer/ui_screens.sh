#!/usr/bin/env bash
# Shows the installer's background window and meter on a virtual X display (Wine's
# X11 driver in a copy of the clean prefix), checks their pixels on the screen and
# keeps each screen as a PNG in OUT_DIR.
# Usage: ui_screens.sh SHOWCASE.exe OUT_DIR   (TEMPLATE_PREFIX names the clean prefix)
set -u
showcase=$1 out=$2
template=${TEMPLATE_PREFIX:?TEMPLATE_PREFIX must name a clean Wine prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
prefix="$out/prefix"
mkdir -p "$out"; rm -rf "$prefix"; cp -a "$template" "$prefix"
export WINEPREFIX="$prefix"
/usr/lib/wine/wine64 reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f </dev/null >/dev/null 2>&1
/usr/lib/wine/wineserver -w
timeout 300 xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  failures=0
  /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
  /usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1
  for scenario in gradient tiled stretched panels logo meter progress; do
    echo "== $scenario"
    ready="$1/$scenario.ready"; rm -f "$ready"
    ( timeout 60 /usr/lib/wine/wine64 "$0" "$scenario" "Z:${ready//\//\\}" </dev/null >"$1/$scenario.log" 2>/dev/null
      echo $? >"$1/$scenario.rc" ) &
    for i in $(seq 300); do [ -f "$ready" ] && break; sleep 0.1; done
    import -window root "$1/$scenario.png"
    wait
    tr -d "\r" <"$1/$scenario.log"
    [ "$(cat "$1/$scenario.rc")" = 0 ] || failures=$((failures + 1))
    rm -f "$1/$scenario.log" "$1/$scenario.rc" "$ready"
  done
  /usr/lib/wine/wineserver -k
  exit $failures' "$showcase" "$out"
failures=$?
rm -rf "$prefix"
ls "$out"/*.png 2>/dev/null
exit $failures
