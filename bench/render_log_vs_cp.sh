#!/usr/bin/env bash
# zr640 render-log against cp of the same 20 MB print file, whole processes, in one run.
# Goals: the raster log and the band log each at most 1.5 times cp; peak resident memory on
# each at most 1.5 times the bitmap written.
#
# Build for measuring first:
#   cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DZR640_BUILD_TESTS=OFF
#   cmake --build build/bench -j2 --target zr640 render_log_bench
# then: bench/render_log_vs_cp.sh [build/bench] [runs]
set -euo pipefail

build=${1:-build/bench}
runs=${2:-15}
tool="$build/bin/zr640"
samples="$build/bin/render_log_bench"
for program in "$tool" "$samples"; do
  [[ -x $program ]] || { echo "missing $program: build the Release tree first" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$samples" --write-samples "$work"

# Microseconds of one run of "$@" (no process is started to read the clock).
time_us() {
  local start=$EPOCHREALTIME
  "$@" >/dev/null
  local end=$EPOCHREALTIME
  echo $(( (${end/./} - ${start/./}) ))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Alternates the two commands so that both see the same machine; each output is removed
# before its run, so both always create a new file.
compare() {
  local input=$1 cpTimes=() toolTimes=()
  cp "$input" "$work/warm.copy"; "$tool" render-log "$input" -o "$work/warm.bmp" >/dev/null
  for ((i = 0; i < runs; i++)); do
    rm -f "$work/copy.prn" "$work/out.bmp"
    cpTimes+=("$(time_us cp "$input" "$work/copy.prn")")
    toolTimes+=("$(time_us "$tool" render-log "$input" -o "$work/out.bmp")")
  done
  cpMedian=$(printf '%s\n' "${cpTimes[@]}" | median)
  toolMedian=$(printf '%s\n' "${toolTimes[@]}" | median)
}

size_raster=$(stat -c %s "$work/raster.prn")
compare "$work/raster.prn"
printf 'raster log (%d bytes), median of %d runs:\n' "$size_raster" "$runs"
printf '  cp                 %8.2f ms\n' "$(bc -l <<< "$cpMedian / 1000")"
printf '  zr640 render-log   %8.2f ms\n' "$(bc -l <<< "$toolMedian / 1000")"
printf '  ratio              %8.2f   (goal: at most 1.50)\n' "$(bc -l <<< "$toolMedian / $cpMedian")"

size_bands=$(stat -c %s "$work/bands.prn")
compare "$work/bands.prn"
printf 'band log (%d bytes), median of %d runs:\n' "$size_bands" "$runs"
printf '  cp                 %8.2f ms\n' "$(bc -l <<< "$cpMedian / 1000")"
printf '  zr640 render-log   %8.2f ms   %.0f MB/s\n' \
  "$(bc -l <<< "$toolMedian / 1000")" "$(bc -l <<< "$size_bands / $toolMedian")"
printf '  ratio              %8.2f   (goal: at most 1.50)\n' "$(bc -l <<< "$toolMedian / $cpMedian")"

if [[ -x /usr/bin/time ]]; then
  for log in raster bands; do
    peak_kb=$(/usr/bin/time -v "$tool" render-log "$work/$log.prn" -o "$work/out.bmp" 2>&1 >/dev/null |
              awk -F': ' '/Maximum resident set size/ { print $2 }')
    bitmap=$(stat -c %s "$work/out.bmp")
    printf 'peak resident memory on the %s log: %.1f MB for a %.1f MB bitmap, ratio %.2f (goal: at most 1.5)\n' \
      "$log" "$(bc -l <<< "$peak_kb * 1024 / 1000000")" "$(bc -l <<< "$bitmap / 1000000")" \
      "$(bc -l <<< "$peak_kb * 1024 / $bitmap")"
  done
else
  echo "peak resident memory: /usr/bin/time is missing (apt-get install time)"
fi

echo "parsing alone, and rendering without the file (Google Benchmark; goal for parsing: at least 1 GB/s):"
"$samples" --benchmark_min_time=0.5 2>/dev/null | grep -E '^BM_' 
