#!/usr/bin/env bash
# Measures the design way and the room way of finding hands on room_scenes' synthetic rooms, whose
# true hands are known, and writes the table into docs/hands.md.
#   tools/hands_table.sh [--build DIR] [--scenes DIR] [--seed S] [--scenes-per-condition K] [--print-only]
# Without --scenes the rooms are made in a temporary folder, removed afterwards. A --scenes folder
# that already holds scenes is measured as it is; an empty or missing one is filled first.
# Exit status 2 on bad options or missing programs, 1 when a program fails on the scenes.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$top/build
scenes=
seed=1
per=4
write=1
usage() {
  echo "tools/hands_table.sh: $1" >&2
  echo "usage: tools/hands_table.sh [--build DIR] [--scenes DIR] [--seed S] [--scenes-per-condition K] [--print-only]" >&2
  exit 2
}
while [ $# -gt 0 ]; do
  case "$1" in
    --build|--scenes|--seed|--scenes-per-condition)
      [ $# -ge 2 ] || usage "$1 needs a value"
      case "$1" in
        --build) build=$2 ;;
        --scenes) scenes=$2 ;;
        --seed) seed=$2 ;;
        --scenes-per-condition) per=$2 ;;
      esac
      shift 2 ;;
    --print-only) write=0; shift ;;
    *) usage "unknown option $1" ;;
  esac
done
[[ "$seed" =~ ^[0-9]+$ ]] || usage "--seed takes a whole number, not \"$seed\""
[[ "$per" =~ ^[0-9]+$ ]] && [ "$per" -ge 1 ] || usage "--scenes-per-condition takes a count from 1, not \"$per\""
for program in room_scenes hands_read; do
  [ -x "$build/$program" ] || usage "no $build/$program: build it first (cmake --build $build --target $program)"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -z "$scenes" ]; then
  scenes=$work/scenes
fi
# OpenCV's documentation holds a photograph of an open hand: when it and ImageMagick are here, the
# set also has daylight rooms whose open hands are that photograph.
photo=/usr/share/doc/opencv-doc/opencv4/html/handSrc.jpg
photo_option=()
if [ -f "$photo" ] && command -v convert > /dev/null && convert "$photo" "$work/hand.ppm" 2> /dev/null; then
  photo_option=(--photo-hand "$work/hand.ppm")
fi
if ! compgen -G "$scenes/*/scene.txt" > /dev/null; then
  "$build/room_scenes" --out "$scenes" --seed "$seed" --scenes-per-condition "$per" "${photo_option[@]}"
fi

python3 - "$scenes" "$build/hands_read" "$top/docs/hands.md" "$write" "$top/data/hand_landmark.onnx" \
  "$top/data/hand_landmark_full.onnx" <<'PYTHON'
import glob, os, subprocess, sys, time

scenes, hands_read, doc, write, model, second = sys.argv[1:7]
write = write == "1"
# The room way reads signs from the hand's outline, or with the hand landmark model when it is here.
WAYS = {"design": ["--hands", "design"], "room": ["--hands", "room", "--no-learned"]}
if os.path.exists(model):
    # The second model beside it where it is here, as the game asks it.
    both = ["--second-model", second] if os.path.exists(second) else ["--one-model"]
    WAYS["room, landmarks"] = ["--hands", "room", "--model", model] + both
BEGIN, END = "<!-- hands_table begin -->", "<!-- hands_table end -->"

def read_pairs(path):
    values = {}
    for line in open(path):
        words = line.split()
        if len(words) == 2 and not line.startswith("#"):
            values[words[0]] = words[1]
    return values

def read_rows(lines):
    rows = {}
    for line in lines:
        words = line.split()
        if line.startswith("#") or len(words) < 6:
            continue
        rows[(int(words[0]), int(words[1]))] = [float(w) for w in words[2:]]
    return rows

# The game's walking rule on a hand's column within its half: -1 left, 0 none, 1 right.
def step(x):
    offset = x - 80
    return 0 if abs(offset) < 15 else (-1 if offset >= 15 else 1)

def run(way, folder, info):
    frames = sorted(glob.glob(os.path.join(folder, "*.ppm")))
    command = [hands_read] + WAYS[way] + ["--empty", info["empty"], "--stand", info["stand"]] + frames
    start = time.monotonic()
    done = subprocess.run(command, capture_output=True, text=True)
    seconds = time.monotonic() - start
    if done.returncode != 0:
        sys.exit("hands_table: hands_read --hands %s failed on %s: %s" % (way, folder, done.stderr.strip()))
    return read_rows(done.stdout.splitlines()), seconds, len(frames)

