#!/usr/bin/env bash
# Builds the benchmarks in Release and prints one table: each figure beside its reference measured
# in the same run, their ratio, the target and whether it holds.
#   tools/bench.sh [--quick] [BUILD_DIR]     (BUILD_DIR defaults to build-speed)
# --quick weighs the long fight over 3,600 frames instead of 36,000 (a few minutes less).
# Runs under Xvfb by itself when DISPLAY is unset; sound goes to SDL's dummy driver.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

quick=0
if [ "${1:-}" = "--quick" ]; then
  quick=1
  shift
fi
build=${1:-$top/build-speed}

if [ -z "${DISPLAY:-}" ]; then
  if [ $quick = 1 ]; then
    exec xvfb-run -a -s "-noreset -screen 0 1920x1080x24" "$0" --quick "$build"
  fi
  exec xvfb-run -a -s "-noreset -screen 0 1920x1080x24" "$0" "$build"
fi
export SDL_AUDIODRIVER=dummy

mkdir -p "$build"
build=$(cd "$build" && pwd)
echo "building the benchmarks (Release) in $build ..." >&2
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release > "$build/bench-configure.log" 2>&1 ||
  { cat "$build/bench-configure.log" >&2; exit 1; }
cmake --build "$build" -j2 --target vantorix_bench vantorix_frame_probe vantorix_start_probe \
  vantorix_bare_start vantorix_start_timer room_scenes > "$build/bench-build.log" 2>&1 ||
  { tail -40 "$build/bench-build.log" >&2; exit 1; }

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# step NAME PROGRAM ARGS...: runs a probe into $out/NAME, and shows what it said if it failed.
step() {
  local name=$1
  shift
  if ! "$@" > "$out/$name" 2> "$out/$name.err"; then
    echo "tools/bench.sh: $* failed:" >&2
    tail -20 "$out/$name.err" >&2
    exit 1
  fi
}

# Each probe prints "name value" lines; value NAME FILE picks one.
value() { awk -v key="$1" '$1 == key { print $2; exit }' "$2"; }

echo "1/5 hand-sign chain beside a frame copy ..." >&2
"$build/vantorix_bench" --benchmark_filter='^BM_HandSignChainVsCopy/' --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
  awk -F, '/_median"/ { print "chain_us", $(NF-2); print "copy_us", $(NF-1); print "ratio", $NF }' \
  > "$out/analysis"

echo "2/5 frames of a scripted fight (900 frames, paced), in the window and in fullscreen ..." >&2
step frame "$build/vantorix_frame_probe" frame 900
"$build/vantorix_bench" --benchmark_filter='^BM_Robots' --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
  awk -F, '/FromArrays.*_median"/ { print "arrays_us", $3 } /OneCallAVertex.*_median"/ { print "calls_us", $3 }' \
  > "$out/robots"

echo "2b/5 the same fight while the worker finds hands the room way in a synthetic room, and how soon a sign arrives ..." >&2
step scene "$build/room_scenes" --out "$out/rooms" --condition daylight --scenes-per-condition 1
step room "$build/vantorix_frame_probe" room 900 "$out/rooms/daylight-0"
step design_room "$build/vantorix_frame_probe" design-room 900 "$out/rooms/daylight-0"
step latency "$build/vantorix_frame_probe" latency 20 "$out/rooms/daylight-0"

echo "3/5 start-up beside a bare start (7 pairs) ..." >&2
step start "$build/vantorix_start_timer" 7 "$top/data" "$build/vantorix_start_probe" \
  "$build/vantorix_bare_start"

echo "4/5 webcam worker's CPU over 20 s ..." >&2
step worker "$build/vantorix_frame_probe" worker 20

frames=36000
[ $quick = 1 ] && frames=3600
echo "5/5 resident size over $frames frames of random play, unpaced ..." >&2
step memory "$build/vantorix_frame_probe" memory $frames

