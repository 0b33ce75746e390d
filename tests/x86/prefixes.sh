# The lane's two clean machines, made once per guest boot, or unpacked from the cache that
# tools/vm keeps between runs (making one takes a minute or more under the emulator).
# shellcheck shell=bash
templates=/tmp/templates
cache=/vmcache

use_machine() {   # wow64 or win32: sets the loader the machine's programs are started with
  case $1 in
    wow64) wine=/usr/lib/wine/wine64; unset WINEARCH ;;
    win32) wine=/usr/lib/wine/wine; export WINEARCH=win32 ;;
  esac
}

template_of() {   # machine: the clean prefix's folder, made or unpacked when missing
  local t=$templates/$1
  [ -f "$t/.ready" ] && { echo "$t"; return; }
  local key; key="$1-$(/usr/lib/wine/wine64 --version 2>/dev/null | tr -c 'A-Za-z0-9.\n' _)"
  rm -rf "$t"; mkdir -p "$t"
  if [ -f "$cache/prefix-$key.tar" ] && tar -C "$t" -xf "$cache/prefix-$key.tar" 2>/dev/null && [ -f "$t/.ready" ]; then
    echo "$t"; return
  fi
  rm -rf "$t"; mkdir -p "$t"
  make_prefix "$1" "$t" >&2
  [ -d "$cache" ] && [ -w "$cache" ] && tar -C "$t" -cf "$cache/prefix-$key.tar.new" . 2>/dev/null &&
    mv "$cache/prefix-$key.tar.new" "$cache/prefix-$key.tar"
  echo "$t"
}

make_prefix() {   # machine, folder
  local started=$SECONDS
  use_machine "$1"
  WINEPREFIX=$2 $wine wineboot -i </dev/null >/dev/null 2>&1
  WINEPREFIX=$2 $server -w
  # Null graphics driver: windows and dialogs work without a display.
  WINEPREFIX=$2 $wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
  WINEPREFIX=$2 $server -w
  local d
  for d in "$2"/drive_c/users/*/{Desktop,Documents,Downloads,Music,Pictures,Videos}; do
    if [ -L "$d" ]; then rm -f "$d"; mkdir -p "$d"; fi
  done
  touch "$2/.ready"
  echo "made the $1 machine in $((SECONDS - started)) s"
}
