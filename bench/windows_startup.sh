#!/usr/bin/env bash
# Start-up of the Windows build under Wine beside the desktop build, on one private Xvfb
# display, alternating: the time from the start of the process to the first painted board (the
# green cursor square, read from the screen by bench/startup_probe.cpp, as bench/startup.sh
# measures the desktop). Wine's prefix is made ready and its server started beforehand, as on
# a Windows machine that is already running; a fresh prefix costs 10 to 20 s once.
# Usage: bench/windows_startup.sh [RUNS]   (default 7; needs scripts/windows to have run)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-7}"
build=build-bench
exe="$PWD/build-windows/Vorlask/vorlask.exe"
[ -f "$exe" ] || { echo "bench/windows_startup.sh: run scripts/windows first" >&2; exit 1; }

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target vorlask startup_probe >/dev/null
probe="$PWD/$build/bench/startup_probe"
game="$PWD/$build/vorlask"

# The desktop tests' helpers start the private display and stop it, whatever happens; Wine's
# server goes first, while its prefix is still there.
source tests/e2e/lib.sh "$game"
tmp="$E2E_TMP"
trap 'status=$?; wineserver -k 2>/dev/null || true; (exit "$status"); e2e_cleanup' EXIT
export WINEPREFIX="$tmp/prefix"
# shellcheck source=tests/windows/wine.sh
source tests/windows/wine.sh
# Wine's server keeps its socket in a folder of its own under TMPDIR, which it leaves behind:
# in the benchmark's folder, it goes with the prefix.
export TMPDIR="$tmp"
e2e_start_x
# Wine's desktop belongs to the display it first starts on.
timeout 120 wineboot --init >/dev/null 2>&1
timeout 60 wineserver -w
wineserver -p </dev/null >/dev/null 2>&1
timeout 60 wine cmd /c exit </dev/null >/dev/null 2>&1 || true

median() { sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }
first_frame() {  # folder program...
  local dir="$1"
  shift
  (cd "$dir" && "$probe" 190 44 008400 30000 --kill -- "$@") |
    sed -n 's/first_frame_ms=\([0-9.]*\).*/\1/p'
}

# One untimed start of each warms the file cache and Wine's own libraries.
first_frame "$(dirname "$exe")" wine "$exe" >/dev/null
first_frame "$build" "$game" >/dev/null
: >"$tmp/wine"
: >"$tmp/native"
for _ in $(seq 1 "$runs"); do
  first_frame "$build" "$game" >>"$tmp/native"
  first_frame "$(dirname "$exe")" wine "$exe" >>"$tmp/wine"
  # The killed program's windows are gone before the next start.
  sleep 0.5
done
echo "start to first painted board, median of $runs: Windows build under Wine $(median <"$tmp/wine") ms" \
  "(range $(sort -n "$tmp/wine" | head -n 1) to $(sort -n "$tmp/wine" | tail -n 1)), desktop build" \
  "$(median <"$tmp/native") ms (range $(sort -n "$tmp/native" | head -n 1) to $(sort -n "$tmp/native" | tail -n 1))"