# row FIGURE MEASURED REFERENCE RATIO TARGET HOLDS
row() { printf '%-34s %-12s %-30s %-8s %-8s %s\n' "$@"; }
# holds VALUE LIMIT: yes when VALUE <= LIMIT.
holds() { awk -v v="$1" -v l="$2" 'BEGIN { print (v != "" && v + 0 <= l + 0) ? "yes" : "NO" }'; }
calc() { awk "BEGIN { printf \"$1\", $2 }"; }

f="$out/frame"
budget=$(value budget_us "$f")
ours=$(awk '$1 ~ /^(events|update|interpolation|copies)_median_us$/ { s += $2 } END { print s }' "$f")
renderer=$(calc "%.1f" "$(value frame_median_us "$f") - $(value interpolation_median_us "$f") - $(value copies_median_us "$f") - $(value events_median_us "$f") - $(value update_median_us "$f")")

echo
echo "Vantorix benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, renderer: $(sed -n 's/^renderer //p' "$f")"
echo
row "figure" "measured" "reference (same run)" "ratio" "target" "holds"
row "----------------------------------" "------------" "------------------------------" "--------" "--------" "-----"
a="$out/analysis"
row "1 hand-sign chain (median)" "$(calc '%.1f us' "$(value chain_us "$a")")" \
  "$(calc 'CopieImage %.1f us' "$(value copy_us "$a")")" "$(calc '%.2f' "$(value ratio "$a")")" "<= 3" \
  "$(holds "$(value ratio "$a")" 3)"
p99=$(value frame_p99_us "$f")
row "2 frame, 99th percentile" "$(calc '%.2f ms' "$p99 / 1000")" "$(calc '1/60 s budget %.2f ms' "$budget / 1000")" \
  "$(calc '%.2f' "$p99 / $budget")" "<= 0.9" "$(holds "$(calc '%.4f' "$p99 / $budget")" 0.9)"
r2="$out/room"
row "  frame, room way, 99th pct." "$(calc '%.2f ms' "$(value room_frame_p99_us "$r2") / 1000")" \
  "$(calc '1/60 s budget %.2f ms' "$budget / 1000")" "$(calc '%.2f' "$(value room_frame_p99_us "$r2") / $budget")" \
  "<= 0.9" "$(holds "$(calc '%.4f' "$(value room_frame_p99_us "$r2") / $budget")" 0.9)"
row "  frame, room way, median" "$(calc '%.2f ms' "$(value room_frame_median_us "$r2") / 1000")" "" "" "-" "-"
d2="$out/design_room"
row "  the same camera, design way, p99" "$(calc '%.2f ms' "$(value room_frame_p99_us "$d2") / 1000")" \
  "$(calc 'room way %.2f ms' "$(value room_frame_p99_us "$r2") / 1000")" \
  "$(calc '%.2f' "$(value room_frame_p99_us "$d2") / $(value room_frame_p99_us "$r2")")" "-" "-"
row "  room way worker CPU" "$(value room_worker_cpu_s "$r2") s" "$(calc '%.1f s of one core' "$(value room_wall_s "$r2")")" \
  "$(calc '%.1f%%' "100 * $(value room_worker_cpu_s "$r2") / $(value room_wall_s "$r2")")" "-" "-"
l="$out/latency"
row "  sign shown to the fight (median)" "$(calc '%.0f ms' "$(value latency_median_us "$l") / 1000")" \
  "$(calc '90th pct. %.0f ms' "$(value latency_p90_us "$l") / 1000")" \
  "$(calc '%d/%d read' "$(value latency_trials "$l") - $(value latency_unread "$l"), $(value latency_trials "$l")")" "-" "-"
row "  frame, 90th percentile" "$(calc '%.2f ms' "$(value frame_p90_us "$f") / 1000")" "" "" "-" "-"
row "  frame, median" "$(calc '%.2f ms' "$(value frame_median_us "$f") / 1000")" \
  "$(calc 'bare frame %.2f ms' "$(value bare_median_us "$f") / 1000")" \
  "$(calc '%.1f' "$(value frame_median_us "$f") / $(value bare_median_us "$f")")" "-" "-"
