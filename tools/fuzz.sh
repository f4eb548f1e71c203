#!/usr/bin/env bash
# Fuzzes the game's file readers: builds the libFuzzer targets of tests/fuzz with clang into
# build-fuzz and runs each for a bounded time on a copy of its seed corpus (tests/fuzz/corpus,
# left unchanged). Exits non-zero, naming the crashing input, when a target finds a fault.
#   tools/fuzz.sh [seconds-per-target] [seed]     (default 60 s, a new random seed each run)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -eq 0 ]; then
  echo "usage: tools/fuzz.sh [seconds-per-target]: \"$seconds\" is not a whole number of seconds" >&2
  exit 2
fi
seed=${2:-0}
if ! [[ "$seed" =~ ^[0-9]+$ ]]; then
  echo "usage: tools/fuzz.sh [seconds-per-target] [seed]: \"$seed\" is not a whole number" >&2
  exit 2
fi
build=$top/build-fuzz
mkdir -p "$build"
CC=clang CXX=clang++ cmake -S "$top" -B "$build" -DVANTORIX_FUZZ=ON \
  > "$build/fuzz-configure.log" 2>&1 || { cat "$build/fuzz-configure.log"; exit 1; }
cmake --build "$build" -j2 --target fuzz_targets

# None of the targets opens a window or a sound device: the picture reader is exercised apart
# from the GL upload. The dummy sound driver only guards against SDL ever reaching for one.
export SDL_AUDIODRIVER=dummy
export LSAN_OPTIONS="suppressions=$top/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

run=$build/fuzz-run
failed=()
for source in "$top"/tests/fuzz/*_fuzz.cpp; do
  target=$(basename "$source" .cpp)
  name=${target%_fuzz}
  work=$run/$name
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/crashes"
  if [ -d "$top/tests/fuzz/corpus/$name" ]; then
    cp "$top/tests/fuzz/corpus/$name"/* "$work/corpus/"
  fi
  # Inputs may grow to 8 KB, or to the largest seed (a whole 320 x 240 webcam picture).
  largest=$(find "$work/corpus" -type f -printf '%s\n' | sort -n | tail -1)
  maxlen=$(( ${largest:-0} > 8192 ? ${largest:-0} : 8192 ))
  echo "== $target: $seconds s =="
  status=0
  # -close_fd_mask=2 quiets the game's warnings about each damaged input; the fuzzer's and the
  # sanitizers' reports still come through.
  "$build/$target" "$work/corpus" -max_total_time="$seconds" -max_len="$maxlen" -timeout=10 -seed="$seed" \
    -rss_limit_mb=2048 -close_fd_mask=2 -print_final_stats=1 \
    -artifact_prefix="$work/crashes/" > "$work/log.txt" 2>&1 || status=$?
  grep -E "^#[0-9]+[[:space:]]+DONE" "$work/log.txt" | tail -1 || true
  crashes=$(find "$work/crashes" -type f | sort)
  if [ "$status" -ne 0 ] || [ -n "$crashes" ]; then
    echo "$target FAILED (exit status $status); its report, from $work/log.txt:"
    grep -v -E "^#[0-9]+[[:space:]]" "$work/log.txt" | tail -40
    for crash in $crashes; do
      echo "crashing input: $crash"
      echo "  replay it with: $build/$target $crash"
    done
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]}"
  exit 1
fi
echo "fuzzing found no faults"
