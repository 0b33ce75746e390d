#!/usr/bin/env bash
# The sample kit's round trip (silent install from a medium drive that is then taken out,
# uninstall through the Start-menu link, leftover audit) in a fresh prefix for each Windows
# version Wine can report, and on Windows 98 a file held open during an install over the kit,
# replaced through WinInit.Ini at the next (simulated) start of Windows. Each round trip is
# checked against the hand-written expected results and against the plan kitcheck makes.
# Usage: kit_by_windows_version.sh MEDIUM_DIR TOOLS_DIR EXPECTED_FILE BIN_DIR WORK_DIR [VERSION...]
#   BIN_DIR holds file_holder.exe, setup_script_probe.exe and kitcheck.exe; TEMPLATE_PREFIX names the clean
#   prefix; the versions default to the six below (a run of all takes about two minutes)
set -u
medium=$1 tools=$2 expected=$3 bin=$4 work=$5; shift 5
versions=${*:-win98 win2k winxp win2003 vista win7}
template=${TEMPLATE_PREFIX:?TEMPLATE_PREFIX must name a clean Wine prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
server=/usr/lib/wine/wineserver wine=/usr/lib/wine/wine64
# The inherited WINEPREFIX is the suite's shared prefix: a server this journey ends must be
# one of its own.
unset WINEPREFIX
trap '[ -n "${WINEPREFIX:-}" ] && $server -k >/dev/null 2>&1; rm -rf "$work"' EXIT
# One copy of the medium for the whole run: the build may write the shared one meanwhile.
rm -rf "$work"; mkdir -p "$work"; cp -r "$medium" "$work/medium" || exit 1; medium=$work/medium
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
ok() { echo "ok   $*"; }

# The registry reaches its files when the server ends: each run ends it.
run() { $server -p </dev/null >/dev/null 2>&1; timeout 120 $wine "$@" </dev/null >/dev/null 2>&1; local rc=$?; $server -k >/dev/null 2>&1; $server -w; return $rc; }
snap() { python3 "$tools/prefix_snapshot" snap "$WINEPREFIX" "$here/$1.json" >/dev/null; }
recorded() { $wine reg query 'HKCR\SetupExt\Zorvant Tablet' >/dev/null 2>&1; }
zpath() { printf 'Z:%s' "${1//\//\\}"; }   # any host path as Wine's Z: drive names it
windows_path() { local p=${1#"$WINEPREFIX"/drive_c/}; p=${p//\//\\}; echo "C:\\$p"; }   # host -> C:\...

nine_x() { case $1 in win95|win98|winme) return 0;; esac; return 1; }
# The 95 family has no all-users Start menu: the group is the user's own there. The desktop
# link's folder is asked of the shell by its all-users code on every version, and Wine names
# the same folder whatever version it reports.
user_programs='drive_c/users/root/AppData/Roaming/Microsoft/Windows/Start Menu/Programs'
group_written_out() {   # version: stdin -> stdout with the version's group folder written out
  if nine_x "$1"; then sed -e "s#{GROUP}#${user_programs}/Zorvant Tablet#g"; else cat; fi
}
expected_for() { group_written_out "$1" <"$expected"; }   # version -> the hand-written expected results
group_dir() {   # version -> the group's host folder
  if nine_x "$1"; then echo "$WINEPREFIX/$user_programs/Zorvant Tablet"
  else echo "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zorvant Tablet"; fi
}

# On the 95 family the installer edits an INI file by writing a new copy and renaming it to the
# name its script spells ("SYSTEM.INI"), as Windows would: the host's case-sensitive folder then
# holds the same bytes under another case of the name. Same bytes: the name is put back.
same_ini_back() {   # version, host copy of the INI file from before the install
  nine_x "$1" || return 0
  local dir="$WINEPREFIX/drive_c/windows"
  [ -e "$dir/SYSTEM.INI" ] && [ ! -e "$dir/system.ini" ] || return 0
  cmp -s "$dir/SYSTEM.INI" "$2" && mv "$dir/SYSTEM.INI" "$dir/system.ini" ||
    fail "$1: SYSTEM.INI after the uninstall differs from system.ini before: $(diff <(tr -d '\r' <"$2") <(tr -d '\r' <"$dir/SYSTEM.INI") | tr '\n' '|')"
}

fresh() {   # version: a prefix of its own reporting it
  here=$work/$1; export WINEPREFIX=$here/prefix
  rm -rf "$here"; mkdir -p "$here"; cp -a "$template" "$WINEPREFIX"
  run reg add 'HKCU\Software\Wine' /v Version /d "$1" /f
  run wineboot
}

# The version code the installer sees and where it puts an all-users group. The script it picks
# from this medium is SetupX64.W7 (stored compressed) on 98, 2000 and 7, and SetupX64.INF on
# XP, 2003 and Vista (the medium has no .WXP, .W23 or .WVT): both hold the same script, so the
# results below are the same; the choice itself is checked by the script-by-version test.
reported() {   # version -> probe fields wanted
  case $1 in win95) echo "code=200 group=user";; win98) echo "code=210 group=user";;
    winme) echo "code=290 group=user";; win2k) echo "code=500 group=common";;
    winxp) echo "code=501 group=common";; win2003) echo "code=502 group=common";;
    vista) echo "code=600 group=common";; *) echo "code=601 group=common";; esac
}
check_reported() {   # version
  local got
  got=$(timeout 60 $wine "$bin/setup_script_probe.exe" "$(zpath "$medium/Driver")" "$(zpath "$here/probe.out")" \
        </dev/null 2>/dev/null | tr -d '\r' | sed -n 's/^\(code=[0-9]*\) .* \(group=[a-z]*\)$/\1 \2/p')
  $server -k >/dev/null 2>&1; $server -w
  [ "$got" = "$(reported "$1")" ] && ok "$1: $got" || fail "$1: the installer sees '$got', want '$(reported "$1")'"
}

