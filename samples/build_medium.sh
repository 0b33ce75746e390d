#!/usr/bin/env bash
# Builds the sample medium of the Zorvant Pen Tablet kit as a kit author would: the kit
# folder is laid out from samples/ (the kit's binaries compiled from samples/src, x64 and x86,
# with their version resources; its scripts, help, pictures, launcher menu and manuals), and
# `kitcheck build` makes the medium of it: the files the scripts name compressed written from
# their plain forms, the installer and the launcher added, the x64 Windows 7 script stored
# compressed under its own name, the whole checked.
# Usage: samples/build_medium.sh BUILD_DIR OUTPUT_DIR KITCHECK [BUILD_OPTION...]
#   KITCHECK: the build machine's; the options go to `kitcheck build` (--iso FILE, say)
set -euo pipefail

if [ $# -lt 3 ]; then
  echo "usage: $0 BUILD_DIR OUTPUT_DIR KITCHECK [BUILD_OPTION...]" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
out=$2 kitcheck=$3
shift 3
[ -x "$kitcheck" ] || { echo "missing $kitcheck: the medium is built by the build machine's kitcheck (tools/lib.sh builds it)" >&2; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)
src=$here/src
kit=$here/kit

for program in Instally setup; do
  [ -f "$build/bin/$program.exe" ] || { echo "missing $build/bin/$program.exe: build the tree first" >&2; exit 1; }
done
for tool in x86_64-w64-mingw32-gcc i686-w64-mingw32-gcc x86_64-w64-mingw32-strip convert; do
  command -v "$tool" >/dev/null || { echo "missing tool: $tool" >&2; exit 1; }
done

rm -rf "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
kitdir=$work/kit driver=$work/kit/Driver

# compile TRIPLE KIND NAME DESCRIPTION VERSION SOURCE: one binary with its version resource.
compile() {
  local triple=$1 kind=$2 name=$3 description=$4 version=$5 source=$6
  local IFS=.
  set -- $version
  local major=$1 minor=$2 patch=$3 buildno=$4
  unset IFS
  local type flags
  case $kind in
    app) type=VFT_APP; flags="-mwindows" ;;
    dll) type=VFT_DLL; flags="-shared -Wl,--kill-at" ;;
    drv) type=VFT_DRV; flags="-shared -nostdlib -Wl,--kill-at"
         case $triple in i686*) flags+=" -e _DriverEntry@12" ;; *) flags+=" -e DriverEntry" ;; esac ;;
  esac
  "$triple-windres" -DFILE_TYPE=$type -DFILE_NAME="\\\"$name\\\"" -DFILE_DESCRIPTION="\\\"$description\\\"" \
    -DVER_MAJOR="$major" -DVER_MINOR="$minor" -DVER_PATCH="$patch" -DVER_BUILD="$buildno" \
    -DVER_TEXT="\\\"$version\\\"" -i "$src/version.rc" -o "$work/$triple-$name.res.o"
  # shellcheck disable=SC2086
  "$triple-gcc" -Os -s -static $flags -o "$work/$triple-$name" "$src/$source" "$work/$triple-$name.res.o"
}

# One folder of binaries per platform, all in plain form: the build compresses what the
# scripts name compressed.
platform() {
  local triple=$1 folder=$driver/$2
  mkdir -p "$folder"
  compile "$triple" drv ZTUSB.SYS "Zorvant USB tablet driver" 5.2.0.14 driver.c
  compile "$triple" drv ZTSER.SYS "Zorvant serial tablet driver" 5.2.0.9 driver.c
  compile "$triple" app KitSetup.exe "Zorvant driver set-up tool" 5.2.0.3 recorder.c
  compile "$triple" app TabletPanel.exe "Zorvant tablet control panel" 5.2.1.0 recorder.c
  compile "$triple" dll TabletExt.dll "Zorvant tablet extension" 5.2.1.0 extension.c
  local name
  for name in ZTUSB.SYS ZTSER.SYS KitSetup.exe TabletExt.dll TabletPanel.exe; do
    cp "$work/$triple-$name" "$folder/$name"
  done
  cp "$kit/ZTUSB.INF" "$kit/ZTSER.INF" "$folder/"
}

# script FOLDER NAME...: the script for that binaries folder, CR LF, under every name.
script() {
  local folder=$1 name
  shift
  sed -e "s/@PLATFORM@/$folder/" -e 's/$/\r/' "$kit/setup_script.in" >"$work/script"
  for name in "$@"; do cp "$work/script" "$driver/$name"; done
}

mkdir -p "$driver"
platform x86_64-w64-mingw32 x64
platform i686-w64-mingw32 x86
script x64 SetupX64.W7 SetupX64.INF
script x86 SetupExt.W7 SetupExt.WNT

cp -r "$kit/Help" "$driver/Help"

# The installer's background, logo and logo mask (white where the logo shows).
convert -size 320x240 gradient:'#0b2545'-'#1b6f86' -type TrueColor "BMP3:$driver/KITBK.BMP"
convert -size 64x64 xc:black -fill '#f6c90e' -draw 'circle 32,32 32,6' \
  -fill '#0b2545' -draw 'polygon 22,44 42,18 48,24 28,50' -type TrueColor "BMP3:$driver/KITLOGO.BMP"
convert -size 64x64 xc:black -fill white -draw 'circle 32,32 32,6' -type TrueColor "BMP3:$driver/KITMASK.BMP"

# The launcher's menu and art at the root; the manuals its second item opens.
cp "$here/medium/setup.inf" "$kitdir/setup.inf"
cp -r "$here/medium/art" "$kitdir/art"
cp -r "$kit/Manuals" "$kitdir/Manuals"

# The programs as they ship: stripped.
mkdir -p "$work/programs"
for program in Instally setup; do
  x86_64-w64-mingw32-strip -o "$work/programs/$program.exe" "$build/bin/$program.exe"
done
# The x64 Windows 7 script is stored compressed; the installer expands it.
rc=0
"$kitcheck" build "$kitdir" "$out" --programs "$work/programs" --label "Zorvant Pen Tablet" \
  --store-compressed Driver/SetupX64.W7 "$@" >"$work/build.log" || rc=$?
[ $rc -eq 0 ] && [ -z "${KIT_BUILD_REPORT:-}" ] || cat "$work/build.log" >&2
[ $rc -le 1 ] || exit 1

size=$(du -sk "$out" | cut -f1)
echo "sample medium in $out (${size} KB)"
if [ "$size" -ge 2048 ]; then
  echo "the sample medium has grown past 2 MB" >&2
  exit 1
fi
