#!/usr/bin/env bash
# A nearly full drive: a 1 MB file system mapped as drive Q: of a private prefix. The space
# check must refuse, the copy must fail without leaving a truncated file, and a file that
# was on the drive before must stay intact. Needs the right to mount (skipped otherwise).
# Usage: full_drive.sh PROBE_EXE WORK_DIR   (TEMPLATE_PREFIX names the clean prefix)
set -u
probe=$1 work=$2
template=${TEMPLATE_PREFIX:?TEMPLATE_PREFIX must name a clean Wine prefix}
export WINEPREFIX=$work/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
server=/usr/lib/wine/wineserver
small=$work/small
cleanup() { $server -k >/dev/null 2>&1; mountpoint -q "$small" && umount "$small"; rm -rf "$work"; }
trap cleanup EXIT

rm -rf "$work"; mkdir -p "$small"
if ! mount -t tmpfs -o size=1m tmpfs "$small" 2>"$work/mount.log"; then
  echo "SKIP cannot mount a small file system here: $(cat "$work/mount.log")"; exit 77
fi
cp -a "$template" "$WINEPREFIX"
ln -sfn "$small" "$WINEPREFIX/dosdevices/q:"
head -c 700000 /dev/urandom >"$small/kept.bin"
kept=$(sha256sum <"$small/kept.bin")
head -c 2000000 /dev/urandom >"$WINEPREFIX/drive_c/big.bin"
cp "$probe" "$work/full_drive_probe.exe"

$server -p </dev/null >/dev/null 2>&1
timeout 60 /usr/lib/wine/wine64 "$work/full_drive_probe.exe" 'Q:' 'C:\big.bin' </dev/null >/dev/null 2>&1
rc=$?
failures=0
if [ $rc = 0 ]; then echo "ok   space refused, copy failed, nothing left behind"
else echo "FAIL probe exit code $rc (bits: 1 space check, 2 small need, 4 copy, 8 leftover, 16 space kept)"; failures=1; fi
[ "$(sha256sum <"$small/kept.bin")" = "$kept" ] && echo "ok   the file already on the drive is intact" ||
  { echo "FAIL the file already on the drive changed"; failures=1; }
[ "$(ls "$small")" = "kept.bin" ] || { echo "FAIL left on the drive: $(ls "$small" | tr '\n' ' ')"; failures=1; }
exit $failures
