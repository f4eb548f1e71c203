#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it from data/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/install-packages.sh" "$top/tools/packages.txt"
"$top/tools/build.sh" "$top/build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cd "$top/data"
exec "$top/build/vantorix"
