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
cleanup() { $server -k >/dev/null 2>&1; umount "$work/disc" 2>/dev/null; [ "$keep" = --keep ] || rm -rf "$work"; }
trap cleanup EXIT
rm -rf "$work"; mkdir -p "$work"; cp -a "$template" "$WINEPREFIX"

# The registry reaches its files when the server ends: each run ends it.
run() { $server -p </dev/null >/dev/null 2>&1; timeout 120 $wine "$@" </dev/null >/dev/null 2>&1; local rc=$?; $server -k >/dev/null 2>&1; $server -w; return $rc; }
snap() { python3 "$tools/prefix_snapshot" snap "$WINEPREFIX" "$work/$1.json" >/dev/null; }
install_dir="$WINEPREFIX/drive_c/Program Files/Zorvant Tablet"
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

run wineboot
# A stand-in for the tablet's client program (the kit's recorder): it logs how it was started
# and whether the USB driver's file was still there.
cp "$medium/Driver/x64/TabletPanel.exe" "$WINEPREFIX/drive_c/windows/REZUVE.EXE"
export KIT_PROGRAM_LOG="Z:$(echo "$work/programs.log" | tr / '\\')"
export KIT_WATCHED_FILE='C:\windows\system32\drivers\ZTUSB.SYS'
snap before

# The medium as a drive of its own, read-only as a CD is (a file system that refuses every
# write, which permissions do not show to root), taken out after the install, as a user
# ejects the disc.
cp -r "$medium" "$work/disc"
{ mount --bind "$work/disc" "$work/disc" && mount -o remount,ro,bind "$work/disc"; } 2>/dev/null ||
  fail "the medium could not be made read-only (a bind mount needs root)"
touch "$work/disc/probe" 2>/dev/null && fail "the medium is writable"
ln -sfn "$work/disc" "$WINEPREFIX/dosdevices/m:"
echo "== install: M:\\Driver\\Instally.exe /NODRV /DEV:2 /S"
run 'M:\Driver\Instally.exe' /NODRV /DEV:2 /S; rc=$?
[ $rc = 0 ] || fail "install exit code $rc, want 0"
snap installed
python3 "$tools/kit_check" installed "$expected" "$work/installed.json" Usb Panel Help || fail "items missing after the install"
[ -e "$WINEPREFIX/drive_c/windows/system32/drivers/ZTSER.SYS" ] && fail "the serial driver was installed for a USB tablet"

echo "== uninstall: the medium taken out, the uninstaller started through its Start-menu link"
umount "$work/disc"; rm -rf "$work/disc" "$WINEPREFIX/dosdevices/m:"
# The shell's way: start opens the link; then every process of the prefix is waited for.
timeout 120 $wine start /wait 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Zorvant Tablet\Uninstall Zorvant Tablet.lnk' </dev/null >/dev/null 2>&1
timeout 180 $server -w; $server -k >/dev/null 2>&1; $server -w
$wine reg query 'HKCR\SetupExt\Zorvant Tablet' >/dev/null 2>&1 && fail "the link did not remove the kit: its record is still there"
$server -k >/dev/null 2>&1; $server -w
grep -q 'REZUVE.EXE /StopClient \[watched file there\]' "$work/programs.log" ||
  fail "the tablet's client was not stopped before the driver's files went: $(tr -d '\r' <"$work/programs.log" | tr '\n' '|')"
unset KIT_PROGRAM_LOG KIT_WATCHED_FILE
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

echo "== a driver kit removes the drivers recorded before it, but not software"
# A small kit of its own on a folder of the prefix: name, type, folder, file.
small_kit() {
  local dir="$WINEPREFIX/drive_c/kits/$1"
  mkdir -p "$dir"; cp "$medium/Driver/Instally.exe" "$dir/"
  echo "$4" >"$dir/$4"
  printf '[App]\r\nAppType=%s\r\nProduceName="%s"\r\nDefDir=%s\r\nDefPMGroup="%s",0\r\nSilentInstall=Y\r\n[Disks]\r\n1="Disk"\r\n[SrcDirs]\r\n1=.\r\n[DstDirs]\r\n1=.\r\n[SetupApps]\r\nPart=Part,PartKeys,PartFiles\r\n[PartKeys]\r\nDefInstall=Y\r\n[PartFiles]\r\n%s,1-1:%s,1:%s,N,Y,0\r\n[End]\r\n' \
    "$2" "$1" "$3" "$1" "$4" "$4" "$4" >"$dir/SetupX64.INF"
  run "$dir/Instally.exe" || fail "installing $1"
}
recorded() { $wine reg query "HKCR\\SetupExt\\$1" >/dev/null 2>&1; }
small_kit "Old Pen Driver" "Pen Driver" 'C:\OldPen' old.txt
small_kit "Pen Software Tools" "Pen Tools" 'C:\PenTools' tools.txt
recorded "Old Pen Driver" && recorded "Pen Software Tools" || fail "the small kits were not recorded"
run "$medium/Driver/Instally.exe" /NODRV /DEV:2 /S || fail "driver kit install"
[ -e "$WINEPREFIX/drive_c/OldPen/old.txt" ] && fail "the older driver's file is still there"
recorded "Old Pen Driver" && fail "the older driver's record is still there"
[ -e "$WINEPREFIX/drive_c/PenTools/tools.txt" ] || fail "the software's file was removed"
recorded "Pen Software Tools" || fail "the software's record was removed"
recorded "Zorvant Tablet" || fail "the driver kit was not recorded"
# "driver" in lower case is not a driver kit: it leaves every record alone.
small_kit "Lower Case Kit" "Pen driver" 'C:\LowerCase' lower.txt
recorded "Zorvant Tablet" || fail "a kit typed 'driver' removed the driver kit"
$server -k >/dev/null 2>&1

