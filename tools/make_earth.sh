#!/usr/bin/env bash
# Makes data/earthmap1k.bmp, the Earth's surface texture, from the NASA map that Debian's xplanet-images ships.
#
# Usage: tools/make_earth.sh [output-dir]   (default: data/ next to this script)
# Needs: imagemagick, xplanet-images. The map comes equirectangular, north at the top, longitude
# -180 at the left edge. The sphere's mapping runs the map's columns round the globe westward as
# seen from outside, which would show that map's continents mirrored (Australia west of India). So
# the map is scaled and flipped left to right, longitude +180 at the left edge: seen from outside
# the continents are the real ones. Turning it half round would also stand it on its head.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../data}
source_map=/usr/share/xplanet/images/earth.jpg

command -v convert >/dev/null || { echo "make_earth: 'convert' is missing (install imagemagick)" >&2; exit 1; }
[ -r "$source_map" ] || { echo "make_earth: $source_map not found (install xplanet-images)" >&2; exit 1; }
mkdir -p "$out"
out=$(cd "$out" && pwd)

# BMP3 with no alpha is the plain 24-bit bottom-up BI_RGB file the game's BMP loader expects.
convert "$source_map" -strip -filter Lanczos -resize '1024x512!' -flop -alpha off -type TrueColor \
  -define bmp:format=bmp3 "BMP3:$out/earthmap1k.bmp"
echo "make_earth: wrote $out/earthmap1k.bmp"
