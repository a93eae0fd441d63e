#!/usr/bin/env bash
# The plug-in's sheets against bare sheets of as many empty pages, under Wine, in one run:
# each whole sheet, every page's first visit and its repaint (bench/windows/sheet_bench.cpp).
# Goals: a whole sheet at most 3 times its bare sheet, a first visit at most 40 ms, a repaint
# at most 5 ms.
#
# Build first: cmake --preset win64 && cmake --build --preset win64 -j2 --target sheet_bench
#              ZR640UI zr640install RZKDriverlogViewer
# then: bench/sheets_vs_bare.sh [rounds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
rounds=${1:-7}
[[ -x build/win64/bin/sheet_bench.exe ]] || { echo "missing build/win64/bin/sheet_bench.exe" >&2; exit 1; }

source "$root/scripts/wine-env.sh"
zr640_start_display
trap zr640_stop EXIT
zr640_start_wine
zr640_install_driver
wine build/win64/bin/sheet_bench.exe --rounds "$rounds"
