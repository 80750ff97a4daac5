#!/usr/bin/env bash
# Wexo side by side with the tools a Linux user would otherwise pick, in one
# run, each figure printed as a ratio: throughput against caps2esc, CPU time
# per 1000 wheel notches against imwheel, then Wexo's memory and its idle
# wake-ups. The release build is used (and built first when missing).
#
#   bench/linux/side-by-side.sh [NOTCHES] [RATE]
#
# NOTCHES (default 1000) are fed at RATE a second (default 10) to both Wexo
# and imwheel.
set -euo pipefail
cd "$(dirname "$0")/../.."
notches="${1:-1000}"
rate="${2:-10}"
wexo=build/release/apps/wexo/wexo
export CMAKE_CXX_COMPILER_LAUNCHER="${CMAKE_CXX_COMPILER_LAUNCHER:-$(command -v ccache || true)}"
[[ -f build/release/CMakeCache.txt ]] || cmake --preset release >/dev/null
cmake --build build/release --target wexo -j 2 >/dev/null

echo "== Throughput: records a second through wexo --stdio and caps2esc (goal: ratio at least 1)"
bench/linux/stdio-vs-caps2esc.sh 1000000 "$wexo"
echo
python3 bench/linux/side-by-side.py --wexo "$wexo" --notches "$notches" --rate "$rate"
