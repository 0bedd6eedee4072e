#!/usr/bin/env bash
# A person plays the hunters against the computer's wolf. P before any move starts that mode at
# once; the wolf's opening move follows about 300 ms later from the timer. Each hunter moved by
# two clicks gets the wolf's reply, read back from the screen.
source "$(dirname "$0")/lib.sh" "$1"

# One line of play after the opening move (7, 4) to (8, 3): the hunter's move, then the wolf's
# reply, as "from-row from-col to-row to-col" each. The wolf's replies here do not depend on its
# random choices.
moves=(
  "9 6 8 5   8 3 7 4"
  "9 8 8 7   7 4 6 5"
  "8 5 7 4   6 5 7 6"
  "9 4 8 5   7 6 6 7"
  "9 2 8 3   6 7 7 8"
)

declare -A expected=([9, 2]=H [9, 4]=H [9, 6]=H [9, 8]=H [7, 4]=W)

e2e_start_x
e2e_start_game
e2e_wait_ready
e2e_expect_board "at start-up"

# The opening move comes from the one-shot timer, never sooner than its 300 ms.
start="$(date +%s.%N)"
e2e_key p
unset "expected[7, 4]"
expected[8, 3]=W
want="$(e2e_expected_board)"
shows_want() {
  e2e_shot
  [ "$(e2e_read_board)" = "$want" ]
}
e2e_poll 100 0.02 shows_want || e2e_expect_board "after P"
seconds="$(awk -v s="$start" -v n="$(date +%s.%N)" 'BEGIN { printf "%.2f\n", n - s }')"
e2e_log "the opening move showed $seconds s after P"
awk -v s="$seconds" 'BEGIN { exit !(s >= 0.25) }' ||
  e2e_fail "the opening move showed after $seconds s, before the timer's 300 ms"
e2e_wait_idle 30
e2e_expect_board "after the opening move"

e2e_play_against_computer H W "${moves[@]}"

e2e_key Escape
e2e_expect_exit 0
