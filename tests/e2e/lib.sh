# shellcheck shell=bash
# Helpers for the end-to-end tests: the real vorlask binary on a private Xvfb display, driven
# with xdotool and checked through screenshots. A test script sources this file with the path
# of the binary as its first argument:
#
#   source "$(dirname "$0")/lib.sh" "$1"
#   e2e_start_x
#   e2e_start_game "$E2E_DATA"     # a folder holding the data files
#   e2e_wait_ready                  # window shown, first paint and speed calibration done
#   e2e_key Right Return            # or: e2e_click 1 100 200 (client pixels)
#   e2e_shot; e2e_expect_pixel 171 412 198,198,198
#   e2e_key Escape; e2e_expect_exit 0
#
# Everything started here is stopped on exit, whatever happens. Failures print what was
# expected and keep the last screenshot in $E2E_KEEP (the build's Testing folder) if set.
# The music plays to SDL's silent "dummy" audio device, so that no test needs a sound card
# and no error box about a missing device can block the window.

set -euo pipefail

E2E_BIN="$(realpath "${1:?usage: $0 path/to/vorlask}")"
E2E_LIB_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
E2E_SOURCE_DIR="$(cd "$E2E_LIB_DIR/../.." && pwd)"
# The data files as the build put them beside the binary.
E2E_DATA="$(dirname "$E2E_BIN")"
E2E_TMP="$(mktemp -d "${TMPDIR:-/tmp}/vorlask-e2e.XXXXXX")"
E2E_XVFB_PID=""
E2E_PID=""
E2E_TRACER_PID=""
E2E_STATUS=""
E2E_WID=""
E2E_SHOT="$E2E_TMP/shot.ppm"
E2E_STDOUT="$E2E_TMP/stdout"
E2E_STDERR="$E2E_TMP/stderr"
E2E_NAME="$(basename "$0" .sh)"
export SDL_AUDIODRIVER=dummy

e2e_cleanup() {
  local status=$?
  [ -z "$E2E_TRACER_PID" ] || kill "$E2E_TRACER_PID" 2>/dev/null || true
  if [ -n "$E2E_PID" ] && kill -0 "$E2E_PID" 2>/dev/null; then
    kill -KILL "$E2E_PID" 2>/dev/null || true
    wait "$E2E_PID" 2>/dev/null || true
  fi
  if [ -n "$E2E_XVFB_PID" ]; then
    kill "$E2E_XVFB_PID" 2>/dev/null || true
    wait "$E2E_XVFB_PID" 2>/dev/null || true
  fi
  if [ "$status" -ne 0 ] && [ -n "${E2E_KEEP:-}" ] && [ -f "$E2E_SHOT" ]; then
    mkdir -p "$E2E_KEEP" && convert "$E2E_SHOT" "$E2E_KEEP/$E2E_NAME-failed.png" || true
  fi
  rm -rf "$E2E_TMP"
  exit "$status"
}
trap e2e_cleanup EXIT
trap 'exit 130' INT TERM

E2E_T0="$(date +%s%N)"
e2e_log() { echo "[$E2E_NAME $((($(date +%s%N) - E2E_T0) / 1000000)) ms] $*" >&2; }

e2e_fail() {
  e2e_log "FAIL: $*"
  if [ -s "$E2E_STDERR" ]; then
    e2e_log "stderr of vorlask:"
    sed 's/^/    /' "$E2E_STDERR" >&2
  fi
  exit 1
}

# Starts Xvfb on a display number nobody uses (the server picks it) and exports DISPLAY.
# Arguments: the screen geometry (default 1024x768x24), then extra Xvfb options. The server
# has only its built-in fonts, whatever fonts this machine has, as on many desktops: nothing
# the game shows may depend on the X server's own fonts.
e2e_start_x() {
  local geometry="${1:-1024x768x24}"
  shift || true
  local fdfile="$E2E_TMP/displayfd"
  : >"$fdfile"
  Xvfb -displayfd 9 -screen 0 "$geometry" -nolisten tcp -noreset -fp built-ins "$@" \
    9>"$fdfile" >"$E2E_TMP/xvfb.log" 2>&1 &
  E2E_XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    if [ -s "$fdfile" ]; then
      export DISPLAY=":$(tr -d '[:space:]' <"$fdfile")"
      return 0
    fi
    kill -0 "$E2E_XVFB_PID" 2>/dev/null || break
    sleep 0.05
  done
  cat "$E2E_TMP/xvfb.log" >&2
  e2e_fail "Xvfb did not start"
}

# Stops the X server of e2e_start_x, for a test that needs another screen.
e2e_stop_x() {
  if [ -n "$E2E_XVFB_PID" ]; then
    kill "$E2E_XVFB_PID" 2>/dev/null || true
    wait "$E2E_XVFB_PID" 2>/dev/null || true
  fi
  E2E_XVFB_PID=""
}

