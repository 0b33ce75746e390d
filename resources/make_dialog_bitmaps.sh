#!/bin/bash
# Makes the wizard's side picture and the component lists' state images (needs ImageMagick).
# The results are committed; run this again only to change the artwork.
set -euo pipefail
cd "$(dirname "$0")"
convert -size 110x230 gradient:'#3050a0'-'#0a1030' \
        -fill '#ffffff30' -draw 'circle 55,70 55,30' -fill '#ffffff20' -draw 'rectangle 20,150 90,160' \
        -type Palette -compress none BMP3:wizard_side.bmp
convert -size 11x11 xc:white -fill none -stroke '#404040' -draw 'rectangle 0,0 10,10' \
        -type TrueColor BMP3:state_off.bmp
convert -size 11x11 xc:white -fill none -stroke '#404040' -draw 'rectangle 0,0 10,10' \
        -stroke '#006000' -strokewidth 2 -draw 'polyline 2,5 4,8 8,2' -type TrueColor BMP3:state_on.bmp
convert -size 11x11 xc:'#c0c0c0' -fill none -stroke '#808080' -draw 'rectangle 0,0 10,10' \
        -type TrueColor BMP3:state_spare.bmp
