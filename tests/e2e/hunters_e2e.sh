#!/usr/bin/env bash
# A person plays the wolf against the computer's hunters in the mode the program starts in. The
# wolf is picked up and put down with clicks; after each move the whole board is read back from
# the screen and must show the hunters' reply. The game ends with the wolf caught, after which
# the board no longer reacts.
source "$(dirname "$0")/lib.sh" "$1"

# One line of play from the wolf's start square (7, 4): the wolf's move, then the hunters'
# reply, as "from-row from-col to-row to-col" each.
moves=(
  "7 4 8 3   9 8 8 7"
  "8 3 7 2   9 2 8 3"
  "7 2 6 3   9 4 8 5"
  "6 3 7 2   8 7 7 8"
  "7 2 6 3   9 6 8 7"
  "6 3 7 2   8 7 7 6"
  "7 2 6 3   8 5 7 4"
  "6 3 7 2   7 4 6 3"
)

declare -A expected=([9, 2]=H [9, 4]=H [9, 6]=H [9, 8]=H [7, 4]=W)

# The dark squares from row 2 to row 9, each as H (hunter), W (wolf), . (empty) or ? (anything
# else), read from one pixel of the pieces' top face; an empty square under the cursor is green.
read_board() {
  local format="" r c x y
  for r in 2 3 4 5 6 7 8 9; do
    for c in 2 3 4 5 6 7 8 9; do
      (((r + c) % 2 == 1)) || continue
      x=$((54 * c - 86 + 26))
      y=$((54 * r - 85 + 12))
      format+="%[fx:round(255*p{$x,$y}.r)],%[fx:round(255*p{$x,$y}.g)],%[fx:round(255*p{$x,$y}.b)] "
    done
  done
  local colour board=""
  for colour in $(convert "$E2E_SHOT" -format "$format" info:); do
    case "$colour" in
      198,198,198) board+="H" ;;
      132,132,255) board+="W" ;;
      0,0,0 | 0,132,0) board+="." ;;
      *) board+="?" ;;
    esac
  done
  echo "$board"
}

expected_board() {
  local r c board=""
  for r in 2 3 4 5 6 7 8 9; do
    for c in 2 3 4 5 6 7 8 9; do
      (((r + c) % 2 == 1)) || continue
      board+="${expected[$r, $c]:-.}"
    done
  done
  echo "$board"
}

expect_board() {
  local got want
  e2e_shot
  got="$(read_board)"
  want="$(expected_board)"
  [ "$got" = "$want" ] || e2e_fail "$1: the board shows $got, expected $want (dark squares, rows 2 to 9)"
}

e2e_start_x
e2e_start_game
e2e_wait_ready
expect_board "at start-up"

for move in "${moves[@]}"; do
  read -r wr wc tr tc hr hc gr gc <<<"$move"
  e2e_click_square "$wr" "$wc"
  e2e_click_square "$tr" "$tc"
  e2e_wait_idle 30
  unset "expected[$wr, $wc]" "expected[$hr, $hc]"
  expected[$tr, $tc]=W
  expected[$gr, $gc]=H
  expect_board "after the wolf's move to ($tr, $tc)"
  e2e_log "wolf to ($tr, $tc), hunter ($hr, $hc) to ($gr, $gc)"
done

# The wolf on (7, 2) is caught: the result block is drawn in blue at the top of the panel, and
# a click on the board changes nothing any more.
blue="$(e2e_count_colour 455 0 160 86 0,0,255)"
[ "$blue" -gt 50 ] || e2e_fail "no result block after the wolf was caught ($blue blue pixels)"
e2e_click_square 7 2
e2e_click_square 8 3
e2e_wait_idle 30
expect_board "after a click on the caught wolf"

e2e_key Escape
e2e_expect_exit 0
