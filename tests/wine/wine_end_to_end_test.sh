#!/usr/bin/env bash
# The Windows program under Wine, in a scratch folder, on a virtual display.
# Usage: wine_end_to_end_test.sh PROGRAM WINDOW_PROBE SCENARIO
PROGRAM=$1
PROBE=$2
SCENARIO=$3
source "$(dirname "$0")/lib.sh"

scenario_window() {
  start_on_three_names
  local described
  described=$(probe describe)
  expected() {
    grep -qxF "$1" <<<"$described" || fail "expected '$1' in: $described"
  }
  expected "title=$LOADED_FULL"
  expected "visible=yes"
  expected "active=yes"
  # Outer size 380 x 250, centred on the whole screen; no minimise, maximise or sizing frame.
  expected "screen=1024,768"
  expected "rect=322,259,380,250"
  expected "style=caption|sysmenu"
  expected "owner=no"
  expected "appwindow=yes"
  expected "LuckyDrawNameLabel.rect=16,24,336,120"
  expected "LuckyDrawNameLabel.text=某某某"
  expected "LuckyDrawNameLabel.focus=no"
  expected "button.rect=80,152,224,64"
  expected "button.text=摇一摇"
  expected "button.type=push"
  expected "button.style=tabstop"
  expected "button.focus=yes"
  # Wine shows an unmanaged window as one X window of the same outer size and place.
  expect_eq "$(xwininfo -id "$WINDOW" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2} END{print x","y","w","h}')" \
    "322,259,380,250" "X window"
  expect_eq "$(probed icon icon-resource "$(winepath -w "$FOLDER/luckydraw.exe")")" "32x32x16" "icon"
  kill -9 "$APP_PID"
  wait_exit
}

# What a person sees: the face colour around the controls, and the red name inside its label and
# nowhere else, cut at both ends alike when it is far too long for it.
scenario_look() {
  make_work_dir
  write_gbk "$FULL" '一二三四五六七八九十,'
  start_app
  WINDOW=$(wait_window '^ 未发现上次未中名单')
  xdotool key space
  wait_window '^还有0人' >/dev/null  # the one name has won, and the pool started again
  sleep 0.3
  local shot="${SCREENSHOT:-$WORK/screenshot.png}"
  import -window root "$shot"
  local left top
  IFS=, read -r left top _ <<<"$(probed client)"
  pixel() {
    convert "$shot" -format "%[pixel:p{$(($1 + left)),$(($2 + top))}]" info:
  }
  # Pure red pixels within WIDTHxHEIGHT+X+Y of the client area.
  red_in() {
    local width height x y
    IFS='x+' read -r width height x y <<<"$1"
    convert "$shot" -crop "${width}x${height}+$((x + left))+$((y + top))" +repage \
      -fill black +opaque red -fill white -opaque red -format '%[fx:round(mean*w*h)]' info:
  }
  local face
  face=$(pixel 4 4)
  expect_eq "$(pixel 8 200)" "$face" "left of the button"
  expect_eq "$(pixel 340 200)" "$face" "right of the button"
  expect_eq "$(pixel 20 28)" "$face" "the label's corner"
  local inside
  inside=$(red_in 336x120+16+24)
  ((inside > 1000)) || fail "hardly any red in the label: $inside pixels"
  expect_eq "$(red_in "1024x768+$((-left))+$((-top))")" "$inside" "red pixels in the whole screen"
  local left_end right_end
  left_end=$(red_in 6x120+16+24)
  right_end=$(red_in 6x120+346+24)
  ((left_end > 0 && right_end > 0)) || fail "the long name fills only one end: $left_end, $right_end"
  kill -9 "$APP_PID"
  wait_exit
}

scenario_close_escape() {
  start_on_three_names
  xdotool key Escape
  expect_closed_and_saved
}

scenario_close_alt_f4() {
  start_on_three_names
  xdotool key alt+F4
  xdotool keyup alt
  expect_closed_and_saved
}

scenario_close_button() {
  start_on_three_names
  local point
  point=$(probed close-box close-box)
  [ -n "$point" ] || fail "no close button on the caption"
  xdotool mousemove "${point%,*}" "${point#*,}" click 1
  expect_closed_and_saved
}

scenario_close_request_from_another_program() {
  start_on_three_names
  probe close
  expect_closed_and_saved
}

# Enter and F1 do nothing, Tab leaves the focus on the only control that takes it, Space draws.
scenario_keys() {
  start_on_three_names
  xdotool key Return F1 Tab
  sleep 1.5
  expect_eq "$(window_name "$WINDOW")" "$LOADED_FULL" "title after Enter, F1 and Tab"
  expect_eq "$(probed LuckyDrawNameLabel.text)" "某某某" "label after Enter, F1 and Tab"
  expect_eq "$(probed button.focus)" "yes" "focus after Tab"
  [ ! -e "$POOL" ] || fail "a key saved the pool"
  xdotool key space
  wait_window '^还有2人' >/dev/null
  xdotool key Escape
  wait_exit
  expect_eq "$EXIT_STATUS" 0 "exit status"
}

