#!/bin/sh
# Lays out the sample kit's medium as samples/build_medium.sh does, with stand-ins of a few
# hundred bytes for the programs and drivers it compiles there (the checker reads names,
# sizes and compressed headers, never code), and the files the kit stores compressed packed
# with lzpack.
# Usage: sample_medium.sh LZPACK SOURCE_DIR OUTPUT_DIR
set -eu
lzpack=$1 src=$2 out=$3
kit=$src/samples/kit
rm -rf "$out"
mkdir -p "$out/Driver"
driver=$out/Driver

standin() {   # FILE: a few hundred bytes that vary with the name
  printf 'MZ stand-in for %s\n' "$(basename "$1")" >"$1"
  i=0
  while [ $i -lt 20 ]; do printf '%s %d\n' "$(basename "$1")" $i >>"$1"; i=$((i + 1)); done
}

for platform in x64 x86; do
  folder=$driver/$platform
  mkdir -p "$folder"
  for name in ZTUSB.SYS ZTSER.SYS KitSetup.exe TabletExt.dll; do
    standin "$folder/$name"
    "$lzpack" "$folder/$name"
    rm "$folder/$name"
  done
  standin "$folder/TabletPanel.exe"
  cp "$kit/ZTUSB.INF" "$kit/ZTSER.INF" "$folder/"
done

script() {   # FOLDER NAME...
  folder=$1
  shift
  for name in "$@"; do
    sed -e "s/@PLATFORM@/$folder/" -e 's/$/\r/' "$kit/setup_script.in" >"$driver/$name"
  done
}
script x64 SetupX64.W7 SetupX64.INF
script x86 SetupExt.W7 SetupExt.WNT
"$lzpack" "$driver/SetupX64.W7"
mv "$driver/SetupX64.W7_" "$driver/SetupX64.W7"

cp -r "$kit/Help" "$driver/Help"
standin "$driver/Instally.exe"
for picture in KITBK.BMP KITLOGO.BMP KITMASK.BMP; do standin "$driver/$picture"; done
standin "$out/setup.exe"
cp "$src/samples/medium/setup.inf" "$out/setup.inf"
cp -r "$src/samples/medium/art" "$out/art"
cp -r "$kit/Manuals" "$out/Manuals"
printf '[autorun]\r\nopen=setup.exe\r\nlabel=Zorvant Pen Tablet\r\n' >"$out/autorun.inf"
