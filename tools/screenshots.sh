#!/usr/bin/env bash
# Plays a few scenes of the real game on a virtual display with scripted key presses and saves their pictures for the README.
#
# Usage: tools/screenshots.sh [BUILD_DIR] [OUT_DIR]   (defaults: build/ and docs/ of this clone)
# Needs: xvfb-run, xdotool, ImageMagick. Builds the game program in BUILD_DIR first.
# Writes into OUT_DIR:
#   fight.png   the fight at rest, a few seconds after the start
#   special.png player 1's special attack lunging at player 2, sparks flying off player 2
#   duel.png    a sign duel under way: the countdown banner, the slow-motion specials and sparks
#   duel-won.png the end of that duel: the winner's banner and the duel marks on the towers
#   start-screen.png the start screen (--menu) over the scenery
# The sparks fly at random and the moments are caught from a stream of pictures, so each run gives
# slightly different ones: look at them before keeping them. KEEP_PICTURES=DIR keeps every picture
# taken, to choose another by hand.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)

# How long to wait for the game window, and the pause between two key presses: long enough for
# each press to fall in a frame of its own, as a player's would.
WINDOW_WAIT_TENTHS=600
KEY_DELAY_MS=60

if [ "${1:-}" != "--on-this-display" ]; then
  build=${1:-$top/build}
  out=${2:-$top/docs}
  for tool in xvfb-run xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "screenshots: '$tool' is missing" >&2; exit 1; }
  done
  TARGETS=vantorix "$top/tools/build.sh" "$build" >/dev/null
  mkdir -p "$out"
  out=$(cd "$out" && pwd)
  build=$(cd "$build" && pwd)
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --on-this-display "$build/vantorix" "$out"
fi

program=$2
out=$3
pid=""
window=""

# start_game [OPTIONS...]: the game with these options, the player's settings left out.
start_game() {
  (cd "$top/data" && SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    exec "$program" "$@") >"$work/game.log" 2>&1 &
  pid=$!
  window=""
  for ((waited = 0; waited < WINDOW_WAIT_TENTHS; waited++)); do
    window=$(xdotool search --name '^Vantorix$' 2>/dev/null | head -n 1 || true)
    [ -z "$window" ] || break
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "screenshots: the game ended at start-up:" >&2
      cat "$work/game.log" >&2
      exit 1
    fi
    sleep 0.1
  done
  [ -n "$window" ] || { echo "screenshots: the game window did not open" >&2; exit 1; }
  # The view window took the keyboard as it opened; the game's keys go to the game window.
  xdotool windowfocus --sync "$window"
  sleep 2
}

