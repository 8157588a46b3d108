#!/usr/bin/env bash
# ovirac run as a user runs it, on BMP, PNG, JPEG, GIF and TIFF files ImageMagick draws
# here in a private folder: what it reports, whether the pixels it writes are the
# ones ImageMagick decodes from the same files, and whether the comments it
# stores are the ones ImageMagick reads. Usage: ovirac_test.sh OVIRAC CASE,
# where CASE is info, convert_own_depth, convert_reduced, malformed,
# png_read, comment_edit, comment_interop, comment_refused, comment_jpeg,
# convert_png, png_options, convert_gif, gif_options, jpeg_options,
# jpeg_read, jpeg_info,
# jpeg_orientations, gif_read, gif_frames, convert_tiff, tiff_read, turn,
# adjust, zip_archive (which also needs /usr/bin/zip), exif_texts (which also needs
# /usr/bin/exiftool and /usr/bin/zip) or transform (which also needs
# /usr/bin/jpegtran): a case_ function below.
# Exits 0 when every check passes, 77 when ImageMagick is missing.
set -uo pipefail

ovirac=$1
case_name=$2
convert=/usr/bin/convert
compare=/usr/bin/compare
identify=/usr/bin/identify
for tool in "$convert" "$compare" "$identify"; do
  [ -x "$tool" ] || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/ovirac-test-XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# ImageMagick's own picture, so every row, and the padding of odd widths,
# holds something to get wrong. Palette files keep fewer colours than their
# depth holds, so ImageMagick writes them at the depth asked for.
make_bmp() {  # depth, file
  local options=()
  case $1 in
    8) options=(-colors 200 -type Palette -compress none) ;;
    4) options=(-colors 16 -type Palette -compress none) ;;
    2) options=(-colors 4 -type Palette -compress none) ;;
    1) options=(-type bilevel -compress none) ;;
  esac
  "$convert" -seed 7 -size 37x23 plasma: "${options[@]}" "BMP3:$2" ||
    fail "ImageMagick could not make a $1-bit BMP"
}

# Runs ovirac; its exit status lands in $status, its output in $work/out and
# $work/err. A sanitizer report is a failure whatever the exit status says,
# and then run returns 1.
run() {
  "$ovirac" "$@" >"$work/out" 2>"$work/err"
  status=$?
  if grep -qE 'runtime error|Sanitizer' "$work/err"; then
    fail "ovirac $* misbehaved:"
    grep -E 'runtime error|ERROR|SUMMARY|^    #[0-9] ' "$work/err" | head -n 8 | sed 's/^/  /'
    return 1
  fi
}

succeeds() {  # ovirac arguments...
  run "$@" || return 1
  if [ "$status" -ne 0 ] || [ -s "$work/err" ]; then
    fail "ovirac $* exited $status: $(head -n 3 "$work/err")"
    return 1
  fi
}

# Pixels differing between two files as ImageMagick decodes them.
differing_pixels() {  # file, file
  "$compare" -metric AE "$1" "$2" null: 2>&1
}

same_pixels() {  # what, file, file
  local differing
  differing=$(differing_pixels "$2" "$3")
  [ "$differing" = 0 ] || fail "$1: $differing pixels differ between $(basename "$2") and $(basename "$3")"
}

has_line() {  # what, expected line
  grep -qxF "$2" "$work/out" || fail "$1: no line '$2' in: $(tr '\n' '|' <"$work/out")"
}

case_info() {
  local depth stored
  for depth in 24 8 4 1; do
    make_bmp "$depth" "$work/in$depth.bmp"
    succeeds info "$work/in$depth.bmp" || continue
    stored=$([ "$depth" = 24 ] && echo 24 || echo 8)
    has_line "info $depth" "format: 1 BMP"
    has_line "info $depth" "status: 50000 no error"
    has_line "info $depth" "width: 37"
    has_line "info $depth" "height: 23"
    has_line "info $depth" "bits per pixel: $stored"
    has_line "info $depth" "source bits per pixel: $depth"
  done
}

# Kept at its own depth, as a pixel map and as a BMP, the image is the one
# ImageMagick reads from the input.
case_convert_own_depth() {
  local depth in
  for depth in 24 8 4 1; do
    in="$work/in$depth.bmp"
    make_bmp "$depth" "$in"
    succeeds convert "$in" "$work/own$depth.ppm" && same_pixels "$depth-bit to PPM" "$in" "$work/own$depth.ppm"
    succeeds convert "$in" "$work/own$depth.bmp" && same_pixels "$depth-bit to BMP" "$in" "$work/own$depth.bmp"
    succeeds convert "$in" "$work/own$depth.out" --ppm &&
      same_pixels "$depth-bit with --ppm" "$in" "ppm:$work/own$depth.out"
  done
}

# A BMP written at a lower depth holds, as ImageMagick decodes it, exactly
# the pixels ovirac shows for that depth, and it is stored at that depth.
case_convert_reduced() {
  local source depth dither name
  for source in 24 8; do
    make_bmp "$source" "$work/in$source.bmp"
    for depth in 8 4 1; do
      [ "$depth" -lt "$source" ] || continue
      for dither in "" --dither; do
        name="$work/from${source}_to$depth${dither/--/_}"
        succeeds convert "$work/in$source.bmp" "$name.bmp" --depth "$depth" $dither || continue
        succeeds convert "$work/in$source.bmp" "$name.ppm" --depth "$depth" $dither || continue
        same_pixels "$source-bit at $depth bits $dither" "$name.bmp" "$name.ppm"
        succeeds info "$name.bmp" && has_line "$source-bit at $depth bits" "source bits per pixel: $depth"
      done
    done
  done
}

# Damaged files are refused with the reason's status, one clear message and
# exit status 1, and nothing is written.
refused() {  # what, file, status code
  local out="$work/refused.ppm"
  rm -f "$out"
  run convert "$2" "$out" || return
  [ "$status" -eq 1 ] || fail "$1: convert exited $status, not 1"
  [ "$(wc -l <"$work/err")" -eq 1 ] && grep -qE "^ovirac: cannot read '.*': $3 " "$work/err" ||
    fail "$1: convert said: $(head -n 3 "$work/err")"
  [ ! -e "$out" ] || fail "$1: convert wrote an output file"
  run info "$2" || return
  [ "$status" -eq 1 ] || fail "$1: info exited $status, not 1"
  grep -qE "^status: $3 " "$work/out" || fail "$1: info said: $(tr '\n' '|' <"$work/out")"
}

# Little-endian bytes for printf.
le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }

# Headers claiming width x height at depth bits, then 64 bytes of pixels.
claiming_bmp() {  # width, height, bits, file
  printf "BM$(le32 118)$(le32 0)$(le32 54)$(le32 40)$(le32 "$1")$(le32 "$2")\\x01\\x00$(printf '\\x%02x' "$3")\\x00" >"$4"
  head -c 24 /dev/zero >>"$4"
  head -c 64 /dev/zero | tr '\0' '\125' >>"$4"
}

