# Shared by the Wine scenarios: a virtual display without a window manager (Wine draws the
# frames itself), a scratch folder holding the program and its lists, and ways to find, drive and
# look at its window. WINEPREFIX names a prefix that make_prefix.sh has made.

set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../end_to_end/common.sh"

: "${WINEPREFIX:?}"
export WINEDEBUG=-all
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

start_app() {
  wine "$FOLDER/luckydraw.exe" >"$WORK/stdout" 2>"$WORK/stderr" &
  APP_PID=$!
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

