#!/bin/bash
# Whole processes, file to file: `zr640 logo mono --halftone diffuse` against the netpbm
# pipeline that does the same job (bmptopnm | ppmtopgm | pgmtopbm -fs | ppmtobmp), on the
# 1024 x 768 24-bit picture of logo_bench, in one run and interleaved. Prints both medians
# and their ratio; the goal is a ratio of at most 0.40.
#
#   bench/logo_vs_netpbm.sh BUILD_FOLDER [RUNS]     (a Release build, e.g. build/bench)
set -euo pipefail

build=${1:?usage: logo_vs_netpbm.sh BUILD_FOLDER [RUNS]}
runs=${2:-31}
zr640="$build/bin/zr640"
for tool in bmptopnm ppmtopgm pgmtopbm ppmtobmp; do
    command -v "$tool" >/dev/null || { echo "logo_vs_netpbm: $tool (netpbm) is not installed" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bin/logo_bench" --write-picture="$work/picture.bmp"

ours() { "$zr640" logo mono "$work/picture.bmp" --halftone diffuse -o "$work/zr640.bmp"; }
theirs() {
    bmptopnm "$work/picture.bmp" 2>/dev/null | ppmtopgm | pgmtopbm -fs | ppmtobmp 2>/dev/null >"$work/netpbm.bmp"
}

# Milliseconds taken by one run of the function named $1.
elapsed() {
    local start=$EPOCHREALTIME
    "$1"
    local end=$EPOCHREALTIME
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f\n", (b - a) * 1000 }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

ours; theirs  # warm the caches and check both work
: >"$work/ours.txt"
: >"$work/theirs.txt"
for ((i = 0; i < runs; i++)); do
    elapsed ours >>"$work/ours.txt"
    elapsed theirs >>"$work/theirs.txt"
done

ours_ms=$(median <"$work/ours.txt")
theirs_ms=$(median <"$work/theirs.txt")
echo "picture: 1024 x 768, 24-bit; $runs runs each"
echo "zr640 logo mono --halftone diffuse:                    median $ours_ms ms"
echo "bmptopnm | ppmtopgm | pgmtopbm -fs | ppmtobmp:         median $theirs_ms ms"
awk -v a="$ours_ms" -v b="$theirs_ms" 'BEGIN { printf "ratio: %.3f (goal: at most 0.40)\n", a / b }'
