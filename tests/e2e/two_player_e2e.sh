#!/usr/bin/env bash
# Two people share the keyboard and the mouse. The first game is played with clicks until the
# wolf breaks through on the hunters' home row; a new game is then played with the cursor keys
# and Enter until the hunters catch the wolf in the right-hand corner. After each move the
# board is read back from the screen. Esc ends the program, and in a second run a right click.
source "$(dirname "$0")/lib.sh" "$1"

declare -A expected
start_position() {
  expected=([9, 2]=H [9, 4]=H [9, 6]=H [9, 8]=H [7, 4]=W)
}

expect_board() {
  e2e_wait_idle 30
  e2e_expect_board "$1"
}

# The result block: blue text in the olive frame at the top of the panel.
result_blue() { e2e_count_colour 455 0 160 86 0,0,255; }

expect_no_result() {
  [ "$(result_blue)" -eq 0 ] || e2e_fail "$1: a result is shown while the game goes on"
}

record_move() {  # from-row from-col to-row to-col
  expected[$3, $4]="${expected[$1, $2]}"
  unset "expected[$1, $2]"
}

click_move() {
  e2e_click_square "$1" "$2"
  e2e_click_square "$3" "$4"
  record_move "$@"
  expect_board "after the click move ($1, $2) to ($3, $4)"
}

# The cursor is tracked here: a new game puts it on (2, 2).
cursor_row=2
cursor_col=2
enter_at() {
  local keys=()
  while [ "$cursor_row" -gt "$1" ]; do keys+=(Up); cursor_row=$((cursor_row - 1)); done
  while [ "$cursor_row" -lt "$1" ]; do keys+=(Down); cursor_row=$((cursor_row + 1)); done
  while [ "$cursor_col" -gt "$2" ]; do keys+=(Left); cursor_col=$((cursor_col - 1)); done
  while [ "$cursor_col" -lt "$2" ]; do keys+=(Right); cursor_col=$((cursor_col + 1)); done
  e2e_key "${keys[@]}" Return
}

key_move() {
  enter_at "$1" "$2"
  enter_at "$3" "$4"
  record_move "$@"
  expect_board "after the key move ($1, $2) to ($3, $4)"
}

e2e_start_x
e2e_start_game
e2e_wait_ready
e2e_key t  # two players; nothing has moved, so the game restarts at once
start_position
expect_board "after choosing two players"

# Game 1, by clicks. A hunter cannot be taken while the wolf is to move, and a wolf cannot
# jump two squares: both clicks are ignored.
e2e_click_square 9 2
e2e_click_square 7 4
e2e_click_square 5 6
expect_board "after illegal clicks"
click_move 7 4 8 5
click_move 9 6 8 7
expect_no_result "before the wolf's last move"
click_move 8 5 9 6
free_blue="$(result_blue)"
[ "$free_blue" -gt 50 ] || e2e_fail "no result block after the wolf broke through ($free_blue blue pixels)"
free_block="$(e2e_region 455 0 160 86)"
# The board no longer reacts.
e2e_click_square 9 6
e2e_click_square 8 5
expect_board "after clicks on the finished game"
e2e_log "game 1: the wolf broke through"

# Game 2, by keys: N starts it 300 ms later, since the last game was played.
e2e_key n
sleep 0.5
start_position
cursor_row=2
cursor_col=2
expect_board "after the new game"
expect_no_result "in the new game"
for move in "7 4 6 5" "9 6 8 7" "6 5 7 6" "9 2 8 3" "7 6 6 7" "8 3 7 2" "6 7 7 8" "7 2 6 3" \
  "7 8 8 9"; do
  # shellcheck disable=SC2086  # the four numbers of a move
  key_move $move
done
expect_no_result "before the hunters' last move"
key_move 8 7 7 8
caught_blue="$(result_blue)"
[ "$caught_blue" -gt 50 ] || e2e_fail "no result block after the wolf was caught ($caught_blue blue pixels)"
[ "$(e2e_region 455 0 160 86)" != "$free_block" ] || e2e_fail "the caught wolf shows the other result"
e2e_key Left Return
expect_board "after keys on the finished game"
e2e_log "game 2: the wolf was caught"

e2e_key Escape
e2e_expect_exit 0

# A right click ends the program in the middle of a game.
e2e_start_game
e2e_wait_ready
e2e_key t
start_position
expect_board "second run, two players"
e2e_click_square 7 4
e2e_click 3 200 200
e2e_expect_exit 0
e2e_log "Esc and a right click ended the program"