# The plan kitcheck makes from the medium alone, before anything is installed, in the format of
# the expected results; the Windows build of kitcheck makes it in the version's prefix.
windows_name() {   # version -> kitcheck's name for it
  case $1 in win95) echo 95;; win98) echo 98;; winme) echo me;; win2k) echo 2000;; winxp) echo xp;;
    win2003) echo 2003;; vista) echo vista;; *) echo 7;; esac
}
planned_variant() {   # version -> the script the installer takes from this medium (see reported)
  case $1 in winxp|win2003|vista) echo Driver/SetupX64.INF;; *) echo Driver/SetupX64.W7;; esac
}
plan_for() {   # version: writes $here/plan.txt
  $server -p </dev/null >/dev/null 2>&1
  timeout 60 $wine "$bin/kitcheck.exe" plan "$(zpath "$medium")" --windows "$(windows_name "$1")" --arch x64 --device 2 \
    --expected </dev/null >"$here/plan.raw" 2>"$here/plan.err"; local rc=$?
  $server -k >/dev/null 2>&1; $server -w
  tr -d '\r' <"$here/plan.raw" | group_written_out "$1" >"$here/plan.txt"
  [ $rc = 0 ] && ok "$1: kitcheck planned the install" ||
    fail "$1: kitcheck plan exit code $rc: $(tr -d '\r' <"$here/plan.err" | tr '\n' '|')"
  grep -q "; it takes $(planned_variant "$1")\.\$" "$here/plan.txt" && ok "$1: the plan takes $(planned_variant "$1")" ||
    fail "$1: the plan takes $(sed -n 's/^# The installer tries .*; it takes \(.*\)\.$/\1/p' "$here/plan.txt"), want $(planned_variant "$1")"
}

round_trip() {   # version
  local v=$1
  fresh "$v"
  check_reported "$v"
  expected_for "$v" >"$here/expected.txt"
  plan_for "$v"
  # A stand-in for the tablet's client program: it logs how it was started.
  cp "$medium/Driver/x64/TabletPanel.exe" "$WINEPREFIX/drive_c/windows/REZUVE.EXE"
  export KIT_PROGRAM_LOG="Z:$(echo "$here/programs.log" | tr / '\\')"
  export KIT_WATCHED_FILE='C:\windows\system32\drivers\ZTUSB.SYS'
  snap before
  cp "$WINEPREFIX/drive_c/windows/system.ini" "$here/system.ini.before"
  cp -r "$medium" "$here/disc"
  ln -sfn "$here/disc" "$WINEPREFIX/dosdevices/m:"
  run 'M:\Driver\Instally.exe' /NODRV /DEV:2 /S; local rc=$?
  [ $rc = 0 ] && ok "$v: installed" || fail "$v: install exit code $rc, want 0"
  snap installed
  python3 "$tools/kit_check" installed "$here/expected.txt" "$here/installed.json" Usb Panel Help >"$here/installed.txt" &&
    ok "$v: every item of the expected results is there" ||
    fail "$v: items missing after the install: $(grep MISSING "$here/installed.txt" | tr '\n' '|')"
  python3 "$tools/kit_check" installed "$here/plan.txt" "$here/installed.json" Usb Panel Help >"$here/installed-plan.txt" &&
    [ "$(grep -c '^ok ' "$here/installed-plan.txt")" -gt 0 ] &&
    ok "$v: every item of kitcheck's plan is there ($(grep -c '^ok ' "$here/installed-plan.txt") items)" ||
    fail "$v: items of the plan missing after the install: $(grep MISSING "$here/installed-plan.txt" | tr '\n' '|')"
  [ -e "$WINEPREFIX/drive_c/windows/system32/drivers/ZTSER.SYS" ] && fail "$v: the serial driver was installed"

  rm -rf "$here/disc" "$WINEPREFIX/dosdevices/m:"
  local link; link="$(group_dir "$v")/Uninstall Zorvant Tablet.LNK"
  [ -e "$link" ] || { fail "$v: no uninstall link at $link"; return; }
  timeout 120 $wine start /wait "$(windows_path "$link")" </dev/null >/dev/null 2>&1
  timeout 180 $server -w; $server -k >/dev/null 2>&1; $server -w
  recorded && fail "$v: the link did not remove the kit: its record is still there"
  $server -k >/dev/null 2>&1; $server -w
  grep -q 'REZUVE.EXE /StopClient \[watched file there\]' "$here/programs.log" 2>/dev/null ||
    fail "$v: the tablet's client was not stopped before the driver's files went"
  unset KIT_PROGRAM_LOG KIT_WATCHED_FILE
  same_ini_back "$v" "$here/system.ini.before"
  snap removed
  python3 "$tools/kit_check" removed "$here/expected.txt" "$here/before.json" "$here/removed.json" >"$here/removed.txt" &&
    ok "$v: nothing left over but what stays" ||
    fail "$v: left over after the uninstall: $(grep 'LEFT OVER' "$here/removed.txt" | tr '\n' '|')"
  python3 "$tools/kit_check" removed "$here/plan.txt" "$here/before.json" "$here/removed.json" >"$here/removed-plan.txt" &&
    ok "$v: nothing left over but what kitcheck's plan says stays" ||
    fail "$v: left over against the plan: $(grep 'LEFT OVER' "$here/removed-plan.txt" | tr '\n' '|')"
  rm -rf "$WINEPREFIX"   # about 700 MB each
}

