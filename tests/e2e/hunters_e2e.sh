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

e2e_start_x
e2e_start_game
e2e_wait_ready
e2e_expect_board "at start-up"

e2e_play_against_computer W H "${moves[@]}"

# The wolf on (7, 2) is caught: the result block is drawn in blue at the top of the panel, and
# a click on the board changes nothing any more.
blue="$(e2e_count_colour 455 0 160 86 0,0,255)"
[ "$blue" -gt 50 ] || e2e_fail "no result block after the wolf was caught ($blue blue pixels)"
e2e_click_square 7 2
e2e_click_square 8 3
e2e_wait_idle 30
e2e_expect_board "after a click on the caught wolf"

e2e_key Escape
e2e_expect_exit 0
