#!/usr/bin/env bash
# The kit as the Control Panel's list of programs sees it: installed silently from a medium
# that is then taken out, listed by Wine's own program list, removed from that list, and the
# prefix afterwards as it was. Then the quiet command of the entry, which must finish without
# a window (a message box would hold the run until its time runs out); a removal that meets a
# file in use, which keeps the entry with the record until a second removal from the list
# completes; and a kit that keeps no uninstall information, which gets no entry.
# Usage: programs_list_journey.sh MEDIUM_DIR TOOLS_DIR EXPECTED_FILE WORK_DIR FILE_HOLDER.exe
set -u
medium=$1 tools=$2 expected=$3 work=$4 holder=$5
template=${TEMPLATE_PREFIX:?TEMPLATE_PREFIX must name a clean Wine prefix}
export WINEPREFIX=$work/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
server=/usr/lib/wine/wineserver wine=/usr/lib/wine/wine64
trap '$server -k >/dev/null 2>&1; rm -rf "$work"' EXIT
rm -rf "$work"; mkdir -p "$work"; cp -a "$template" "$WINEPREFIX"
# What the programs print on their error stream: a fault report names the program that faulted.
log=$work/programs.err
# A run ends when every process of the prefix has: the install starts the tablet's panel without
# waiting for it, and a server ended while that program still starts makes it fault (Wine's
# debugger then leaves its settings key behind). The server is not kept, so it ends with them.
run() { timeout 120 $wine "$@" </dev/null >/dev/null 2>>"$log"; local rc=$?; timeout 60 $server -w; $server -k >/dev/null 2>&1; $server -w; return $rc; }
settle() { timeout 180 $server -w; $server -k >/dev/null 2>&1; $server -w; }
# An interactive removal ends with a message box nobody here answers: once the record and the
# program group are gone (the group's link is the last thing removed), its server is ended.
group="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zorvant Tablet"
removed_then_end() {
  local i
  for i in $(seq 120); do
    $wine reg query 'HKCR\SetupExt\Zorvant Tablet' >/dev/null 2>&1 || { [ -e "$group" ] || break; }
    sleep 1
  done
  sleep 2; $server -k >/dev/null 2>&1; $server -w
}
snap() { python3 "$tools/prefix_snapshot" snap "$WINEPREFIX" "$work/$1.json" >/dev/null; }
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zorvant Tablet'
listed() { $wine uninstaller --list 2>/dev/null | tr -d '\r' | grep -q "|||Zorvant Tablet$"; }
failures=0
# Removed from Wine's list of programs, then the record, the entry and every leftover checked.
remove_from_list() {   # snapshot name
  timeout 120 $wine uninstaller --remove 'Zorvant Tablet' </dev/null >/dev/null 2>>"$log"
  removed_then_end
  $wine reg query 'HKCR\SetupExt\Zorvant Tablet' >/dev/null 2>&1 && fail "$1: removing from the list left the record"
  $wine reg query "$entry" >/dev/null 2>&1 && fail "$1: the list entry stayed"
  settle
  snap "$1"
  python3 "$tools/kit_check" removed "$expected" "$work/before.json" "$work/$1.json" || fail "$1: left over after the removal from the list"
}
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

run wineboot
snap before
install_from_disc() {
  cp -r "$medium" "$work/disc"; ln -sfn "$work/disc" "$WINEPREFIX/dosdevices/m:"
  run 'M:\Driver\Instally.exe' /NODRV /DEV:2 /S || fail "install exit code $?"
  rm -rf "$work/disc" "$WINEPREFIX/dosdevices/m:"
}

echo "== install, then the list of programs with the medium gone"
install_from_disc
install_from_disc   # a second install over the first: still one entry
listed || fail "the list of programs does not show the kit: $($wine uninstaller --list 2>&1 | tr -d '\r' | tr '\n' ' ')"
[ "$($wine uninstaller --list 2>/dev/null | grep -c 'Zorvant Tablet')" = 1 ] || fail "the kit is listed more than once"
value() { $wine reg query "$entry" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/.*$1 *REG_[A-Z_]* *//p"; }
uninstall=$(value UninstallString) quiet=$(value QuietUninstallString)
case $uninstall in *'/@SetupExt\Zorvant Tablet') ;; *) fail "UninstallString is '$uninstall'";; esac
case $uninstall in '"M:'*) fail "the entry starts the uninstaller on the medium: $uninstall";; esac
[ -n "$(value EstimatedSize)" ] && [ "$(value NoModify)" = 0x1 ] || fail "size or NoModify missing"
# The publisher and version of the program the kit's first link starts (its version resource).
[ "$(value Publisher)" = Zorvant ] && [ "$(value DisplayVersion)" = 5.2 ] ||
  fail "publisher '$(value Publisher)' and version '$(value DisplayVersion)' are not TabletPanel.exe's"
