#!/usr/bin/env bash
# Starts the game program in its data folder with the player's options, on machines that lack a display or a sound device too.
#
# Usage: start_game.sh NAME PROGRAM DATA_DIR [--screenshot [FILE]] [game options...]
#   NAME      how the player started the game (tools/play.sh, vantorix), for the hints it prints
#   PROGRAM   the game program; DATA_DIR the folder it reads its data from (its working directory)
#   --screenshot [FILE]  runs the game on a virtual display for a few seconds and saves a picture
#             of the game window in FILE (default vantorix-screenshot.png); needs xvfb-run, xdotool
#             and ImageMagick's import
# Every other option goes on to the game. The game itself reads no environment variable: this
# script alone chooses SDL's dummy audio driver, after the game has said that no sound device
# opens, and says so in one line.
set -uo pipefail

if [ $# -lt 3 ]; then
  echo "Usage: $0 NAME PROGRAM DATA_DIR [--screenshot [FILE]] [game options...]" >&2
  exit 2
fi
name=$1
program=$2
data=$3
shift 3

# How long the game runs on the virtual display before its picture is taken, and how long it
# may take to open its window or to end.
SHOT_AFTER_SECONDS=4
WINDOW_WAIT_SECONDS=60
EXIT_WAIT_SECONDS=20
GAME_WINDOW=Vantorix
AUDIO_FAILURE="Unable to initialize audio: "
GL_FAILURE="cannot open the 800 x 600 OpenGL game window"

# The game's own words on standard error are kept here as well, to tell its failures apart.
errors=$(mktemp "${TMPDIR:-/tmp}/vantorix-errors.XXXXXX")
trap 'rm -f "$errors"' EXIT

absolute() {
  case $1 in
    /*) printf '%s\n' "$1" ;;
    *) printf '%s\n' "$PWD/$1" ;;
  esac
}

check_program() {
  if [ ! -x "$program" ]; then
    echo "$name: there is no game program at $program" >&2
    exit 1
  fi
  if [ ! -d "$data" ]; then
    echo "$name: there is no data folder at $data" >&2
    exit 1
  fi
}

# Starts the game in the background on the current display with the dummy audio driver, waits
# for its window, lets it play, saves the window's picture and presses Escape in it.
screenshot_here() {
  local file=$1
  shift
  local log
  log=$(mktemp "${TMPDIR:-/tmp}/vantorix-shot.XXXXXX")
  (cd "$data" && SDL_AUDIODRIVER=dummy exec "$program" "$@") >"$log" 2>&1 &
  local pid=$! window="" waited=0
  while [ -z "$window" ] && [ $waited -lt $((WINDOW_WAIT_SECONDS * 10)) ]; do
    if ! kill -0 "$pid" 2>/dev/null; then
      break
    fi
    window=$(xdotool search --name "^$GAME_WINDOW\$" 2>/dev/null | head -n 1)
    [ -n "$window" ] || { sleep 0.1; waited=$((waited + 1)); }
  done
  if [ -z "$window" ]; then
    echo "$name: the game did not open its window on the virtual display:" >&2
    cat "$log" >&2
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    rm -f "$log"
    return 1
  fi
  sleep "$SHOT_AFTER_SECONDS"
  local x=0 y=0 status=0
  eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^[XY]=[0-9]+$')"
  x=${X:-0}
  y=${Y:-0}
  import -window root -crop "800x600+$x+$y" +repage "$file" || status=1
  xdotool windowfocus --sync "$window" key Escape 2>/dev/null
  for ((waited = 0; waited < EXIT_WAIT_SECONDS * 10; waited++)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  rm -f "$log"
  if [ $status -ne 0 ]; then
    echo "$name: could not take the picture of the game window" >&2
    return 1
  fi
  echo "Saved a picture of the game window in $file"
}

# Internal: the virtual display has been started and this is the run inside it.
if [ "${1:-}" = "--screenshot-on-this-display" ]; then
  shift
  file=$1
  shift
  screenshot_here "$file" "$@"
  exit $?
fi

# The runner's own option is taken out wherever it stands; the rest goes on to the game.
shot=""
game_options=()
while [ $# -gt 0 ]; do
  if [ "$1" = "--screenshot" ]; then
    shot=vantorix-screenshot.png
    if [ $# -gt 1 ] && [ "${2#-}" = "$2" ]; then
      shot=$2
      shift
    fi
  elif [ "${1%%=*}" = "--screenshot" ]; then
    shot=${1#*=}
  elif { [ "$1" = "--record" ] || [ "$1" = "--replay" ]; } && [ $# -gt 1 ] && [ -n "$2" ] && [ "${2#--}" = "$2" ]; then
    # The game runs in its data folder: a recording's name is made to mean the player's folder.
    game_options+=("$1" "$(absolute "$2")")
    shift
  elif { [ "${1%%=*}" = "--record" ] || [ "${1%%=*}" = "--replay" ]; } && [ -n "${1#*=}" ] && [ "${1#*=}" != "$1" ]; then
    game_options+=("${1%%=*}=$(absolute "${1#*=}")")
  else
    game_options+=("$1")
  fi
  shift
done

check_program

for option in "${game_options[@]}"; do
  if [ "$option" = "--help" ]; then
    (cd "$data" && exec "$program" "${game_options[@]}")
    status=$?
    echo "  --screenshot [FILE]        run the game on a virtual display for a few seconds and save"
    echo "                             a picture of it in FILE (default vantorix-screenshot.png)"
    exit $status
  fi
done

if [ -n "$shot" ]; then
  for tool in xvfb-run xdotool import; do
    if ! command -v "$tool" >/dev/null; then
      echo "$name: --screenshot needs $tool (Debian packages xvfb, xdotool and imagemagick)" >&2
      exit 1
    fi
  done
  shot=$(absolute "$shot")
  # -noreset: the first client to leave (a window search before the game has connected) must not
  # make the server reset under the game as it connects.
  exec xvfb-run -a -s "-noreset -screen 0 1280x1024x24" \
    "$(absolute "$0")" "$name" "$program" "$data" --screenshot-on-this-display "$shot" \
    "${game_options[@]}"
fi

# A display that is not there, or does not answer, would only end the game with an error from
# the depths of its video start-up.
if [ -z "${DISPLAY:-}" ]; then
  echo "$name: there is no display to open the game's windows on (DISPLAY is empty); to see the game anyway, run: $name --screenshot [FILE]" >&2
  exit 1
fi
if command -v xdpyinfo >/dev/null && ! xdpyinfo >/dev/null 2>&1; then
  echo "$name: the display \"$DISPLAY\" does not answer; to see the game anyway, run: $name --screenshot [FILE]" >&2
  exit 1
fi

# The game's standard error reaches the player and, through tee, the file; its standard output
# goes straight to the player.
run_game() {
  local statuses
  exec 3>&1
  (cd "$data" && exec "$program" "$@") 2>&1 1>&3 3>&- | tee "$errors" >&2
  statuses=("${PIPESTATUS[@]}")
  exec 3>&-
  return "${statuses[0]}"
}

run_game "${game_options[@]}"
status=$?
if [ $status -eq 1 ] && grep -q "^$AUDIO_FAILURE" "$errors" && [ "${SDL_AUDIODRIVER:-}" != dummy ]; then
  echo "$name: no sound device could be opened; the game plays without sound" >&2
  cd "$data" || exit 1
  SDL_AUDIODRIVER=dummy exec "$program" "${game_options[@]}"
fi
if [ $status -eq 1 ] && grep -q "$GL_FAILURE" "$errors"; then
  echo "$name: the game needs OpenGL on the display \"$DISPLAY\" (on Debian: the package libgl1-mesa-dri); see \"No OpenGL\" in README.md" >&2
fi
exit $status
