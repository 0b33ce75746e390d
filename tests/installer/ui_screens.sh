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
outwin="Z:$(cd "$out" && pwd | tr / '\\\\')"
timeout 300 xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -o pipefail
  failures=0
  for scenario in gradient tiled stretched panels logo meter; do
    echo "== $scenario"
    timeout 60 /usr/lib/wine/wine64 "$0" "$scenario" "$1" </dev/null 2>/dev/null | tr -d "\r" || failures=$((failures + 1))
  done
  /usr/lib/wine/wineserver -k
  exit $failures' "$showcase" "$outwin"
failures=$?
for bmp in "$out"/*.bmp; do
  [ -f "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
rm -rf "$prefix"
ls "$out"/*.png 2>/dev/null
exit $failures
