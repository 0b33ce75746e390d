#!/usr/bin/env bash
# Builds the sample medium of the Zorvant Pen Tablet kit: the launcher and its menu at the
# root, the installer with its setup scripts, pictures and the kit's files in Driver\.
# The kit's binaries are built here from samples/src (x64 and x86) with their version
# resources; the files the kit stores compressed are LZ-compressed with mscompress and named
# the classic way (the last letter of the name becomes "_"), and the x64 Windows 7 script is
# stored compressed under its own name.
# Usage: samples/build_medium.sh BUILD_DIR OUTPUT_DIR
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 BUILD_DIR OUTPUT_DIR" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
out=$2
here=$(cd "$(dirname "$0")" && pwd)
src=$here/src
kit=$here/kit

for program in Instally setup; do
  [ -f "$build/bin/$program.exe" ] || { echo "missing $build/bin/$program.exe: build the tree first" >&2; exit 1; }
done
for tool in x86_64-w64-mingw32-gcc i686-w64-mingw32-gcc x86_64-w64-mingw32-strip mscompress convert; do
  command -v "$tool" >/dev/null || { echo "missing tool: $tool" >&2; exit 1; }
done

rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
driver=$out/Driver

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

# One folder of binaries per platform; the names ending in "_" are LZ-compressed.
platform() {
  local triple=$1 folder=$driver/$2
  mkdir -p "$folder"
  compile "$triple" drv ZTUSB.SYS "Zorvant USB tablet driver" 5.2.0.14 driver.c
  compile "$triple" drv ZTSER.SYS "Zorvant serial tablet driver" 5.2.0.9 driver.c
  compile "$triple" app KitSetup.exe "Zorvant driver set-up tool" 5.2.0.3 recorder.c
  compile "$triple" app TabletPanel.exe "Zorvant tablet control panel" 5.2.1.0 recorder.c
  compile "$triple" dll TabletExt.dll "Zorvant tablet extension" 5.2.1.0 extension.c
  local name
  for name in ZTUSB.SYS ZTSER.SYS KitSetup.exe TabletExt.dll; do
    compress "$work/$triple-$name" "$folder/${name%?}_"
  done
  cp "$work/$triple-TabletPanel.exe" "$folder/TabletPanel.exe"
  cp "$kit/ZTUSB.INF" "$kit/ZTSER.INF" "$folder/"
}

# compress FILE TARGET: FILE LZ-compressed (SZDD) into TARGET.
compress() {
  cp "$1" "$work/plain"
  rm -f "$work/plain_"
  mscompress "$work/plain"
  mv "$work/plain_" "$2"
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
# The x64 Windows 7 script is stored compressed; the installer expands it.
compress "$driver/SetupX64.W7" "$driver/SetupX64.W7"

cp -r "$kit/Help" "$driver/Help"
x86_64-w64-mingw32-strip -o "$driver/Instally.exe" "$build/bin/Instally.exe"

# The installer's background, logo and logo mask (white where the logo shows).
convert -size 320x240 gradient:'#0b2545'-'#1b6f86' -type TrueColor "BMP3:$driver/KITBK.BMP"
convert -size 64x64 xc:black -fill '#f6c90e' -draw 'circle 32,32 32,6' \
  -fill '#0b2545' -draw 'polygon 22,44 42,18 48,24 28,50' -type TrueColor "BMP3:$driver/KITLOGO.BMP"
convert -size 64x64 xc:black -fill white -draw 'circle 32,32 32,6' -type TrueColor "BMP3:$driver/KITMASK.BMP"

# The launcher at the root with its menu and art; the manuals its second item opens.
x86_64-w64-mingw32-strip -o "$out/setup.exe" "$build/bin/setup.exe"
cp "$here/medium/setup.inf" "$out/setup.inf"
cp -r "$here/medium/art" "$out/art"
cp -r "$kit/Manuals" "$out/Manuals"
printf '[autorun]\r\nopen=setup.exe\r\nlabel=Zorvant Pen Tablet\r\n' >"$out/autorun.inf"

size=$(du -sk "$out" | cut -f1)
echo "sample medium in $out (${size} KB)"
if [ "$size" -ge 2048 ]; then
  echo "the sample medium has grown past 2 MB" >&2
  exit 1
fi
