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

# The opening move comes from the one-shot timer, never sooner than its 300 ms.
start="$(date +%s.%N)"
e2e_key p
unset "expected[7, 4]"
expected[8, 3]=W
want="$(expected_board)"
for i in $(seq 1 100); do
  e2e_shot
  [ "$(read_board)" = "$want" ] && break
  [ "$i" -eq 100 ] && expect_board "after P"
  sleep 0.02
done
seconds="$(awk -v s="$start" -v n="$(date +%s.%N)" 'BEGIN { printf "%.2f\n", n - s }')"
e2e_log "the opening move showed $seconds s after P"
awk -v s="$seconds" 'BEGIN { exit !(s >= 0.25) }' ||
  e2e_fail "the opening move showed after $seconds s, before the timer's 300 ms"
e2e_wait_idle 30
expect_board "after the opening move"

for move in "${moves[@]}"; do
  read -r hr hc gr gc wr wc tr tc <<<"$move"
  e2e_click_square "$hr" "$hc"
  e2e_click_square "$gr" "$gc"
  e2e_wait_idle 30
  unset "expected[$hr, $hc]" "expected[$wr, $wc]"
  expected[$gr, $gc]=H
  expected[$tr, $tc]=W
  expect_board "after the hunter's move to ($gr, $gc)"
  e2e_log "hunter ($hr, $hc) to ($gr, $gc), wolf ($wr, $wc) to ($tr, $tc)"
done

e2e_key Escape
e2e_expect_exit 0