case_malformed() {
  make_bmp 24 "$work/good.bmp"
  local size
  size=$(stat -c %s "$work/good.bmp")
  head -c $((size - 100)) "$work/good.bmp" >"$work/truncated.bmp"
  refused "a file missing its last rows" "$work/truncated.bmp" 50004
  head -c 30 "$work/good.bmp" >"$work/short.bmp"
  refused "a file shorter than its headers" "$work/short.bmp" 50004
  claiming_bmp 30000 30000 24 "$work/huge.bmp"
  refused "headers claiming 30000 x 30000 pixels" "$work/huge.bmp" 50004
  claiming_bmp 4 -4 24 "$work/top_down.bmp"
  refused "a top-down file" "$work/top_down.bmp" 50002
  claiming_bmp 4 4 7 "$work/odd_depth.bmp"
  refused "a depth of 7 bits" "$work/odd_depth.bmp" 50002
}

# What the PNG reader reports and the reading options change, checked on
# files ImageMagick writes: its pixels, blended here with the same rule.
# The pixel at x,y of what convert makes of the input, as ImageMagick reads it.
expect_converted_pixel() {  # what, input, x,y, expected rgb, ovirac options...
  local what=$1 input=$2 at=$3 expected=$4
  shift 4
  succeeds convert "$input" "$work/read.ppm" "$@" || return
  local got
  got=$("$convert" "$work/read.ppm" -format "%[pixel:p{$at}]" info:)
  [ "$got" = "$expected" ] || fail "$what: pixel $got, not $expected"
}

case_png_read() {
  local png="$work/alpha.png"
  "$convert" -size 6x4 xc:'#204080' -alpha set -channel A -evaluate set 25% +channel \
    -background '#FF0000' -define png:include-chunk=bKGD -interlace PNG -set comment hello \
    "PNG32:$png" || fail "ImageMagick could not make a PNG"
  succeeds info "$png" || return
  has_line "png info" "format: 2 PNG"
  has_line "png info" "interlaced: 1"
  has_line "png info" "transparency: 1"
  # ImageMagick names its text "comment"; only the keyword "Comment" is one.
  has_line "png info" "comments: 0"
  grep -qE '^text chunks: [1-9]' "$work/out" || fail "png info counts no text chunks"
  # Alpha 64 of 255 over the file's red background, white, or not at all.
  expect_pixel() {  # what, expected rgb, ovirac options...
    local what=$1 expected=$2
    shift 2
    expect_converted_pixel "$what" "$png" 0,0 "$expected" "$@"
  }
  local a=64 blend
  blend() { echo $(( (a * $1 + 127) / 255 + ((255 - a) * $2 + 127) / 255 )); }
  expect_pixel "the file's background" "srgb($(blend 32 255),$(blend 64 0),$(blend 128 0))" --no-gamma
  expect_pixel "--no-file-background" "srgb($(blend 32 255),$(blend 64 255),$(blend 128 255))" \
    --no-gamma --no-file-background
  expect_pixel "--background" "srgb($(blend 32 0),$(blend 64 255),$(blend 128 0))" \
    --no-gamma --no-file-background --background 00FF00
  expect_pixel "--no-composite" "srgb(32,64,128)" --no-gamma --no-composite
  # ImageMagick's gAMA of 1/2.2 meets a display gamma of 1.0: v^(1/0.45455).
  expect_pixel "--display-gamma" "srgb(3,12,56)" --no-composite --display-gamma 1000
  run info "$png" --display-gamma
  [ "$status" -eq 2 ] || fail "--display-gamma without a value exited $status, not 2"
  run info "$png" --background 12345
  [ "$status" -eq 2 ] || fail "a five-digit --background exited $status, not 2"

  # A broken header checksum is refused with its status.
  cp "$png" "$work/bad_crc.png"
  printf '\x00\x00\x00\x00' | dd of="$work/bad_crc.png" bs=1 seek=29 conv=notrunc status=none
  refused "a PNG whose header checksum is wrong" "$work/bad_crc.png" 50011
  head -c 60 "$png" >"$work/cut.png"
  refused "a PNG cut inside its chunks" "$work/cut.png" 50007
}

# --- comments -------------------------------------------------------------

make_png() {  # file, ImageMagick options...
  local file=$1; shift
  "$convert" -seed 7 -size 37x23 plasma: "$@" "$file" || fail "ImageMagick could not make $(basename "$file")"
}

# What `ovirac comment` prints, as a shell string (the last newline dropped).
shown_comment() {  # file
  succeeds comment "$1" && cat "$work/out"
}

comment_is() {  # what, file, expected text as printed
  local shown
  shown=$(shown_comment "$2") || return
  [ "$shown" = "$3" ] || fail "$1: comment reads '$shown', not '$3'"
}

no_staged_file() {  # what
  [ -z "$(find "$work" -name '*.ovirac-new')" ] || fail "$1: a half-made file was left behind"
}

# Set, change and remove: each step shows the new text, keeps the pixels, and
# the chunk counts move with it.
case_comment_edit() {
  local png="$work/edit.png"
  make_png "$work/original.png"
  cp "$work/original.png" "$png"
  local texts
  comment_is "a new file" "$png" ""
  [ ! -s "$work/out" ] || fail "a file without a comment prints nothing: $(head -c 80 "$work/out")"
  succeeds info "$png" && has_line "a new file" "comments: 0"
  texts=$(sed -n 's/^text chunks: //p' "$work/out")
  succeeds comment "$png" --set "first comment" && comment_is "after --set" "$png" "first comment"
  succeeds info "$png" && has_line "after --set" "comments: 1" &&
    has_line "after --set" "text chunks: $((texts + 1))"
  same_pixels "after --set" "$work/original.png" "$png"
  succeeds comment "$png" --set $'second\nin two lines' && comment_is "after a change" "$png" $'second\r\nin two lines'
  succeeds info "$png" && has_line "after a change" "comments: 1"
  succeeds comment "$png" --remove && comment_is "after --remove" "$png" ""
  succeeds info "$png" && has_line "after --remove" "comments: 0" && has_line "after --remove" "text chunks: $texts"
  same_pixels "after --remove" "$work/original.png" "$png"
  cmp -s "$work/original.png" "$png" || fail "setting and removing a comment does not give the file back byte for byte"
  succeeds comment "$png" --remove && cmp -s "$work/original.png" "$png" ||
    fail "removing a comment that is not there changes the file"
  no_staged_file "editing"
}

# ImageMagick's "Comment" text chunk is the one the viewer shows, and the one
# ovirac writes is the comment ImageMagick reports.
case_comment_interop() {
  local png="$work/interop.png" reported
  make_png "$png" -set Comment "drawn by ImageMagick"
  comment_is "ImageMagick's comment" "$png" "drawn by ImageMagick"
  succeeds comment "$png" --set "replaced by ovirac" || return
  reported=$("$identify" -format %c "$png")
  [ "$reported" = "replaced by ovirac" ] || fail "ImageMagick reports '$reported' after --set"
  make_png "$work/plain.png"
  cp "$work/plain.png" "$work/plain-before.png"
  succeeds comment "$work/plain.png" --set $'added\nby ovirac' || return
  reported=$("$identify" -format %c "$work/plain.png")
  [ "$reported" = $'added\nby ovirac' ] || fail "ImageMagick reports '$reported' for an added comment"
  same_pixels "an added comment" "$work/plain-before.png" "$work/plain.png"
}