$server -k >/dev/null 2>&1; $server -w

echo "== removed from the list"
remove_from_list removed

echo "== the quiet command"
install_from_disc
quiet=$(value QuietUninstallString)
$server -k >/dev/null 2>&1; $server -w
case $quiet in *' /S /@SetupExt\Zorvant Tablet') ;; *) fail "QuietUninstallString is '$quiet'";; esac
program=${quiet#\"}; program=${program%%\"*}
$server -p </dev/null >/dev/null 2>&1
timeout 120 $wine "$program" /S '/@SetupExt\Zorvant' Tablet </dev/null >/dev/null 2>>"$log"; rc=$?
[ $rc = 124 ] && fail "the quiet removal waited for an answer"
$wine reg query "$entry" >/dev/null 2>&1 && fail "the quiet removal left the list entry"
$wine reg query 'HKCR\SetupExt\Zorvant Tablet' >/dev/null 2>&1 && fail "the quiet removal left the record"
$server -k >/dev/null 2>&1; $server -w

echo "== a file in use at the removal keeps the entry until the second removal"
install_from_disc
held='C:\Program Files\Zorvant Tablet\TabletPanel.exe'
$server -p </dev/null >/dev/null 2>&1
$wine "$holder" "$held" 15000 </dev/null >/dev/null 2>>"$log" &
holding=$!
for i in $(seq 100); do [ -e "$WINEPREFIX/drive_c/Program Files/Zorvant Tablet/TabletPanel.exe.held" ] && break; sleep 0.2; done
timeout 120 $wine "$program" /S '/@SetupExt\Zorvant' Tablet </dev/null >/dev/null 2>>"$log"; rc=$?
[ $rc = 124 ] && fail "the quiet removal with a file in use waited for an answer"
wait $holding
$wine reg query 'HKCR\SetupExt\Zorvant Tablet' >/dev/null 2>&1 || fail "a removal that kept a file in use dropped the record"
$wine reg query "$entry" >/dev/null 2>&1 || fail "a removal that kept a file in use dropped the list entry"
listed || fail "the kit left the list of programs while a file of it stayed"
rm -f "$WINEPREFIX/drive_c/Program Files/Zorvant Tablet/TabletPanel.exe.held"
$server -k >/dev/null 2>&1; $server -w
remove_from_list removed_again

echo "== a kit that keeps no uninstall information gets no entry"
kit="$WINEPREFIX/drive_c/kits/nokeep"
mkdir -p "$kit"; cp "$medium/Driver/Instally.exe" "$kit/"; echo x >"$kit/x.txt"
printf '%s\r\n' '[App]' 'ProduceName="No Keep Kit"' 'DefDir=C:\NoKeep' 'DontKeepUninstallInfo=Y' 'SilentInstall=Y' \
  '[Disks]' '1="Disk"' '[SrcDirs]' '1=.' '[DstDirs]' '1=.' '[SetupApps]' 'Part=Part,PartKeys,PartFiles' \
  '[PartKeys]' 'DefInstall=Y' '[PartFiles]' 'x.txt,1-1:x.txt,1:x.txt,N,Y,0' '[End]' >"$kit/SetupX64.INF"
run "$kit/Instally.exe" || fail "installing the kit without uninstall information"
[ -e "$WINEPREFIX/drive_c/NoKeep/x.txt" ] || fail "that kit's file is missing"
$wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\No Keep Kit' >/dev/null 2>&1 &&
  fail "a kit without uninstall information was listed"
$server -k >/dev/null 2>&1

grep -a -E "Unhandled exception|page fault|^=>|Backtrace" "$log" 2>/dev/null | head -20 | sed "s/^/fault report: /"
[ $failures = 0 ] && echo "PASS programs list journey" || echo "$failures failure(s)"
exit $((failures > 0))
