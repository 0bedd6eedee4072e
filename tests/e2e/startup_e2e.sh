#!/usr/bin/env bash
# The real program under Xvfb: the start position on screen, the three ways to end it, a
# start with a data file missing, a start without a display, and a dense screen.
source "$(dirname "$0")/lib.sh" "$1"

grey=198,198,198  # the top face of a hunter
blue=132,132,255  # the top face of the wolf
# The option marks are compared over the area the mark covers; the labels follow it.
read -r mark_w mark_h <<<"$(identify -format '%w %h' "$E2E_DATA/h11.bmp")"

expect_piece() {  # row col colour what
  local n
  n="$(e2e_count_colour "$(e2e_square_x "$2")" "$(e2e_square_y "$1")" 53 53 "$3")"
  [ "$n" -ge 100 ] || e2e_fail "square ($1, $2) should show $4 ($n pixels of $3)"
}

# Device pixels of a square: a dense screen shows each pixel as several.
square_area() { echo $((53 * 53 * ${E2E_SCALE:-1} * ${E2E_SCALE:-1})); }

expect_empty() {  # row col
  local n
  n="$(e2e_count_colour "$(e2e_square_x "$2")" "$(e2e_square_y "$1")" 53 53 0,0,0)"
  [ "$n" -eq "$(square_area)" ] || e2e_fail "square ($1, $2) should be an empty dark square"
}

check_start_position() {
  e2e_shot
  e2e_expect_pixel 3 470 128,128,0 "the olive margin"
  local col
  for col in 2 4 6 8; do expect_piece 9 "$col" "$grey" "a hunter"; done
  expect_piece 7 4 "$blue" "the wolf"
  [ "$(e2e_count_colour "$(e2e_square_x 4)" "$(e2e_square_y 7)" 53 53 "$grey")" -eq 0 ] ||
    e2e_fail "the wolf's square shows a hunter"
  expect_empty 8 3
  expect_empty 6 5
  # The cursor stands on the light square (2, 2): the plain green tile.
  [ "$(e2e_count_colour 22 23 53 53 0,132,0)" -eq "$(square_area)" ] ||
    e2e_fail "the cursor is not on square (2, 2)"
  # Mode 2 and start square 1 are chosen, the other boxes empty.
  local chosen blank
  chosen="$(e2e_region 472 160 "$mark_w" "$mark_h")"
  blank="$(e2e_region 472 128 "$mark_w" "$mark_h")"
  [ "$chosen" != "$blank" ] || e2e_fail "mode 2 shows no mark"
  [ "$(e2e_region 472 264 "$mark_w" "$mark_h")" = "$chosen" ] || e2e_fail "start square 1 shows no mark"
  for y in 192 296 396 428; do
    [ "$(e2e_region 472 "$y" "$mark_w" "$mark_h")" = "$blank" ] || e2e_fail "the box at y $y is not empty"
  done
}

e2e_start_x 1280x1024x24

# The start position, and Esc ends the program.
e2e_start_game
e2e_wait_ready
e2e_log "painted and idle"
[ "$(xdotool getwindowname "$E2E_WID")" = "Vorlask" ] || e2e_fail "the title is not Vorlask"
geometry="$(xwininfo -id "$E2E_WID")"
grep -q "Absolute upper-left X:  160" <<<"$geometry" || e2e_fail "window not at x 160"
grep -q "Absolute upper-left Y:  14" <<<"$geometry" || e2e_fail "window not at y 14"
grep -q "Width: 615" <<<"$geometry" || e2e_fail "client area not 615 wide"
grep -q "Height: 480" <<<"$geometry" || e2e_fail "client area not 480 high"
check_start_position
e2e_key Escape
e2e_expect_exit 0
e2e_expect_quiet_stderr
e2e_log "start position and Esc: ok"

# A right click ends it (released outside the window too), and so does the close button, also while the first paint still
# measures the speed: the input waits in the queue and is handled afterwards. Two games at once
# save the time of one measurement.
e2e_start_game
e2e_wait_window
# Click before the second window opens over the first one. The button goes down in the window
# and comes up far to its right: the release still reaches the game.
e2e_drag_release 3 300 300 1000 260
clicked_pid="$E2E_PID" clicked_stderr="$E2E_STDERR"
E2E_STDOUT="$E2E_TMP/stdout2" E2E_STDERR="$E2E_TMP/stderr2"
e2e_start_game
e2e_wait_window
e2e_close_window
e2e_expect_exit 0 15
e2e_expect_quiet_stderr
E2E_PID="$clicked_pid" E2E_STDERR="$clicked_stderr"
e2e_expect_exit 0 15
e2e_expect_quiet_stderr
E2E_STDOUT="$E2E_TMP/stdout"
e2e_log "right click and close button: ok"

# A data file missing: the error window names it and the program ends without its window. The
# binary is copied where no data lies beside it either.
mkdir -p "$E2E_TMP/data" "$E2E_TMP/bin"
cp "$E2E_DATA"/*.bmp "$E2E_TMP/data/"
rm "$E2E_TMP/data/h12.bmp"
cp "$E2E_BIN" "$E2E_TMP/bin/vorlask"
e2e_start_game "$E2E_TMP/data" "$E2E_TMP/bin/vorlask"
e2e_expect_error_window h12.bmp
e2e_window_shown && e2e_fail "the window was shown although the start failed"
e2e_close_error_window Return
e2e_expect_exit 1 10
e2e_log "missing data file: ok"

# No display at all.
status=0
(cd "$E2E_DATA" && env -u DISPLAY -u WAYLAND_DISPLAY "$E2E_BIN" >"$E2E_STDOUT" 2>"$E2E_STDERR") ||
  status=$?
[ "$status" -ne 0 ] || e2e_fail "started without a display"
e2e_expect_stderr_contains "no display"
e2e_log "no display: ok"

# A screen of 192 dpi: every pixel of the window becomes 2 x 2, and clicks still hit the
# game's own pixels (the box of mode 1, then the square of the wolf).
e2e_stop_x
e2e_start_x 1280x1024x24 -dpi 192
e2e_start_game
e2e_wait_ready
grep -q "Width: 1230" <<<"$(xwininfo -id "$E2E_WID")" || e2e_fail "the window is not doubled"
E2E_SCALE=2
check_start_position
e2e_click 1 472 125
e2e_wait_idle
e2e_shot
[ "$(e2e_region 472 128 "$mark_w" "$mark_h")" = "$(e2e_region 472 264 "$mark_w" "$mark_h")" ] ||
  e2e_fail "a click on the mode 1 box at twice the size did not choose it"
e2e_click 3 10 10
e2e_expect_exit 0
# The error window is doubled too.
e2e_start_game "$E2E_TMP/data" "$E2E_TMP/bin/vorlask"
e2e_expect_error_window h12.bmp
e2e_close_error_window click
e2e_expect_exit 1 10
e2e_log "dense screen: ok"