# A JPEG's COM segment: ImageMagick's comment is the one shown, the one
# ovirac stores is the one ImageMagick reads, and the coded picture is
# untouched (ImageMagick's pixel signature stays).
case_comment_jpeg() {
  local jpg="$work/photo.jpg" reported before
  "$convert" -seed 7 -size 37x23 plasma: -quality 90 -set comment "drawn by ImageMagick" "$jpg" ||
    fail "ImageMagick could not make a JPEG"
  before=$("$identify" -format %# "$jpg")
  comment_is "ImageMagick's comment" "$jpg" "drawn by ImageMagick"
  succeeds comment "$jpg" --set $'replaced\nby ovirac' || return
  reported=$("$identify" -format %c "$jpg")
  [ "$reported" = $'replaced\nby ovirac' ] || fail "ImageMagick reports '$reported' after --set"
  comment_is "after --set" "$jpg" $'replaced\r\nby ovirac'
  succeeds comment "$jpg" --remove && comment_is "after --remove" "$jpg" ""
  [ "$("$identify" -format %# "$jpg")" = "$before" ] || fail "editing the comment changed the pixels"
  no_staged_file "editing a JPEG comment"
}

# Files that are no PNG, or whose chunks break off, are refused with their
# status and left exactly as they were.
refused_comment() {  # what, file, status code
  local before="$work/before.copy" args
  cp "$2" "$before" 2>/dev/null || : >"$before"
  for args in "" "--set x" "--remove"; do
    # shellcheck disable=SC2086
    run comment "$2" $args || return
    [ "$status" -eq 1 ] || fail "$1: comment $args exited $status, not 1"
    grep -qE "^status: $3 " "$work/out" || fail "$1: comment $args said: $(tr '\n' '|' <"$work/out")"
    if [ -e "$2" ]; then cmp -s "$2" "$before" || fail "$1: comment $args changed the file"; fi
  done
  no_staged_file "$1"
}

case_comment_refused() {
  make_bmp 24 "$work/picture.bmp"
  refused_comment "a BMP file" "$work/picture.bmp" 50007
  make_png "$work/whole.png" -set Comment "behind the image data"
  local size
  size=$(stat -c %s "$work/whole.png")
  head -c $((size - 200)) "$work/whole.png" >"$work/cut.png"
  run comment "$work/cut.png" && [ "$status" -eq 1 ] && grep -qE "^status: 50004 " "$work/out" ||
    fail "a PNG cut inside its chunks: comment said $(tr '\n' '|' <"$work/out")"
  run comment "$work/cut.png" --set x && [ "$status" -eq 1 ] && grep -qE "^status: 50005 " "$work/out" ||
    fail "a PNG cut inside its chunks: --set said $(tr '\n' '|' <"$work/out")"
  run comment "$work/missing.png" && [ "$status" -eq 1 ] && grep -qE "^status: 50004 " "$work/out" ||
    fail "a missing file: comment said $(tr '\n' '|' <"$work/out")"
  run comment "$work/whole.png" --set && [ "$status" -eq 2 ] || fail "--set without text exited $status, not 2"
  run comment "$work/whole.png" --set a --remove && [ "$status" -eq 2 ] || fail "--set with --remove exited $status, not 2"
  no_staged_file "refusals"
}

# The PNG's header as ImageMagick reports it: bit depth, colour type and
# interlace method.
png_layout() {  # what, file, expected "depth type interlace"
  local layout
  layout=$("$identify" -format '%[png:IHDR.bit-depth-orig] %[png:IHDR.color-type-orig] %[png:IHDR.interlace_method]' "$2" 2>&1)
  [ "${layout:0:5}" = "$3" ] || fail "$1: the PNG is '$layout', not '$3'"
}

# Every depth and form, interlaced or not: the layout asked for, and the
# pixels ovirac shows for that depth (a palette of 4 colours keeps them
# exactly at 2 bits; grey levels decode alike in ovirac and ImageMagick).
# Converting $work/in.bmp to each "OUTPUT OPTIONS..." is a usage error (exit 2).
options_refused() {  # "output options"...
  local refusal
  for refusal in "$@"; do
    # shellcheck disable=SC2086
    run convert "$work/in.bmp" "$work/"$refusal || continue
    [ "$status" -eq 2 ] || fail "convert $refusal exited $status, not 2"
  done
}

case_convert_png() {
  local depth interlace name header adam7
  make_bmp 24 "$work/in24.bmp"
  make_bmp 2 "$work/in2.bmp"
  for interlace in "" --interlace; do
    adam7=$([ -n "$interlace" ] && echo 1 || echo 0)
    for depth in 24 8 4 1; do
      name="$work/at$depth${interlace/--/_}"
      header=$([ "$depth" = 24 ] && echo "8 2" || echo "$depth 3")  # sample depth, colour type
      succeeds convert "$work/in24.bmp" "$name.png" --depth "$depth" $interlace || continue
      png_layout "$depth bits $interlace" "$name.png" "$header $adam7"
      succeeds convert "$work/in24.bmp" "$name.ppm" --depth "$depth" &&
        same_pixels "PNG at $depth bits $interlace" "$name.png" "$name.ppm"
    done
    name="$work/at2${interlace/--/_}"
    succeeds convert "$work/in2.bmp" "$name.png" --depth 2 $interlace &&
      png_layout "2 bits $interlace" "$name.png" "2 3 $adam7" &&
      same_pixels "PNG at 2 bits $interlace" "$name.png" "$work/in2.bmp"
    name="$work/grey${interlace/--/_}"
    succeeds convert "$work/in24.bmp" "$name.png" --grey $interlace &&
      png_layout "grey $interlace" "$name.png" "8 0 $adam7" &&
      succeeds convert "$name.png" "$name.ppm" && same_pixels "grey PNG $interlace" "$name.png" "$name.ppm"
  done
  # An 8-bit image keeps its palette; its own depth is the default.
  make_bmp 8 "$work/in8.bmp"
  succeeds convert "$work/in8.bmp" "$work/own8.png" && png_layout "8-bit image" "$work/own8.png" "8 3 0" &&
    same_pixels "8-bit image as PNG" "$work/own8.png" "$work/in8.bmp"
}

# The options reach the file: gamma, transparency, comment, filters and
# level; none of them for other formats, and only valid values.
case_png_options() {
  local facts
  make_bmp 24 "$work/in.bmp"
  succeeds convert "$work/in.bmp" "$work/plain.png" || return
  facts=$("$identify" -verbose "$work/plain.png")
  grep -q 'png:gAMA' <<<"$facts" && fail "a gAMA chunk without --gamma"
  grep -q 'png:tRNS' <<<"$facts" && fail "a tRNS chunk without --transparent"
  succeeds convert "$work/in.bmp" "$work/extras.png" --gamma 2200 --transparent 00FF80 \
    --comment "a note" --filter 5 --level 1 || return
  facts=$("$identify" -verbose "$work/extras.png")
  grep -q 'png:gAMA: gamma=0.45455' <<<"$facts" || fail "--gamma 2200 wrote no gAMA of 45455"
  grep -q 'png:tRNS: chunk was found' <<<"$facts" || fail "--transparent wrote no tRNS"
  grep -q 'Comment: a note' <<<"$facts" || fail "--comment wrote no comment"
  same_pixels "PNG with every option" "$work/extras.png" "$work/plain.png"
  succeeds convert "$work/in.bmp" "$work/stored.png" --level 0 &&
    [ "$(stat -c %s "$work/stored.png")" -gt "$(stat -c %s "$work/plain.png")" ] ||
    fail "--level 0 did not store the data uncompressed"
  options_refused "x.bmp --grey" "x.ppm --interlace" "x.png --grey --depth 4" "x.png --level 10" \
    "x.png --filter 6" "x.png --gamma -1" "x.png --transparent FFF" "x.png --comment"
}

# The screen descriptor's packed byte of a GIF file: 0x80 | (d-1) << 4 | (d-1).
gif_packed() {  # file
  od -An -tu1 -j10 -N1 "$1" | tr -d ' '
}

# At every depth and interlaced or not, a picture with no more colours than
# the depth holds keeps exactly its pixels.
case_convert_gif() {
  local depth interlace name facts
  for depth in 8 7 6 5 4 3 2 1; do
    if [ "$depth" = 1 ]; then
      make_bmp 1 "$work/in$depth.bmp"
    else
      "$convert" -seed 7 -size 37x23 plasma: -colors $((1 << depth)) -type TrueColor \
        "BMP3:$work/in$depth.bmp" || fail "ImageMagick made no $depth-bit source"
    fi
    for interlace in "" --interlace; do
      name="$work/at$depth${interlace/--/_}.gif"
      succeeds convert "$work/in$depth.bmp" "$name" --depth "$depth" $interlace || continue
      facts=$("$identify" -format '%m %w %h %[interlace]' "$name")
      [ "$facts" = "GIF 37 23 $([ -n "$interlace" ] && echo GIF || echo None)" ] ||
        fail "$depth bits $interlace: identify says '$facts'"
      [ "$(gif_packed "$name")" = $((128 + (depth - 1) * 17)) ] ||
        fail "$depth bits: packed byte $(gif_packed "$name")"
      same_pixels "GIF at $depth bits $interlace" "$name" "$work/in$depth.bmp"
    done
  done
  # Without --depth a GIF is written at 8 bits, whatever the image's depth.
  make_bmp 24 "$work/in24.bmp"
  succeeds convert "$work/in24.bmp" "$work/own.gif" &&
    [ "$(gif_packed "$work/own.gif")" = 247 ] || fail "the default depth is not 8"
}

# Transparency reaches the file; dithering changes the pixels; options of
# other formats, and depths GIF has not, are refused.
case_gif_options() {
  make_bmp 24 "$work/in.bmp"
  succeeds convert "$work/in.bmp" "$work/plain.gif" --depth 3 || return
  [ "$("$identify" -format %A "$work/plain.gif")" = False ] || fail "transparency without --transparent"
  succeeds convert "$work/in.bmp" "$work/clear.gif" --depth 3 --transparent 000000 &&
    [ "$("$identify" -format %A "$work/clear.gif")" = True ] || fail "--transparent wrote none"
  succeeds convert "$work/in.bmp" "$work/dither.gif" --depth 3 --dither &&
    [ "$(differing_pixels "$work/plain.gif" "$work/dither.gif")" != 0 ] ||
    fail "--dither changed nothing"
  options_refused "x.gif --depth 24" "x.gif --depth 9" "x.gif --grey" "x.gif --level 3" \
    "x.gif --gamma 2200" "x.gif --quality 50" "x.gif --transparent FFF" "x.bmp --transparent 000000"
  run convert "$work/in.bmp" "$work/x.bmp" --interlace &&
    grep -qF -- "--interlace is for PNG and GIF output only" "$work/err" ||
    fail "--interlace for BMP: $(cat "$work/err")"
}

# ImageMagick reads each JPEG option back from the file: the quality it
# estimates from the tables, the sampling, greyscale, progression and
# comment; the size limit is met; the pixels stay close to the source's.
jpeg_facts() {  # file
  "$identify" -format '%Q %[jpeg:sampling-factor] %[colorspace] %[interlace] %c' "$1" 2>&1
}

psnr_above() {  # what, least dB, file, file
  local psnr
  psnr=$("$compare" -metric PSNR "$3" "$4" null: 2>&1)
  awk -v p="$psnr" -v least="$2" 'BEGIN { exit !(p == "inf" || p + 0 > least) }' ||
    fail "$1: PSNR $psnr dB, not above $2"
}

case_jpeg_options() {
  make_bmp 24 "$work/in.bmp"
  make_bmp 8 "$work/in8.bmp"
  local facts
  succeeds convert "$work/in.bmp" "$work/plain.jpg" || return
  facts=$(jpeg_facts "$work/plain.jpg")
  [ "$facts" = "75 2x2,1x1,1x1 sRGB None " ] || fail "the defaults give '$facts'"
  psnr_above "quality 75" 25 "$work/plain.jpg" "$work/in.bmp"
  succeeds convert "$work/in.bmp" "$work/best.jpg" --quality 100 --subsampling 2 --progressive \
    --comment "a note" || return
  facts=$(jpeg_facts "$work/best.jpg")
  [ "$facts" = "100 1x1,1x1,1x1 sRGB JPEG a note" ] || fail "quality 100 4:4:4 gives '$facts'"
  psnr_above "quality 100" 40 "$work/best.jpg" "$work/in.bmp"
  succeeds convert "$work/in.bmp" "$work/wide.jpg" --subsampling 1 --quality 50 &&
    facts=$(jpeg_facts "$work/wide.jpg") && [ "$facts" = "50 2x1,1x1,1x1 sRGB None " ] ||
    fail "quality 50 4:2:2 gives '$facts'"
  succeeds convert "$work/in8.bmp" "$work/grey.jpg" --grey &&
    facts=$(jpeg_facts "$work/grey.jpg") && [ "$facts" = "75 1x1 Gray None " ] ||
    fail "--grey of an 8-bit image gives '$facts'"
  "$convert" -seed 3 -size 400x300 plasma: "BMP3:$work/big.bmp" || fail "ImageMagick made no big BMP"
  succeeds convert "$work/big.bmp" "$work/limited.jpg" --quality 95 --limit 12 &&
    [ "$(stat -c %s "$work/limited.jpg")" -le 12288 ] || fail "--limit 12 wrote more than 12 KiB"
  succeeds convert "$work/big.bmp" "$work/tiny.jpg" --limit 1 &&
    [ "$("$identify" -format %Q "$work/tiny.jpg")" = 1 ] || fail "an unreachable limit ends at quality 1"
  options_refused "x.png --quality 50" "x.bmp --grey" "x.bmp --progressive" "x.jpg --interlace" \
    "x.jpg --quality 0" "x.jpg --quality 101" "x.jpg --subsampling 3" "x.jpg --limit 0" \
    "x.jpg --limit" "x.gif --comment hi"
}

# Every turn at both depths shows the pixels ImageMagick's own turn shows;
# auto-rotation leaves a file without an Exif orientation alone.
case_turn() {
  local depth op magick
  local -A operations=([cw]="-rotate 90" [180]="-rotate 180" [ccw]="-rotate 270" [mirror]="-flop" [flip]="-flip")
  for depth in 24 8; do
    make_bmp "$depth" "$work/in$depth.bmp"
    for op in "${!operations[@]}"; do
      magick=${operations[$op]}
      # shellcheck disable=SC2086
      "$convert" "$work/in$depth.bmp" $magick "$work/expected.bmp" || fail "ImageMagick could not turn"
      succeeds turn "$work/in$depth.bmp" "$work/turned.bmp" --op "$op" &&
        same_pixels "$depth-bit turn $op" "$work/turned.bmp" "$work/expected.bmp"
    done
    succeeds convert "$work/in$depth.bmp" "$work/kept.bmp" --no-auto-rotate &&
      same_pixels "$depth-bit without auto-rotation" "$work/kept.bmp" "$work/in$depth.bmp"
  done
  run turn "$work/in24.bmp" "$work/x.bmp" && [ "$status" -eq 2 ] || fail "turn without --op exited $status, not 2"
  run turn "$work/in24.bmp" "$work/x.bmp" --op 90 && [ "$status" -eq 2 ] || fail "turn --op 90 exited $status, not 2"
}

# A lossless transformation shows exactly the pixels of jpegtran's, with
# and without trimming; the options reach the file; damaged input is
# refused with exit status 1 and leaves no output behind.
case_transform() {
  local jpegtran=/usr/bin/jpegtran op trim
  [ -x "$jpegtran" ] || { echo "skipped: $jpegtran is not installed"; exit 77; }
  local -A operations=([flip-h]="-flip horizontal" [flip-v]="-flip vertical" [rotate-90]="-rotate 90"
    [rotate-180]="-rotate 180" [rotate-270]="-rotate 270")
  "$convert" -seed 5 -comment "kept" -size 161x145 plasma: -sampling-factor 2x2 -quality 90 "$work/in.jpg" ||
    fail "ImageMagick could not make a JPEG"
  for op in "${!operations[@]}"; do
    for trim in "" --trim; do
      # shellcheck disable=SC2086
      "$jpegtran" ${operations[$op]} ${trim:+-trim} -copy all -outfile "$work/theirs.jpg" "$work/in.jpg" ||
        fail "jpegtran failed"
      succeeds transform "$work/in.jpg" "$work/ours.jpg" --op "$op" $trim &&
        same_pixels "transform $op $trim" "$work/ours.jpg" "$work/theirs.jpg"
    done
  done
  succeeds transform "$work/in.jpg" "$work/grey.jpg" --op rotate-90 --grey --progressive --markers 1 || return
  [ "$("$identify" -format '%[channels] %[interlace]' "$work/grey.jpg")" = "gray JPEG" ] ||
    fail "--grey --progressive wrote $("$identify" -format '%[channels] %[interlace]' "$work/grey.jpg")"
  [ "$("$identify" -format '%c' "$work/grey.jpg")" = "kept" ] || fail "--markers 1 lost the comment"
  succeeds transform "$work/in.jpg" "$work/bare.jpg" --op flip-v || return
  [ -z "$("$identify" -format '%c' "$work/bare.jpg")" ] || fail "the comment was kept without --markers"
  head -c $(($(stat -c %s "$work/in.jpg") / 2)) "$work/in.jpg" >"$work/short.jpg"
  run transform "$work/short.jpg" "$work/broken.jpg" --op flip-h
  [ "$status" -eq 1 ] && grep -q "Premature end of JPEG file" "$work/err" ||
    fail "a truncated JPEG: exit $status, $(head -n 1 "$work/err")"
  [ ! -e "$work/broken.jpg" ] || fail "a failed transform left its output behind"
  run transform "$work/in.jpg" "$work/x.jpg" --op rotate-45 && [ "$status" -eq 2 ] ||
    fail "transform --op rotate-45 exited $status, not 2"
  run transform "$work/in.jpg" "$work/x.jpg" --op flip-h --markers 3 && [ "$status" -eq 2 ] ||
    fail "transform --markers 3 exited $status, not 2"
}

# --- JPEG -------------------------------------------------------------------

# The largest difference of one channel between two files as ImageMagick
# decodes them, in steps of 8 bits; JPEG files are decoded with the
# library's default integer transform, as ovirac does.
largest_difference() {  # file, file
  local peak
  peak=$("$compare" -define jpeg:dct-method=islow -metric PAE "$1" "$2" null: 2>&1)
  echo $(( ${peak%% *} / 257 ))
}

close_pixels() {  # what, file, file
  local largest
  largest=$(largest_difference "$2" "$3")
  [ "$largest" -le 1 ] || fail "$1: channels differ by up to $largest between $(basename "$2") and $(basename "$3")"
}

make_jpeg() {  # file, ImageMagick options...
  local file=$1; shift
  "$convert" -seed 7 -size 37x23 plasma: "$@" "$file" || fail "ImageMagick could not make $(basename "$file")"
}

# Read as stored (no turning), colour, progressive and grey, to BMP, PNG and
# a pixel map: the pixels ImageMagick decodes from the same file.
case_jpeg_read() {
  local name out
  make_jpeg "$work/colour.jpg" -quality 90 -sampling-factor 2x2
  make_jpeg "$work/progressive.jpg" -quality 80 -interlace JPEG
  make_jpeg "$work/grey.jpg" -colorspace Gray
  for name in colour progressive grey; do
    for out in bmp png ppm; do
      succeeds convert "$work/$name.jpg" "$work/$name.$out" &&
        close_pixels "$name JPEG to ${out^^}" "$work/$name.jpg" "$work/$name.$out"
    done
  done
  succeeds info "$work/grey.jpg" && has_line "grey JPEG" "bits per pixel: 8" &&
    has_line "grey JPEG" "source bits per pixel: 8"
  make_jpeg "$work/dense.jpg" -density 300 -units PixelsPerInch
  succeeds info "$work/dense.jpg" && has_line "300 dpi" "resolution: 11811 x 11811 pixels per metre"

  local sof
  sof=$(LC_ALL=C grep -obUaP '\xff\xc0' "$work/colour.jpg" | head -n 1 | cut -d: -f1)
  cp "$work/colour.jpg" "$work/precision.jpg"
  printf '\x09' | dd of="$work/precision.jpg" bs=1 seek=$((sof + 4)) conv=notrunc status=none
  refused "a JPEG claiming 9-bit samples" "$work/precision.jpg" 50007
  grep -qxF "library error: Unsupported JPEG data precision 9" "$work/out" ||
    fail "info does not show the library's message: $(tr '\n' '|' <"$work/out")"
  head -c 100 "$work/colour.jpg" >"$work/headers_only.jpg"
  refused "a JPEG cut inside its headers" "$work/headers_only.jpg" 50004
}

# What info reports for a JPEG: an Exif block with orientation 6 and two
# comments put in front of ImageMagick's segments, and a progressive file
# with neither.
# A JPEG with Exif orientation N (1 to 8) and two comments, made from $1.
tagged_jpeg() {  # source, orientation, output
  local exif='Exif\x00\x00II\x2a\x00\x08\x00\x00\x00\x01\x00\x12\x01\x03\x00\x01\x00\x00\x00\x0'"$2"'\x00\x00\x00\x00\x00\x00\x00'
  {
    printf '\xff\xd8\xff\xe1\x00\x22'"$exif"
    printf '\xff\xfe\x00\x05one\xff\xfe\x00\x05two'
    tail -c +3 "$1"
  } >"$3"
}

# Every Exif orientation shows the picture ImageMagick's -auto-orient shows
# for the same file, mirrored ones included.
case_jpeg_orientations() {
  local orientation
  make_jpeg "$work/plain.jpg" -quality 90
  for orientation in 1 2 3 4 5 6 7 8; do
    tagged_jpeg "$work/plain.jpg" "$orientation" "$work/o$orientation.jpg"
    "$convert" "$work/o$orientation.jpg" -auto-orient "BMP3:$work/expected$orientation.bmp" ||
      fail "ImageMagick could not orient $orientation"
    succeeds convert "$work/o$orientation.jpg" "$work/shown$orientation.bmp" &&
      same_pixels "orientation $orientation" "$work/shown$orientation.bmp" "$work/expected$orientation.bmp"
  done
}

case_jpeg_info() {
  make_jpeg "$work/plain.jpg" -quality 85
  tagged_jpeg "$work/plain.jpg" 6 "$work/tagged.jpg"
  succeeds info "$work/tagged.jpg" || return
  has_line "tagged JPEG" "format: 3 JPEG"
  has_line "tagged JPEG" "status: 50000 no error"
  has_line "tagged JPEG" "width: 37"
  has_line "tagged JPEG" "height: 23"
  has_line "tagged JPEG" "bits per pixel: 24"
  has_line "tagged JPEG" "progressive: 0"
  has_line "tagged JPEG" "exif: 1"
  has_line "tagged JPEG" "orientation: 6"
  has_line "tagged JPEG" "comments: 2"
  # Without automatic rotation the picture is converted as stored.
  succeeds convert "$work/tagged.jpg" "$work/tagged.bmp" --no-auto-rotate &&
    close_pixels "tagged JPEG as stored" "$work/plain.jpg" "$work/tagged.bmp"
  make_jpeg "$work/progressive.jpg" -interlace JPEG
  succeeds info "$work/progressive.jpg" || return
  has_line "progressive JPEG" "progressive: 1"
  has_line "progressive JPEG" "exif: 0"
  has_line "progressive JPEG" "orientation: 1"
  has_line "progressive JPEG" "comments: 0"
}

# GIF stills: what info reports, the pixels convert writes, and the reading
# options deciding what a transparent pixel shows.
case_gif_read() {
  local gif="$work/still.gif"
  "$convert" -size 6x4 xc:'#204080' -fill '#FF0000' -draw 'point 1 1' -transparent '#FF0000' \
    -set comment hello "$gif" || fail "ImageMagick could not make a GIF"
  succeeds info "$gif" || return
  has_line "gif info" "format: 5 GIF"
  has_line "gif info" "bits per pixel: 8"
  has_line "gif info" "frames: 1"
  has_line "gif info" "loop: none"
  has_line "gif info" "delays: none"
  has_line "gif info" "interlaced: 0"
  has_line "gif info" "transparency: 1"
  has_line "gif info" "comments: 1"
  # The transparent index is black in the file; its background is #204080.
  expect_gif_pixel() {  # what, expected rgb, ovirac options...
    local what=$1 expected=$2
    shift 2
    expect_converted_pixel "$what" "$gif" 1,1 "$expected" "$@"
  }
  expect_gif_pixel "the file's background" "srgb(32,64,128)"
  expect_gif_pixel "--no-file-background" "srgb(255,255,255)" --no-file-background
  expect_gif_pixel "--background" "srgb(0,255,0)" --no-file-background --background 00FF00
  expect_gif_pixel "--no-composite" "srgb(0,0,0)" --no-composite
  "$convert" -seed 4 -size 29x17 plasma: -colors 60 +dither -interlace GIF "$work/interlaced.gif" ||
    fail "ImageMagick could not make an interlaced GIF"
  succeeds info "$work/interlaced.gif" && has_line "interlaced gif" "interlaced: 1"
  succeeds convert "$work/interlaced.gif" "$work/interlaced.ppm" &&
    same_pixels "interlaced gif" "$work/interlaced.gif" "$work/interlaced.ppm"
  succeeds convert "$work/interlaced.gif" "$work/first.ppm" --frame 0 &&
    same_pixels "frame 0 of a still" "$work/interlaced.gif" "$work/first.ppm"
  run convert "$work/interlaced.gif" "$work/second.ppm" --frame 1
  [ "$status" -eq 1 ] && grep -qF "the image has 1 frame" "$work/err" ||
    fail "--frame 1 of a still: exited $status: $(head -n 2 "$work/err")"
}

# An animated GIF: info lists its frames, loop count and delays as stored;
# convert --frame K writes the K-th full canvas as ImageMagick coalesces it.
# ImageMagick's -loop 2 (play twice) is stored as one repeat.
case_gif_frames() {
  local gif="$work/anim.gif" k
  "$convert" -dispose Background -delay 5 -size 10x8 xc:red -delay 10 \( -size 4x3 xc:blue -repage +2+1 \) \
    -dispose None -delay 0 \( -size 3x5 xc:lime -repage +6+2 \) -loop 2 "$gif" ||
    fail "ImageMagick could not make an animation"
  # What disposal clears is transparent to ImageMagick and white to us.
  "$convert" "$gif" -coalesce -background white -alpha remove "$work/coalesced-%d.ppm" ||
    fail "ImageMagick could not coalesce"
  succeeds info "$gif" || return
  has_line "animation info" "bits per pixel: 24"
  has_line "animation info" "frames: 3"
  has_line "animation info" "loop: 1"
  has_line "animation info" "delays: 5 10 0"
  for k in 0 1 2; do
    succeeds convert "$gif" "$work/frame$k.ppm" --frame "$k" --no-file-background &&
      same_pixels "frame $k" "$work/coalesced-$k.ppm" "$work/frame$k.ppm"
  done
  run convert "$gif" "$work/frame3.ppm" --frame 3
  [ "$status" -eq 1 ] && grep -qF "the image has 3 frames (0 to 2)" "$work/err" ||
    fail "--frame 3: exited $status: $(head -n 2 "$work/err")"
  [ ! -e "$work/frame3.ppm" ] || fail "--frame 3 wrote a file"
  # Without --frame, convert takes the first image as the still it is.
  succeeds convert "$gif" "$work/still.ppm" && same_pixels "the still" "$work/coalesced-0.ppm" "$work/still.ppm"
}

# Every depth and form: the layout ImageMagick reports, and the pixels ovirac
# shows for that depth; an 8-bit image keeps its palette by default; the
# options of other formats and depths TIFF has not are refused.
case_convert_tiff() {
  local depth name facts
  make_bmp 24 "$work/in24.bmp"
  for depth in 24 8 4 1; do
    name="$work/at$depth"
    succeeds convert "$work/in24.bmp" "$name.tif" --depth "$depth" || continue
    facts=$("$identify" -format '%w %h %z %[tiff:photometric]' "$name.tif")
    case $depth in
      24) [ "$facts" = "37 23 8 RGB" ] ;;
      1) [ "$facts" = "37 23 1 min-is-black" ] ;;
      *) [ "$facts" = "37 23 $depth palette" ] ;;
    esac || fail "$depth bits: identify says '$facts'"
    succeeds convert "$work/in24.bmp" "$name.ppm" --depth "$depth" &&
      same_pixels "TIFF at $depth bits" "$name.tif" "$name.ppm"
  done
  succeeds convert "$work/in24.bmp" "$work/grey.tif" --grey &&
    [ "$("$identify" -format '%z %[tiff:photometric]' "$work/grey.tif")" = "8 min-is-black" ] &&
    succeeds convert "$work/grey.tif" "$work/grey.ppm" && same_pixels "grey TIFF" "$work/grey.tif" "$work/grey.ppm" ||
    fail "--grey wrote no grey TIFF"
  succeeds convert "$work/in24.bmp" "$work/dither.tif" --depth 4 --dither &&
    [ "$(differing_pixels "$work/at4.tif" "$work/dither.tif")" != 0 ] || fail "--dither changed nothing"
  make_bmp 8 "$work/in8.bmp"
  succeeds convert "$work/in8.bmp" "$work/own8.tif" &&
    [ "$("$identify" -format '%z %[tiff:photometric]' "$work/own8.tif")" = "8 palette" ] &&
    same_pixels "8-bit image as TIFF" "$work/own8.tif" "$work/in8.bmp"
  make_bmp 24 "$work/in.bmp"
  options_refused "x.tif --depth 2" "x.tif --depth 16" "x.tif --grey --depth 4" "x.tif --quality 50" \
    "x.tif --interlace" "x.tif --comment hi" "x.tiff --transparent 000000"
  run convert "$work/in.bmp" "$work/x.gif" --grey &&
    grep -qF -- "--grey is for PNG, JPEG and TIFF output only" "$work/err" ||
    fail "--grey for GIF: $(cat "$work/err")"
}

