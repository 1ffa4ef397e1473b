#!/bin/sh
# Makes the image control's pictures in this folder with ImageMagick:
#   taskbg.bmp  background of the empty control: 800 x 600, a soft vertical
#               gradient with a faint track running to the horizon
#   Move.png    pointer for moving defects: 32 x 32, a four-way arrow on a
#               transparent ground; its hotspot is the centre (16, 16)
#   AutoScroll.png  pointer while the view pages by itself: 32 x 32, a ring
#               with arrows up and down, hotspot at the centre
# Run it again after changing it; the files are kept in the repository.
set -eu
cd "$(dirname "$0")"
CONVERT=${CONVERT:-/usr/bin/convert}

# The track: two rails meeting at the horizon and sleepers whose spacing
# shrinks with the distance.
horizon=220
rails=$(awk -v h="$horizon" 'BEGIN {
    lx0 = 250; rx0 = 550; vx = 400; bottom = 600
    printf "line %d,%d %d,%d ", lx0, bottom, vx - 6, h
    printf "line %d,%d %d,%d ", rx0, bottom, vx + 6, h
    for (k = 1; k <= 24; k++) {
        t = (k / 24.0) ^ 2
        y = h + (bottom - h) * t
        half = 6 + (150 - 6) * t
        over = 4 + 26 * t
        printf "line %d,%d %d,%d ", vx - half - over, y, vx + half + over, y
    }
}')

"$CONVERT" -size 800x600 gradient:'#dbe4ee'-'#f5f8fb' \
    -fill none -stroke 'rgba(70,90,115,0.10)' -strokewidth 3 -draw "$rails" \
    -stroke 'rgba(70,90,115,0.06)' -strokewidth 1 -draw "line 0,$horizon 800,$horizon" \
    -strip -type TrueColor BMP3:taskbg.bmp

"$CONVERT" -size 32x32 xc:none \
    -fill black -stroke white -strokewidth 1 \
    -draw "polygon 16,3 21,8 18,8 18,14 24,14 24,11 29,16 24,21 24,18 18,18 18,24 21,24 16,29 11,24 14,24 14,18 8,18 8,21 3,16 8,11 8,14 14,14 14,8 11,8" \
    -strip PNG32:Move.png

"$CONVERT" -size 32x32 xc:none \
    -fill none -stroke white -strokewidth 4 -draw "circle 16,16 16,9" \
    -stroke black -strokewidth 2 -draw "circle 16,16 16,9" \
    -fill black -stroke white -strokewidth 1 \
    -draw "polygon 16,1 22,7 10,7" -draw "polygon 16,31 22,25 10,25" \
    -draw "circle 16,16 16,14" \
    -strip PNG32:AutoScroll.png
