#!/usr/bin/env bash
# ovirac run as a user runs it, on BMP files ImageMagick draws here in a
# private folder: what it reports, and whether the pixels it writes are the
# ones ImageMagick decodes from the same files. Usage: ovirac_test.sh OVIRAC
# CASE, where CASE is info, convert_own_depth, convert_reduced, malformed or
# png_read.
# Exits 0 when every check passes, 77 when ImageMagick is missing.
set -uo pipefail

ovirac=$1
case_name=$2
convert=/usr/bin/convert
compare=/usr/bin/compare
for tool in "$convert" "$compare"; do
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
    succeeds convert "$png" "$work/read.ppm" "$@" || return
    local got
    got=$("$convert" "$work/read.ppm" -format '%[pixel:p{0,0}]' info:)
    [ "$got" = "$expected" ] || fail "$what: pixel $got, not $expected"
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

case "$case_name" in
  info | convert_own_depth | convert_reduced | malformed | png_read) "case_$case_name" ;;
  *) echo "unknown case '$case_name'"; exit 2 ;;
esac
[ "$failures" -eq 0 ] && echo "ok: $case_name" || echo "$failures failed: $case_name"
[ "$failures" -eq 0 ]
