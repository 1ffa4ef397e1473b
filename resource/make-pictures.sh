#!/usr/bin/env bash
# Draws the program's own pictures for dialogs and the ribbon with ImageMagick.
# The results are kept in the repository; run this only to change them.
set -euo pipefail
cd "$(dirname "$0")"

glyph() { # name, drawing primitives
  convert -size 26x20 xc:none -stroke '#404040' -strokewidth 1.6 -fill none -draw "$2" "DIALOG/$1.png"
}
glyph min     "line 8,13 18,13"
glyph max     "rectangle 8,5 18,14 line 8,6 18,6"
glyph restore "rectangle 7,8 15,15 polyline 10,8 10,5 19,5 19,12 15,12"
glyph close   "line 8,5 18,15 line 18,5 8,15"

# Ribbon image lists: one square per command, in the order of the ribbon's
# buttons, as plain coloured pictograms.
ribbon_strip() { # file, size, count
  local file=$1 size=$2 count=$3 args=() colours=(3A6EA5 4F8A3C B5542E 7A4FA0 2E8B8B C08A1E 5C5C5C 3A6EA5 4F8A3C B5542E 7A4FA0 2E8B8B C08A1E 5C5C5C 3A6EA5 4F8A3C)
  local pad=$(( size / 8 )) i
  for ((i = 0; i < count; i++)); do
    local x0=$(( i * size + pad )) x1=$(( (i + 1) * size - pad - 1 )) y1=$(( size - pad - 1 ))
    args+=(-fill "#${colours[$i]}" -draw "roundrectangle $x0,$pad $x1,$y1 3,3")
    args+=(-fill white -draw "rectangle $(( x0 + pad )),$(( size / 2 - 1 )) $(( x1 - pad )),$(( size / 2 ))")
  done
  convert -size "$(( size * count ))x$size" xc:'#C0C0C0' "${args[@]}" -type TrueColor "BMP3:$file"
}
ribbon_strip TASK_LARGE.bmp 32 16
ribbon_strip TASK_SMALL.bmp 16 16

# The picture drawn into the ribbon's first panel: a rail seen from above.
sleepers=""
for x in $(seq 10 60 470); do sleepers+="rectangle $x,22 $((x + 22)),68 "; done
convert -size 480x90 gradient:'#DDE6EF'-'#B9C8D8' \
  -fill '#6B5A48' -draw "$sleepers" \
  -fill '#8C9096' -draw 'rectangle 0,32 480,58' \
  -fill '#C9CCD0' -draw 'rectangle 0,39 480,51' png/1-01.png
