#!/usr/bin/env bash
# Records per second through `wexo --stdio` (the whole engine, a realistic
# preference file) and through caps2esc (Debian's interception-caps2esc) on
# the same stream of mouse motion and clicks, in one run, and their ratio;
# then Wexo's time from a report read to its records written, for reports
# coming as a mouse sends them and for a stream all waiting.
#
#   bench/linux/stdio-vs-caps2esc.sh [RECORDS] [WEXO]
#
# RECORDS defaults to 1000000; WEXO to the release build, which is built
# first when missing.
set -euo pipefail
cd "$(dirname "$0")/../.."
records="${1:-1000000}"
wexo="${2:-build/release/apps/wexo/wexo}"
if [[ ! -x $wexo ]]; then
    cmake --preset release >/dev/null
    cmake --build build/release --target wexo -j 2 >/dev/null
fi
command -v caps2esc >/dev/null || { echo "caps2esc is missing: apt-get install interception-caps2esc" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 bench/linux/make-stream.py "$records" >"$work/stream.bin"
count=$(( $(stat -c %s "$work/stream.bin") / 24 ))

# A user's settings: smooth scrolling on, two side buttons assigned, the
# middle button drawing gestures, grab-and-drag on button 5.
mkdir -p "$work/config/wexo"
cp bench/linux/bench-preferences.plist "$work/config/wexo/com.wexo.Wexo.plist"

seconds() {  # runs "$@" with the stream on standard input, prints the seconds it took
    local start end
    start=$(date +%s.%N)
    "$@" <"$work/stream.bin" >/dev/null 2>"$work/err"
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}

wexo_s=$(XDG_CONFIG_HOME="$work/config" seconds "$wexo" --stdio)
caps_s=$(seconds caps2esc)
wexo_rate=$(echo "$count / $wexo_s" | bc -l)
caps_rate=$(echo "$count / $caps_s" | bc -l)
printf 'records:   %d (motion and clicks)\n' "$count"
printf 'wexo:      %.0f records/s (%.2f s)\n' "$wexo_rate" "$wexo_s"
printf 'caps2esc:  %.0f records/s (%.2f s)\n' "$caps_rate" "$caps_s"
printf 'ratio:     %.2f (wexo / caps2esc)\n' "$(echo "$wexo_rate / $caps_rate" | bc -l)"

# Latency as a mouse feeds it: one report at a time, 1000 a second.
python3 bench/linux/make-stream.py 15000 --pace 1000 |
    XDG_CONFIG_HOME="$work/config" "$wexo" --stdio --measure-latency >/dev/null 2>"$work/err"
sed -n 's/^latency: /latency (one report a millisecond): /p' "$work/err"
# And with the whole stream waiting, read in portions of 8 KiB.
XDG_CONFIG_HOME="$work/config" "$wexo" --stdio --measure-latency \
    <"$work/stream.bin" >/dev/null 2>"$work/err"
sed -n 's/^latency: /latency (the stream all waiting): /p' "$work/err"