scenario_draw() {
  make_work_dir
  write_gbk "$FULL" '甲,乙,丙,丁,戊,'
  start_app
  WINDOW=$(wait_window '^ 未发现上次未中名单')
  # Two presses 50 ms apart make one draw: the second finds the timer already running.
  xdotool key space
  sleep 0.05
  xdotool key space
  WINDOW=$(wait_window '^还有')
  expect_eq "$(window_name "$WINDOW")" '还有4人没有中过奖！' "title"
  sleep 1.5
  expect_eq "$(window_name "$WINDOW")" '还有4人没有中过奖！' "title after the second press"
  local winner
  winner=$(probed LuckyDrawNameLabel.text)
  # Saved at once: a kill right after the draw loses nobody's win.
  kill -9 "$APP_PID"
  wait_exit
  local saved
  saved=$(read_gbk "$POOL")
  expect_eq "$(echo "$saved" | tr -cd ',' | wc -c)" 4 "names left in the saved pool"
  [[ ",甲,乙,丙,丁,戊," == *",$winner,"* ]] || fail "the label shows '$winner', no name of the list"
  [[ ",$saved" != *",$winner,"* ]] || fail "the winner $winner is still in the pool: $saved"
}

scenario_both_of_two_names_can_win() {
  local winners=""
  for _ in $(seq 12); do
    make_work_dir
    write_gbk "$FULL" 'A,B,'
    start_app
    wait_window '^ 未发现上次未中名单' >/dev/null
    xdotool key space
    wait_window '^还有' >/dev/null
    kill -9 "$APP_PID"
    wait_exit
    # A killed Wine process can leave its window and its server behind for the next start.
    stop_wine
    case "$(read_gbk "$POOL")" in
      A,) winners+="B" ;;
      B,) winners+="A" ;;
      *) fail "unexpected pool $(read_gbk "$POOL")" ;;
    esac
  done
  echo "winners: $winners"
  [[ $winners == *A* && $winners == *B* ]] || fail "one name never won in 12 draws: $winners"
}

# Wine's end of the session asks every window WM_QUERYENDSESSION, then sends WM_ENDSESSION and
# ends the processes; the pool is saved at the question.
scenario_log_off_question() {
  start_on_three_names
  wineboot --end-session
  wait_exit
  expect_eq "$(read_gbk "$POOL")" 'C,B,A,' "pool saved at the question"
}

scenario_out_of_memory_box() {
  make_work_dir
  # A sparse file far larger than memory: the load cannot get its buffer.
  : >"$FULL"
  truncate -s 1T "$FULL"
  start_app
  wait_window '^错误$' >/dev/null
  local box
  box=$(probe error-box)
  # The message keeps its CR LF pairs; the only button is IDOK.
  expect_eq "$box" $'title=错误\nowner=no\nicon=yes\ntext=运行时出错!\r\n\r\n错误信息：分配 1099511627776 字节内存失败!\r\n\nbuttons=1\nwindow=disabled' "the box"
  # A close request meanwhile neither saves nor ends the program before the box is answered.
  probe close
  sleep 0.5
  wait_window '^错误$' >/dev/null
  xdotool key Return
  wait_exit
  expect_eq "$EXIT_STATUS" 255 "exit status"
  [ ! -e "$POOL" ] || fail "something was saved after the fatal stop"
}

# A folder named in two scripts with spaces, and a locale whose code page holds neither: the
# program keeps its paths in Unicode and decodes its texts from GBK by itself.
scenario_folder_in_any_script() {
  export LC_ALL=C.UTF-8
  make_work_dir '年会 抽奖 Κλήρωση'
  write_gbk "$FULL" '甲,乙,'
  start_app
  local title=""
  for _ in $(seq 200); do
    title=$(probed title 2>/dev/null || true)
    [ -n "$title" ] && break
    sleep 0.1
  done
  expect_eq "$title" "$LOADED_FULL" "title"
  xdotool key space
  for _ in $(seq 100); do
    title=$(probed title)
    [[ $title == 还有* ]] && break
    sleep 0.1
  done
  expect_eq "$title" '还有1人没有中过奖！' "title after the draw"
  xdotool key Escape
  wait_exit
  expect_eq "$EXIT_STATUS" 0 "exit status"
  [[ $(read_gbk "$POOL") =~ ^(甲|乙),$ ]] || fail "saved pool: $(read_gbk "$POOL")"
}

start_display
"scenario_$SCENARIO"
echo "PASS: $SCENARIO"