# Starts the game in the given folder (default: the data beside the binary), optionally a
# different binary. Sets E2E_PID. With E2E_AS_USER set, a test run by root starts the game as
# that user, for whom leave to read means something.
e2e_start_game() {
  local dir="${1:-$E2E_DATA}" bin="${2:-$E2E_BIN}" as=()
  E2E_STATUS=""
  E2E_WID=""
  E2E_STARTED_MS="$(e2e_now_ms)"
  if [ -n "${E2E_AS_USER:-}" ] && [ "$(id -u)" -eq 0 ]; then
    as=(setpriv --reuid="$E2E_AS_USER" --regid="$E2E_AS_USER" --clear-groups --)
  fi
  (cd "$dir" && exec "${as[@]}" "$bin" >"$E2E_STDOUT" 2>"$E2E_STDERR") &
  E2E_PID=$!
}

# e2e_start_traced_game DIR TRACE: the same, with every file the game opens written to TRACE
# by strace from its very first instruction: the game waits, stopped, until the tracer holds it.
e2e_start_traced_game() {
  local dir="$1" trace="$2" i
  command -v strace >/dev/null || e2e_fail "strace is missing; run scripts/install-deps"
  E2E_STATUS=""
  E2E_WID=""
  (cd "$dir" && kill -STOP "$BASHPID" && exec "$E2E_BIN" >"$E2E_STDOUT" 2>"$E2E_STDERR") &
  E2E_PID=$!
  for i in $(seq 1 200); do
    [ "$(ps -o stat= -p "$E2E_PID" | cut -c1)" = T ] && break
    sleep 0.01
  done
  strace -f -qq -e trace=open,openat -o "$trace" -p "$E2E_PID" 2>"$E2E_TMP/strace.log" &
  E2E_TRACER_PID=$!
  for i in $(seq 1 500); do
    grep -q '^TracerPid:[[:space:]]*[1-9]' "/proc/$E2E_PID/status" && break
    kill -0 "$E2E_TRACER_PID" 2>/dev/null || e2e_fail "strace cannot trace the game: $(cat "$E2E_TMP/strace.log")"
    sleep 0.01
  done
  E2E_STARTED_MS="$(e2e_now_ms)"
  kill -CONT "$E2E_PID"
}

# Milliseconds since the test started.
e2e_now_ms() { echo $((($(date +%s%N) - E2E_T0) / 1000000)); }

# The game's peak resident memory so far, in kB, as the kernel counts it.
e2e_peak_kb() { awk '/^VmHWM:/ { print $2 }' "/proc/$E2E_PID/status" 2>/dev/null || echo 0; }

# e2e_time_exit FROM_MS [SECONDS]: waits, looking every 5 ms, for the game to end, and sets
# E2E_EXIT_MS to the milliseconds from FROM_MS (a time of e2e_now_ms) and E2E_STATUS.
e2e_time_exit() {
  local from="$1" limit="${2:-10}" i
  for i in $(seq 1 $((limit * 200))); do
    if ! kill -0 "$E2E_PID" 2>/dev/null; then
      E2E_EXIT_MS=$(($(e2e_now_ms) - from))
      E2E_STATUS=0
      wait "$E2E_PID" || E2E_STATUS=$?
      E2E_PID=""
      return 0
    fi
    sleep 0.005
  done
  e2e_fail "vorlask did not end within $limit s"
}

# Waits up to $1 seconds (default 20) for the game's main window to be shown; sets E2E_WID.
e2e_wait_window() {
  local limit="${1:-20}" i ids
  for i in $(seq 1 $((limit * 20))); do
    ids="$(xdotool search --all --onlyvisible --pid "$E2E_PID" --name '^Vorlask$' 2>/dev/null || true)"
    if [ -n "$ids" ]; then
      E2E_WID="$(echo "$ids" | head -n 1)"
      return 0
    fi
    kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "vorlask ended before showing its window"
    sleep 0.05
  done
  e2e_fail "no window within $limit s"
}

# CPU time used so far by the game, in clock ticks.
e2e_cpu_ticks() {
  local stat
  stat="$(cat "/proc/$E2E_PID/stat" 2>/dev/null)" || {
    echo 0
    return
  }
  # Fields after the command name (which may hold spaces): utime is the 12th, stime the 13th.
  stat="${stat##*) }"
  # shellcheck disable=SC2086
  set -- $stat
  echo $((${12} + ${13}))
}

# Waits until the game takes no CPU for a while: its start-up, the first paint and the speed
# measurement that follows it are over, and so is the reaction to the last input.
e2e_wait_idle() {
  local limit="${1:-30}" quiet=0 before after i
  before="$(e2e_cpu_ticks)"
  for i in $(seq 1 $((limit * 10))); do
    sleep 0.1
    kill -0 "$E2E_PID" 2>/dev/null || return 0
    after="$(e2e_cpu_ticks)"
    if [ $((after - before)) -le 1 ]; then
      quiet=$((quiet + 1))
      [ "$quiet" -ge 3 ] && return 0
    else
      quiet=0
    fi
    before="$after"
  done
  e2e_fail "vorlask did not become idle within $limit s"
}