echo "== a kit whose names, captions, INI values and registry data hold commas and quotes"
# No entry installs the installer: it copies itself into the installation folder, the link
# starts that copy, and the copy goes at the next start of Windows.
# A key that a line read wrong could name ("0" below the root, with a subkey) must survive.
run reg add 'HKCU\0\Canary' /v Kept /d yes /f
# The INI file is there before, with its section: a removal takes the key, not the file.
printf '[Sec, one]\r\n' >"$WINEPREFIX/drive_c/windows/comma.ini"
snap comma-before
kit="$WINEPREFIX/drive_c/kits/comma"
mkdir -p "$kit/cfg"; cp "$medium/Driver/Instally.exe" "$kit/"
echo one >"$kit/N,1.TXT"; echo two >"$kit/cfg/a,b.cfg"
printf '%s\r\n' '[App]' 'AppType=Pen Tools' 'ProduceName="Comma, Kit"' 'DefDir=C:\Comma Kit' \
  'DefPMGroup="Comma, Kit",0' 'UnInstall="Remove Comma, Kit"' 'SilentInstall=Y' \
  '[Disks]' '1="Disk, one"' '[SrcDirs]' '1=.' '2=cfg' '[DstDirs]' '1=.' '2=cfg' \
  '[SetupApps]' '"Part, one"=Part,PartKeys,PartFiles,PartLinks,PartIni,,PartReg' \
  '[PartKeys]' 'DefInstall=Y' \
  '[PartFiles]' '"Notes, first",1-1:"N,1.TXT",1:"N,1.TXT",N,Y,0' 'CopyFolder=1-2:*.cfg,2,N,Y,0' \
  '[PartLinks]' '"N,1.TXT","Notes, first",0' \
  '[PartIni]' '"comma.ini","Sec, one",Key,0:"x,y ""z""",N,N,Y,N' \
  '[PartReg]' '_HCU_,REG_SZ,Software\CommaKit,Icon,0:"kit.exe,0"' \
  '_HCU_,REG_SZ,Software\CommaKit,Quote,0:"say ""hi"", twice"' '_HCU_,REG_SZ,Software\CommaKit' '[End]' \
  >"$kit/SetupX64.INF"
run "$kit/Instally.exe" || fail "installing the comma kit"
comma_dir="$WINEPREFIX/drive_c/Comma Kit"
[ "$(cat "$comma_dir/N,1.TXT" 2>/dev/null)" = one ] && [ "$(cat "$comma_dir/cfg/a,b.cfg" 2>/dev/null)" = two ] ||
  fail "the comma kit's files are not in place"
[ -e "$comma_dir/Instally.exe" ] || fail "the installer kept no copy of itself for the uninstall"
value() { $wine reg query 'HKCU\Software\CommaKit' /v "$1" 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'; }
[ "$(value Icon)" = "kit.exe,0" ] || fail "the icon value reads '$(value Icon)'"
[ "$(value Quote)" = 'say "hi", twice' ] || fail "the quoted value reads '$(value Quote)'"
grep -q 'Key=x,y "z"' "$WINEPREFIX/drive_c/windows/comma.ini" 2>/dev/null || fail "the INI value is not whole"
group=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/"Comma, Kit" 2>/dev/null | head -1)
[ -e "$group/Notes, first.LNK" ] || fail "the caption with a comma got no link"
rm -rf "$kit"
link=$($wine winepath -w "$group/Remove Comma, Kit.LNK" 2>/dev/null | tr -d '\r')
timeout 120 $wine start /wait "$link" </dev/null >/dev/null 2>&1
timeout 180 $server -w; $server -k >/dev/null 2>&1; $server -w
$wine reg query 'HKCR\SetupExt\Comma, Kit' >/dev/null 2>&1 && fail "the comma kit's link did not remove it"
$wine reg query 'HKCU\0\Canary' /v Kept >/dev/null 2>&1 || fail "the canary key was deleted"
echo "== after the next start of Windows"
run wineboot -r
snap comma-removed
python3 "$tools/prefix_snapshot" diff "$work/comma-before.json" "$work/comma-removed.json" || fail "the comma kit left traces"

[ $failures = 0 ] && echo "PASS kit round trip" || echo "$failures failure(s)"
exit $((failures > 0))
