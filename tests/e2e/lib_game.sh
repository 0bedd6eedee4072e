# shellcheck shell=bash
# The X display and the game's process, for the end-to-end tests: the private X server, the
# game started (or traced) in a folder, the waits for its window, for its rest and for its end,
# the keys and clicks sent to it, and what it wrote on stderr. Sourced by lib.sh, which sets
# the E2E_* variables these read.

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
  (cd "$dir" && exec "${as[@]}" "${E2E_WRAP[@]}" "$bin" >"$E2E_STDOUT" 2>"$E2E_STDERR") &
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

# The game's peak resident memory so far, in kB, as the kernel counts it.
e2e_peak_kb() { awk '/^VmHWM:/ { print $2 }' "/proc/$E2E_PID/status" 2>/dev/null || echo 0; }

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

# True when the game's main window is on screen: a shown window called Vorlask other than
# its error window.
e2e_window_shown() {
  local id
  for id in $(xdotool search --all --onlyvisible --pid "$E2E_PID" --name '^Vorlask$' 2>/dev/null); do
    [ "$id" = "${E2E_ERROR_WID:-}" ] || return 0
  done
  return 1
}

# Closes the window as a window manager's close button would.
e2e_close_window() {
  local tool="${VORLASK_E2E_CLOSE_WINDOW:-$(dirname "$E2E_BIN")/tests/e2e_close_window}"
  [ -x "$tool" ] || e2e_fail "the close helper $tool is missing (build target e2e_close_window)"
  "$tool" "$E2E_WID"
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

# The latest message the game showed the person, as written on stderr without its "vorlask: "
# prefix; a message may take several lines, and other lines of the game's may follow it.
e2e_error_message() {
  awk '/^vorlask: / { within = 0 } /^vorlask: Vorlask / { within = 1; text = "" }
       within { line = $0; if (text == "") sub(/^vorlask: /, "", line); text = text line "\n" }
       END { printf "%s", text }' "$E2E_STDERR" | head -c -1
}

e2e_expect_stderr_contains() {
  grep -qF -- "$1" "$E2E_STDERR" || e2e_fail "stderr does not mention \"$1\""
}

e2e_expect_quiet_stderr() {
  [ ! -s "$E2E_STDERR" ] || e2e_fail "unexpected output on stderr"
}
