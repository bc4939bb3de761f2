#!/usr/bin/env bash
# Start-up time and peak memory of the whole program, measured from outside: from the moment the
# process is started to the moment its window is mapped with its title, on a virtual display with
# a real window manager. The toolkit's floor is a minimal window with the same controls and fonts.
# Usage: startup_bench.sh PROGRAM TOOLKIT_FLOOR MAKE_NAME_LIST WINDOW_WATCH [RUNS]
set -euo pipefail
program=$1
floor=$2
make_list=$3
watch=$4
runs=${5:-9}
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d)
trap 'kill "${wm:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

fd_file="$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$fd_file" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$fd_file")"
ICEWM_PRIVCFG="$here/../tests/end_to_end/icewm" icewm >/dev/null 2>&1 &
wm=$!
for _ in $(seq 200); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done

mkdir -p "$work/three" "$work/million" "$work/floor"
cp "$program" "$work/three/luckydraw"
cp "$program" "$work/million/luckydraw"
cp "$floor" "$work/floor/toolkit_floor"
printf 'A,B,C,' >"$work/three/原始名单.ini"
"$make_list" 1000000 "$work/million/原始名单.ini"
million_bytes=$(stat -c %s "$work/million/原始名单.ini")

# One run: prints milliseconds to the titled window and the peak resident set in KiB, as the X
# server's events tell them (bench/window_watch.cpp).
measure() {
  rm -f "$(dirname "$1")/未中名单.ini"
  "$watch" ' 未发现上次未中名单' "$1" 2>/dev/null
}

# Median of the runs, for one binary; the runs of the three cases are interleaved so that a
# slow moment of the machine hits them alike.
declare -A times peaks
for _ in $(seq "$runs"); do
  for case in floor three million; do
    binary="$work/$case/luckydraw"
    [ "$case" = floor ] && binary="$work/floor/toolkit_floor"
    read -r ms kib < <(measure "$binary")
    times[$case]+="$ms "
    peaks[$case]+="$kib "
  done
done

median() { tr ' ' '\n' | grep . | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
for case in floor three million; do
  echo "$case $(echo "${times[$case]}" | median) $(echo "${peaks[$case]}" | median)"
done
echo "million_file_bytes $million_bytes"
