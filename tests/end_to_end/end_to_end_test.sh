#!/usr/bin/env bash
# The real program in a scratch folder, on a virtual display with a real window manager.
# Usage: end_to_end_test.sh PROGRAM SCENARIO [SESSION_MANAGER]
BINARY=$1
SCENARIO=$2
SESSION_MANAGER_TOOL=${3:-}
source "$(dirname "$0")/lib.sh"

scenario_geometry() {
  start_on_three_names
  expect_eq "$(window_name "$WINDOW")" "$LOADED_FULL" "title"
  # The frame is only known once the window manager has framed the window; the program then
  # corrects its client size.
  local left top width height
  for _ in $(seq 100); do
    read -r l r t b < <(xprop -id "$WINDOW" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    eval "$(xwininfo -id "$WINDOW" | awk '/Absolute upper-left X/{print "x="$4} /Absolute upper-left Y/{print "y="$4} /Width:/{print "w="$2} /Height:/{print "h="$2}')"
    left=$((x - l)) top=$((y - t)) width=$((w + l + r)) height=$((h + t + b))
    [ "$width $height" = "380 250" ] && break
    sleep 0.05
  done
  expect_eq "$width x $height" "380 x 250" "outer size"
  expect_eq "$left,$top" "$(((1024 - 380) / 2)),$(((768 - 250) / 2))" "place"

  local hints decorations
  hints=$(xprop -id "$WINDOW" _MOTIF_WM_HINTS | sed 's/.*= //')
  decorations=$(echo "$hints" | cut -d, -f3)
  (((decorations & 0x60) == 0)) || fail "minimise or maximise asked for: $hints"
  xprop -id "$WINDOW" WM_NORMAL_HINTS | grep -q "minimum size: $w by $h" || fail "resizable"
  xprop -id "$WINDOW" WM_NORMAL_HINTS | grep -q "maximum size: $w by $h" || fail "resizable"
  xprop -id "$WINDOW" WM_TRANSIENT_FOR | grep -q 'not found' || fail "owned by another window"
  kill -TERM "$APP_PID"
  expect_closed_and_saved
}

scenario_close_escape() {
  start_on_three_names
  focus "$WINDOW"
  xdotool key Escape
  expect_closed_and_saved
}

scenario_close_alt_f4() {
  start_on_three_names
  focus "$WINDOW"
  xdotool key alt+F4
  expect_closed_and_saved
}

scenario_close_window_menu() {
  start_on_three_names
  focus "$WINDOW"
  xdotool key alt+space
  sleep 0.3
  xdotool key c
  expect_closed_and_saved
}

scenario_close_button() {
  start_on_three_names
  sleep 0.5  # the frame settles
  xdotool mousemove $((322 + 380 - 17)) $((259 + 14)) click 1
  expect_closed_and_saved
}

scenario_close_request_from_another_program() {
  start_on_three_names
  wmctrl -i -c "$WINDOW"
  expect_closed_and_saved
}

scenario_signals() {
  local signal
  for signal in TERM INT HUP; do
    start_on_three_names
    kill -s "$signal" "$APP_PID"
    expect_closed_and_saved
    rm -rf "$WORK"
  done
}

scenario_log_off_question() {
  [ -x "$SESSION_MANAGER_TOOL" ] || fail "no session manager given"
  make_work_dir
  write_gbk "$FULL" 'A,B,C,'
  "$SESSION_MANAGER_TOOL" --cancel -- "$WORK/luckydraw" >"$WORK/session" 2>&1 &
  local manager=$!
  WINDOW=$(wait_window '^ 未发现上次未中名单')
  for _ in $(seq 200); do
    grep -q 'shutdown-cancelled' "$WORK/session" && break
    sleep 0.05
  done
  grep -q 'save-yourself-done success=1' "$WORK/session" || fail "no answer: $(cat "$WORK/session")"
  expect_eq "$(read_gbk "$POOL")" 'C,B,A,' "pool saved at the question"
  rm "$POOL"
  sleep 0.3
  xdotool search --onlyvisible --name '^ 未发现上次未中名单' >/dev/null || fail "the window closed"
  # The log-off was called off: a later close saves again.
  focus "$WINDOW"
  xdotool key Escape
  local status=0
  wait "$manager" || status=$?
  expect_eq "$status" 0 "exit status"
  expect_eq "$(read_gbk "$POOL")" 'C,B,A,' "pool saved at the close"
}

scenario_draw() {
  make_work_dir
  write_gbk "$FULL" '甲,乙,丙,丁,戊,'
  start_app
  WINDOW=$(wait_window '^ 未发现上次未中名单')
  focus "$WINDOW"
  # Two presses 50 ms apart make one draw: the second finds the timer already running.
  xdotool key space
  sleep 0.05
  xdotool key space
  WINDOW=$(wait_window '^还有')
  expect_eq "$(window_name "$WINDOW")" '还有4人没有中过奖！' "title"
  sleep 1.5
  expect_eq "$(window_name "$WINDOW")" '还有4人没有中过奖！' "title after the second press"
  # Saved at once: a kill right after the draw loses nobody's win.
  kill -9 "$APP_PID"
  wait_exit
  local saved
  saved=$(read_gbk "$POOL")
  expect_eq "$(echo "$saved" | tr -cd ',' | wc -c)" 4 "names left in the saved pool"
}

scenario_both_of_two_names_can_win() {
  local winners=""
  for _ in $(seq 20); do
    make_work_dir
    write_gbk "$FULL" 'A,B,'
    start_app
    WINDOW=$(wait_window '^ 未发现上次未中名单')
    focus "$WINDOW"
    xdotool key space
    wait_window '^还有' >/dev/null
    kill -9 "$APP_PID"
    wait_exit
    case "$(read_gbk "$POOL")" in
      A,) winners+="B" ;;
      B,) winners+="A" ;;
      *) fail "unexpected pool $(read_gbk "$POOL")" ;;
    esac
    rm -rf "$WORK"
  done
  echo "winners: $winners"
  [[ $winners == *A* && $winners == *B* ]] || fail "one name never won in 20 draws: $winners"
}

