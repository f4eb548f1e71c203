#!/usr/bin/env bash
# Builds the robot's eighteen key-pose motion files into data/ with tools/robot/make_robot.py.
#
# Usage: tools/make_robot.sh [output-dir] [--preview DIR]   (default: data/ next to this script)
# Needs: python3 (standard library only); ImageMagick's convert turns previews into PNG.
# Same script, same files: the generator has no randomness and prints fixed decimals.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=$(cd "$here/.." && pwd)/data
if [ $# -gt 0 ] && [ "${1#--}" = "$1" ]; then
  out=$1
  shift
fi
command -v python3 >/dev/null || { echo "make_robot: 'python3' is missing" >&2; exit 1; }
exec python3 "$here/robot/make_robot.py" --out "$out" "$@"
