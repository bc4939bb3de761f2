# Shared by the end-to-end scenarios: a virtual display with a real window manager, a scratch
# folder holding the program and its lists, and ways to find, drive and wait for its window.

set -euo pipefail

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Starts Xvfb on a free display and icewm on it; both go away with the test.
start_display() {
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$fd_file" ] && break
    sleep 0.05
  done
  export DISPLAY=":$(head -n1 "$fd_file")"
  rm -f "$fd_file"
  ICEWM_PRIVCFG="$(dirname "${BASH_SOURCE[0]}")/icewm" icewm >/dev/null 2>&1 &
  WM_PID=$!
  # The window manager is ready once it has announced itself on the root window.
  for _ in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.05
  done
  fail "the window manager did not start"
}

cleanup() {
  [ -n "${APP_PID:-}" ] && kill -9 "$APP_PID" 2>/dev/null || true
  [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
  [ -n "${WORK:-}" ] && rm -rf "$WORK"
  return 0
}
trap cleanup EXIT

# A fresh folder with a copy of the program: the lists lie beside the executable.
make_work_dir() {
  WORK=$(mktemp -d)
  cp "$BINARY" "$WORK/luckydraw"
  POOL="$WORK/未中名单.ini"
  FULL="$WORK/原始名单.ini"
}

# Writes UTF-8 text to a file as GBK bytes.
write_gbk() {
  printf '%s' "$2" | iconv -f UTF-8 -t GBK >"$1"
}

# Prints a GBK file as UTF-8.
read_gbk() {
  iconv -f GBK -t UTF-8 "$1"
}

start_app() {
  "$WORK/luckydraw" >"$WORK/stdout" 2>"$WORK/stderr" &
  APP_PID=$!
}

# Waits for a window whose name matches the pattern; prints its id.
wait_window() {
  local id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.05
  done
  fail "no window named like '$1'"
}

window_name() {
  xdotool getwindowname "$1"
}

focus() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
  for _ in $(seq 100); do
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && return 0
    sleep 0.05
  done
  fail "window $1 never got the focus"
}

# Waits for the program to end, at most ten seconds; sets EXIT_STATUS.
wait_exit() {
  timeout 10 tail --pid="$APP_PID" -f /dev/null || kill -9 "$APP_PID" 2>/dev/null || true
  EXIT_STATUS=0
  wait "$APP_PID" || EXIT_STATUS=$?
  APP_PID=
}

expect_eq() {
  [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"
}
