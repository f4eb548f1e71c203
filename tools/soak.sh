#!/usr/bin/env bash
# A long random fight on the rules alone (the rules' bounds checked every frame), then on the real
# game with the webcam worker on a test source; prints the resident memory as it goes, its change
# since the first minute, and a verdict.
#   tools/soak.sh [MINUTES] [BUILD_DIR]     (10 minutes in build-soak by default)
# The build is the plain one; for a sanitized run, point BUILD_DIR at a build configured with
# -DVANTORIX_SANITIZE=address,undefined. The game runs on an Xvfb server of its own; the sound
# goes to SDL's dummy driver. Exits 0 when the verdict is PASS.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
minutes=${1:-10}
build=${2:-$top/build-soak}
source="videotestsrc is-live=true pattern=ball"

if ! [[ "$minutes" =~ ^[0-9]+$ ]] || [ "$minutes" -lt 1 ]; then
  echo "soak.sh: the length must be a whole number of minutes, not \"$minutes\"" >&2
  echo "usage: tools/soak.sh [MINUTES] [BUILD_DIR]" >&2
  exit 2
fi
export SDL_AUDIODRIVER=dummy
export LSAN_OPTIONS="suppressions=$top/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

mkdir -p "$build"
build=$(cd "$build" && pwd)
echo "building the game and the soak driver in $build ..." >&2
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$build" > "$build/soak-configure.log" 2>&1 ||
    { cat "$build/soak-configure.log" >&2; exit 1; }
fi
cmake --build "$build" -j2 --target vantorix soak_fight > "$build/soak-build.log" 2>&1 ||
  { tail -40 "$build/soak-build.log" >&2; exit 1; }

exec "$build/soak_fight" "$build/vantorix" "$top/data" $((minutes * 60)) "$source"
