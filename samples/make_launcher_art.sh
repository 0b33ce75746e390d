#!/usr/bin/env bash
# Draws the sample medium's launcher pictures with ImageMagick: the background and,
# for each menu item, its normal, selected and pressed pictures on a white key colour.
# Usage: samples/make_launcher_art.sh   (writes samples/medium/art/)
set -euo pipefail
art="$(cd "$(dirname "$0")" && pwd)/medium/art"
mkdir -p "$art"

convert -size 520x380 gradient:'#0b2545'-'#1b6f86' \
  -fill '#ffffff22' -draw 'polygon 330,380 520,120 520,380' \
  -stroke '#e8f1f2' -strokewidth 6 -draw 'line 400,60 470,20' \
  -stroke '#f6c90e' -strokewidth 6 -draw 'line 388,68 400,60' \
  -stroke none -font DejaVu-Sans-Bold -fill '#e8f1f2' -pointsize 30 -annotate +40+70 'Pen Tablet' \
  -font DejaVu-Sans -fill '#a9d6e5' -pointsize 16 -annotate +42+98 'Driver and software' \
  -quality 90 "$art/background.jpg"

# item NAME COLOUR DRAWING: 40 by 40, white around the shape (the transparent key).
item() {
  local name=$1 colour=$2 drawing=$3
  local state fill
  for state in up sel down; do
    case $state in
      up) fill=$colour ;;
      sel) fill='#f6c90e' ;;
      down) fill='#c0392b' ;;
    esac
    convert -size 40x40 xc:white +antialias -fill "$fill" -stroke none -draw "$drawing" \
      -type TrueColor "BMP3:$art/${name}_$state.bmp"
  done
}
item install '#2ecc71' 'circle 20,20 20,3'
item manual '#5dade2' 'rectangle 8,5 32,35'
item exit '#e74c3c' 'polygon 6,10 10,6 20,16 30,6 34,10 24,20 34,30 30,34 20,24 10,34 6,30 16,20'
echo "wrote $art"
