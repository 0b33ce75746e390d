#!/usr/bin/env bash
# The x86 programs' journeys with the sample kit, run inside the virtual machine (tools/vm)
# on two machines: a WoW64 prefix (64-bit Windows, the x64 kit's script) and a win32 prefix
# (32-bit Windows, the x86 kit's script). Each journey runs in a fresh copy of a clean prefix
# and ends with the leftover audit. One line per journey and machine: "lane: PASS|FAIL ...".
# Usage (in the guest, from the repository's folder): bash tests/x86/lane.sh [NAME=VALUE...] [JOURNEY...]
# where the settings (the guest has none of the host's environment) are LANE_MACHINES (the
# machines to use, "wow64 win32") and UNITS_FILTER (the unit tests' --gtest_filter).
set -u
while [[ ${1:-} == [A-Z]*=* ]]; do export "${1?}"; shift; done
repo=$(pwd)
medium=$repo/build/x86/medium tools=$repo/tools expected=$repo/samples/expected_install.txt
work=/tmp/lane
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
server=/usr/lib/wine/wineserver
source "$repo/tests/x86/prefixes.sh"
[ -f "$medium/Driver/Instally.exe" ] || { echo "lane: FAIL no x86 medium in $medium"; exit 1; }
rm -rf "$work"; mkdir -p "$work"
journeys=("$@")
[ ${#journeys[@]} -gt 0 ] || journeys=(silent link launcher win98 units)
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

# The uninstall started as the shell starts its Start-menu link, after a second install over
# the first and with the medium gone; the questions it asks are answered with Return.
journey_link() {
  local copy=$dir/medium group='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Zorvant Tablet'
  cp -a "$medium" "$copy"
  run wineboot; snap before
  run "$copy/Driver/Instally.exe" /NODRV /DEV:2 /S || fail "first install exit code $?"
  run "$copy/Driver/Instally.exe" /NODRV /DEV:2 /S || fail "second install exit code $?"
  snap installed; check_installed installed
  rm -rf "$copy"
  local link="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zorvant Tablet/Uninstall Zorvant Tablet.LNK"
  [ -f "$link" ] || fail "no uninstall link in the program group"
  on_screen start_and_answer 300 $wine start /wait "$group\\Uninstall Zorvant Tablet.LNK"
  snap removed; check_removed before removed
  query 'HKCR\SetupExt\Zorvant Tablet' >/dev/null && fail "the record is still there"
  return 0
}

# The launcher on the medium: Down chooses its first item and Return starts the installer,
# whose questions are answered with Return; no tablet is there, so only the software goes in.
journey_launcher() {
  run wineboot; snap before
  # Started in the medium's root, as the shell starts an autorun program: the launcher's
  # pictures are named relative to the current folder, and without them it shows nothing.
  cd "$medium" || return 0
  on_screen start_and_answer 400 --select setup.exe $wine "$medium/setup.exe"
  cd "$repo" || return 0
  snap installed
  python3 "$tools/kit_check" installed "$expected" "$dir/installed.json" Panel Help | grep -v '^ok' | sed 's/^/    /'
  [ "${PIPESTATUS[0]}" = 0 ] || fail "items missing after the install from the launcher"
  # Installed with its questions, so removed with them: the record's command, answered.
  # (Not in a subshell: the failures it finds must count.)
  cd "$WINEPREFIX/drive_c/windows" || return 0
  on_screen start_and_answer 300 $wine Instally.exe '/@SetupExt\Zorvant' Tablet
  cd "$repo" || return 0
  snap removed; check_removed before removed
  return 0
}

# Windows 98: the 32-bit chain takes "SetupExt.W98" before "SetupExt.WNT", and a file in use
# is replaced through WinInit.Ini's [Rename] section, carried out at the next start.
journey_win98() {
  local copy=$dir/medium
  cp -a "$medium" "$copy"
  sed 's/^DefDir=.*/DefDir=%Program Files%\\Zorvant Tablet 98\r/' "$copy/Driver/SetupExt.WNT" >"$copy/Driver/SetupExt.W98"
  run reg add 'HKCU\Software\Wine' /v Version /d win98 /f
  run wineboot; snap before
  run "$copy/Driver/Instally.exe" /NODRV /DEV:2 /S || fail "install exit code $?"
  local folder="$WINEPREFIX/drive_c/Program Files/Zorvant Tablet 98"
  [ -f "$folder/TabletPanel.exe" ] || fail "SetupExt.W98 was not the script chosen"
  # The help text, changed by the user and held open by another program while the kit is
  # installed again: the kit's copy waits for the restart.
  local target=$folder/Help/ReadMe.txt
  printf 'stale\r\n' >"$target"
  $server -p </dev/null >/dev/null 2>&1
  $wine "$repo/build/x86/bin/file_holder.exe" 'C:\Program Files\Zorvant Tablet 98\Help\ReadMe.txt' 600000 </dev/null >/dev/null 2>&1 &
  local holder=$! i
  for i in $(seq 60); do [ -f "$target.held" ] && break; sleep 2; done
  [ -f "$target.held" ] || fail "the holder did not take the file"
  rm -f "$target.held"
  timeout 300 $wine "$copy/Driver/Instally.exe" /NODRV /DEV:2 /S </dev/null >/dev/null 2>&1 || fail "second install exit code $?"
  # Ended with the server; its next cold start must not come before the rename list is read.
  stop; wait $holder 2>/dev/null
  [ "$(tr -d '\r' <"$target")" = stale ] || fail "the held file changed before the restart"
  local wininit line; wininit=$(find "$WINEPREFIX/drive_c/windows" -maxdepth 1 -iname wininit.ini | head -1)
  line=$([ -n "$wininit" ] && tr -d '\r' <"$wininit" | sed -n '/^\[Rename\]/I,/^\[/p' | grep -i 'README.TXT=' | head -1)
  if [ -z "$line" ]; then
    fail "no rename of the held file in WinInit.Ini: $(tr -d '\r' <"${wininit:-/dev/null}" | tr '\n' '|')"
  else
    echo "    wininit: $line"
    # Windows 98's start-up reads short names only; Wine makes its own short forms.
    short83 "${line%%=*}" && short83 "${line#*=}" || fail "the rename line is not in short (8.3) names"
  fi
  grep -qi DELSETUPEXT "${wininit:-/dev/null}" && fail "the placeholder line stayed"
  query 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations >/dev/null &&
    fail "Windows 98 got an NT rename list"
  run wineboot -r   # the restart that carries out the rename
  cmp -s "$target" "$medium/Driver/Help/ReadMe.txt" ||
    fail "after the restart the held file holds '$(head -c 40 "$target" | tr -d '\r\n')'"
  wininit=$(find "$WINEPREFIX/drive_c/windows" -maxdepth 1 -iname wininit.ini | head -1)
  [ -n "$line" ] && [ -n "$wininit" ] && tr -d '\r' <"$wininit" | grep -qiF "$line" && fail "the [Rename] entry is still there"
  # The start-up keeps the list it carried out as WinInit.Bak: Windows' record, not the kit's.
  local done_list; done_list=$(find "$WINEPREFIX/drive_c/windows" -maxdepth 1 -iname wininit.bak | head -1)
  [ -n "$done_list" ] && [ -n "$line" ] && tr -d '\r' <"$done_list" | grep -qiF "$line" ||
    fail "the restart did not carry out the list (no WinInit.Bak with the line)"
  rm -f "$done_list"
  # (The installed folder keeps the record's script copy, "ST~*.tmp", until the uninstall.)
  local left; left=$(find "$(dirname "$target")" -maxdepth 1 -iname '*.tmp' | head -1)
  [ -z "$left" ] || fail "temporary copy left after the restart: ${left#"$WINEPREFIX/"}"
  uninstall_as_recorded
  snap removed; check_removed before removed
  return 0
}

# Whether a Windows path is in 8.3 form: every part at most eight letters and a type of three.
short83() {
  local part IFS='\\'
  for part in ${1#?:}; do
    [ -z "$part" ] || [[ $part =~ ^[^.\ ]{1,8}(\.[^.\ ]{1,3})?$ ]] || return 1
  done
}

# The x86 unit tests that need no display (the classic dialogs and the screens need one).
# They run from a copy of the programs' folder: the repository is read-only in the machine,
# and some tests place programs beside their stand-in libraries there.
# A failing test's whole output (its assertion lines) is printed under "units-log:" and kept
# in /vmcache/units, which the host keeps as build/vm/cache/units.
journey_units() {
  run wineboot
  local t log=$dir/units.txt keep=/vmcache/units bin=$dir/bin
  mkdir -p "$keep" 2>/dev/null || keep=
  cp -a "$repo/build/x86/bin" "$bin" || { fail "cannot copy the test programs"; return 0; }
  for t in instally_tests launcher_tests; do
    $server -p </dev/null >/dev/null 2>&1
    (cd "$dir" && timeout 900 $wine "$bin/$t.exe" --gtest_brief=1 \
       --gtest_filter="${UNITS_FILTER:--*Screen*:*Dialog*:*Wizard*:*Ui*}" </dev/null >"$log" 2>&1)
    local rc=$?; stop
    tr -d '\r' <"$log" | grep -E '^\[  (FAILED|PASSED|SKIPPED) |test suites? ran' | sed "s/^/    $t: /"
    [ -n "$keep" ] && tr -d '\r' <"$log" >"$keep/$t.txt"
    [ $rc = 0 ] || { tr -d '\r' <"$log" | sed "s/^/units-log: $t: /"; fail "$t exit code $rc"; }
  done
  return 0
}

# With a virtual display and Wine's X11 driver: runs the given function and arguments.
on_screen() {
  Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  local xvfb=$!
  run reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f
  DISPLAY=":$display" "$@"
  kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null
  run reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f
}

# Whether a process of this machine's prefix runs whose command line holds the text, in any
# case (the machine's busybox has no pgrep, Wine shows a program's Windows path as its command
# line, and the other machine's programs run beside these).
running() {
  local f args want=${1,,} pid
  for f in /proc/[0-9]*/cmdline; do
    { mapfile -d '' args <"$f"; } 2>/dev/null || continue
    [[ ${args[*],,} == *"$want"* ]] || continue
    pid=${f%/cmdline}
    tr '\0' '\n' <"$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}

# Starts a program and presses Return every few seconds, as a hurried user would, until the
# prefix's programs have ended (the launcher is ended once the installer it started has).
# With --select, the menu of the window class named has no item chosen when it opens: Down
# chooses the first, once, when the window is up.
start_and_answer() {   # limit in seconds, [--select WINDOW_CLASS], then the command
  local limit=$1 t=0 seen=0 menu=""; shift
  if [ "$1" = --select ]; then menu=$2; shift 2; fi
  "$@" </dev/null >/dev/null 2>&1 &
  local started=$!
  while [ $t -lt "$limit" ]; do
    sleep 6; t=$((t + 6))
    running Instally.exe && seen=1
    running .exe || break
    if [ $seen = 1 ] && ! running Instally.exe; then break; fi
    if [ -n "$menu" ]; then
      xdotool search --onlyvisible --classname "$menu" >/dev/null 2>&1 || continue
      xdotool key Down 2>/dev/null; menu=""; sleep 1
    fi
    xdotool key Return 2>/dev/null
  done
  [ $t -lt "$limit" ] || fail "the programs were still running after $limit s"
  [ $seen = 1 ] || fail "the installer never started"
  # Whatever still runs (a launcher waiting for its next item) ends with the server.
  stop
  wait $started 2>/dev/null
}

describe() {
  case $1 in
    silent) echo "silent install and uninstall" ;;
    link) echo "second install, medium gone, uninstall through the Start-menu link" ;;
    launcher) echo "launcher: Down and Return choose the install item, questions answered" ;;
    win98) echo "Windows 98: SetupExt.W98, a held file replaced through WinInit.Ini at the restart" ;;
    units) echo "x86 unit tests without a display" ;;
    *) echo "$1" ;;
  esac
}

