#!/usr/bin/env bash
# The sample kit installed silently from the medium and removed again the way its uninstall
# shortcut starts the uninstaller, in a private copy of the clean prefix: what the install
# leaves must be what the kit's expected results list, and after the uninstall the prefix
# must equal the one before, but for what those results say stays. A second round shows
# that a file the user put into the installation folder survives with its folder.
# Usage: kit_round_trip.sh MEDIUM_DIR TOOLS_DIR EXPECTED_FILE WORK_DIR [--keep]
#   (TEMPLATE_PREFIX names the clean prefix; tools/demo runs this too)
set -u
medium=$1 tools=$2 expected=$3 work=$4 keep=${5:-}
template=${TEMPLATE_PREFIX:?TEMPLATE_PREFIX must name a clean Wine prefix}
export WINEPREFIX=$work/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
server=/usr/lib/wine/wineserver wine=/usr/lib/wine/wine64
cleanup() { $server -k >/dev/null 2>&1; [ "$keep" = --keep ] || rm -rf "$work"; }
trap cleanup EXIT
rm -rf "$work"; mkdir -p "$work"; cp -a "$template" "$WINEPREFIX"

# The registry reaches its files when the server ends: each run ends it.
run() { $server -p </dev/null >/dev/null 2>&1; timeout 120 $wine "$@" </dev/null >/dev/null 2>&1; local rc=$?; $server -k >/dev/null 2>&1; $server -w; return $rc; }
snap() { python3 "$tools/prefix_snapshot" snap "$WINEPREFIX" "$work/$1.json" >/dev/null; }
install_dir="$WINEPREFIX/drive_c/Program Files/Zorvant Tablet"
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

run wineboot
snap before

echo "== install: Driver\\Instally.exe /NODRV /DEV:2 /S"
run "$medium/Driver/Instally.exe" /NODRV /DEV:2 /S; rc=$?
[ $rc = 0 ] || fail "install exit code $rc, want 0"
snap installed
python3 "$tools/kit_check" installed "$expected" "$work/installed.json" Usb Panel Help || fail "items missing after the install"
[ -e "$WINEPREFIX/drive_c/windows/system32/drivers/ZTSER.SYS" ] && fail "the serial driver was installed for a USB tablet"

echo "== uninstall: Instally.exe /@SetupExt\\Zorvant Tablet (as the shortcut starts it)"
(cd "$WINEPREFIX/drive_c/windows" && run Instally.exe '/@SetupExt\Zorvant' Tablet); rc=$?
[ $rc = 0 ] || fail "uninstall exit code $rc, want 0"
snap removed
echo "== differences from before the install"
python3 "$tools/kit_check" removed "$expected" "$work/before.json" "$work/removed.json" || fail "left over after the uninstall"

echo "== again, with a file of the user's in the installation folder"
run "$medium/Driver/Instally.exe" /NODRV /DEV:2 /S || fail "second install"
echo "mine" >"$install_dir/notes.txt"
(cd "$WINEPREFIX/drive_c/windows" && run Instally.exe '/@SetupExt\Zorvant' Tablet) || fail "second uninstall"
[ "$(cat "$install_dir/notes.txt" 2>/dev/null)" = mine ] || fail "the user's file did not survive"
left=$(cd "$install_dir" 2>/dev/null && find . -mindepth 1 | sort | tr '\n' ' ')
[ "$left" = "./notes.txt " ] || fail "the installation folder holds '$left', want only ./notes.txt"
$wine reg query 'HKCR\SetupExt\Zorvant Tablet' >/dev/null 2>&1 && fail "the record is still there"
$server -k >/dev/null 2>&1

[ $failures = 0 ] && echo "PASS kit round trip" || echo "$failures failure(s)"
exit $((failures > 0))
