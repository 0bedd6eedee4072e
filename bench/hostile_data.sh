#!/usr/bin/env bash
# What each hostile or damaged data file costs the real program, beside what the game's own
# data costs in the same run: the time until it refuses the file (its error window is seen) or
# shows its window, the peak resident memory, the bytes it writes on stderr, and how long it
# takes to end once Esc, SIGTERM or the close button has been sent (after a refused start: once
# its error window has closed). It runs the end-to-end test of damaged data
# on a private Xvfb display and prints the figures that test measures, as a table. Times depend
# on the machine's load: measure on a quiet one (the load average is printed).
# Usage: bench/hostile_data.sh [path/to/vorlask]   (default build/vorlask, built when missing)
set -euo pipefail
cd "$(dirname "$0")/.."
bin="${1:-build/vorlask}"
if [ ! -x "$bin" ]; then
  cmake -S . -B build >/dev/null
  cmake --build build -j"$(nproc)" --target vorlask e2e_close_window e2e_error_box_picture >/dev/null
fi
work="$(mktemp -d "${TMPDIR:-/tmp}/vorlask-hostile-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT
load="$(cut -d' ' -f1 /proc/loadavg)"
if ! E2E_REPORT="$work/report" bash tests/e2e/damaged_data_e2e.sh "$bin" 2>"$work/log"; then
  tail -n 30 "$work/log" >&2
  echo "bench/hostile_data.sh: the run failed" >&2
  exit 1
fi
echo "Measured on $(date -u +%F), load average $load at the start, $(nproc) cores."
echo
echo "| case | refused, or window shown (ms) | peak memory (MB) | stderr (bytes) | ended after (ms) |"
echo "|---|---|---|---|---|"
awk -F'|' '{ printf "| %s | %s | %.1f | %s | %s |\n", $1, $2, $3 / 1024, $4, $5 }' "$work/report"
