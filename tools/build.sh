#!/usr/bin/env bash
# Configures and builds the game into a build folder: tools/build.sh BUILD_DIR [cmake options...]
# TARGETS, when set, limits the build to those targets.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$top/build}
shift || true
mkdir -p "$dir"
cmake -S "$top" -B "$dir" "$@" > "$dir/configure.log" 2>&1 || { cat "$dir/configure.log"; exit 1; }
if [ -n "${TARGETS:-}" ]; then
  # shellcheck disable=SC2086
  cmake --build "$dir" -j"$(nproc)" --target $TARGETS
else
  cmake --build "$dir" -j"$(nproc)"
fi