# ImageMagick's 16-bit TIFF files in both byte orders: what info reports,
# the pixels, and compressed files refused as unsupported.
case_tiff_read() {
  local endian tif
  for endian in lsb msb; do
    tif="$work/$endian.tif"
    "$convert" -seed 3 -size 21x11 plasma: -depth 16 -compress none -define tiff:endian=$endian \
      -density 118.11 -units PixelsPerCentimeter -set comment "a description" "$tif" ||
      fail "ImageMagick could not make a $endian TIFF"
    succeeds info "$tif" || continue
    has_line "$endian info" "format: 4 TIFF"
    has_line "$endian info" "bits per pixel: 24"
    has_line "$endian info" "source bits per pixel: 48"
    has_line "$endian info" "resolution: 11811 x 11811 pixels per metre"
    has_line "$endian info" "description: 1"
    # The high byte of each sample against ImageMagick's rounding: one apart at most.
    succeeds convert "$tif" "$work/$endian.ppm" && close_pixels "$endian TIFF" "$tif" "$work/$endian.ppm"
  done
  "$convert" -size 5x5 xc:red -compress none "$work/plain.tif" &&
    succeeds info "$work/plain.tif" && has_line "no description" "description: 0"
  for compression in LZW RLE; do
    "$convert" -size 16x16 xc:red -compress $compression "$work/$compression.tif" ||
      fail "ImageMagick could not make a $compression TIFF"
    # The built-in codec refuses them; the compressed-TIFF plug-in core reads them.
    succeeds info "$work/$compression.tif" && has_line "$compression TIFF" "read by: plug-in"
    succeeds convert "$work/$compression.tif" "$work/$compression.ppm" &&
      same_pixels "$compression TIFF" "$work/$compression.tif" "$work/$compression.ppm"
  done
}

