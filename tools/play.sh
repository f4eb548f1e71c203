#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it from data/, with a display or without.
#
# Usage: tools/play.sh [--screenshot [FILE]] [game options...]
#   --screenshot [FILE]  no window: the game runs on a virtual display for a few seconds and a
#                        picture of it is saved in FILE (default vantorix-screenshot.png)
# Every other option goes on to the game (tools/play.sh --help lists them). Without a display the
# script says so and points at --screenshot; without a sound device the game plays silent.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/install-packages.sh" "$top/tools/packages.txt"
"$top/tools/build.sh" "$top/build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
exec "$top/dist/start_game.sh" tools/play.sh "$top/build/vantorix" "$top/data" "$@"