stop_game() {
  xdotool windowfocus --sync "$window" key Escape 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

press() {
  xdotool key --window "$window" --delay "$KEY_DELAY_MS" "$@"
}

# The game window's picture, as a quick uncompressed PPM.
shot() {
  import -window "$window" -depth 8 "$1"
}

# Pictures one after the other for a number of tenths of a second, as fast as they come (several
# a second), named 001.ppm, 002.ppm...
burst() {
  local folder=$1 tenths=$2 i=1 start
  start=$(date +%s%N)
  mkdir -p "$folder"
  while [ $((($(date +%s%N) - start) / 100000000)) -lt "$tenths" ]; do
    shot "$folder/$(printf %03d "$i").ppm"
    i=$((i + 1))
  done
}

# Mean change from the reference picture in a box (WxH+X+Y), 0 to 1.
change() {
  convert "$1" "$2" -compose difference -composite -crop "$3" +repage -colorspace gray \
    -format '%[fx:mean]' info:
}

# Mean red and green in a box, "R G".
red_green() {
  convert "$1" -crop "$2" +repage -format '%[fx:mean.r] %[fx:mean.g]' info:
}

save_png() {
  convert "$1" -strip -define png:exclude-chunks=date,time "$2"
}

# The duel's announcements show in this box at the bottom centre; the robots fight in the other.
BANNER_BOX=400x70+200+505
# Just left of player 2, where the attacker lands for a frame or two and the sparks fly.
TARGET_BOX=180x250+420+180
# Where player 1 stands before the release.
ATTACKER_BOX=140x220+170+150
# Right of player 2: only the sparks fly there.
SPARKS_BOX=140x300+600+100

# Both robots walk towards each other until they stand 5 apart: still long range, where paper
# and scissors wind up a combo, and close enough for the camera to come in.
walk_closer() {
  local steps=()
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    steps+=(d Left)
  done
  press "${steps[@]}"
  sleep 0.5
}

work=$(mktemp -d)
if [ -n "${KEEP_PICTURES:-}" ]; then
  trap 'mkdir -p "$KEEP_PICTURES" && cp -r "$work"/. "$KEEP_PICTURES"; rm -rf "$work"' EXIT
else
  trap 'rm -rf "$work"' EXIT
fi

start_game
shot "$work/fight.ppm"
save_png "$work/fight.ppm" "$out/fight.png"
stop_game

# Player 1 winds up with paper and releases with rock: the first special attack. At its 14th
# update it lands beside the opponent for a frame or two and the sparks fly. The pictures come a
# few a second, so the scene is played again until one catches the attacker gone from its place
# and beside player 2 (large changes in both boxes since the release) with the sparks flying (a
# change right of player 2, where nothing else moves); after the last try, the nearest to that.
special_try() {
  local folder=$1 picture quiet="" sparks near away
  mkdir -p "$folder"
  start_game
  walk_closer
  press x
  sleep 0.5
  shot "$folder/before.ppm"
  press z
  burst "$folder/after" 15
  stop_game
  for picture in "$folder"/after/*.ppm; do
    sparks=$(change "$folder/before.ppm" "$picture" "$SPARKS_BOX")
    near=$(change "$folder/before.ppm" "$picture" "$TARGET_BOX")
    away=$(change "$folder/before.ppm" "$picture" "$ATTACKER_BOX")
    [ -n "$quiet" ] || quiet=$sparks
    if awk -v s="$sparks" -v q="$quiet" 'BEGIN { exit !(s > 3 * q) }' &&
      awk -v n="$near" -v a="$away" -v b="$special_score" 'BEGIN { exit !(n + a > b) }'; then
      special=$picture
      special_score=$(awk -v n="$near" -v a="$away" 'BEGIN { print n + a }')
      special_landed=$(awk -v n="$near" -v a="$away" 'BEGIN { print (n > 0.01 && a > 0.01) }')
    fi
  done
}

special=""
special_score=-1
special_landed=0
for attempt in 1 2 3 4 5; do
  special_try "$work/special-$attempt"
  [ "$special_landed" != 1 ] || break
done
[ -n "$special" ] || { echo "screenshots: no picture of the special attack's sparks" >&2; exit 1; }
save_png "$special" "$out/special.png"

# Both wind up with paper; player 1 releases with rock while player 2 is still winding up: a sign
# duel in slow motion. Nobody gives another sign, so every exchange is rock against paper and
# player 2 wins all three. The countdown pictures are yellow and blue, "CRITICAL!" and the
# winner's banner red; each announcement is brightest as it arrives and fades within a second.
start_game
walk_closer
press x n
sleep 0.5
shot "$work/before-duel.ppm"
press z
burst "$work/duel" 140
duel=""
brightest=""
brightest_score=-1
arrivals=0
previous_banner=""
ended=0
won=""
previous_red=0
for picture in "$work"/duel/*.ppm; do
  read -r red green <<<"$(red_green "$picture" "$BANNER_BOX")"
  if awk -v r="$red" -v g="$green" 'BEGIN { exit !(r > 0.05 && r > 2.5 * g) }'; then
    # The last red announcement to arrive is the winner's.
    if awk -v r="$red" -v p="$previous_red" 'BEGIN { exit !(r > p) }'; then
      won=$picture
    fi
    previous_red=$red
    ended=1
    continue
  fi
  previous_red=0
  [ $ended -eq 0 ] || continue
  # Under way: the countdown's fourth picture, "MI!", arrives as the slow-motion specials meet.
  # A picture brighter there than the one before brings a new announcement; the first picture
  # brings one only when it is bright, as the backdrop's own slow change shows there too.
  banner=$(change "$work/before-duel.ppm" "$picture" "$BANNER_BOX")
  if awk -v b="$banner" -v p="$previous_banner" \
    'BEGIN { exit !(p == "" ? b > 0.08 : b > p + 0.015) }'; then
    arrivals=$((arrivals + 1))
    [ $arrivals -ne 4 ] || duel=$picture
  fi
  previous_banner=$banner
  if awk -v a="$banner" -v b="$brightest_score" 'BEGIN { exit !(a > b) }'; then
    brightest=$picture
    brightest_score=$banner
  fi
done
# Should the pictures have come too slowly to tell the countdown's steps apart, the brightest.
[ -n "$duel" ] || duel=$brightest
stop_game
[ -n "$duel" ] || { echo "screenshots: no picture of the duel under way" >&2; exit 1; }
[ -n "$won" ] || { echo "screenshots: no picture of the duel's end" >&2; exit 1; }
save_png "$duel" "$out/duel.png"
save_png "$won" "$out/duel-won.png"

# The start screen: Escape there moves to Quit, Enter quits.
start_game --menu
shot "$work/start-screen.ppm"
save_png "$work/start-screen.ppm" "$out/start-screen.png"
press Escape Return
wait "$pid" 2>/dev/null || true
echo "screenshots: wrote fight.png, special.png, duel.png, duel-won.png and start-screen.png in $out"
