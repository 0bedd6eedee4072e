# shellcheck shell=bash
# What the game's windows show, for the end-to-end tests: screenshots and their pixels, the
# board read from them and compared with the expected one, moves played against the computer
# and checked after each reply, and the error window compared with the picture the game's own
# drawing code makes of it. Sourced by lib.sh, which sets the E2E_* variables these read.

# A screenshot of the window's client area into $E2E_SHOT (or the file given).
e2e_shot() {
  import -window "$E2E_WID" "${1:-$E2E_SHOT}" 2>/dev/null || e2e_fail "screenshot failed"
}

e2e_painted() {
  e2e_shot
  [ "$(e2e_pixel 611 3)" = "128,128,0" ]
}

# e2e_pixel X Y [FILE]: "R,G,B" of a client pixel of the last screenshot, in game pixels.
e2e_pixel() {
  local s="${E2E_SCALE:-1}"
  local x=$(($1 * s)) y=$(($2 * s))
  convert "${3:-$E2E_SHOT}" -format \
    "%[fx:round(255*p{$x,$y}.r)],%[fx:round(255*p{$x,$y}.g)],%[fx:round(255*p{$x,$y}.b)]" info:
}

e2e_expect_pixel() {
  local got
  got="$(e2e_pixel "$1" "$2")"
  [ "$got" = "$3" ] || e2e_fail "pixel ($1, $2) is $got, expected $3${4:+ ($4)}"
}

# e2e_count_colour X Y W H R,G,B: how many pixels of the rectangle (game pixels) have the colour.
e2e_count_colour() {
  local s="${E2E_SCALE:-1}"
  convert "$E2E_SHOT" -crop "$(($3 * s))x$(($4 * s))+$(($1 * s))+$(($2 * s))" +repage \
    -alpha off -depth 8 -format %c histogram:info: |
    awk -v want="($5)" '$2 == want { n += $1 } END { print n + 0 }'
}

# The pixels of a rectangle as text, to compare two parts of the window.
e2e_region() {
  local s="${E2E_SCALE:-1}"
  convert "$E2E_SHOT" -crop "$(($3 * s))x$(($4 * s))+$(($1 * s))+$(($2 * s))" +repage \
    -depth 8 txt:- | tail -n +2 | awk '{ print $3 }' | md5sum | cut -d' ' -f1
}

# Top-left client pixel of a board square.
e2e_square_x() { echo $((54 * $1 - 86)); }
e2e_square_y() { echo $((54 * $1 - 85)); }

# Clicks the centre of board square (row, col).
e2e_click_square() {
  e2e_click 1 $((54 * $2 - 86 + 26)) $((54 * $1 - 85 + 26))
}