# Windows 98: an install over the kit while another program holds one of its files; the
# new copy waits in WinInit.Ini's [Rename] section for the next start of Windows.
held_file_replaced_at_restart() {
  fresh win98
  run "$medium/Driver/Instally.exe" /NODRV /DEV:2 /S || fail "win98: first install"
  local target="$WINEPREFIX/drive_c/Program Files/Zorvant Tablet/Help/ReadMe.txt"
  printf 'stale\r\n' >"$target"
  # Kept running from here on: a cold start of the server would carry out the renames.
  $server -p </dev/null >/dev/null 2>&1
  timeout 60 $wine wineboot </dev/null >/dev/null 2>&1
  timeout 90 $wine "$bin/file_holder.exe" "$(windows_path "$target")" 60000 </dev/null >/dev/null 2>&1 &
  local holding=$! i
  for i in $(seq 100); do [ -e "$target.held" ] && break; sleep 0.2; done
  [ -e "$target.held" ] || fail "win98: the holder did not take the file"
  rm -f "$target.held"
  timeout 120 $wine "$medium/Driver/Instally.exe" /NODRV /DEV:2 /S </dev/null >/dev/null 2>&1; local rc=$?
  [ $rc = 0 ] && ok "win98: install over the kit with a file held" || fail "win98: install over it exit code $rc"
  kill $holding 2>/dev/null; wait $holding 2>/dev/null
  [ "$(tr -d '\r' <"$target")" = stale ] && ok "win98: the held file untouched before the restart" ||
    fail "win98: the held file changed before the restart"
  local ini; ini=$(find "$WINEPREFIX/drive_c/windows" -maxdepth 1 -iname wininit.ini | head -1)
  local line; line=$([ -n "$ini" ] && tr -d '\r' <"$ini" | sed -n '/^\[Rename\]/I,/^\[/p' | grep -i 'README.TXT=' | head -1)
  [ -n "$line" ] && ok "win98: WinInit.Ini [Rename] holds $line" ||
    fail "win98: no rename of the held file in WinInit.Ini: $(tr -d '\r' <"${ini:-/dev/null}" | tr '\n' '|')"
  timeout 120 $wine wineboot -r </dev/null >/dev/null 2>&1
  cmp -s "$target" "$medium/Driver/Help/ReadMe.txt" && ok "win98: the held file replaced after the restart" ||
    fail "win98: after the restart the file holds '$(head -c 60 "$target" 2>/dev/null)'"
  ini=$(find "$WINEPREFIX/drive_c/windows" -maxdepth 1 -iname wininit.ini | head -1)
  if [ -n "$line" ]; then
    [ -n "$ini" ] && tr -d '\r' <"$ini" | grep -qiF "$line" && fail "win98: the [Rename] entry is still there" ||
      ok "win98: the [Rename] entry consumed"
  fi
  local left; left=$(find "$(dirname "$target")" -maxdepth 1 -iname '*.tmp' | head -1)
  [ -z "$left" ] || fail "win98: temporary copy left: $left"
  $server -k >/dev/null 2>&1; $server -w
}

for v in $versions; do round_trip "$v"; done
case " $versions " in *" win98 "*) held_file_replaced_at_restart ;; esac
[ $failures = 0 ] && echo "PASS kit by Windows version" || echo "$failures failure(s)"
exit $((failures > 0))
