#!/usr/bin/env bash
# The leftover audit against a program whose traces are known: snapshots of a private copy
# of the clean prefix before and after its run must differ by exactly those traces.
# Usage: leftover_audit.sh PROBE_EXE SNAPSHOT_TOOL WORK_DIR   (TEMPLATE_PREFIX names the clean prefix)
set -u
probe=$1 tool=$2 work=$3
template=${TEMPLATE_PREFIX:?TEMPLATE_PREFIX must name a clean Wine prefix}
export WINEPREFIX=$work/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
server=/usr/lib/wine/wineserver
cleanup() { $server -k >/dev/null 2>&1; rm -rf "$work"; }
trap cleanup EXIT

rm -rf "$work"; mkdir -p "$work"; cp -a "$template" "$WINEPREFIX"
mkdir -p "$WINEPREFIX/drive_c/audit"
echo old >"$WINEPREFIX/drive_c/audit/old.txt"
echo kept >"$WINEPREFIX/drive_c/audit/changed.txt"
echo same >"$WINEPREFIX/drive_c/audit/same.txt"
cp "$probe" "$work/leftover_probe.exe"

# A first start settles what Wine adds to a copied prefix; the registry reaches its files
# when the server ends.
run() { $server -p </dev/null >/dev/null 2>&1; timeout 60 /usr/lib/wine/wine64 "$@" </dev/null >/dev/null 2>&1; local rc=$?; $server -k >/dev/null 2>&1; $server -w; return $rc; }
run wineboot
python3 "$tool" snap "$WINEPREFIX" "$work/before.json" >/dev/null || { echo "FAIL snapshot before"; exit 1; }
run "$work/leftover_probe.exe" || { echo "FAIL probe exit code $?"; exit 1; }
python3 "$tool" snap "$WINEPREFIX" "$work/after.json" >/dev/null || { echo "FAIL snapshot after"; exit 1; }

python3 "$tool" diff "$work/before.json" "$work/after.json" >"$work/diff.txt"
status=$?
expected='added   file  drive_c/audit/made.txt (5 bytes)
added   key   HKCU\Software\Zorvant Audit
added   value HKCU\Software\Zorvant Audit : Made = "yes"
changed file  drive_c/audit/changed.txt (10 bytes, was 5 bytes)
removed file  drive_c/audit/old.txt (4 bytes)'
got=$(sort "$work/diff.txt")
failures=0
[ "$status" = 1 ] || { echo "FAIL diff exit code $status, want 1"; failures=1; }
if [ "$got" != "$(sort <<<"$expected")" ]; then
  echo "FAIL differences:"; cat "$work/diff.txt"; echo "want:"; echo "$expected"; failures=1
fi
# Nothing differs from a snapshot of itself.
python3 "$tool" diff "$work/after.json" "$work/after.json" >"$work/same.txt"
[ $? = 0 ] && [ ! -s "$work/same.txt" ] || { echo "FAIL a snapshot differs from itself"; failures=1; }
[ $failures = 0 ] && echo "ok   leftover audit shows exactly the probe's traces"
exit $failures
