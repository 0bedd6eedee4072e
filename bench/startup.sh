#!/usr/bin/env bash
# Start-up benchmark, side by side on a private Xvfb display:
#   - time from the start of the process to its first frame on screen, Vorlask against a
#     minimal SDL program with the same window drawn the same way (bench/minimal_window.cpp);
#     the first frame is seen by reading the screen (bench/startup_probe.cpp): for Vorlask the
#     green cursor square of the painted board, for the minimal program its olive fill;
#   - CPU used over 10 s of idling once start-up (and Vorlask's speed measurement) is over;
#   - resident memory while idle.
# Usage: bench/startup.sh [RUNS]   (default 9; builds a Release tree in build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-9}"
build=build-bench

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target vorlask minimal_window startup_probe >/dev/null
probe="$PWD/$build/bench/startup_probe"
game="$PWD/$build/vorlask"
minimal="$PWD/$build/bench/minimal_window"

tmp="$(mktemp -d)"
xvfb_pid=""
pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null || true; done
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT

: >"$tmp/displayfd"
Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp -br 9>"$tmp/displayfd" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do
  [ -s "$tmp/displayfd" ] && break
  sleep 0.05
done
export DISPLAY=":$(tr -d '[:space:]' <"$tmp/displayfd")"

# Both windows open at (160, 14); client pixel (30, 30) lies in Vorlask's cursor square.
px=190 py=44

median() { sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }
first_frame() {  # colour program
  (cd "$build" && "$probe" "$px" "$py" "$1" 20000 --kill -- "$2") | sed -n 's/first_frame_ms=\([0-9.]*\).*/\1/p'
}

# One untimed start of each warms the file cache.
first_frame 008400 "$game" >/dev/null
first_frame 808000 "$minimal" >/dev/null
: >"$tmp/game" >"$tmp/minimal"
for _ in $(seq 1 "$runs"); do
  first_frame 808000 "$minimal" >>"$tmp/minimal"
  first_frame 008400 "$game" >>"$tmp/game"
done
game_ms="$(median <"$tmp/game")"
minimal_ms="$(median <"$tmp/minimal")"
ratio="$(awk -v a="$game_ms" -v b="$minimal_ms" 'BEGIN { printf "%.2f", a / b }')"

ticks() { awk '{ sub(/.*\) /, ""); split($0, f, " "); print f[12] + f[13] }' "/proc/$1/stat"; }
hz="$(getconf CLK_TCK)"
# Starts a program, waits until it has been idle for a second, then measures 10 s.
idle() {  # colour program -> "cpu_percent rss_mib"
  local pid before after quiet=0
  pid="$(cd "$build" && "$probe" "$px" "$py" "$1" 20000 -- "$2" | sed -n 's/.*pid=\([0-9]*\).*/\1/p')"
  pids+=("$pid")
  before="$(ticks "$pid")"
  while [ "$quiet" -lt 10 ]; do
    sleep 0.1
    after="$(ticks "$pid")"
    if [ $((after - before)) -le 0 ]; then quiet=$((quiet + 1)); else quiet=0; fi
    before="$after"
  done
  sleep 10
  after="$(ticks "$pid")"
  awk -v t=$((after - before)) -v hz="$hz" -v rss="$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status")" \
    'BEGIN { printf "%.2f %.1f\n", 100 * t / hz / 10, rss / 1024 }'
  kill -KILL "$pid" 2>/dev/null || true
}
read -r game_cpu game_rss <<<"$(idle 008400 "$game")"
read -r minimal_cpu minimal_rss <<<"$(idle 808000 "$minimal")"

. /etc/os-release
cpu="$(awk -F': *' '/^model name/ { print $2; exit }' /proc/cpuinfo)"
sdl="$(dpkg-query -W -f='${Version}' libsdl2-2.0-0 2>/dev/null || echo unknown)"
cat <<EOF
Machine: $cpu, $(nproc) cores, $PRETTY_NAME, kernel $(uname -r), SDL $sdl, Xvfb 1024x768x24.
Median of $runs starts each; first frame = first picture of the program on screen.

| Measure | Vorlask | minimal SDL window | goal |
|---|---|---|---|
| start to first frame | $game_ms ms | $minimal_ms ms | at most 1.5 x minimal: ${ratio} x |
| CPU while idle (10 s) | $game_cpu % | $minimal_cpu % | 0 % |
| resident memory, idle | $game_rss MiB | $minimal_rss MiB | under 40 MiB |
EOF
