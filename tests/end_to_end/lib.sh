# Shared by the end-to-end scenarios: a virtual display with a real window manager, a scratch
# folder holding the program and its lists, and ways to find, drive and wait for its window.

set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# Starts Xvfb on a free display and icewm on it; both go away with the test.
start_display() {
  start_virtual_display
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

start_app() {
  "$WORK/luckydraw" >"$WORK/stdout" 2>"$WORK/stderr" &
  APP_PID=$!
}

# Waits until the program's window has a title matching the extended regular expression (xdotool's
# own patterns know no alternatives); prints the window's id.
wait_title() {
  local id name
  for _ in $(seq 200); do
    for id in $(xdotool search --all --onlyvisible --pid "$APP_PID" --name . 2>/dev/null || true); do
      name=$(xdotool getwindowname "$id" 2>/dev/null || true)
      if [[ $name =~ $1 ]]; then
        echo "$id"
        return 0
      fi
    done
    sleep 0.05
  done
  fail "no window titled like '$1'"
}

# SIGTERM ends the program the way its close button does.
ask_to_close() {
  kill -TERM "$APP_PID"
}

focus() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
  for _ in $(seq 100); do
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && return 0
    sleep 0.05
  done
  fail "window $1 never got the focus"
}