# The pixel bytes of a binary PPM, one decimal number a line, red first.
ppm_samples() {  # file, width, height
  tail -c $(($2 * $3 * 3)) "$1" | od -An -v -tu1 | tr -s ' ' '\n' | sed '/^$/d'
}

# Tone adjustments against the arithmetic itself: brightness adds to each
# channel and limits to a byte, contrast keeps a picture at its pivot level,
# gamma 0 changes nothing, and an 8-bit picture stays 8-bit. Amounts out of
# range, missing or given both ways are usage errors.
case_adjust() {
  make_bmp 24 "$work/in24.bmp"
  make_bmp 8 "$work/in8.bmp"
  succeeds convert "$work/in24.bmp" "$work/plain24.ppm" || return
  ppm_samples "$work/plain24.ppm" 37 23 >"$work/plain24.txt"

  succeeds adjust brightness "$work/in24.bmp" "$work/bright.ppm" --value 50 &&
    ppm_samples "$work/bright.ppm" 37 23 >"$work/bright.txt" &&
    awk '{ v = $1 + 50; print (v > 255 ? 255 : v) }' "$work/plain24.txt" >"$work/expected.txt" &&
    { cmp -s "$work/bright.txt" "$work/expected.txt" || fail "brightness 50 differs from v + 50 limited to 255"; }
  succeeds adjust brightness "$work/in24.bmp" "$work/channels.ppm" --red 10 --green -20 --blue 255 &&
    ppm_samples "$work/channels.ppm" 37 23 >"$work/channels.txt" &&
    awk 'BEGIN { split("10 -20 255", add) }
         { v = $1 + add[(NR - 1) % 3 + 1]; print (v < 0 ? 0 : v > 255 ? 255 : v) }' \
      "$work/plain24.txt" >"$work/expected.txt" &&
    { cmp -s "$work/channels.txt" "$work/expected.txt" || fail "brightness per channel differs from the sums"; }

  succeeds adjust gamma "$work/in24.bmp" "$work/gamma0.bmp" --value 0 &&
    same_pixels "gamma 0" "$work/gamma0.bmp" "$work/in24.bmp"
  "$convert" -size 1024x4 xc:'rgb(93,93,93)' "BMP3:$work/grey.bmp" || fail "ImageMagick could not make a grey BMP"
  succeeds adjust contrast "$work/grey.bmp" "$work/contrast.bmp" --value 100 &&
    same_pixels "contrast at the pivot" "$work/contrast.bmp" "$work/grey.bmp"

  succeeds convert "$work/in8.bmp" "$work/plain8.ppm" &&
    succeeds adjust brightness "$work/in8.bmp" "$work/bright8.bmp" --value -30 &&
    succeeds convert "$work/bright8.bmp" "$work/bright8.ppm" &&
    ppm_samples "$work/plain8.ppm" 37 23 | awk '{ v = $1 - 30; print (v < 0 ? 0 : v) }' >"$work/expected.txt" &&
    ppm_samples "$work/bright8.ppm" 37 23 >"$work/bright8.txt" &&
    { cmp -s "$work/bright8.txt" "$work/expected.txt" || fail "8-bit brightness -30 differs from the sums"; }
  succeeds info "$work/bright8.bmp" && has_line "8-bit adjust" "bits per pixel: 8"

  local refusal
  for refusal in "gamma --value 101" "contrast --value -101" "brightness --value 256" \
      "brightness --value -256" "brightness" "brightness --red 1 --green 2" \
      "brightness --value 1 --red 1 --green 1 --blue 1" "gamma --value x" "hue --value 1" ""; do
    # shellcheck disable=SC2086
    run adjust $refusal "$work/in24.bmp" "$work/x.ppm"
    [ "$status" -eq 2 ] || fail "adjust $refusal exited $status, not 2"
    [ -s "$work/err" ] || fail "adjust $refusal gave no reason"
  done
  succeeds adjust brightness "$work/in24.bmp" "$work/edge.ppm" --value -255 &&
    { [ "$(ppm_samples "$work/edge.ppm" 37 23 | sort -u)" = 0 ] || fail "brightness -255 left a channel above 0"; }
}

