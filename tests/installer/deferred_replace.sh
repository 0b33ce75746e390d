#!/usr/bin/env bash
# Deferred replacement across a simulated restart, on a Windows NT prefix (the pending-rename
# list) and on a Windows 98 prefix ("WinInit.Ini"). Each family gets its own copy of the clean
# prefix, a probe that schedules two replacements and one deletion, and "wineboot -r".
# Usage: deferred_replace.sh PROBE.exe WORK_DIR   (TEMPLATE_PREFIX names the clean prefix)
set -u
probe=$1 work=$2
template=${TEMPLATE_PREFIX:?TEMPLATE_PREFIX must name a clean Wine prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine=/usr/lib/wine/wine64 server=/usr/lib/wine/wineserver
failures=0
prefix=
# The servers are kept running during a run: end the last one whatever happens.
trap '[ -n "$prefix" ] && WINEPREFIX=$prefix "$server" -k >/dev/null 2>&1' EXIT
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
ok() { echo "ok   $*"; }
expect_bytes() {   # host file, wanted text, what
  local got; got=$(cat "$1" 2>/dev/null || echo '<missing>')
  if [ "$got" = "$2" ]; then ok "$3"; else fail "$3: got '$got', want '$2'"; fi
}
host_path() { local p=${1#C:\\}; echo "$prefix/drive_c/${p//\\//}"; }   # C:\a\b -> prefix/drive_c/a/b
value() { grep "^$1=" "$work/probe.out" | head -1 | cut -d= -f2- | tr -d '\r'; }

run_family() {   # name, Windows version or "", expected code
  # Ends the previous family's server only: the inherited WINEPREFIX is the suite's shared
  # prefix, whose server a unit test may be using at this moment.
  [ -n "$prefix" ] && WINEPREFIX=$prefix "$server" -k >/dev/null 2>&1
  prefix="$work/$1"
  rm -rf "$prefix"; mkdir -p "$work"; cp -a "$template" "$prefix"
  export WINEPREFIX=$prefix
  "$server" -p </dev/null >/dev/null 2>&1   # kept running: a cold start would carry out the renames
  if [ -n "$2" ]; then
    timeout 60 "$wine" reg add 'HKCU\Software\Wine' /v Version /d "$2" /f </dev/null >/dev/null 2>&1
  fi
  # The session's start-up has run by now; what is written below waits for the restart.
  timeout 60 "$wine" wineboot </dev/null >/dev/null 2>&1
  mkdir -p "$prefix/drive_c/windows"
  printf '[Other]\r\nkeep=this line\r\n[Rename]\r\nNUL=C:\\OLDJUNK.TMP\r\nC:\\MOVED.DLL=C:\\MOVING.DLL\r\n' \
    >"$prefix/drive_c/windows/wininit.ini"
  printf 'junk' >"$prefix/drive_c/OLDJUNK.TMP"; printf 'moving' >"$prefix/drive_c/MOVING.DLL"
  timeout 120 "$wine" "$probe" 'C:\deferred replace' </dev/null >"$work/probe.out" 2>/dev/null
  local rc=$?
  [ "$rc" = 0 ] && ok "$1: probe scheduled three files" || fail "$1: probe exit $rc: $(cat "$work/probe.out")"
  [ "$(value code)" = "$3" ] && ok "$1: version code $3" || fail "$1: version code $(value code), want $3"
  local dir="$prefix/drive_c/deferred replace"
  expect_bytes "$dir/first new driver.dll" "old 1" "$1: destination untouched before the restart"
}

after_restart() {   # name
  timeout 120 "$wine" wineboot -r </dev/null >/dev/null 2>&1
  local dir="$prefix/drive_c/deferred replace"
  expect_bytes "$dir/first new driver.dll" "new 1" "$1: first destination holds the new bytes"
  expect_bytes "$dir/second new driver.dll" "new 2" "$1: second destination holds the new bytes"
  local t
  for t in temp1 temp2 temp3; do
    [ -e "$(host_path "$(value $t)")" ] && fail "$1: $t still there" || ok "$1: $t gone"
  done
}

# NT family: the pending-rename list; the Windows directory is not touched.
run_family nt "" 601
expect_bytes "$prefix/drive_c/windows/wininit.ini" "$(printf '[Other]\r\nkeep=this line\r\n[Rename]\r\nNUL=C:\\OLDJUNK.TMP\r\nC:\\MOVED.DLL=C:\\MOVING.DLL\r\n')" \
  "nt: WinInit.Ini not touched"
after_restart nt
"$server" -k >/dev/null 2>&1
rm -rf "$prefix"

# Windows 98: the rename list in WinInit.Ini, written through the placeholder, in short names.
run_family win98 win98 210
ini=$(ls "$prefix/drive_c/windows" | grep -i '^wininit\.ini$' | head -1)
want=$(printf '[Other]\r\nkeep=this line\r\n[Rename]\r\nNUL=C:\\OLDJUNK.TMP\r\nC:\\MOVED.DLL=C:\\MOVING.DLL\r\n%s\r\n%s\r\n%s\r\n' \
       "$(value line1)" "$(value line2)" "$(value line3)")
expect_bytes "$prefix/drive_c/windows/$ini" "$want" "win98: WinInit.Ini holds the other lines and three new ones"
case "$(value line1)" in *' '*|'') fail "win98: destination not in its short form: $(value line1)";; *) ok "win98: short names";; esac
ls "$prefix/drive_c/windows" | grep -qi '^wininit\.tmp$' && fail "win98: scratch copy left" || ok "win98: no scratch copy left"
after_restart win98
[ -e "$prefix/drive_c/OLDJUNK.TMP" ] && fail "win98: other program's deletion not done" || ok "win98: other program's deletion done"
expect_bytes "$prefix/drive_c/MOVED.DLL" "moving" "win98: other program's rename done"
"$server" -k >/dev/null 2>&1
rm -rf "$prefix"
exit $failures