scenario_no_display() {
  make_work_dir
  local status=0
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$WORK/luckydraw" 2>"$WORK/stderr" || status=$?
  expect_eq "$status" 255 "exit status"
  # The toolkit's own complaints come first; the program's text ends the output.
  expect_eq "$(tail -c 61 "$WORK/stderr" | od -An -c | tr -s ' \n' ' ')" \
    "$(printf '运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n' | od -An -c | tr -s ' \n' ' ')" "message"
  [ ! -e "$POOL" ] || fail "something was saved"
}

scenario_out_of_memory_box() {
  make_work_dir
  # A sparse file far larger than memory: the load cannot get its buffer.
  : >"$FULL"
  truncate -s 1T "$FULL"
  start_app
  local box
  box=$(wait_window '^错误$')
  focus "$box"
  xdotool key Return
  wait_exit
  expect_eq "$EXIT_STATUS" 255 "exit status"
  [ ! -e "$POOL" ] || fail "something was saved after the fatal stop"
}

# Lists nobody would write on purpose: each must give a window that draws (or says the list is
# empty), closes on Esc, saves, and exits 0, without a crash or a hang.
scenario_hostile_inputs() {
  local case
  for case in fifo device sparse_small huge_without_commas invalid_gbk long_name only_commas; do
    make_work_dir
    case $case in
      fifo) mkfifo "$FULL" ;;
      device) ln -s /dev/zero "$FULL" ;;
      sparse_small) truncate -s 10M "$FULL" ;; # all zero bytes: an empty list
      huge_without_commas) head -c 50000000 /dev/zero | tr '\0' 'x' >"$FULL" ;;
      invalid_gbk) printf 'A\x80,\xff,\xff\xff,B\xc4' >"$FULL" ;;
      long_name) { head -c 1000000 /dev/zero | tr '\0' 'y'; printf ',z,'; } >"$FULL" ;;
      only_commas) head -c 100000 /dev/zero | tr '\0' ',' >"$FULL" ;;
    esac
    start_app
    WINDOW=$(wait_window '^ 未发现上次未中名单')
    focus "$WINDOW"
    xdotool key space
    WINDOW=$(wait_title '^(还有|名单为空)')
    focus "$WINDOW"
    xdotool key Escape
    wait_exit
    expect_eq "$EXIT_STATUS" 0 "exit status for $case"
    [ -f "$POOL" ] || fail "no pool saved for $case"
    echo "$case: $(window_name_of_pool)"
    rm -rf "$WORK"
  done
}

