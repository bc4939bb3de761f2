# Shared by the Wine scenarios: a virtual display without a window manager (Wine draws the
# frames itself), a scratch folder holding the program and its lists, and ways to find, drive and
# look at its window. WINEPREFIX names a prefix that make_prefix.sh has made.

set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../end_to_end/common.sh"

: "${WINEPREFIX:?}"
# Silent but for Wine's own diagnosis of a session that cannot show windows.
export WINEDEBUG=-all,err+winediag
# Wine takes the code page for window names from the locale; the program itself needs none.
export LC_ALL=zh_CN.UTF-8
# Wine's windows carry the pid of the Windows process, not of the `wine` we started.
WINDOWS_BY_NAME_ONLY=1
# A fresh Wine server on a busy machine now and then takes many seconds to show the first window.
WAIT_WINDOW_SECONDS=60

start_display() {
  start_virtual_display
}

# Ends every Wine process of the prefix, so the next program starts with a fresh server and no
# key held down from before.
stop_wine() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

cleanup() {
  [ -n "${APP_PID:-}" ] && kill -9 "$APP_PID" 2>/dev/null || true
  stop_wine
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
  [ -n "${WORK:-}" ] && rm -rf "$WORK"
  return 0
}
trap cleanup EXIT

# A fresh folder, named `$1` inside a scratch folder if given, with a copy of the program: the
# lists lie beside the executable.
make_work_dir() {
  [ -n "${WORK:-}" ] && rm -rf "$WORK"
  WORK=$(mktemp -d)
  FOLDER="$WORK/${1:-lucky}"
  mkdir -p "$FOLDER"
  cp "$PROGRAM" "$FOLDER/luckydraw.exe"
  POOL="$FOLDER/未中名单.ini"
  FULL="$FOLDER/原始名单.ini"
}

# Now and then, on a busy machine, a fresh Wine session comes up whose desktop process could not
# open the display, although the display answers: no program can make a window in it. Wine says so
# on the standard error and the program ends at once; such a start is made again in a new session.
# Returns once the program shows a window or has ended.
start_app() {
  local attempt deadline
  for attempt in 1 2 3 4 5; do
    wine "$FOLDER/luckydraw.exe" >"$WORK/stdout" 2>"$WORK/stderr" &
    APP_PID=$!
    deadline=$((SECONDS + WAIT_WINDOW_SECONDS))
    while ((SECONDS < deadline)); do
      xdotool search --onlyvisible --classname '^luckydraw\.exe$' >/dev/null 2>&1 && return 0
      if ! kill -0 "$APP_PID" 2>/dev/null; then
        grep -q 'no driver could be loaded' "$WORK/stderr" || return 0
        break
      fi
      sleep 0.05
    done
    ((SECONDS < deadline)) || return 0
    echo "Wine could not show a window (attempt $attempt); starting its session again" >&2
    wait "$APP_PID" || true
    stop_wine
  done
  fail "Wine could not show a window in five sessions"
}

# WM_CLOSE from another program.
ask_to_close() {
  probe close
}

# Without a window manager the program's window has the focus from its start.
focus() {
  :
}

# What the probe says, as Windows sees it: `probe describe`, `probe close`, ...
probe() {
  wine "$PROBE" "$@"
}

# One value of `probe describe` (or of another probe command given after the key).
probed() {
  local key=$1
  shift
  probe "${@:-describe}" | sed -n "s/^$key=//p"
}

