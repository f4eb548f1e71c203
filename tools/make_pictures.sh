#!/usr/bin/env bash
# Draws the game's panels, sign icons, announcements and lens-flare pictures into data/ as 24-bit BMP files.
#
# Usage: tools/make_pictures.sh [output-dir]   (default: data/ next to this script)
# Needs: imagemagick, python3, fonts-dejavu-core.
#
# Every picture is laid out at the shape it has on the 800 x 600 screen and then
# stretched to power-of-two sides for the texture, so it looks right once drawn:
#   life panels   0.6 x 0.2 overlay units, ~240 x 60 px  -> 256 x 128
#   sign icons    0.18 x 0.18,             ~72 x 54 px   -> 128 x 128
#   duel marks    0.18 x 0.08,             ~72 x 24 px   -> 128 x 64
#   announcements 1.0 x 0.2,               ~400 x 60 px  -> 512 x 128
#   lens flare    square                                 -> 256 x 256
# The pictures have no alpha channel: black is what blends into the space sky.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../data}
mkdir -p "$out"
out=$(cd "$out" && pwd)
for tool in convert python3; do
  command -v "$tool" >/dev/null || { echo "make_pictures: '$tool' is missing (tools/asset-packages.txt lists it)" >&2; exit 1; }
done
FONT=DejaVu-Sans-Bold
OBLIQUE=DejaVu-Sans-Bold-Oblique
convert -list font | grep -q "Font: $FONT\$" || { echo "make_pictures: font $FONT is missing (install fonts-dejavu-core)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Writes a picture as the game's BMP loader wants it: uncompressed 24-bit BI_RGB,
# bottom-up rows, no alpha, no colour-space header (BMP3).
to_bmp() { # in, name, WxH
  convert "$1" -resize "$3!" -alpha off -type TrueColor -define bmp:format=bmp3 "BMP3:$out/$2"
}

# Puts a line of text on a picture: the text fitted into a box, filled with a top
# to bottom gradient, ringed with a dark outline and a soft coloured glow.
sticker() { # background, result, gravity, box WxH, box offset +X+Y, font, text, top, bottom, outline, outline px, glow
  local bg=$1 dst=$2 gravity=$3 box=$4 offset=$5 font=$6 text=$7 top=$8 bottom=$9 line=${10} width=${11} glow=${12}
  local size
  size=$(convert "$bg" -format '%wx%h' info:)
  convert -background black -fill white -font "$font" -size "$box" -gravity center "label:$text" \
    -background black -gravity "$gravity" -geometry "$offset" \( -size "$size" xc:black \) +swap -composite \
    "$work/mask.png"
  convert "$work/mask.png" -morphology Dilate "Disk:$width" "$work/outline.png"
  convert "$work/outline.png" -morphology Dilate "Disk:$((width + 3))" -blur 0x10 "$work/glow.png"
  convert "$bg" \
    \( -size "$size" xc:"$glow" \) "$work/glow.png" -composite \
    \( -size "$size" xc:"$line" \) "$work/outline.png" -composite \
    \( -size "$size" gradient:"$top-$bottom" \) "$work/mask.png" -composite \
    "$dst"
}

# --- life panels: name plate above each life bar -----------------------------
# The life bar is drawn first and the panel cannot cover it (same depth, depth
# test "less"), so the bar shows through a gauge slot left for it: overlay x 0.05
# to 0.55 and y 0.05 to 0.11 of the 0.6 x 0.2 panel, here x 43-469, y 58-96 of 512 x 128.
panel() { # name, text, gravity, main colour, light colour, dark colour
  local name=$1 text=$2 gravity=$3 main=$4 light=$5 dark=$6 ticks="" f x
  for f in 1 2 3; do
    x=$((43 + 426 * f / 4))
    ticks+="line $x,101 $x,108 "
  done
  convert -size 512x128 xc:black \
    \( -size 512x128 gradient:"$dark"-black \) \
    \( -size 512x128 xc:black -fill white -draw "roundrectangle 4,4 507,123 18,18" \) -composite \
    -fill none -stroke "$main" -strokewidth 6 -draw "roundrectangle 4,4 507,123 18,18" \
    -stroke "$light" -strokewidth 1.5 -draw "roundrectangle 11,11 500,116 12,12" \
    -fill black -stroke "$main" -strokewidth 2.5 -draw "rectangle 38,53 474,101" \
    -stroke "$light" -strokewidth 2 -draw "$ticks" \
    "$work/panel_bg.png"
  # the name sits above the slot, toward the panel's outer side
  if [ "$gravity" = NorthWest ]; then
    convert "$work/panel_bg.png" -fill "$main" -stroke none \
      -draw "polygon 400,16 420,16 404,46 384,46" -draw "polygon 428,16 448,16 432,46 412,46" \
      -draw "polygon 456,16 476,16 460,46 440,46" "$work/panel_deco.png"
    sticker "$work/panel_deco.png" "$work/panel.png" "$gravity" 320x46 +24+7 "$FONT" "$text" white "$light" "$dark" 3 "$main"
  else
    convert "$work/panel_bg.png" -fill "$main" -stroke none \
      -draw "polygon 56,16 76,16 60,46 40,46" -draw "polygon 84,16 104,16 88,46 68,46" \
      -draw "polygon 112,16 132,16 116,46 96,46" "$work/panel_deco.png"
    sticker "$work/panel_deco.png" "$work/panel.png" "$gravity" 320x46 +24+7 "$FONT" "$text" white "$light" "$dark" 3 "$main"
  fi
  to_bmp "$work/panel.png" "$name" 256x128
}

panel CPLifeSM.bmp "PLAYER 1" NorthWest "#3c78ff" "#a8c8ff" "#0a1c50"
panel CPLifeRS.bmp "PLAYER 2" NorthEast "#ff3c3c" "#ffb0a8" "#500a0a"

# --- sign icons --------------------------------------------------------------

for sign in rock:pierre paper:feuille scissors:ciseaux; do
  python3 "$here/pictures/hands.py" "${sign%%:*}" 256 192 >"$work/hand.ppm"
  to_bmp "$work/hand.ppm" "${sign##*:}.bmp" 128x128
done

# --- centre announcements ----------------------------------------------------

# The announcements are drawn over the Earth as often as over the sky, where a plain black
# ground would show as a stray black box: each sits on a framed plate of its own colours.
plate() { # result, dark colour, frame colour, light colour
  convert -size 1000x150 xc:black \
    \( -size 1000x150 gradient:"$2"-"#020308" \) \
    \( -size 1000x150 xc:black -fill white -draw "roundrectangle 4,4 995,145 26,26" \) -composite \
    -fill none -stroke "$3" -strokewidth 6 -draw "roundrectangle 4,4 995,145 26,26" \
    -stroke "$4" -strokewidth 1.5 -draw "roundrectangle 13,13 986,136 18,18" \
    "$1"
}

banner() { # name, font, text, top, bottom, outline, glow
  plate "$work/banner_bg.png" "$6" "$7" "$4"
  sticker "$work/banner_bg.png" "$work/banner.png" center 900x104 +0+0 "$2" "$3" "$4" "$5" "$6" 5 "$7"
  to_bmp "$work/banner.png" "$1" 512x128
}

banner chiffou.bmp "$FONT" "CHI-FOU" "#fff6a0" "#ff9000" "#401800" "#ff7000"
banner mi.bmp "$FONT" "MI!" "#c8ffff" "#00a8ff" "#002040" "#0090ff"
banner critical.bmp "$OBLIQUE" "CRITICAL!" "#fff27a" "#ff2a00" "#3a0000" "#ff3000"
banner pawin.bmp "$FONT" "PLAYER 1 WINS THE DUEL" "#d8e8ff" "#2a5cff" "#000a30" "#3070ff"
banner prwin.bmp "$FONT" "PLAYER 2 WINS THE DUEL" "#ffd8d0" "#ff1a1a" "#300000" "#ff2020"

# "PAF!" on a comic burst: a jagged star stretched to the banner's shape.
burst=$(python3 -c '
import math
points = []
for k in range(44):
    a = 2 * math.pi * k / 44
    out = k % 2 == 0
    reach = (1.0 if k % 4 == 0 else 0.86) if out else 0.68
    points.append("%.1f,%.1f" % (500 + 350 * reach * math.cos(a), 75 + 60 * reach * math.sin(a)))
print(" ".join(points))')
plate "$work/paf_plate.png" "#3a1000" "#ff6a00" "#ffd060"
convert "$work/paf_plate.png" -fill "#ff5a00" -draw "polygon $burst" "$work/burst_edge.png"
convert -size 1000x150 xc:black -fill white -draw "polygon $burst" -morphology Erode Disk:7 "$work/burst_mask.png"
convert "$work/burst_edge.png" \( -size 1000x150 radial-gradient:"#fffbd0"-"#ffc000" \) "$work/burst_mask.png" -composite "$work/burst.png"
sticker "$work/burst.png" "$work/paf.png" center 470x120 +0+0 "$OBLIQUE" "PAF!" "#ff4a3a" "#a00000" "#2a0000" 5 "#ff8000"
to_bmp "$work/paf.png" paf.bmp 512x128

# --- duel-won mark: a gold star and "WIN" ------------------------------------

star=$(python3 -c '
import math
print(" ".join("%.1f,%.1f" % (34 + (28 if k % 2 == 0 else 11.5) * math.sin(math.pi * k / 5),
                              34 - (28 if k % 2 == 0 else 11.5) * math.cos(math.pi * k / 5)) for k in range(10)))')
convert -size 192x64 xc:black -fill "#ffd21f" -stroke "#7a4a00" -strokewidth 3 -draw "polygon $star" "$work/win_bg.png"
sticker "$work/win_bg.png" "$work/win.png" East 120x52 +6+0 "$FONT" "WIN" "#fff4a0" "#ffae00" "#3a2000" 3 "#ff9000"
to_bmp "$work/win.png" win.bmp 128x64

# --- lens flare --------------------------------------------------------------

for flare in sun:sun cross:croix halo:halo; do
  python3 "$here/pictures/flares.py" "${flare%%:*}" 256 >"$work/flare.ppm"
  to_bmp "$work/flare.ppm" "${flare##*:}.bmp" 256x256
done

echo "make_pictures: wrote the panels, sign icons, announcements, duel mark and lens-flare pictures in $out"