# The machines a journey runs on: Windows 98 is a 32-bit Windows, the unit tests run once
# (on WoW64); a machine's prefix is made only when one of its journeys runs.
machines_of() {   # journey
  local m
  for m in ${LANE_MACHINES:-wow64 win32}; do
    case $1-$m in win98-wow64 | units-win32) ;; *) echo "$m" ;; esac
  done
}

# One machine's journeys in order. Each journey's lines are printed together when it ends,
# as the two machines run side by side (the guest has two processors), each on its own display.
machine_journeys() {   # machine, display number
  local machine=$1 journey failed=0
  display=$2
  for journey in "${journeys[@]}"; do
    machines_of "$journey" | grep -qx "$machine" || continue
    use_machine "$machine"
    dir=$work/$journey-$machine
    export WINEPREFIX=$dir/prefix
    {
      mkdir -p "$dir"; cp -a "$(template_of "$machine")" "$WINEPREFIX"
      failures=0 started=$SECONDS
      echo "== $journey on $machine"
      "journey_$journey"
      stop; rm -rf "$dir"
      result=PASS; [ $failures = 0 ] || { result=FAIL; failed=$((failed + 1)); }
      printf 'lane: %s %-6s %s (%ds)\n' "$result" "$machine" "$(describe "$journey")" $((SECONDS - started))
    } >"$dir.out" 2>&1
    flock "$work/print.lock" cat "$dir.out"; rm -f "$dir.out"
  done
  return $((failed > 0))
}

display=7 pids=()
for machine in ${LANE_MACHINES:-wow64 win32}; do
  machine_journeys "$machine" "$display" &
  pids+=($!); display=$((display + 1))
done
for pid in "${pids[@]}"; do wait "$pid" || lane_failures=$((lane_failures + 1)); done
exit $((lane_failures > 0))