COUNTS = ["scenes", "play", "hands", "near", "walk", "sign", "found_sign", "missed", "down", "down_found", "down_sign", "gone",
          "gone_found", "gone_sign",
          "seconds", "frames"]
SIGNS = ["none", "rock", "paper", "scissors"]

def tally(total, truth, found, info):
    first = int(info["empty"]) + int(info["stand"])
    last = first + int(info["play"])
    for (frame, player), (present, tx, ty, tsign) in truth.items():
        if frame < first:
            continue
        got = found.get((frame, player))
        if got is None:
            sys.exit("hands_table: no reading of frame %d player %d" % (frame, player))
        is_found, x, y, sign = got[0] == 1, got[1], got[2], int(got[3])
        walk = int(got[4]) if len(got) > 4 else step(x)
        if frame >= last:
            total["gone"] += 1
            total["gone_found"] += is_found
            total["gone_sign"] += is_found and sign != 0
        elif present == 1:
            total["hands"] += 1
            total["near"] += is_found and abs(x - tx) <= 15
            total["walk"] += walk == step(tx)
            total["sign"] += is_found and sign == int(tsign)
            total["found_sign"] += is_found and sign == int(tsign) and abs(x - tx) <= 15
            total["missed"] += not is_found
            read = sign if is_found and 0 <= sign < len(SIGNS) else 0
            total[("read", int(tsign), read)] = total.get(("read", int(tsign), read), 0) + 1
        else:
            total["down"] += 1
            total["down_found"] += is_found
            total["down_sign"] += is_found and sign != 0

def percent(part, whole):
    return "%.0f %%" % (100.0 * part / whole) if whole else "-"

def measure():
    totals = {}
    for folder in sorted(glob.glob(os.path.join(scenes, "*", "scene.txt"))):
        folder = os.path.dirname(folder)
        info = read_pairs(os.path.join(folder, "scene.txt"))
        truth = read_rows(open(os.path.join(folder, "truth.txt")))
        for way in WAYS:
            for key in ((info["condition"], way), ("all", way)):
                totals.setdefault(key, dict.fromkeys(COUNTS, 0))
            found, seconds, frames = run(way, folder, info)
            for key in ((info["condition"], way), ("all", way)):
                total = totals[key]
                total["scenes"] += 1
                total["play"] += int(info["play"])
                total["seconds"] += seconds
                total["frames"] += frames
                tally(total, truth, found, info)
    return totals

def table(totals):
    lines = ["| condition | way | scenes | play frames | player-frames with a hand | centre within 15 columns |"
             " walking right | sign right | sign right where the hand is found | no hand found |"
             " hand down: one found | hand down: a sign read | nobody there: one found | nobody there: a sign read |"
             " ms a frame |",
             "|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|"]
    order = []
    for condition, way in totals:
        if condition not in order and condition != "all":
            order.append(condition)
    for condition in order + ["all"]:
        for way in WAYS:
            t = totals[(condition, way)]
            name = "**all**" if condition == "all" else condition
            lines.append("| %s | %s | %d | %d | %d | %s | %s | %s | %s | %s | %s | %s | %s | %s | %.1f |" % (
                name, way, t["scenes"], t["play"], t["hands"], percent(t["near"], t["hands"]),
                percent(t["walk"], t["hands"]), percent(t["sign"], t["hands"]), percent(t["found_sign"], t["near"]),
                percent(t["missed"], t["hands"]),
                percent(t["down_found"], t["down"]), percent(t["down_sign"], t["down"]),
                percent(t["gone_found"], t["gone"]), percent(t["gone_sign"], t["gone"]),
                1000.0 * t["seconds"] / max(t["frames"], 1)))
    return "\n".join(lines)

# What each way reads for each true sign, over every scene: where the signs go wrong.
def confusion(totals):
    lines = ["", "Signs read for each true sign, all scenes, share of the player-frames with that sign:", "",
             "| way | true sign | read none | rock | paper | scissors |", "|---|---|---|---|---|---|"]
    for way in WAYS:
        t = totals[("all", way)]
        for true in (1, 2, 3):
            counts = [t.get(("read", true, read), 0) for read in range(4)]
            lines.append("| %s | %s | %s |" % (way, SIGNS[true], " | ".join(percent(c, sum(counts)) for c in counts)))
    return "\n".join(lines)

totals = measure()
text = table(totals) + "\n" + confusion(totals)
print(text)
if write:
    content = open(doc).read()
    if BEGIN not in content or END not in content:
        sys.exit("hands_table: %s has no %s ... %s place for the table" % (doc, BEGIN, END))
    head, rest = content.split(BEGIN, 1)
    tail = rest.split(END, 1)[1]
    open(doc, "w").write(head + BEGIN + "\n" + text + "\n" + END + tail)
PYTHON
