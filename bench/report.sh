#!/usr/bin/env bash
# The whole performance picture in one report, on a Release build in build-bench and a private
# Xvfb display:
#   - start to first frame against a minimal SDL window, CPU while idle over 10 s and resident
#     memory while idle (bench/startup.sh);
#   - CPU and resident memory while the music plays (to SDL's silent audio device), and the
#     longest hold of the audio lock, which stopping the music waits for, with an ordinary tune
#     and with the busiest the tune check lets through (bench/audio_hold.cpp);
#   - the computer players' time per move (vorlask_bench);
#   - the speed measurement at start-up and the duration of an animated move (bench/animation.sh).
# Prints the report in Markdown; with --docs it writes it into docs/performance.md between the
# report's two marker comments instead. That part of the file is only ever written this way, so
# that its figures all come from one run.
# Usage: bench/report.sh [--docs] [RUNS]   (start-up runs, default 9)
set -euo pipefail

# ---- Music: run as a child with the e2e helpers, prints "idle_rss music_rss music_cpu"; with
# a sound font given, the music plays with that ----
if [ "${1:-}" = "--music" ]; then
  [ -z "${3:-}" ] || export SDL_SOUNDFONTS="$3"
  source "$(dirname "$0")/../tests/e2e/lib.sh" "$2"
  hz="$(getconf CLK_TCK)"
  rss() { awk '/^VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$E2E_PID/status"; }
  e2e_start_x
  e2e_start_game
  e2e_wait_ready
  idle_rss="$(rss)"
  e2e_key s
  sleep 2
  before="$(e2e_cpu_ticks)"
  sleep 10
  after="$(e2e_cpu_ticks)"
  music_rss="$(rss)"
  grep -q . "$E2E_STDERR" && e2e_fail "the music did not play: $(cat "$E2E_STDERR")"
  e2e_key Escape
  e2e_expect_exit 0
  awk -v t=$((after - before)) -v hz="$hz" -v a="$idle_rss" -v b="$music_rss" \
    'BEGIN { printf "%s %s %.1f\n", a, b, 100 * t / hz / 10 }'
  exit 0
fi

cd "$(dirname "$0")/.."
target=docs/performance.md
begin_marker='<!-- Written by bench/report.sh --docs; not edited by hand. -->'
end_marker='<!-- End of the report. -->'
into_docs=0
if [ "${1:-}" = "--docs" ]; then
  into_docs=1
  shift
fi
runs="${1:-9}"
# The report replaces what lies between the markers and nothing else: without both, once each
# and in order, the file is left alone, and this is found before minutes of measuring.
if [ "$into_docs" = 1 ]; then
  order="$(grep -xF -e "$begin_marker" -e "$end_marker" "$target" | tr '\n' '|' || true)"
  if [ "$order" != "$begin_marker|$end_marker|" ]; then
    echo "bench/report.sh: $target needs the lines '$begin_marker' and '$end_marker', once each and in that order" >&2
    exit 1
  fi
fi
build=build-bench
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target vorlask vorlask_bench audio_hold e2e_grow_sound_font \
  >/dev/null
game="$PWD/$build/vorlask"

# What each benchmark measures, by its name: "name|description" lines.
benchmark_names() {
  cat <<'TEXT'
BM_Wolfa/0|hunters: whole reply, the first entry fits
BM_Wolfa/1|hunters: whole reply, entry 34 fits
BM_Wolfa/2|hunters: no entry fits, no move
BM_ChooseHunterMove/0|hunters: choice only, the first entry fits
BM_ChooseHunterMove/1|hunters: choice only, entry 34 fits
BM_ChooseHunterMove/2|hunters: choice only, no entry fits
BM_CompletenessWalk|hunters: every line of wolf play, 545 positions
BM_Wolfb/0|wolf: whole turn, from the book
BM_Wolfb/1|wolf: whole turn, by the breakthrough search
BM_Wolfb/2|wolf: whole turn, by the fallback step
BM_WolfbWithoutPictures/0|wolf: choice only, from the book
BM_WolfbWithoutPictures/1|wolf: choice only, by the breakthrough search
BM_WolfbWithoutPictures/2|wolf: choice only, by the fallback step
TEXT
}

# The benchmark's console table (name, real time and unit, CPU time and unit, iterations) as
# Markdown rows of CPU time.
benchmark_rows() {
  awk -v names="$(benchmark_names)" 'BEGIN {
    n = split(names, lines, "\n")
    for (i = 1; i <= n; i++) { split(lines[i], f, "|"); d[f[1]] = f[2] }
  }
  $1 ~ /^BM_/ {
    t = $4; u = $5
    if (u == "ns" && t >= 1000) { t = sprintf("%.1f", t / 1000); u = "µs" }
    if (u == "us") u = "µs"
    printf "| %s (`%s`) | %s %s |\n", ($1 in d) ? d[$1] : $1, $1, t, u
  }'
}

