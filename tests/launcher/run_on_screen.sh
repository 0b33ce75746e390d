#!/usr/bin/env bash
# Runs the launcher's screen checks under a virtual X display with Wine's X11 driver, in
# a copy of the clean prefix, and turns the screenshots they save into PNGs.
# Usage: run_on_screen.sh CHECKS.exe SHOT_DIR   (TEMPLATE_PREFIX names the clean prefix)
set -u
checks=$1 shots=$2
template=${TEMPLATE_PREFIX:?TEMPLATE_PREFIX must name a clean Wine prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
prefix="$shots/prefix"
rm -rf "$shots"; mkdir -p "$shots"; cp -a "$template" "$prefix"
WINEPREFIX="$prefix" /usr/lib/wine/wine64 reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f </dev/null >/dev/null 2>&1
WINEPREFIX="$prefix" /usr/lib/wine/wineserver -w
export LAUNCHER_SHOT_DIR="Z:${shots//\//\\}"
WINEPREFIX="$prefix" timeout 240 xvfb-run -a -s "-screen 0 1024x768x24" \
  /usr/lib/wine/wine64 "$checks" </dev/null >"$shots/checks.log" 2>&1
tr -d '\r' <"$shots/checks.log" | grep -v '^$'
# The program's exit code does not survive the display going away: read the verdict.
status=0
grep -q '^\[  PASSED  \]' "$shots/checks.log" && ! grep -q '^\[  FAILED  \]' "$shots/checks.log" || status=1
WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k >/dev/null 2>&1
rm -rf "$prefix"
for bmp in "$shots"/*.bmp; do
  [ -f "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
ls "$shots"
exit "$status"
