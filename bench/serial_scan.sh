#!/usr/bin/env bash
# Time of a full serial scan (COM1 to COM16) under Wine: with all 16 ports absent, and with
# a silent device on every port (the longest a scan can take without a tablet).
# Usage: bench/serial_scan.sh   (after tools/test or build_windows x86_64; BUILD as in tools/lib.sh)
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD:-$ROOT/build}
probe=$BUILD/x64/bin/device/device_probe.exe
template=$BUILD/wine-template
tablet_script=$ROOT/tests/fakes/serial_tablet.py
[ -f "$probe" ] && [ -f "$template/.ready" ] || { echo "build x64 and the Wine template first (tools/test)"; exit 1; }

work=$(mktemp -d /tmp/serial-bench.XXXXXX)
prefix=$work/prefix
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
tablets=()
cleanup() {
  local pid
  for pid in "${tablets[@]}"; do kill "$pid" 2>/dev/null || true; done
  /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
cp -a "$template" "$prefix"
/usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
/usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1 || true
rm -f "$prefix"/dosdevices/com*

ms() { date +%s%3N; }
timed() {   # command...: prints milliseconds taken, best of 3
  local best=999999 i t0 t1
  for i in 1 2 3; do
    t0=$(ms); timeout 300 /usr/lib/wine/wine64 "$probe" "$@" </dev/null >/dev/null 2>&1 || true; t1=$(ms)
    [ $((t1 - t0)) -lt $best ] && best=$((t1 - t0))
  done
  echo $best
}

timed none >/dev/null   # warm the server's caches
start=$(timed none)     # an unknown command: process start-up alone
absent=$(timed scan)
for port in $(seq 16); do
  printf 'link %s\n' "$prefix/dosdevices/com$port" >"$work/silent$port.txt"
  SERIAL_TABLET="$work/silent$port.txt" python3 "$tablet_script" >/dev/null 2>&1 </dev/null &
  tablets+=($!)
done
for i in $(seq 50); do [ "$(ls "$prefix"/dosdevices/ | grep -c '^com')" -eq 16 ] && break; sleep 0.1; done
silent=$(timed scan)

echo "process start-up:              ${start} ms"
echo "scan of 16 absent ports:       $((absent - start)) ms (${absent} ms with start-up)"
echo "scan of 16 silent devices:     $((silent - start)) ms (${silent} ms with start-up)"
echo "per silent port:               $(((silent - start) / 16)) ms"
