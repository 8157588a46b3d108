#!/usr/bin/env bash
# Draws the bundled sample images with ImageMagick. The results are committed,
# so this only runs when the samples should change.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/samples"
mkdir -p "$out"
im=/usr/bin/convert
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# A small landscape: sky gradient, sun, hills, a lake.
$im -size 320x240 gradient:'#5da9e9'-'#f4e3b1' \
  -fill '#ffd54a' -draw 'circle 250,60 250,88' \
  -fill '#3c7d3a' -draw 'polygon 0,170 60,120 120,160 190,100 260,150 320,125 320,240 0,240' \
  -fill '#2b5d8a' -draw 'ellipse 160,215 120,18 0,360' \
  "$tmp/landscape.png"
# The same landscape at a size that fills a viewer window: what run.sh opens.
$im -size 800x600 gradient:'#5da9e9'-'#f4e3b1' \
  -fill '#ffd54a' -draw 'circle 625,150 625,220' \
  -fill '#3c7d3a' -draw 'polygon 0,425 150,300 300,400 475,250 650,375 800,312 800,600 0,600' \
  -fill '#2b5d8a' -draw 'ellipse 400,537 300,45 0,360' \
  "$tmp/landscape-large.png"
# Flat-colour tiles: few colours, good for palettes and GIF.
$im -size 240x180 xc:'#f7f3e8' \
  -fill '#e4572e' -draw 'rectangle 20,20 110,90' \
  -fill '#17bebb' -draw 'circle 170,60 170,100' \
  -fill '#ffc914' -draw 'polygon 40,160 90,105 140,160' \
  -fill '#2e282a' -draw 'rectangle 160,115 220,160' \
  "$tmp/shapes.png"

$im "$tmp/landscape.png" -strip -depth 8 "$out/landscape.png"
$im "$tmp/landscape.png" -strip -quality 85 -sampling-factor 2x2 "$out/landscape.jpg"
$im "$tmp/landscape-large.png" -strip -type TrueColor BMP3:"$out/landscape.bmp"
$im "$tmp/landscape.png" -strip -resize 160x120 -type TrueColor BMP3:"$out/landscape-small.bmp"
$im "$tmp/shapes.png" -strip -colors 8 -type Palette BMP3:"$out/shapes-palette.bmp"
$im "$tmp/shapes.png" -strip -colors 8 "$out/shapes.gif"
$im "$tmp/shapes.png" -strip -depth 8 -type TrueColor -alpha off -compress None -endian LSB "$out/shapes.tif"
ls -l "$out"