# ZIP members as inputs: list shows what zip stored, and info and convert
# read a member named ARCHIVE::MEMBER as they read the file it was made from.
case_zip_archive() {
  [ -x /usr/bin/zip ] || { echo "skipped: /usr/bin/zip is not installed"; exit 77; }
  mkdir -p "$work/tree/photos/2024"
  make_bmp 24 "$work/tree/photos/2024/a.bmp"
  "$convert" -seed 3 -size 21x17 plasma: -depth 8 "$work/tree/b.png" || fail "ImageMagick could not make a PNG"
  printf 'notes' >"$work/tree/notes.txt"
  touch -d '2022-05-06 07:08:10 UTC' "$work/tree/photos/2024/a.bmp" "$work/tree/b.png" "$work/tree/notes.txt"
  (cd "$work/tree" && /usr/bin/zip -q -r -D ../photos.zip photos b.png && /usr/bin/zip -q -0 ../photos.zip notes.txt) ||
    fail "zip could not make the archive"
  local zip="$work/photos.zip" tab=$'\t' bmp_size png_size
  bmp_size=$(stat -c %s "$work/tree/photos/2024/a.bmp")
  png_size=$(stat -c %s "$work/tree/b.png")
  if succeeds list "$zip"; then
    [ "$(wc -l <"$work/out")" -eq 3 ] || fail "list printed $(wc -l <"$work/out") lines, not 3"
    has_line "list" "photos\\2024${tab}a.bmp${tab}$bmp_size${tab}2022-05-06 07:08:10"
    has_line "list" "${tab}b.png${tab}$png_size${tab}2022-05-06 07:08:10"
    has_line "list" "${tab}notes.txt${tab}5${tab}2022-05-06 07:08:10"
  fi
  local member
  for member in "photos/2024/a.bmp" 'photos\2024\a.bmp'; do
    succeeds info "$zip::$member" || continue
    has_line "info $member" "format: 1 BMP"
    has_line "info $member" "size: $bmp_size bytes"
    has_line "info $member" "width: 37"
  done
  succeeds convert "$zip::b.png" "$work/b.ppm" && same_pixels "member b.png" "$work/tree/b.png" "$work/b.ppm"
  succeeds convert "$zip::photos/2024/a.bmp" "$work/a.ppm" &&
    same_pixels "member a.bmp" "$work/tree/photos/2024/a.bmp" "$work/a.ppm"

  run info "$zip::photos/missing.bmp"
  [ "$status" -eq 1 ] || fail "info of a missing member exited $status, not 1"
  grep -q "no such member" "$work/err" || fail "a missing member was not named as such: $(head -n 2 "$work/err")"
  run convert "$zip::notes.txt" "$work/notes.ppm"
  [ "$status" -eq 1 ] || fail "converting a text member exited $status, not 1"
  run list "$work/tree/b.png"
  [ "$status" -eq 1 ] && grep -q "not an archive" "$work/err" || fail "list of a PNG: $status $(head -n 1 "$work/err")"
  # zip stores what does not shrink, so the bzip2 member is one that does.
  printf 'bzip2 %.0s' $(seq 100) >"$work/tree/c.bmp"
  (cd "$work/tree" && /usr/bin/zip -q -Z bzip2 ../bzip2.zip c.bmp) || fail "zip could not make the bzip2 archive"
  run list "$work/bzip2.zip"
  [ "$status" -eq 1 ] && grep -q "not an archive" "$work/err" || fail "list of a bzip2-only archive: $status"
}

