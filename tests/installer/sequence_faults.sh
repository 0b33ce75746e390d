#!/usr/bin/env bash
# The sample kit's install and uninstall when things go wrong half-way, each case in a fresh
# copy of the clean prefix, each with the leftover audit (tools/prefix_snapshot): files and
# registry values that were there before are never removed or changed by a failed run.
#   1. the medium loses a file in the middle of a silent install: the run ends with status 1
#      and what was installed before the missing file stays;
#   2. the installer is ended in the middle of the file list (while it copies a large file),
#      then run again: the second run completes, and its uninstall leaves the prefix as before;
#   3. the uninstall is run twice: the second finds no record, ends at once with exit code 1,
#      and removes nothing;
#   4. the record's saved script copies were deleted: the uninstall says that the script
#      cannot be found and removes nothing.
# Usage: sequence_faults.sh MEDIUM_DIR BIN_DIR TOOLS_DIR EXPECTED_FILE WORK_DIR
#   (TEMPLATE_PREFIX names the clean prefix)
set -u
medium=$1 bin=$2 tools=$3 expected=$4 work=$5
template=${TEMPLATE_PREFIX:?TEMPLATE_PREFIX must name a clean Wine prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
server=/usr/lib/wine/wineserver wine=/usr/lib/wine/wine64
cleanup() { [ -n "${WINEPREFIX:-}" ] && $server -k >/dev/null 2>&1; rm -rf "$work"; }
trap cleanup EXIT
rm -rf "$work"; mkdir -p "$work"
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

fresh() {   # case name: a prefix of its own and a copy of the medium in it
  export WINEPREFIX=$work/$1/prefix
  mkdir -p "$work/$1"; cp -a "$template" "$WINEPREFIX"
  cp -a "$medium" "$work/$1/medium"   # outside the prefix, as a medium in a drive is
  install=("Z:$(echo "$work/$1/medium/Driver/Instally.exe" | tr / '\\')" /NODRV /DEV:2 /S)
  run_plain wineboot
  echo "precious" >"$WINEPREFIX/drive_c/users/Public/precious.txt"
  mkdir -p "$install_dir"; echo "mine" >"$install_dir/notes.txt"
}
# The registry reaches its files when the server ends: each run ends it.
run_plain() { $server -p </dev/null >/dev/null 2>&1; timeout 180 $wine "$@" </dev/null >/dev/null 2>&1; local rc=$?; $server -k >/dev/null 2>&1; $server -w; return $rc; }
watched() {   # output file, kill-when path or -, program and arguments: run_watched's exit code
  local out=$1; shift
  $server -p </dev/null >/dev/null 2>&1
  (cd "$WINEPREFIX/drive_c/windows" && timeout 240 $wine "$bin/run_watched.exe" "$1" 120000 "${@:2}" </dev/null >"$out" 2>/dev/null)
  local rc=$?; $server -k >/dev/null 2>&1; $server -w
  tr -d '\r' <"$out" >"$out.txt"; sed 's/^/    /' "$out.txt"
  return $rc
}
snap() { python3 "$tools/prefix_snapshot" snap "$WINEPREFIX" "$work/$1.json" >/dev/null; }
# Files or values that were there before and were removed or changed since.
lost() { python3 "$tools/prefix_snapshot" diff "$work/$1.json" "$work/$2.json" | grep -E '^(removed|changed) ' || true; }
install_dir_of() { echo "$1/drive_c/Program Files/Zorvant Tablet"; }
record_there() { $server -p </dev/null >/dev/null 2>&1; $wine reg query 'HKCR\SetupExt\Zorvant Tablet' >/dev/null 2>&1; local rc=$?; $server -k >/dev/null 2>&1; $server -w; return $rc; }
user_files_intact() {
  [ "$(cat "$WINEPREFIX/drive_c/users/Public/precious.txt" 2>/dev/null)" = precious ] || fail "$1: a file of the user's outside the kit was lost"
  [ "$(cat "$install_dir/notes.txt" 2>/dev/null)" = mine ] || fail "$1: the user's file in the installation folder was lost"
}
uninstall=(C:\\windows\\Instally.exe '/@SetupExt\Zorvant' Tablet)

echo "== 1. the medium loses TabletExt.dl_ in the middle of a silent install"
WINEPREFIX=$work/missing/prefix install_dir=$(install_dir_of "$work/missing/prefix")
fresh missing
rm "$work/missing/medium/Driver/x64/TabletExt.dl_"
snap missing-before
watched "$work/missing/run" - "${install[@]}"; rc=$?
[ $rc = 0 ] || fail "missing source: exit code $rc, want 0 (silent)"
grep -qx "status 1" "$work/missing/run.txt" || fail "missing source: no status 1 broadcast"
grep -q "^box" "$work/missing/run.txt" && fail "missing source: a silent run showed a message"
snap missing-after
for f in "$WINEPREFIX/drive_c/windows/system32/drivers/ZTUSB.SYS" "$install_dir/TabletPanel.exe"; do
  [ -e "$f" ] || fail "missing source: $f, installed before the gap, is gone"
done
[ -e "$install_dir/TabletExt.dll" ] && fail "missing source: a file appeared for the missing source"
gone=$(lost missing-before missing-after); [ -z "$gone" ] || fail "missing source: lost $gone"
user_files_intact "missing source"

echo "== 2. the installer is ended while it copies TabletPanel.exe, then run again"
WINEPREFIX=$work/killed/prefix install_dir=$(install_dir_of "$work/killed/prefix")
fresh killed
panel="$work/killed/medium/Driver/x64/TabletPanel.exe"
mv "$panel" "$work/TabletPanel.exe"
truncate -s 400M "$panel"   # large enough that the copy is still running when it is ended
snap killed-before
watched "$work/killed/run" 'C:\Program Files\Zorvant Tablet\TabletPanel.exe' "${install[@]}"
grep -qx killed "$work/killed/run.txt" || fail "killed: the installer was not ended in the middle"
record_there && fail "killed: the record was written by a run that was ended before its end"
snap killed-run
gone=$(lost killed-before killed-run)
[ -z "$gone" ] || fail "killed: lost $gone"
mv -f "$work/TabletPanel.exe" "$panel"   # the medium back as it was
watched "$work/killed/rerun" - "${install[@]}"; rc=$?
[ $rc = 0 ] || fail "killed: the second install's exit code is $rc"
grep -qx "status 0" "$work/killed/rerun.txt" || fail "killed: the second install did not end with status 0"
snap killed-installed
python3 "$tools/kit_check" installed "$expected" "$work/killed-installed.json" Usb Panel Help >/dev/null ||
  fail "killed: items missing after the second install"
cmp -s "$install_dir/TabletPanel.exe" "$panel" || fail "killed: TabletPanel.exe is not the medium's after the second install"
watched "$work/killed/uninstall" - "${uninstall[@]}" || fail "killed: the uninstall failed"
snap killed-removed
python3 "$tools/kit_check" removed "$expected" "$work/killed-before.json" "$work/killed-removed.json" ||
  fail "killed: the uninstall left the prefix other than it was before the first install"
user_files_intact "killed"

echo "== 3. the uninstall run twice"
WINEPREFIX=$work/twice/prefix install_dir=$(install_dir_of "$work/twice/prefix")
fresh twice
watched "$work/twice/install" - "${install[@]}" || fail "twice: the install failed"
watched "$work/twice/first" - "${uninstall[@]}" || fail "twice: the first uninstall failed"
snap twice-first
watched "$work/twice/second" - "${uninstall[@]}"; rc=$?
[ $rc = 1 ] || fail "twice: the second uninstall's exit code is $rc, want 1 (no record)"
grep -q "^box" "$work/twice/second.txt" && fail "twice: the second uninstall showed a message"
snap twice-second
diffs=$(python3 "$tools/prefix_snapshot" diff "$work/twice-first.json" "$work/twice-second.json")
[ -z "$diffs" ] || fail "twice: the second uninstall changed the prefix: $diffs"
user_files_intact "twice"

echo "== 4. the uninstall with the saved script copies deleted"
WINEPREFIX=$work/copies/prefix install_dir=$(install_dir_of "$work/copies/prefix")
fresh copies
watched "$work/copies/install" - "${install[@]}" || fail "copies: the install failed"
copies=$(cd "$install_dir" && ls ST~*.[Tt][Mm][Pp] 2>/dev/null | wc -l)
[ "$copies" -ge 1 ] || fail "copies: no saved script copy in the installation folder"
rm -f "$install_dir"/ST~*.[Tt][Mm][Pp]
snap copies-before
watched "$work/copies/uninstall" - "${uninstall[@]}"; rc=$?
[ $rc = 0 ] || fail "copies: exit code $rc, want 0"
grep -q "^box .*| The Setupext.Inf file cannot be found" "$work/copies/uninstall.txt" ||
  fail "copies: the uninstall did not say that the script cannot be found"
snap copies-after
diffs=$(python3 "$tools/prefix_snapshot" diff "$work/copies-before.json" "$work/copies-after.json")
[ -z "$diffs" ] || fail "copies: the uninstall changed the prefix: $diffs"
record_there || fail "copies: the record went, though nothing was removed"
user_files_intact "copies"

[ $failures = 0 ] && echo "PASS sequence faults" || echo "$failures failure(s)"
exit $((failures > 0))