row "  bare frame, 99th percentile" "$(calc '%.2f ms' "$(value bare_p99_us "$f") / 1000")" "" "" "-" "-"
row "  our code in a frame (median)" "$(calc '%.2f ms' "$ours / 1000")" "1/60 s budget" "$(calc '%.1f%%' "100 * $ours / $budget")" "-" "-"
row "    update + input" "$(calc '%.3f ms' "($(value update_median_us "$f") + $(value events_median_us "$f")) / 1000")" "" "$(calc '%.1f%%' "100 * ($(value update_median_us "$f") + $(value events_median_us "$f")) / $budget")" "" ""
row "    pose interpolation" "$(calc '%.3f ms' "$(value interpolation_median_us "$f") / 1000")" "" "$(calc '%.1f%%' "100 * $(value interpolation_median_us "$f") / $budget")" "" ""
row "    sphere subdivision" "at start" "" "0%" "" ""
row "    particle and tower copies" "$(calc '%.3f ms' "$(value copies_median_us "$f") / 1000")" "" "$(calc '%.1f%%' "100 * $(value copies_median_us "$f") / $budget")" "" ""
r="$out/robots"
row "    both robots, GL included" "$(calc '%.3f ms' "$(value arrays_us "$r") / 1000")" \
  "$(calc 'one call a vertex %.3f ms' "$(value calls_us "$r") / 1000")" \
  "$(calc '%.2f' "$(value arrays_us "$r") / $(value calls_us "$r")")" "-" "-"
row "  renderer in a frame (median)" "$(calc '%.2f ms' "$renderer / 1000")" "1/60 s budget" "$(calc '%.1f%%' "100 * $renderer / $budget")" "-" "-"
full=$(value full_picture "$f")
row "  fullscreen $full, 99th pct." "$(calc '%.2f ms' "$(value full_frame_p99_us "$f") / 1000")" \
  "$(calc 'window 800x600 %.2f ms' "$p99 / 1000")" "$(calc '%.2f' "$(value full_frame_p99_us "$f") / $p99")" "-" "-"
row "  fullscreen $full, median" "$(calc '%.2f ms' "$(value full_frame_median_us "$f") / 1000")" \
  "$(calc 'window 800x600 %.2f ms' "$(value frame_median_us "$f") / 1000")" \
  "$(calc '%.2f' "$(value full_frame_median_us "$f") / $(value frame_median_us "$f")")" "-" "-"
s="$out/start"
row "3 start to first frame (median)" "$(value start_a_median_ms "$s") ms" "bare start $(value start_b_median_ms "$s") ms" \
  "$(calc '%.2f' "$(value start_ratio_median "$s")")" "<= 3" "$(holds "$(value start_ratio_median "$s")" 3)"
w="$out/worker"
share=$(calc '%.5f' "$(value worker_cpu_s "$w") / $(value wall_s "$w")")
row "4 webcam worker CPU" "$(value worker_cpu_s "$w") s" "$(calc '%.1f s of one core' "$(value wall_s "$w")")" \
  "$(calc '%.2f%%' "100 * $share")" "< 2%" "$(holds "$share" 0.02)"
row "  the process, camera included" "$(value process_cpu_s "$w") s" "" \
  "$(calc '%.1f%%' "100 * $(value process_cpu_s "$w") / $(value wall_s "$w")")" "-" "-"
m="$out/memory"
growth=$(calc '%.4f' "$(value late_rss_kb "$m") / $(value early_rss_kb "$m")")
row "5 resident size at frame $(value frames "$m")" "$(calc '%.1f MB' "$(value late_rss_kb "$m") / 1024")" \
  "$(calc 'at frame %d: %.1f MB' "$(value early_frames "$m"), $(value early_rss_kb "$m") / 1024")" "$growth" "<= 1.05" \
  "$(holds "$growth" 1.05)"
echo
echo "Fight script coverage (frames of 900): walking $(value frames_walking "$f"), striking $(value frames_striking "$f"), special $(value frames_special "$f"), duel $(value frames_duel "$f")."
echo "Long fight: $(value frames "$m") frames unpaced in $(value seconds "$m") s ($(calc '%.1f' "$(value frames "$m") / 3600") minutes of play at 60 frames a second), at most $(value most_particles "$m") sparks alive."