# What only the plug-ins read converts all the same: our cores are built in.
case_plugin_formats() {
  command -v cwebp >/dev/null || { echo "skipped: cwebp is not installed"; exit 77; }
  "$convert" -seed 5 -size 33x21 plasma: -depth 8 "$work/source.png" || fail "ImageMagick could not make a PNG"
  "$convert" "$work/source.png" -compress LZW "$work/lzw.tif" || fail "ImageMagick could not make an LZW TIFF"
  cwebp -quiet -lossless "$work/source.png" -o "$work/lossless.webp" || fail "cwebp could not make a WebP file"
  succeeds convert "$work/lzw.tif" "$work/from-tiff.ppm" &&
    same_pixels "LZW TIFF" "$work/source.png" "$work/from-tiff.ppm"
  succeeds convert "$work/lossless.webp" "$work/from-webp.png" &&
    same_pixels "lossless WebP" "$work/source.png" "$work/from-webp.png"
  succeeds info "$work/lossless.webp" && has_line "info webp" "width: 33"
  run convert "$work/source.png.missing" "$work/x.png"
  [ "$status" -ne 0 ] || fail "a missing input converted"
}

# The Exif and text dialogs' rows: what exiftool and ImageMagick wrote into a
# JPEG and a PNG file, printed as "label: value" and "keyword: text" lines,
# from the files and from the same files inside a ZIP archive.
case_exif_texts() {
  local exiftool=/usr/bin/exiftool
  for tool in "$exiftool" /usr/bin/zip; do
    [ -x "$tool" ] || { echo "skipped: $tool is not installed"; exit 77; }
  done
  "$convert" -size 24x16 xc:'#336699' "$work/camera.jpg" || fail "ImageMagick could not make a JPEG"
  "$exiftool" -q -overwrite_original -Make=Makerco '-Model=Model X1' '-DateTimeOriginal=2024:05:06 07:08:09' \
    -SubSecTimeOriginal=123 -ExposureTime=1/250 -FNumber=2.8 -ISO=200 -EXIF:Flash#=25 -FocalLength=50 \
    "$work/camera.jpg" || fail "exiftool could not write the Exif data"
  "$convert" -size 4x4 xc:red -set Title 'Hello world' -set Author 'A. Person' \
    +set date:create +set date:modify "$work/texts.png" || fail "ImageMagick could not make a PNG"
  (cd "$work" && /usr/bin/zip -q inputs.zip camera.jpg texts.png) || fail "zip could not make the archive"
  local input
  for input in "$work/camera.jpg" "$work/inputs.zip::camera.jpg"; do
    succeeds exif "$input" || continue
    has_line "exif $input" "Make: Makerco"
    has_line "exif $input" "Model: Model X1"
    has_line "exif $input" "Date and time taken: 2024:05:06 07:08:09 (subsec:123)"
    has_line "exif $input" "Exposure time: 1/250 s"
    has_line "exif $input" "F-number: F2.8"
    has_line "exif $input" "ISO speed: 200"
    has_line "exif $input" "Flash: Fired, automatic mode"
    has_line "exif $input" "Focal length: 50.0 mm"
    [ "$(head -n 1 "$work/out")" = "Make: Makerco" ] || fail "exif: the items are not in their order"
  done
  for input in "$work/texts.png" "$work/inputs.zip::texts.png"; do
    succeeds texts "$input" || continue
    [ "$(cat "$work/out")" = $'Author: A. Person\nTitle: Hello world' ] ||
      fail "texts $input: $(tr '\n' '|' <"$work/out")"
  done
  run exif "$work/texts.png"
  [ "$status" -eq 1 ] && grep -q "no Exif data" "$work/err" || fail "exif of a PNG: $status $(head -n 1 "$work/err")"
  run texts "$work/camera.jpg"
  [ "$status" -eq 1 ] && grep -q "no PNG text" "$work/err" || fail "texts of a JPEG: $status $(head -n 1 "$work/err")"
  run exif
  [ "$status" -eq 2 ] || fail "exif without a file exited $status, not 2"
}

if declare -F "case_$case_name" >/dev/null; then
  "case_$case_name"
else
  echo "unknown case '$case_name'"; exit 2
fi
[ "$failures" -eq 0 ] && echo "ok: $case_name" || echo "$failures failed: $case_name"
[ "$failures" -eq 0 ]
