#!/usr/bin/env bash
# Draws the tool bars' 16 x 16 button images with ImageMagick: one strip for
# the normal state (toolbar.bmp, bitmap 300) and one for the hot state under
# the pointer (toolbar-hot.bmp, bitmap 301). Magenta is the transparent
# colour. Light glyphs with a dark outline read on the view window's dark
# bar and on the edit window's light tool strip alike. The results are
# committed; this runs only to change them.
set -euo pipefail
res=$(cd "$(dirname "$0")/../app/res" && pwd)
im=/usr/bin/convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One draw list per image index, in the order the bars use them. Shapes
# are filled and outlined; $LINE draws what follows as a light line with a
# dark outline, $SOLID returns to filled shapes.
LINE='fill none stroke #202020 stroke-width 3 @@ fill none stroke FILL stroke-width 1 @@'
SOLID='fill FILL stroke #202020 stroke-width 1'
glyphs=(
  "polygon 1,4 6,4 7,6 14,6 14,13 1,13"                                        # 0 open
  "$LINE polyline 11,4 6,4 3,7 3,11 6,14 10,14 13,11 $SOLID polygon 6,1 6,7 2,4"  # 1 turn left
  "$LINE polyline 4,4 9,4 12,7 12,11 9,14 5,14 2,11 $SOLID polygon 9,1 9,7 13,4"   # 2 turn right
  "rectangle 1,3 14,12 polygon 4,6 7,6 4,9 polygon 11,9 8,9 11,6"              # 3 fit
  "rectangle 1,3 14,12 line 4,5 4,10 line 11,5 11,10 point 7,6 point 7,9 point 8,6 point 8,9" # 4 actual size
  "rectangle 2,3 3,12 polygon 13,3 13,12 5,7"                                  # 5 first
  "polygon 12,3 12,12 4,7"                                                     # 6 previous
  "polygon 4,3 4,12 12,7"                                                      # 7 next
  "polygon 3,3 3,12 11,7 rectangle 12,3 13,12"                                 # 8 last
  "rectangle 1,2 14,11 polygon 6,4 6,9 10,6 line 5,14 10,14"                   # 9 slideshow
  "rectangle 3,10 12,12"                                                       # 10 minimise
  "$LINE polyline 2,6 2,2 6,2 polyline 9,2 13,2 13,6 polyline 13,9 13,13 9,13 polyline 6,13 2,13 2,9" # 11 full screen
  "polygon 2,4 4,2 7,5 10,2 12,4 9,7 12,10 10,12 7,9 4,12 2,10 5,7"            # 12 close
  "rectangle 1,1 14,14 line 4,4 11,4 line 4,7 11,7 line 4,10 11,10"            # 13 file list
  "polygon 2,13 3,10 11,2 13,4 5,12"                                           # 14 edit window
  "polygon 1,1 12,1 14,3 14,14 1,14 rectangle 4,1 10,5 rectangle 4,9 11,14"    # 15 save
  "rectangle 1,2 6,13 rectangle 9,2 14,13"                                     # 16 both panes
  "rectangle 1,2 14,13 rectangle 3,4 12,11"                                    # 17 source pane
  "rectangle 1,2 14,13 line 4,5 11,10 line 4,10 11,5"                          # 18 preview pane
  "rectangle 1,1 14,14 rectangle 11,1 14,11 rectangle 1,11 11,14"              # 19 scroll bars
  "$LINE polyline 2,8 6,12 13,3"                                               # 20 apply
  "$LINE line 3,3 12,12 line 12,3 3,12"                                        # 21 cancel
  "ellipse 7,8 7,4 0,360 circle 7,8 7,6"                                       # 22 save preview
  "rectangle 1,2 14,13 rectangle 7,4 12,8"                                     # 23 navigator
  "$LINE line 2,13 8,7 $SOLID polygon 6,6 9,3 12,1 14,3 12,6 9,9"               # 24 eyedropper
)

# A line glyph is drawn twice, outline first: "A @@ B @@ C" becomes
# "A C B C", C being the shape after the second marker.
expand_lines() {  # glyph
  python3 - "$1" <<'PY'
import sys
parts = sys.argv[1].split('@@')
if len(parts) == 3:
    print(parts[0] + parts[2] + ' ' + parts[1] + parts[2])
else:
    print(sys.argv[1])
PY
}

draw_strip() {  # fill output
  local i=0 frames=() glyph
  for glyph in "${glyphs[@]}"; do
    glyph=$(expand_lines "$glyph")
    $im -size 16x16 xc:'#FF00FF' +antialias -fill "$1" -stroke '#202020' -strokewidth 1 \
      -draw "${glyph//FILL/$1}" "$work/$i.png"
    frames+=("$work/$i.png")
    i=$((i + 1))
  done
  $im "${frames[@]}" +append -type TrueColor BMP3:"$2"
}

draw_strip '#E4E4E4' "$res/toolbar.bmp"
draw_strip '#8CCBFF' "$res/toolbar-hot.bmp"