report() {
cat <<'TEXT'
`bench/report.sh` measures on a Release build and a private Xvfb display: the start to the
first frame against a minimal SDL program that opens the same window through the same software
drawing path (`bench/startup.sh`), CPU time and resident memory while idle and while the music
plays, the speed measurement at start-up and an animated move (`bench/animation.sh`), and the
computer players' time per move (`vorlask_bench`).
TEXT
echo
echo "Measured on $(date -u +%Y-%m-%d), load average $(cut -d' ' -f1 /proc/loadavg) at the start."
echo
if [ -x bench/startup.sh ]; then
  bench/startup.sh "$runs" 2>/dev/null
else
  echo "(bench/startup.sh is missing: no start-up comparison)"
fi
echo

# Taken apart only once it has succeeded: a failed run must end the report, not leave its
# figures blank.
music="$(bash bench/report.sh --music "$game")"
read -r idle_rss music_rss music_cpu <<<"$music"
# The same with a General MIDI set of 256 MiB (most of it holes on disk).
big_font="$(mktemp --suffix=.sf2)"
"$build/tests/e2e_grow_sound_font" /usr/share/sounds/sf2/TimGM6mb.sf2 256 "$big_font"
big="$(bash bench/report.sh --music "$game" "$big_font")"
rm -f "$big_font"
read -r _ big_rss _ <<<"$big"
animation="$(bash bench/animation.sh "$game" 4)"
calibration="$(sed -n 's/^speed measurement: \([0-9.]* to [0-9.]*\) s.*/\1/p' <<<"$animation")"
mean_move="$(sed -n 's/^mean move: \([0-9.]*\) s/\1/p' <<<"$animation")"
hostile="$(mktemp -d)"
bash tests/hostile/make_hostile.sh "$hostile" >/dev/null
holds="$("$build/bench/audio_hold" data/entrtanr.mid "$hostile/densest-allowed.mid" \
  "$hostile/gm-resets-at-the-bound.mid")"
rm -rf "$hostile"
hold() { sed -n "s/^.*$1: audio lock held at most \([0-9]*\) ms.*/\1/p" <<<"$holds"; }
hold_tune="$(hold entrtanr.mid)" hold_notes="$(hold densest-allowed.mid)"
hold_resets="$(hold gm-resets-at-the-bound.mid)"
if [ -z "$music_cpu" ] || [ -z "$big_rss" ] || [ -z "$calibration" ] || [ -z "$mean_move" ] || [ -z "$hold_tune" ] ||
  [ -z "$hold_notes" ] || [ -z "$hold_resets" ]; then
  echo "bench/report.sh: a measurement gave no figure (music: '$music'; animation: '$animation'; audio lock: '$holds')" >&2
  exit 1
fi

cat <<EOF
| Measure | Vorlask | goal |
|---|---|---|
| resident memory, idle / with music playing | $idle_rss MiB / $music_rss MiB | under 40 MiB idle; music at most 8 MiB more |
| resident memory with music from a General MIDI set of 256 MiB | $big_rss MiB | as with the game's own |
| CPU while the music plays (10 s) | $music_cpu % | small |
| longest hold of the audio lock: a tune of the game / the densest notes / the most resets the check lets through | $hold_tune / $hold_notes / $hold_resets ms | at most 20 ms |
| speed measurement at start-up | $calibration s | 3 to 4 s |
| one animated move, click to final board (mean of 4) | $mean_move s | 2 to 3 s |

Computer players, CPU time per call (a whole reply with its board redraw, the search alone, or
a walk through every line of play):

| Benchmark | CPU time per call |
|---|---|
EOF
"$build/bench/vorlask_bench" --benchmark_min_time=0.2 2>/dev/null | benchmark_rows
}

if [ "$into_docs" = 1 ]; then
  body="$(mktemp)"
  trap 'rm -f "$body" "$target.new"' EXIT
  report >"$body"
  awk -v body="$body" -v begin="$begin_marker" -v end="$end_marker" '
    $0 == begin { print; print ""; while ((getline line < body) > 0) print line; skip = 1; next }
    $0 == end { skip = 0 }
    !skip' "$target" >"$target.new"
  mv "$target.new" "$target"
else
  report
fi
