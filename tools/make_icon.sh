#!/usr/bin/env bash
# Draws the game's icon from the rock sign's fist (data/pierre.bmp) into dist/icons/, one PNG a size.
#
# Usage: tools/make_icon.sh [output-dir]   (default: dist/icons/ next to this script's folder)
# Needs: ImageMagick's convert. Same script, same pictures: nothing random, no dates in the files.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
out=${1:-$top/dist/icons}
command -v convert >/dev/null || { echo "make_icon: ImageMagick's 'convert' is missing" >&2; exit 1; }
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The fist without its framed backdrop: its bright skin and dark outline, closed and grown a
# little so that the outline stays with it.
convert "$top/data/pierre.bmp" -crop 96x96+16+16 +repage "$work/fist-source.png"
convert "$work/fist-source.png" -colorspace gray -threshold 30% \
  -morphology Close disk:3 -morphology Dilate disk:1.5 -blur 0x0.6 "$work/fist-mask.png"
convert "$work/fist-source.png" "$work/fist-mask.png" -alpha off -compose copy_opacity -composite \
  -resize 180x180 "$work/fist.png"

# Night sky in a rounded square, a few stars, the red planet behind the fist.
convert -size 256x256 radial-gradient:'#1c2a55'-'#03040a' \
  \( -size 256x256 xc:black -fill white -draw "roundrectangle 4,4 251,251 44,44" \) \
  -alpha off -compose copy_opacity -composite "$work/sky.png"
convert -size 120x120 radial-gradient:'#ff8a5a'-'#7a1a08' \
  \( -size 120x120 xc:black -fill white -draw "circle 59.5,59.5 59.5,2" \) \
  -alpha off -compose copy_opacity -composite "$work/planet.png"

# The rim in the two players' colours: blue on the left, red on the right.
convert -size 256x256 xc:none -fill none -stroke '#4a7dff' -strokewidth 8 \
  -draw "roundrectangle 6,6 249,249 42,42" "$work/rim-left.png"
convert -size 256x256 xc:none -fill none -stroke '#ff4040' -strokewidth 8 \
  -draw "roundrectangle 6,6 249,249 42,42" -region 128x256+0+0 -alpha transparent "$work/rim-right.png"

convert "$work/sky.png" \
  -fill '#ffffffcc' -draw "point 40,60 point 200,40 point 70,200 point 224,190 point 30,140 point 120,30 point 180,232 point 100,90" \
  "$work/planet.png" -geometry +124+12 -compose over -composite \
  "$work/fist.png" -geometry +30+58 -compose over -composite \
  "$work/rim-left.png" -composite "$work/rim-right.png" -composite "$work/icon.png"

for size in 16 24 32 48 64 128 256; do
  convert "$work/icon.png" -resize "${size}x${size}" -depth 8 -strip \
    -define png:exclude-chunks=date,time "$out/vantorix-$size.png"
done
echo "make_icon: wrote $out/vantorix-{16,24,32,48,64,128,256}.png"
