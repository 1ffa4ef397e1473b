#!/bin/sh
# Times djpeg (libjpeg-turbo's command-line decoder) on the frame that
# bench_jpeg_decode decodes, so the two can be compared. Each djpeg run pays
# for process start-up, so a 16 x 16 frame is timed as well and subtracted.
# Usage: bench/decode-vs-djpeg.sh [frame.jpg] [runs]
set -eu
frame=${1:-${LUMETRA_RAIL_FRAMES:-/work/shared/data/rail-frames}/1456470100032.jpg}
runs=${2:-50}
for tool in djpeg cjpeg; do
  command -v "$tool" >/dev/null || { echo "$tool not found (package libjpeg-turbo-progs)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
{ printf 'P5\n16 16\n255\n'; head -c 256 /dev/zero; } > "$work/tiny.pgm"
cjpeg -grayscale -outfile "$work/tiny.jpg" "$work/tiny.pgm"

# Microseconds per djpeg run on $1.
per_run() {
  start=$(date +%s%N)
  i=0
  while [ "$i" -lt "$runs" ]; do
    djpeg -grayscale -outfile /dev/null "$1"
    i=$((i + 1))
  done
  end=$(date +%s%N)
  echo $(( (end - start) / runs / 1000 ))
}

full=$(per_run "$frame")
startup=$(per_run "$work/tiny.jpg")
echo "djpeg -grayscale $frame: $full us per run, start-up $startup us, decode about $((full - startup)) us ($runs runs)"
