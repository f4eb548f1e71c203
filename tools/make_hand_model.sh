#!/usr/bin/env bash
# Makes data/hand_landmark.onnx (the lite model) or data/hand_landmark_full.onnx (the full one)
# from MediaPipe's hand landmark models (the npm package @mediapipe/hands, pinned and checked),
# converted from TFLite to ONNX for OpenCV's dnn.
#   tools/make_hand_model.sh [--out FILE] [--model lite|full] [--check]
# --check then holds the written model, run by OpenCV's dnn, to a numpy run of the TFLite graph on
# opencv-doc's photographs of hands (tools/hand_model/check.py; needs g++, opencv-doc, imagemagick).
# Needs npm and Debian's python3 with flatbuffers, onnx and numpy (tools/model-packages.txt).
# Exit status 2 on bad options or missing tools, 1 when the package or the conversion fails.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
package=@mediapipe/hands
version=0.4.1675469240
integrity=sha512-GxoZvL1mmhJxFxjuyj7vnC++JIuInGznHBin5c7ZSq/RbcnGyfEcJrkM/bMu5K1Mz/2Ko+vEX6/+wewmEHPrHg==
out=
model=lite
check=0
usage() {
  echo "make_hand_model: $1" >&2
  echo "usage: tools/make_hand_model.sh [--out FILE] [--model lite|full] [--check]" >&2
  exit 2
}
while [ $# -gt 0 ]; do
  case "$1" in
    --out) [ $# -ge 2 ] || usage "--out needs a file"; out=$2; shift 2 ;;
    --model) [ $# -ge 2 ] || usage "--model needs lite or full"; model=$2; shift 2 ;;
    --check) check=1; shift ;;
    *) usage "unknown option $1" ;;
  esac
done
[ "$model" = lite ] || [ "$model" = full ] || usage "--model takes lite or full, not \"$model\""
if [ -z "$out" ]; then
  out=$top/data/hand_landmark.onnx
  [ "$model" = lite ] || out=$top/data/hand_landmark_full.onnx
fi
# Debian's own python3, whose packages the list names, whatever else is first on the PATH.
python=/usr/bin/python3
command -v npm >/dev/null || usage "'npm' is missing (tools/model-packages.txt lists it)"
"$python" -c "import flatbuffers, onnx, numpy" 2>/dev/null ||
  usage "$python lacks flatbuffers, onnx or numpy (tools/model-packages.txt lists them)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent "$package@$version" >/dev/null) || { echo "make_hand_model: npm pack $package@$version failed" >&2; exit 1; }
tarball=$work/mediapipe-hands-$version.tgz
got=$("$python" -c "import base64, hashlib, sys
print('sha512-' + base64.b64encode(hashlib.sha512(open(sys.argv[1], 'rb').read()).digest()).decode())" "$tarball")
if [ "$got" != "$integrity" ]; then
  echo "make_hand_model: $package@$version is not the package it should be ($got)" >&2
  exit 1
fi
tar -xzf "$tarball" -C "$work" package/hand_landmark_$model.tflite
"$python" "$top/tools/hand_model/convert.py" "$work/package/hand_landmark_$model.tflite" "$out"
echo "make_hand_model: wrote $out from $package@$version hand_landmark_$model.tflite"
if [ $check = 1 ]; then
  (cd "$top/tools/hand_model" && "$python" check.py "$work/package/hand_landmark_$model.tflite" "$out")
fi
