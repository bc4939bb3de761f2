#!/usr/bin/env bash
# Kills the program at random moments, in the middle of draws and saves, and checks after each
# kill that the pool on the disk is whole: exactly the pool before the run, or that pool less the
# winners of its draws, in the order a save writes it. Then two copies on one folder draw and
# close in turn, and the file is always one of their whole pools.
# Usage: kill_drill.sh PROGRAM [KILLS] [NAMES]
BINARY=$1
KILLS=${2:-200}
NAMES=${3:-10000}
source "$(dirname "$0")/lib.sh"

# Prints the names of a list file, one a line (the drill's names are plain ASCII).
names_of() {
  tr ',' '\n' <"$1"
}

# True if `after` is `before` itself, or `before` reversed less between `least` and `most` names
# (a close saves even when nobody has won since the start).
is_whole_successor() {
  local before=$1 after=$2 least=$3 most=$4
  cmp -s "$before" "$after" && return 0
  [ -s "$after" ] || [ "$(names_of "$before" | wc -l)" -le "$most" ] || return 1
  [ "$(tail -c 1 "$after")" = "," ] || return 1
  awk -v least="$least" -v most="$most" '
    NR == FNR { b[++nb] = $0; next }
    { a[++na] = $0 }
    END {
      # after must be a subsequence of before reversed, shorter by 1 to most names
      j = nb
      for (i = 1; i <= na; ++i) {
        while (j >= 1 && b[j] != a[i]) --j
        if (j < 1) exit 1
        --j
      }
      removed = nb - na
      exit !(removed >= least && removed <= most)
    }' <(names_of "$before") <(names_of "$after")
}

leftovers() {
  find "$WORK" -name '*.tmp-*' | wc -l
}

start_display
make_work_dir
seq -f 'N%05g,' 1 "$NAMES" | tr -d '\n' >"$FULL"
cp "$FULL" "$POOL"

kills=0 closes=0 draws_total=0
for round in $(seq "$KILLS"); do
  cp "$POOL" "$WORK/before"
  start_app
  WINDOW=$(wait_window '^已读入')
  focus "$WINDOW"
  draws=$((RANDOM % 3))
  for _ in $(seq "$draws"); do
    xdotool key space
    sleep 1.15
  done
  # One more draw cut off anywhere in its second, the save at its end included.
  xdotool key space
  sleep "0.$(printf '%03d' $((850 + RANDOM % 300)))" 2>/dev/null || sleep 1
  if ((RANDOM % 5 == 0)); then
    xdotool key Escape
    wait_exit
    expect_eq "$EXIT_STATUS" 0 "exit status after a close in round $round"
    closes=$((closes + 1))
    least=0
  else
    kill -9 "$APP_PID"
    wait_exit
    kills=$((kills + 1))
    least=1
  fi
  draws_total=$((draws_total + draws + 1))
  is_whole_successor "$WORK/before" "$POOL" "$least" $((draws + 1)) ||
    fail "round $round: the pool on the disk is not whole: $(names_of "$WORK/before" | wc -l) names before, $(names_of "$POOL" | wc -l) after, at most $((draws + 1)) draws"
  expect_eq "$(leftovers)" 0 "temporary files left in round $round"
  # A pool that ran low starts again from the full list.
  [ "$(names_of "$POOL" | wc -l)" -ge 10 ] || cp "$FULL" "$POOL"
done
echo "kills survived: $kills, closes: $closes, draws started: $draws_total, names: $NAMES"

# Two copies side by side on the same folder, drawing and closing in turn.
cp "$FULL" "$POOL"
start_app
first=$APP_PID
WINDOW_A=$(wait_window '^已读入')
start_app
second=$APP_PID
for _ in $(seq 100); do
  WINDOW_B=$(xdotool search --all --onlyvisible --pid "$second" --name '^已读入' 2>/dev/null | head -n1 || true)
  [ -n "$WINDOW_B" ] && break
  sleep 0.05
done
[ -n "$WINDOW_B" ] || fail "the second copy showed no window"
# Side by side, and each drawn with a real click on its button.
xdotool windowmove "$WINDOW_B" 0 0
sleep 0.3
cp "$POOL" "$WORK/before"
turn=0
for window in "$WINDOW_A" "$WINDOW_B" "$WINDOW_A" "$WINDOW_B"; do
  xdotool mousemove --window "$window" $((80 + 112)) $((152 + 32)) click 1
  sleep 1.3
  # The file is the whole pool of the copy that drew last: what both loaded, less its winners.
  turn=$((turn + 1))
  wins=$(((turn + 1) / 2))
  is_whole_successor "$WORK/before" "$POOL" "$wins" "$wins" || fail "two copies: not a whole pool after turn $turn"
done
for pid in "$first" "$second"; do
  kill -TERM "$pid"
  APP_PID=$pid
  wait_exit
  expect_eq "$EXIT_STATUS" 0 "exit status of a copy"
  is_whole_successor "$WORK/before" "$POOL" 2 2 || fail "two copies: not a whole pool after a close"
done
echo "two copies: every save was one copy's whole pool"
