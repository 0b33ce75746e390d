#!/usr/bin/env bash
# The kit author's way to a disc: the sample kit's folder (its files in plain form) built into a
# medium and a CD image by `kitcheck build`, and the image verified on Windows 98, XP and 7 by
# `kitcheck verify` (installed from a read-only CD drive, removed through the Start-menu link with
# the disc out, nothing left). Then a kit with planted faults, each of which verify must name: a
# script variant missing for XP, a source file missing from the disc, and a set-up tool that
# writes a log the uninstall does not remove; that run also shoots the interactive install and
# uninstall (--screens).
# Usage: kit_verify.sh MEDIUM_DIR KITCHECK LZPACK WORK_DIR
set -u
medium=$1 kitcheck=$2 lzpack=$3 work=$4
unset WINEPREFIX   # the suite's shared prefix is not this journey's
rm -rf "$work"; mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
ok() { echo "ok   $*"; }

# The kit folder as its author keeps it: the built medium with its compressed files expanded
# back to their plain names and without the programs the build adds.
kit=$work/kit
cp -r "$medium" "$kit"
rm -f "$kit/setup.exe" "$kit/autorun.inf" "$kit/Driver/Instally.exe"
mkdir -p "$work/programs"
cp "$medium/Driver/Instally.exe" "$medium/setup.exe" "$work/programs/"
for packed in "$kit"/Driver/x64/*_ "$kit"/Driver/x86/*_; do
  plain=$(python3 -c 'import sys; p=sys.argv[1]; ext={"SY_":"SYS","ex_":"exe","dl_":"dll"}; print(p[:-3]+ext[p[-3:]])' "$packed")
  "$lzpack" -x "$packed" "$plain" && rm "$packed" || fail "cannot expand $packed"
done
"$lzpack" -x "$medium/Driver/SetupX64.W7" "$kit/Driver/SetupX64.W7" || fail "cannot expand the W7 script"

"$kitcheck" build "$kit" "$work/disc" --programs "$work/programs" --store-compressed Driver/SetupX64.W7 \
  --iso "$work/disc.iso" >"$work/build.txt"; rc=$?
[ $rc = 0 ] && ok "kitcheck build: medium and image written" || fail "kitcheck build exit code $rc: $(tr '\n' '|' <"$work/build.txt")"
[ "$(grep -c '^compressed ' "$work/build.txt")" = 9 ] && ok "nine files compressed (eight sources and the W7 script)" ||
  fail "compressed: $(grep '^compressed ' "$work/build.txt" | tr '\n' '|')"
for f in Driver/x64/ZTUSB.SY_ Driver/x86/KitSetup.ex_ Driver/Instally.exe setup.exe autorun.inf; do
  [ -f "$work/disc/$f" ] || fail "the built medium has no $f"
done
[ -e "$work/disc/Driver/x64/ZTUSB.SYS" ] && fail "the plain driver was left on the medium"
grep -q 'label=kit' "$work/disc/autorun.inf" || fail "autorun.inf: $(tr '\r\n' '  ' <"$work/disc/autorun.inf")"
"$lzpack" -x "$work/disc/Driver/x64/ZTUSB.SY_" "$work/usb.new"; "$lzpack" -x "$medium/Driver/x64/ZTUSB.SY_" "$work/usb.old"
cmp -s "$work/usb.new" "$work/usb.old" && ok "the built driver expands to the kit's file" || fail "the built driver differs after expansion"

KITCHECK=$kitcheck python3 "$(dirname "$0")/../../tools/kit_verify" "$work/disc.iso" --device 2 --work "$work/verify" \
  >"$work/verify.txt"; rc=$?
sed 's/^/    /' "$work/verify.txt"
[ $rc = 0 ] && ok "kitcheck verify of the image: 98, XP and 7 pass" || fail "kitcheck verify of the image exit code $rc"
[ "$(grep -c '^PASS Windows' "$work/verify.txt")" = 3 ] || fail "three versions should pass"

# The planted faults: no script for XP and a source file gone on one medium; on the sound one a
# set-up tool whose log the uninstall does not remove (the kit's tool writes where the variable
# says).
bad=$work/bad
cp -r "$work/disc" "$bad"
rm -f "$bad/Driver/SetupX64.INF" "$bad/Driver/x64/TabletExt.dl_"
verify_faulty() {   # name, medium, options...: the JSON report in $work/name.json
  local name=$1 disc=$2; shift 2
  KITCHECK=$kitcheck python3 "$(dirname "$0")/../../tools/kit_verify" "$disc" --device 2 --json --work "$work/verify-$name" "$@" \
    >"$work/$name.json"; local rc=$?
  [ $rc = 1 ] && ok "kitcheck verify of the $name kit fails" || fail "kitcheck verify of the $name kit exit code $rc, want 1"
}
verify_faulty broken "$bad" --windows xp,7
KIT_PROGRAM_LOG='C:\windows\kitsetup.log' verify_faulty logging "$work/disc" --windows 7 --screens "$work/screens"
for run in install uninstall; do
  shots=$(ls "$work/screens"/7-$run-*.png 2>/dev/null | wc -l)
  [ "$shots" -gt 0 ] && ok "--screens: $shots screenshots of the interactive $run" || fail "--screens: no screenshot of the $run"
done
python3 - "$work/broken.json" "$work/logging.json" <<'PY' || failures=$((failures + 1))
import json, sys
faults = {}
for path in sys.argv[1:]:
    for v in json.load(open(path))["versions"]:
        faults.setdefault(v["windows"], []).extend(v["faults"])
wanted = [("xp", "no setup script for Windows xp"), ("7", "stops at TabletExt.dll: its source Driver\\x64\\TabletExt.dl_ is not on the medium"),
          ("7", "left over after the uninstall: added   file  drive_c/windows/kitsetup.log")]
missing = [(w, t) for w, t in wanted if not any(t in f for f in faults.get(w, []))]
for w, t in wanted:
    print("%s   %s: %s" % ("FAIL" if (w, t) in missing else "ok", w, t))
if missing:
    print("    faults:", json.dumps(faults))
sys.exit(1 if missing else 0)
PY
[ $failures = 0 ] && echo "PASS kit build and verify" || echo "$failures failure(s)"
exit $((failures > 0))
