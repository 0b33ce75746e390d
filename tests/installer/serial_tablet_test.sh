#!/usr/bin/env bash
# The serial probe against tablets on host pseudo-terminals, each linked as a COM port of a
# private copy of the clean prefix (its own server, no other COM ports).
# Usage: serial_tablet_test.sh FAKES_DIR WORK_DIR TABLET_SCRIPT   (TEMPLATE_PREFIX names the clean prefix)
set -u
fakes=$1 work=$2 tablet_script=$3
template=${TEMPLATE_PREFIX:?TEMPLATE_PREFIX must name a clean Wine prefix}
prefix=$work/prefix
export WINEPREFIX=$prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;cfgmgr32,wintab32=n,b"
declare -A tablets=()
failures=0

stop_tablet() { kill "${tablets[$1]}" 2>/dev/null; wait "${tablets[$1]}" 2>/dev/null; unset "tablets[$1]"; rm -f "$prefix/dosdevices/com$1"; }
cleanup() {
  local port
  for port in "${!tablets[@]}"; do stop_tablet "$port"; done
  /usr/lib/wine/wineserver -k >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

rm -rf "$work"; mkdir -p "$work"; cp -a "$template" "$prefix"
/usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
/usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1
rm -f "$prefix"/dosdevices/com*

start_tablet() {   # port, name, reply lines...
  local port=$1 name=$2; shift 2
  { echo "link $prefix/dosdevices/com$port"; echo "log $work/$name.log"; printf '%s\n' "$@"; } >"$work/$name.txt"
  : >"$work/$name.log"
  SERIAL_TABLET="$work/$name.txt" python3 "$tablet_script" >/dev/null 2>&1 </dev/null &
  tablets[$port]=$!
  local i
  for i in $(seq 50); do [ -L "$prefix/dosdevices/com$port" ] && return 0; sleep 0.1; done
  echo "FAIL tablet $name did not come up"; failures=$((failures + 1))
}
probe() { (cd "$work" && timeout 120 /usr/lib/wine/wine64 "$fakes/device_probe.exe" "$@" </dev/null >/dev/null 2>&1); echo $?; }
received() { grep -v '^line' "$work/$1.log" | tr '\n' ' ' | sed 's/ $//'; }
check() {   # what, got, want
  if [ "$2" = "$3" ]; then echo "ok   $1: $2"; else echo "FAIL $1: got '$2', want '$3'"; failures=$((failures + 1)); fi
}

QUERIES=("reply 77 00" "reply 61 01 02 03 04 05")
start_tablet 2 identifies "${QUERIES[@]}" "reply b8 text (zorvant PD-100 v1.2"
start_tablet 3 final-only "${QUERIES[@]}" "reply b8 text (OTHERCO PAD" "reply 05 01"
start_tablet 4 status-70 "reply 77 30" "reply 61 01 02 03 04 05" "reply b8 text (ZORVANT" "reply 05 01"
start_tablet 5 silent
start_tablet 6 no-identity "${QUERIES[@]}" "reply 05 01"
start_tablet 12 above-nine "${QUERIES[@]}" "reply b8 text (ZORVANT"

check "identifying tablet on COM2" "$(probe serial 2)" 1
check "bytes it received" "$(received identifies)" "00 44 77 61 b8"
check "line settings it saw" "$(grep -m1 '^line' "$work/identifies.log")" "line 9600 8 odd 1 none"
check "other identity, answers 0x05 (COM3)" "$(probe serial 3)" 1
check "bytes it received" "$(received final-only)" "00 44 77 61 b8 05"
check "status bits 0x70 (COM4)" "$(probe serial 4)" 0
check "bytes it received" "$(received status-70)" "00 44 77"
check "silent device (COM5)" "$(probe serial 5)" 0
check "bytes it received" "$(received silent)" "00 44 77"
check "no identification reply (COM6)" "$(probe serial 6)" 0
check "bytes it received" "$(received no-identity)" "00 44 77 61 b8"
check "tablet on COM12" "$(probe serial 12)" 1
check "missing port (COM7)" "$(probe serial 7)" 0
stop_tablet 12

# A file that happens to be called COM12 beside the installer is not a port.
printf 'keep me' >"$work/COM12"
check "file named COM12, no port" "$(probe serial 12)" 0
check "the file's bytes" "$(cat "$work/COM12")" "keep me"

# The tablet library is there but has no tablet behind it: the ports are still tried.
for port in 2 3 4 5 6; do stop_tablet "$port"; done
printf 'open 0\nlog %s\n' "$work/library.log" >"$work/library.txt"
export FAKE_TABLET_LIBRARY=$work/library.txt
start_tablet 14 late-port "${QUERIES[@]}" "reply b8 text (ZORVANT"
check "library without tablet, tablet on COM14" "$(probe scan)" 1
check "library asked" "$(tr -d '\r' <"$work/library.log" | head -1)" "open 0"
check "COM14 reached" "$(received late-port)" "00 44 77 61 b8"
check "detected as the serial family" "$(probe detect)" 1
stop_tablet 14
check "nothing anywhere" "$(probe scan)" 0
check "detected nothing" "$(probe detect)" 0
exit $failures
