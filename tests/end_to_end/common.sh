# Helpers both end-to-end suites share: the Qt program's on Linux and the Windows program's
# under Wine.

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

expect_eq() {
  [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"
}

# Starts Xvfb on a free display and exports DISPLAY; XVFB_PID names the server.
start_virtual_display() {
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
  [ "$DISPLAY" != ":" ] || fail "the virtual display did not start"
}

# Writes UTF-8 text to a file as GBK bytes.
write_gbk() {
  printf '%s' "$2" | iconv -f UTF-8 -t GBK >"$1"
}

# Prints a GBK file as UTF-8.
read_gbk() {
  iconv -f GBK -t UTF-8 "$1"
}

# Waits for a visible window whose name matches the pattern, of the running program where its
# windows carry its pid (the window manager's frames carry the title too); prints its id. Gives up
# after WAIT_WINDOW_SECONDS and says what the display shows instead.
wait_window() {
  local id owner=() deadline=$((SECONDS + ${WAIT_WINDOW_SECONDS:-15}))
  [ -n "${APP_PID:-}" ] && [ -z "${WINDOWS_BY_NAME_ONLY:-}" ] && owner=(--all --pid "$APP_PID")
  while ((SECONDS < deadline)); do
    id=$(xdotool search --onlyvisible "${owner[@]}" --name "$1" 2>/dev/null | head -n1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.05
  done
  describe_display >&2
  fail "no window named like '$1'"
}

# What a failed wait needs to be understood: is the program still there, which windows are shown,
# and what it printed.
describe_display() {
  if [ -n "${APP_PID:-}" ] && kill -0 "$APP_PID" 2>/dev/null; then
    echo "the program (pid $APP_PID) is still running"
  else
    echo "the program is not running"
  fi
  echo "visible windows:"
  local id
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null || true); do
    echo "  $id '$(xdotool getwindowname "$id" 2>/dev/null || true)'"
  done
  if [ -s "${WORK:-/nonexistent}/stderr" ]; then
    echo "the program's standard error:"
    tail -n 20 "$WORK/stderr"
  fi
}

window_name() {
  xdotool getwindowname "$1"
}

# Waits for the program to end, at most ten seconds; sets EXIT_STATUS.
wait_exit() {
  timeout 10 tail --pid="$APP_PID" -f /dev/null || kill -9 "$APP_PID" 2>/dev/null || true
  EXIT_STATUS=0
  wait "$APP_PID" || EXIT_STATUS=$?
  APP_PID=
}

# The scenarios below call the suite's own make_work_dir, start_app, focus and ask_to_close.

readonly LOADED_FULL=' 未发现上次未中名单，已读入原始名单。'

# A first start on the full list A,B,C, ready to be closed.
start_on_three_names() {
  make_work_dir
  write_gbk "$FULL" 'A,B,C,'
  start_app
  WINDOW=$(wait_window '^ 未发现上次未中名单')
}

expect_closed_and_saved() {
  wait_exit
  expect_eq "$EXIT_STATUS" 0 "exit status"
  expect_eq "$(read_gbk "$POOL")" 'C,B,A,' "saved pool"
}

# Both suites run these two as they stand.

scenario_reload_reports_the_count() {
  start_on_three_names
  ask_to_close
  expect_closed_and_saved
  start_app
  WINDOW=$(wait_window '^已读入')
  expect_eq "$(window_name "$WINDOW")" '已读入上次没中奖的人员名单,共计3人' "title"
  ask_to_close
  wait_exit
  expect_eq "$EXIT_STATUS" 0 "exit status"
  expect_eq "$(read_gbk "$POOL")" 'A,B,C,' "saved pool"
}

scenario_neither_file() {
  make_work_dir
  start_app
  WINDOW=$(wait_window '^ 未发现上次未中名单')
  # A draw on nothing stops the timer and says so, and the program goes on.
  focus "$WINDOW"
  xdotool key space
  WINDOW=$(wait_window '^名单为空')
  expect_eq "$(window_name "$WINDOW")" '名单为空，请检查原始名单.ini' "title"
  xdotool key Escape
  wait_exit
  expect_eq "$EXIT_STATUS" 0 "exit status"
  [ -f "$POOL" ] && [ ! -s "$POOL" ] || fail "an empty pool is saved as an empty file"
}