# Window shown, painted (the olive margin at its top-right corner; the top-left one carries the
# stars of the speed measurement) and idle.
e2e_wait_ready() {
  e2e_wait_window "${1:-20}"
  e2e_poll 200 0.05 e2e_painted || e2e_fail "the window was never painted"
  e2e_wait_idle 30
}

e2e_painted() {
  e2e_shot
  [ "$(e2e_pixel 611 3)" = "128,128,0" ]
}

# Runs a check (a command) until it succeeds, up to `tries` times with `pause` seconds between;
# returns 1 when it never does.
e2e_poll() {
  local tries="$1" pause="$2" i
  shift 2
  for i in $(seq 1 "$tries"); do
    "$@" && return 0
    [ "$i" -lt "$tries" ] && sleep "$pause"
  done
  return 1
}

# Keys by their X names (Escape, Return, KP_Enter, Left, t, 1, ...), to the game's window.
e2e_key() {
  xdotool mousemove --window "$E2E_WID" 1 1 >/dev/null
  xdotool windowfocus --sync "$E2E_WID" 2>/dev/null || true
  xdotool key --delay 30 "$@"
}

# e2e_click BUTTON X Y: presses and releases a mouse button at client pixel (X, Y) of the
# window. Positions are in the game's own pixels; on a scaled window pass E2E_SCALE.
e2e_click() {
  local button="$1" x="$2" y="$3" s="${E2E_SCALE:-1}"
  xdotool mousemove --window "$E2E_WID" $((x * s + s / 2)) $((y * s + s / 2)) click "$button"
}

# e2e_drag_release BUTTON X1 Y1 X2 Y2: press at one client pixel, release at another, which
# may lie outside the window.
e2e_drag_release() {
  local button="$1" s="${E2E_SCALE:-1}"
  xdotool mousemove --window "$E2E_WID" $(($2 * s)) $(($3 * s)) mousedown "$button" \
    mousemove --window "$E2E_WID" $(($4 * s)) $(($5 * s)) mouseup "$button"
}

# A screenshot of the window's client area into $E2E_SHOT (or the file given).
e2e_shot() {
  import -window "$E2E_WID" "${1:-$E2E_SHOT}" 2>/dev/null || e2e_fail "screenshot failed"
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

# e2e_expect_exit STATUS [SECONDS]: the game ends by itself with that status.
e2e_expect_exit() {
  local want="$1" limit="${2:-10}" i
  for i in $(seq 1 $((limit * 20))); do
    if ! kill -0 "$E2E_PID" 2>/dev/null; then
      E2E_STATUS=0
      wait "$E2E_PID" || E2E_STATUS=$?
      E2E_PID=""
      [ "$E2E_STATUS" = "$want" ] || e2e_fail "exit status $E2E_STATUS, expected $want"
      return 0
    fi
    sleep 0.05
  done
  e2e_fail "vorlask did not end within $limit s"
}

# Closes the window as a window manager's close button would.
e2e_close_window() {
  local tool="${VORLASK_E2E_CLOSE_WINDOW:-$(dirname "$E2E_BIN")/tests/e2e_close_window}"
  [ -x "$tool" ] || e2e_fail "the close helper $tool is missing (build target e2e_close_window)"
  "$tool" "$E2E_WID"
}

# The latest message the game showed the person, as written on stderr without its "vorlask: "
# prefix; a message may take several lines, and other lines of the game's may follow it.
e2e_error_message() {
  awk '/^vorlask: / { within = 0 } /^vorlask: Vorlask / { within = 1; text = "" }
       within { line = $0; if (text == "") sub(/^vorlask: /, "", line); text = text line "\n" }
       END { printf "%s", text }' "$E2E_STDERR" | head -c -1
}

# e2e_expect_error_window NAME [SECONDS]: the game's error window is shown (a window titled
# Vorlask other than the game's), its message on stderr names NAME, and the window shows
# exactly that message: the screenshot is compared with the picture the game's own drawing
# code makes of it. Sets E2E_ERROR_WID, E2E_ERROR_OK (the OK button's middle: "x y") and
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
  geometry="$("$tool" "$E2E_TMP/message" "$E2E_TMP/expected.ppm")" || e2e_fail "$tool failed"
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

# True when the game's main window is on screen: a shown window called Vorlask other than
# its error window.
e2e_window_shown() {
  local id
  for id in $(xdotool search --all --onlyvisible --pid "$E2E_PID" --name '^Vorlask$' 2>/dev/null); do
    [ "$id" = "${E2E_ERROR_WID:-}" ] || return 0
  done
  return 1
}

e2e_expect_stderr_contains() {
  grep -qF -- "$1" "$E2E_STDERR" || e2e_fail "stderr does not mention \"$1\""
}

e2e_expect_quiet_stderr() {
  [ ! -s "$E2E_STDERR" ] || e2e_fail "unexpected output on stderr"
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
