#!/usr/bin/env bash
# With the animation option on, a move slides across the board for two to three seconds (the
# pace measured at the first paint) and then the board shows the piece on its new square.
source "$(dirname "$0")/lib.sh" "$1"
source "$E2E_LIB_DIR/animation_timing.sh"

# The pace is counted once, at start-up, so a machine that is much busier then than during the
# move (other tests starting beside this one) skews it; such a run is repeated with a new
# measurement.
e2e_start_x
for attempt in 1 2 3; do
  e2e_start_game
  e2e_wait_ready
  # Two people, so that no computer reply follows the move; then the animation on.
  e2e_key t a
  e2e_wait_idle
  e2e_click_square 7 4
  e2e_wait_idle
  e2e_shot
  empty_dark="$(e2e_region "$(e2e_square_x 4)" "$(e2e_square_y 5)" 53 53)"
  before="$(e2e_region "$(e2e_square_x 5)" "$(e2e_square_y 6)" 53 53)"

  e2e_click_square 6 5
  seconds="$(busy_seconds)"
  e2e_log "attempt $attempt: the move took $seconds s from click to final board"

  e2e_shot
  [ "$(e2e_region "$(e2e_square_x 4)" "$(e2e_square_y 7)" 53 53)" = "$empty_dark" ] ||
    e2e_fail "the wolf's old square (7, 4) is not an empty dark square after the move"
  [ "$(e2e_region "$(e2e_square_x 5)" "$(e2e_square_y 6)" 53 53)" != "$before" ] ||
    e2e_fail "the wolf did not arrive on (6, 5)"
  e2e_key Escape
  e2e_expect_exit 0

  awk -v s="$seconds" 'BEGIN { exit !(s >= 1.5 && s <= 5.0) }' && exit 0
done
e2e_fail "the move took $seconds s, expected roughly two to three"
