#!/usr/bin/env bash
# Draws the program's cursors (navigator, the four gesture arrows, the
# eyedropper and the value labels' drag arrows) with
# ImageMagick. The results are committed; this runs only to change them.
set -euo pipefail
res=$(cd "$(dirname "$0")/../app/res" && pwd)
im=/usr/bin/convert

# ImageMagick writes icon files; a cursor differs in its type field and in
# the hot spot that takes the place of the planes and bit-count fields.
as_cursor() {  # file [hot-x hot-y]
  python3 - "$1" "${2:-16}" "${3:-16}" <<'PY'
import struct, sys
path = sys.argv[1]
data = bytearray(open(path, 'rb').read())
struct.pack_into('<H', data, 2, 2)
struct.pack_into('<HH', data, 10, int(sys.argv[2]), int(sys.argv[3]))
open(path, 'wb').write(data)
PY
}

$im -size 32x32 xc:none -fill white -stroke black -strokewidth 1 \
  -draw 'polygon 16,1 22,8 18,8 18,14 24,14 24,10 31,16 24,22 24,18 18,18 18,24 22,24 16,31 10,24 14,24 14,18 8,18 8,22 1,16 8,10 8,14 14,14 14,8 10,8' \
  ICO:"$res/navigator.cur"
as_cursor "$res/navigator.cur"

for pair in left:180 right:0 up:270 down:90; do
  name=${pair%%:*} angle=${pair##*:}
  $im -size 32x32 xc:none -fill white -stroke black -strokewidth 1 \
    -draw 'polygon 3,12 18,12 18,5 29,16 18,27 18,20 3,20' -rotate "$angle" \
    ICO:"$res/gesture-$name.cur"
  as_cursor "$res/gesture-$name.cur"
done

# The eyedropper picks at the tip of its tube, bottom left.
$im -size 32x32 xc:none -stroke black -strokewidth 1 \
  -fill white -draw 'polygon 1,30 3,24 17,10 21,14 7,28' \
  -fill black -draw 'polygon 15,8 22,1 25,1 30,6 30,9 23,16' \
  ICO:"$res/eyedropper.cur"
as_cursor "$res/eyedropper.cur" 1 30

$im -size 32x32 xc:none -fill white -stroke black -strokewidth 1 \
  -draw 'polygon 1,16 8,9 8,13 24,13 24,9 31,16 24,23 24,19 8,19 8,23' \
  ICO:"$res/label-drag.cur"
as_cursor "$res/label-drag.cur"
