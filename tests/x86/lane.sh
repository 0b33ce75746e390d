#!/usr/bin/env bash
# The x86 programs' journeys with the sample kit, run inside the virtual machine (tools/vm)
# on two machines: a WoW64 prefix (64-bit Windows, the x64 kit's script) and a win32 prefix
# (32-bit Windows, the x86 kit's script). Each journey runs in a fresh copy of a clean prefix
# and ends with the leftover audit. One line per journey and machine: "lane: PASS|FAIL ...".
# Usage (in the guest, from the repository's folder): bash tests/x86/lane.sh [JOURNEY...]
set -u
repo=$(pwd)
medium=$repo/build/x86/medium tools=$repo/tools expected=$repo/samples/expected_install.txt
work=/tmp/lane
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
server=/usr/lib/wine/wineserver
source "$repo/tests/x86/prefixes.sh"
[ -f "$medium/Driver/Instally.exe" ] || { echo "lane: FAIL no x86 medium in $medium"; exit 1; }
rm -rf "$work"; mkdir -p "$work"
journeys=("$@")
[ ${#journeys[@]} -gt 0 ] || journeys=(silent)
lane_failures=0

# --- one journey on one machine -------------------------------------------------------------
failures=0
fail() { echo "    FAIL $*"; failures=$((failures + 1)); }
# The registry reaches its files when the server ends: each run ends it.
run() { $server -p </dev/null >/dev/null 2>&1; timeout 300 $wine "$@" </dev/null >/dev/null 2>&1; local rc=$?; stop; return $rc; }
stop() { $server -k >/dev/null 2>&1; $server -w; }
snap() { python3 "$tools/prefix_snapshot" snap "$WINEPREFIX" "$dir/$1.json" >/dev/null; }
check_installed() { python3 "$tools/kit_check" installed "$expected" "$dir/$1.json" Usb Panel Help | grep -v '^ok' | sed 's/^/    /'; [ "${PIPESTATUS[0]}" = 0 ] || fail "items missing after the install"; }
check_removed() { python3 "$tools/kit_check" removed "$expected" "$dir/$1.json" "$dir/$2.json" | grep -E 'LEFT OVER|MISSING' | sed 's/^/    /'; [ "${PIPESTATUS[0]}" = 0 ] || fail "left over after the uninstall"; }
# In the WoW64 machine $wine is the 64-bit loader, so reg.exe reads the 64-bit view.
query() { $server -p </dev/null >/dev/null 2>&1; $wine reg query "$@" </dev/null 2>/dev/null | tr -d '\r'; local rc=${PIPESTATUS[0]}; stop; return $rc; }
install_silently() { run "$medium/Driver/Instally.exe" /NODRV /DEV:2 /S || fail "install exit code $?, want 0"; }
uninstall_as_recorded() { (cd "$WINEPREFIX/drive_c/windows" && run Instally.exe '/@SetupExt\Zorvant' Tablet) || fail "uninstall exit code $?, want 0"; }

# On 64-bit Windows the x64 kit's values are where a 64-bit program reads them, not in the
# 32-bit view, and its folder is the 64-bit "Program Files".
check_64bit_view() {
  [ "$machine" = wow64 ] || return 0
  query 'HKLM\Software\Zorvant\Tablet' /v Driver | grep -qi 'C:\\windows\\system32\\drivers\\ZTUSB.SYS' ||
    fail "a 64-bit reader does not find HKLM\\Software\\Zorvant\\Tablet Driver"
  query 'HKLM\Software\Wow6432Node\Zorvant' >/dev/null && fail "the kit's values went to the 32-bit view (Wow6432Node)"
  [ -e "$WINEPREFIX/drive_c/Program Files (x86)/Zorvant Tablet" ] && fail "the kit went to Program Files (x86)"
  return 0
}

journey_silent() {
  run wineboot; snap before
  install_silently; snap installed
  check_installed installed
  check_64bit_view
  uninstall_as_recorded; snap removed
  check_removed before removed
  query 'HKCR\SetupExt\Zorvant Tablet' >/dev/null && fail "the record is still there"
  return 0
}

describe() {
  case $1 in
    silent) echo "silent install and uninstall" ;;
    *) echo "$1" ;;
  esac
}

for journey in "${journeys[@]}"; do
  for machine in wow64 win32; do
    use_machine "$machine"
    dir=$work/$journey-$machine
    export WINEPREFIX=$dir/prefix
    mkdir -p "$dir"; cp -a "$(template_of "$machine")" "$WINEPREFIX"
    failures=0 started=$SECONDS
    echo "== $journey on $machine"
    "journey_$journey"
    stop; rm -rf "$dir"
    result=PASS; [ $failures = 0 ] || { result=FAIL; lane_failures=$((lane_failures + 1)); }
    printf 'lane: %s %-6s %s (%ds)\n' "$result" "$machine" "$(describe "$journey")" $((SECONDS - started))
  done
done
exit $((lane_failures > 0))
