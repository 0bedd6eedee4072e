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
# This file sets the test up, stops what it started, logs and fails; the helpers come from
# lib_game.sh (the X display and the game's process: start, waits, input, stderr) and
# lib_screen.sh (what the windows show: pixels, the board, the error window), sourced below.
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
# A command the game is started under, before its own: a namespace of its own, for instance.
E2E_WRAP=()
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

# Milliseconds since the test started.
e2e_now_ms() { echo $((($(date +%s%N) - E2E_T0) / 1000000)); }

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

# shellcheck source=tests/e2e/lib_game.sh
source "$E2E_LIB_DIR/lib_game.sh"
# shellcheck source=tests/e2e/lib_screen.sh
source "$E2E_LIB_DIR/lib_screen.sh"