window_name_of_pool() {
  echo "saved $(stat -c %s "$POOL") bytes"
}

# A save that cannot be written leaves the old file as it was and no temporary file, and the
# program still closes normally.
scenario_full_disk() {
  [ "$(id -u)" -eq 0 ] || { echo "SKIP: mounting a small file system needs root"; exit 0; }
  make_work_dir
  MOUNT=$(mktemp -d)
  mount -t tmpfs -o size=6m tmpfs "$MOUNT"
  trap 'cleanup; umount "$MOUNT" 2>/dev/null; rmdir "$MOUNT"' EXIT
  cp "$WORK/luckydraw" "$MOUNT/luckydraw"
  write_gbk "$MOUNT/未中名单.ini" '甲,乙,丙,丁,'
  cp "$MOUNT/未中名单.ini" "$WORK/before"
  head -c 10000000 /dev/zero >"$MOUNT/filler" 2>/dev/null || true  # fills the disk to the last byte
  "$MOUNT/luckydraw" >/dev/null 2>&1 &
  APP_PID=$!
  WINDOW=$(wait_window '^已读入')
  focus "$WINDOW"
  xdotool key space
  wait_window '^还有' >/dev/null
  sleep 0.2
  cmp -s "$WORK/before" "$MOUNT/未中名单.ini" || fail "a failed save after a draw changed the file"
  xdotool key Escape
  wait_exit
  expect_eq "$EXIT_STATUS" 0 "exit status"
  cmp -s "$WORK/before" "$MOUNT/未中名单.ini" || fail "a failed save at the close changed the file"
  expect_eq "$(find "$MOUNT" -name '*.tmp-*' | wc -l)" 0 "temporary files left"
}

scenario_vanished_directory() {
  make_work_dir
  mkdir "$WORK/room"
  mv "$WORK/luckydraw" "$WORK/room/"
  write_gbk "$WORK/room/未中名单.ini" '甲,乙,丙,'
  "$WORK/room/luckydraw" >/dev/null 2>&1 &
  APP_PID=$!
  WINDOW=$(wait_window '^已读入')
  mv "$WORK/room" "$WORK/moved"
  focus "$WINDOW"
  xdotool key Escape
  wait_exit
  expect_eq "$EXIT_STATUS" 0 "exit status"
  expect_eq "$(read_gbk "$WORK/moved/未中名单.ini")" '甲,乙,丙,' "the old file"
  expect_eq "$(find "$WORK" -name '*.tmp-*' | wc -l)" 0 "temporary files left"
  [ ! -e "$WORK/room" ] || fail "the vanished folder came back"
}

scenario_screenshot() {
  make_work_dir
  cp "$(dirname "$0")/../../examples/原始名单.ini" "$FULL"
  start_app
  WINDOW=$(wait_window '^ 未发现上次未中名单')
  focus "$WINDOW"
  xdotool key space
  WINDOW=$(wait_window '^还有')
  sleep 0.3
  import -window root -crop 400x280+312+249 "${SCREENSHOT:-$PWD/screenshot.png}"
  kill -TERM "$APP_PID"
  wait_exit
  expect_eq "$EXIT_STATUS" 0 "exit status"
}

start_display
"scenario_$SCENARIO"
echo "PASS: $SCENARIO"