# e2e_read_board: the dark squares from row 2 to row 9, each as H (hunter), W (wolf), . (empty) or ? (anything
# else), read from one pixel of the pieces' top face; an empty square under the cursor is green.
e2e_read_board() {
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

# e2e_expected_board: the same from the associative array `expected` ([row, col]=H or W).
e2e_expected_board() {
  local r c board=""
  for r in 2 3 4 5 6 7 8 9; do
    for c in 2 3 4 5 6 7 8 9; do
      (((r + c) % 2 == 1)) || continue
      board+="${expected[$r, $c]:-.}"
    done
  done
  echo "$board"
}

# e2e_expect_board WHAT: a screenshot whose board is the expected one.
e2e_expect_board() {
  local got want
  e2e_shot
  got="$(e2e_read_board)"
  want="$(e2e_expected_board)"
  [ "$got" = "$want" ] || e2e_fail "$1: the board shows $got, expected $want (dark squares, rows 2 to 9)"
}

# Plays the person's moves, two clicks each, against the computer and checks the board after
# each reply. mine and theirs are the letters of the two sides' pieces (W or H) in the global
# map `expected`; each move is "from_row from_col to_row to_col" of the person's piece, then
# the same four of the computer's reply.
e2e_play_against_computer() {
  local mine="$1" theirs="$2" move fr fc tr tc rfr rfc rtr rtc
  shift 2
  for move in "$@"; do
    read -r fr fc tr tc rfr rfc rtr rtc <<<"$move"
    e2e_click_square "$fr" "$fc"
    e2e_click_square "$tr" "$tc"
    e2e_wait_idle 30
    unset "expected[$fr, $fc]" "expected[$rfr, $rfc]"
    expected[$tr, $tc]=$mine
    expected[$rtr, $rtc]=$theirs
    e2e_expect_board "after the move to ($tr, $tc)"
    e2e_log "($fr, $fc) to ($tr, $tc), the reply ($rfr, $rfc) to ($rtr, $rtc)"
  done
}

# e2e_expect_error_window NAME [SECONDS]: the game's error window is shown (a window titled
# Vorlask other than the game's), its message on stderr names NAME, and the window shows
# exactly that message: the screenshot is compared with the picture the game's own drawing
# code makes of it (E2E_ERROR_FONT=builtin: with the font built into the program). Sets
# E2E_ERROR_WID, E2E_ERROR_OK (the OK button's middle: "x y") and
# E2E_ERROR_SHOWN_MS (when the window was first seen, as e2e_now_ms tells time).
e2e_expect_error_window() {
  local name="$1" limit="${2:-20}" i id ids tool geometry
  E2E_ERROR_WID=""
  for i in $(seq 1 $((limit * 50))); do
    ids="$(xdotool search --all --onlyvisible --pid "$E2E_PID" --name '^Vorlask$' 2>/dev/null || true)"
    for id in $ids; do
      [ "$id" = "$E2E_WID" ] || E2E_ERROR_WID="$id"
    done
    if [ -n "$E2E_ERROR_WID" ]; then
      E2E_ERROR_SHOWN_MS="$(e2e_now_ms)"
      break
    fi
    kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "vorlask ended without showing its error window"
    sleep 0.02
  done
  [ -n "$E2E_ERROR_WID" ] || e2e_fail "no error window within $limit s (about $name)"
  e2e_expect_stderr_contains "$name"
  tool="${VORLASK_E2E_ERROR_BOX_PICTURE:-$(dirname "$E2E_BIN")/tests/e2e_error_box_picture}"
  [ -x "$tool" ] || e2e_fail "$tool is missing (build target e2e_error_box_picture)"
  e2e_error_message >"$E2E_TMP/message"
  geometry="$("$tool" ${E2E_ERROR_FONT:+--"$E2E_ERROR_FONT"} "$E2E_TMP/message" "$E2E_TMP/expected.ppm")" ||
    e2e_fail "$tool failed"
  E2E_ERROR_OK="$(cut -d' ' -f3,4 <<<"$geometry")"
  local s="${E2E_SCALE:-1}" w h differ
  read -r w h _ <<<"$geometry"
  [ "$s" -eq 1 ] || convert "$E2E_TMP/expected.ppm" -scale "$((s * 100))%" "$E2E_TMP/expected.ppm"
  # Drawing follows the showing; the picture may need a moment.
  for i in $(seq 1 40); do
    import -window "$E2E_ERROR_WID" "$E2E_TMP/error.ppm" 2>/dev/null || true
    differ="$(compare -metric AE "$E2E_TMP/expected.ppm" "$E2E_TMP/error.ppm" null: 2>&1 || true)"
    [ "$differ" = "0" ] && return 0
    sleep 0.05
  done
  cp "$E2E_TMP/error.ppm" "$E2E_SHOT" 2>/dev/null || true
  e2e_fail "the error window (${w}x$h expected) does not show the message: $differ pixels differ"
}

# e2e_close_error_window HOW: closes the error window with Return, KP_Enter or Escape, a
# click on OK (click) or the window manager's close button (close), and waits until it has
# gone.
e2e_close_error_window() {
  local how="$1" i s="${E2E_SCALE:-1}" x y
  case "$how" in
    click)
      read -r x y <<<"$E2E_ERROR_OK"
      xdotool mousemove --window "$E2E_ERROR_WID" $((x * s)) $((y * s)) click 1 ;;
    close)
      local tool="${VORLASK_E2E_CLOSE_WINDOW:-$(dirname "$E2E_BIN")/tests/e2e_close_window}"
      "$tool" "$E2E_ERROR_WID" ;;
    *)
      xdotool windowfocus --sync "$E2E_ERROR_WID" 2>/dev/null || true
      xdotool key "$how" ;;
  esac
  for i in $(seq 1 100); do
    xwininfo -id "$E2E_ERROR_WID" 2>/dev/null | grep -q 'Map State: IsViewable' || return 0
    sleep 0.05
  done
  e2e_fail "the error window did not close on $how"
}
