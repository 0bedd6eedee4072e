#!/usr/bin/env bash
# Music switched off and on again while a move slides: both presses wait in the window's queue
# behind the animation, and the end of the play that "off" cuts is queued behind them. The
# music must not start restarting itself then: over the next 10 s the game opens its music
# files only as often as the two switchings need. The music plays to SDL's "disk" driver, which
# keeps the pace of a sound card, and the opens are counted by tracing the game.
source "$(dirname "$0")/lib.sh" "$1"
command -v strace >/dev/null || e2e_fail "strace is missing; run scripts/install-deps"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$E2E_TMP/audio.raw"

e2e_start_x
e2e_start_game
e2e_wait_ready
trace="$E2E_TMP/opens"
strace -f -e trace=open,openat -o "$trace" -p "$E2E_PID" 2>"$E2E_TMP/strace.log" &
tracer=$!
stop_tracer() { kill "$tracer" 2>/dev/null || true; wait "$tracer" 2>/dev/null || true; }
# The shared clean-up reads the exit status, so the tracer's own status must not replace it.
trap 'status=$?; stop_tracer; (exit "$status"); e2e_cleanup' EXIT
for i in $(seq 1 100); do
  grep -q attached "$E2E_TMP/strace.log" && break
  kill -0 "$tracer" 2>/dev/null || e2e_fail "strace cannot trace the game: $(cat "$E2E_TMP/strace.log")"
  sleep 0.05
done

# Animation on and music on, each handled before the next input.
e2e_key a
e2e_wait_idle
e2e_key s
e2e_wait_idle
# The person's wolf moves; while it slides, S twice.
e2e_click_square 7 4
e2e_wait_idle
e2e_click_square 6 5
sleep 0.4
e2e_key s s
sleep 10
stop_tracer
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "vorlask ended during the test"

opens="$(grep -c '\.mid"' "$trace" || true)"
e2e_log "music files opened $opens times"
[ "$opens" -gt 0 ] || e2e_fail "the trace saw no music file opened"
# Each start of a file opens it once: its bytes are checked and played from memory. Two starts
# are needed (on, then on again); a restart loop opens hundreds.
[ "$opens" -le 3 ] || e2e_fail "the music files were opened $opens times in 10 s"
e2e_key Escape
e2e_expect_exit 0
