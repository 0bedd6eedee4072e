#!/usr/bin/env bash
# The real program with missing, damaged and hostile data files, on an X server with no fonts
# but its built-in ones. A bitmap that cannot be used must end the start with the game's own
# error window naming the file, then a non-zero exit status, and the game's window must never
# show. Music that cannot play must not stop the game: the error window names the file, the
# sound font or the audio device over the game's window, and the game goes on once it is
# closed. Every case is refused or plays on within its time, under 100 MB, with little on
# stderr, and the game still answers Esc at once; each file is opened once. With E2E_REPORT set
# to a file, each case's figures are written there (bench/hostile_data.sh prints them).
source "$(dirname "$0")/lib.sh" "$1"

# Refusing or playing on takes well under a second, and the game ends well within 100 ms of
# Esc, on a quiet machine (bench/hostile_data.sh measures them). The limits on time here leave
# room for a machine busy with other builds and still catch what these files once cost: tens of
# seconds. Memory does not depend on the machine's load.
readonly refuse_ms=5000 exit_ms=1000 peak_kb=$((100 * 1024)) stderr_bytes=2000

data_copy() {
  local dir="$E2E_TMP/$1"
  mkdir -p "$dir"
  cp "$E2E_DATA"/h*.bmp "$E2E_DATA"/*.mid "$dir"/
  echo "$dir"
}

# Damages a file in one of several ways.
damage() {
  local how="$1" file="$2"
  case "$how" in
    empty) : >"$file" ;;
    truncated) head -c "$(($(stat -c %s "$file") / 2))" "$file" >"$file.part" && mv "$file.part" "$file" ;;
    garbage) head -c 4000 /dev/urandom >"$file" ;;
    absurd-size)
      # Width and height of the bitmap header set to 100000.
      printf '\xa0\x86\x01\x00\xa0\x86\x01\x00' | dd of="$file" bs=1 seek=18 conv=notrunc status=none ;;
    directory) rm -f "$file" && mkdir "$file" ;;
    missing) rm -f "$file" ;;
    fifo) rm -f "$file" && mkfifo "$file" ;;
    unreadable) chmod 000 "$file" ;;
    *) cp "$hostile/$how" "$file" ;;
  esac
}

# One line of figures for a case: its time (to refuse, or to play on), the peak memory, what
# it wrote on stderr, and how long Esc (or what ended it) took; for a refused start, how long
# the program took to end once its error window had closed.
report() {
  local name="$1" took="$2" kb="$3" end_ms="$4" bytes
  # What this case wrote: cases that share a game count from where the last one stopped.
  bytes=$(($(wc -c <"$E2E_STDERR") - ${stderr_seen:-0}))
  stderr_seen=0
  e2e_log "$name: $took ms, peak $((kb / 1024)) MB, stderr $bytes bytes, ended in $end_ms ms"
  [ -z "${E2E_REPORT:-}" ] || echo "$name|$took|$kb|$bytes|$end_ms" >>"$E2E_REPORT"
  [ "$took" = - ] || [ "$took" -le "$refuse_ms" ] || e2e_fail "$name: took $took ms"
  [ "$kb" -lt "$peak_kb" ] || e2e_fail "$name: peak memory $kb kB"
  [ "$bytes" -le "$stderr_bytes" ] || e2e_fail "$name: $bytes bytes on stderr"
  [ "$end_ms" = - ] || [ "$end_ms" -le "$exit_ms" ] || e2e_fail "$name: the game took $end_ms ms to end"
}

# Sends keys to the game's window, or asks it to close, or sends SIGTERM, and times its end from
# the moment the request has gone out: xdotool alone takes tens of milliseconds to start.
end_with() {
  xdotool windowfocus --sync "$E2E_WID" 2>/dev/null || true
  case "$1" in
    close) e2e_close_window ;;
    TERM) kill -TERM "$E2E_PID" ;;
    *) xdotool key --delay 0 "$@" ;;
  esac
  e2e_time_exit "$(e2e_now_ms)"
}

# A start that must show the game's window, the figures of which are reported.
started() {
  e2e_start_game "$2"
  e2e_wait_window
  shown=$(($(e2e_now_ms) - E2E_STARTED_MS))
  e2e_wait_idle 30
  kb="$(e2e_peak_kb)"
  end_with Escape
  report "$1" "$shown" "$kb" "$E2E_EXIT_MS"
}

# A start that must be refused: the error window names the file, and says what is wrong; it is
# closed with Return, or as told.
refused_start() {
  local name="$1" dir="$2" file="$3" words="$4" shown kb
  e2e_start_game "$dir" "${5:-$E2E_BIN}"
  e2e_expect_error_window "\"$file\""
  shown=$((E2E_ERROR_SHOWN_MS - E2E_STARTED_MS))
  kb="$(e2e_peak_kb)"
  e2e_expect_stderr_contains "$words"
  e2e_window_shown && e2e_fail "$name: the game's window showed"
  e2e_close_error_window "${6:-Return}"
  e2e_time_exit "$(e2e_now_ms)"
  [ "$E2E_STATUS" = 1 ] || e2e_fail "$name: exit status $E2E_STATUS, expected 1"
  report "$name" "$shown" "$kb" "$E2E_EXIT_MS"
}

# Music switched on with a tune that must be refused, or a sound font or device that fails:
# the error window says so over the game, which goes on without music.
refused_music() {
  local name="$1" words="$2" from
  xdotool windowfocus --sync "$E2E_WID" 2>/dev/null || true
  from="$(e2e_now_ms)"
  xdotool key s
  e2e_expect_error_window "$words"
  shown=$((E2E_ERROR_SHOWN_MS - from))
  e2e_window_shown || e2e_fail "$name: the game's window went away with the music's error"
  e2e_close_error_window Return
  e2e_wait_idle 20
}

# The Music box is empty: its mark looks like the Animation box's, which is off.
music_box_cleared() {
  e2e_shot
  [ "$(e2e_region 472 396 20 17)" = "$(e2e_region 472 428 20 17)" ] ||
    e2e_fail "$1: the Music box is still ticked"
}

e2e_start_x
hostile="$E2E_TMP/hostile"
# What the measures cost with the game's own data, to compare the cases with.
started "the game's own data (to compare with)" "$E2E_DATA"
"$E2E_SOURCE_DIR/tests/hostile/make_hostile.sh" "$hostile"

# ---- Bitmaps: each file missing or damaged in another way, each window closed another way ----
cases=(
  "h12.bmp missing Return"
  "h16.bmp absurd-size Escape"
  "h11.bmp empty click"
  "h10.bmp truncated close"
  "h9.bmp directory KP_Enter"
  "h12.bmp garbage Return"
  "h13.bmp absurd-size click"
)
i=0
for c in "${cases[@]}"; do
  read -r file way how <<<"$c"
  i=$((i + 1))
  dir="$(data_copy "bitmap-$i")"
  damage "$way" "$dir/$file"
  words="is missing"
  [ "$way" = missing ] || words="\"$file\""
  refused_start "$file $way" "$dir" "$file" "$words" "$E2E_BIN" "$how"
  [ "$way" = missing ] || ! grep -q "is missing" "$E2E_STDERR" || e2e_fail "$file $way: reported as missing"
done

# ---- Bitmaps that once cost the start its memory or its life ----
dir="$(data_copy tiny-claims)"
for f in "$dir"/h*.bmp; do damage rle8-claims-2048-by-1024.bmp "$f"; done
refused_start "six tiny bitmaps claiming 2048 by 1024" "$dir" h11.bmp \
  "is damaged: it is 2048 by 1024 pixels, which does not fit its place in the window"
dir="$(data_copy 16MiB)"
for f in "$dir"/h*.bmp; do damage 16MiB-24-bit.bmp "$f"; done
refused_start "six bitmaps of 16 MiB" "$dir" h11.bmp "is damaged: it is 2048 by 1024 pixels"
dir="$(data_copy core-header)"
damage core-24-bit-claims-4096-by-65502.bmp "$dir/h9.bmp"
refused_start "an old-header bitmap of 4096 by 65,502" "$dir" h9.bmp \
  "is damaged: its header claims a picture of 4096 by 65502 pixels"

# A named pipe in a bitmap's place, and proof that no file is opened twice: a file swapped in
# after the check would need a second open.
dir="$(data_copy fifo)"
damage fifo "$dir/h13.bmp"
refused_start "a bitmap swapped for a named pipe" "$dir" h13.bmp "is not a file: it is a named pipe"
dir="$(data_copy traced)"
e2e_start_traced_game "$dir" "$E2E_TMP/opens"
e2e_wait_ready
e2e_key s
e2e_wait_idle 20
for f in h16.bmp h11.bmp h10.bmp h9.bmp h12.bmp h13.bmp entrtanr.mid; do
  n="$(grep -c "\"$dir/$f\"" "$E2E_TMP/opens" || true)"
  [ "$n" = 1 ] || e2e_fail "$f was opened $n times"
done
end_with Escape
e2e_log "each bitmap and the tune played were opened once"

# Leave to read: the data folder itself, or one bitmap. The game is started from a copy of the
# program without data beside it, so that only the current folder could hold them.
chmod 755 "$E2E_TMP"
mkdir -p "$E2E_TMP/bin"
cp "$E2E_BIN" "$E2E_TMP/bin/"
dir="$(data_copy unreadable-folder)"
chmod 000 "$dir"
E2E_AS_USER=65534 refused_start "a data folder that may not be read" "$dir" h16.bmp \
  "$dir (this folder cannot be read: permission denied)" "$E2E_TMP/bin/vorlask"
chmod 755 "$dir"
dir="$(data_copy unreadable-file)"
chmod -R a+rX "$dir"
damage unreadable "$dir/h10.bmp"
E2E_AS_USER=65534 refused_start "a bitmap that may not be read" "$dir" h10.bmp \
  "cannot be read: permission denied" "$E2E_TMP/bin/vorlask"

# The largest pictures the game decodes, four of them, each file at the bound with its pixels
# far from its header: the game starts, within its memory.
dir="$(data_copy largest)"
for f in h16 h9 h12 h13; do damage 16MiB-32-bit-far-pixels.bmp "$dir/$f.bmp"; done
started "four largest pictures at 16 MiB each" "$dir"

# ---- Music: the three files damaged, each in another way ----
dir="$(data_copy music)"
damage empty "$dir/entrtanr.mid"
damage garbage "$dir/hellomyb.mid"
damage directory "$dir/maplerag.mid"
e2e_start_game "$dir"
e2e_wait_ready
e2e_key s
# A file that cannot be opened is reported in the error window over the game's window.
e2e_expect_error_window entrtanr.mid
e2e_window_shown || e2e_fail "the game's window went away with the music's error"
e2e_close_error_window Return
e2e_wait_idle 20
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the game ended after the music failed"
# The first tune of the cycle is the one reported: a damaged file is refused when opened.
e2e_expect_stderr_contains "entrtanr.mid is damaged: it is empty"
# The game goes on, and has the keyboard back: the cursor moves from (2, 2) to (2, 3).
e2e_shot
before="$(e2e_region "$(e2e_square_x 3)" "$(e2e_square_y 2)" 53 53)"
xdotool key Right
e2e_wait_idle 10
e2e_shot
after="$(e2e_region "$(e2e_square_x 3)" "$(e2e_square_y 2)" 53 53)"
[ "$before" != "$after" ] || e2e_fail "the game does not react after the music failed"
e2e_key Escape
e2e_expect_exit 0

# ---- Hostile tunes, one after another in the place of the first: each refused when music is
# switched on, while the game goes on ----
tunes=(
  "sparse-128MiB.mid|a tune of 128 MiB that takes 4 kB on disk|is damaged: it is 134217728 bytes long"
  "dense-16MiB.mid|a dense tune of 16 MiB|is damaged: it is 16777242 bytes long"
  "dense-64MiB.mid|a dense tune of 64 MiB|is damaged: it is 67108890 bytes long"
  "notes-at-once-1MiB.mid|a tune of 1 MiB, every note at once|is damaged: it is 1048602 bytes long"
  "notes-at-once-16KiB.mid|a tune of 16 kB, every note at once|notes within 10 ms, where the game plays 32"
  "pitch-bends-over-256-voices.mid|pitch bends that change 256 voices at once|changes to its voices within 10 ms"
  "gm-system-on-flood.mid|8,188 resets of every channel before the first note|changes to its voices within 10 ms"
  "fifo|a tune swapped for a named pipe|is not a file: it is a named pipe"
)
dir="$(data_copy tunes)"
e2e_start_game "$dir"
e2e_wait_ready
for t in "${tunes[@]}"; do
  IFS='|' read -r how name words <<<"$t"
  damage "$how" "$dir/entrtanr.mid"
  refused_music "$name" entrtanr.mid
  e2e_expect_stderr_contains "$words"
  # The failed file keeps the music on; off again for the next.
  e2e_key s
  e2e_wait_idle 10
  report "$name" "$shown" "$(e2e_peak_kb)" -
  stderr_seen="$(wc -c <"$E2E_STDERR")"
done
kb="$(e2e_peak_kb)"
end_with Escape
report "Esc after the eight hostile tunes" - "$kb" "$E2E_EXIT_MS"

# ---- The densest tune the check lets through plays, and the window answers at once ----
dir="$(data_copy densest)"
damage densest-allowed.mid "$dir/entrtanr.mid"
for how in "n s n Escape" TERM close; do
  e2e_start_game "$dir"
  e2e_wait_ready
  from="$(e2e_now_ms)"
  e2e_key s
  # The tune plays: the synthesizer is busy for a few seconds of its voices.
  sleep 1.5
  kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the game ended while the densest tune played"
  kb="$(e2e_peak_kb)"
  # shellcheck disable=SC2086
  end_with $how
  [ "$how" = TERM ] || [ "$E2E_STATUS" = 0 ] || e2e_fail "exit status $E2E_STATUS after $how"
  report "the densest tune allowed, ended by $how" - "$kb" "$E2E_EXIT_MS"
done

# ---- The game's own font missing, cut short or a named pipe: the error window speaks with the
# font built into the program. The font is swapped in a mount namespace of the game's own,
# which only root may make ----
font="${VORLASK_E2E_FONT:-/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf}"
if [ "$(id -u)" -eq 0 ] && unshare --mount true 2>/dev/null; then
  head -c 2000 "$font" >"$E2E_TMP/cut-font.ttf"
  mkfifo "$E2E_TMP/fifo-font.ttf"
  mkdir -p "$E2E_TMP/no-fonts"
  swaps=(
    "$E2E_TMP/no-fonts|$(dirname "$font")|is missing"
    "$E2E_TMP/cut-font.ttf|$font|cannot open the font"
    "$E2E_TMP/fifo-font.ttf|$font|is not a file: it is a named pipe"
  )
  for swap in "${swaps[@]}"; do
    IFS='|' read -r from onto words <<<"$swap"
    E2E_WRAP=(unshare --mount --propagation private -- sh -c
      'mount --bind "$0" "$1" && shift && exec "$@"' "$from" "$onto")
    e2e_start_game
    E2E_WRAP=()
    E2E_ERROR_FONT=builtin e2e_expect_error_window "$(basename "$font")"
    shown=$((E2E_ERROR_SHOWN_MS - E2E_STARTED_MS))
    kb="$(e2e_peak_kb)"
    e2e_expect_stderr_contains "$words"
    e2e_close_error_window Return
    e2e_time_exit "$(e2e_now_ms)"
    [ "$E2E_STATUS" = 1 ] || e2e_fail "its font $words: exit status $E2E_STATUS, expected 1"
    report "its font: $words" "$shown" "$kb" "$E2E_EXIT_MS"
  done
else
  e2e_log "its own font swapped: skipped, for it needs root and a mount namespace"
fi

# ---- A General MIDI set of 256 MiB, most of it holes on disk: the music costs the piano the
# tunes play, as with the game's own sound font ----
if [ -f /usr/share/sounds/sf2/TimGM6mb.sf2 ]; then
  "$VORLASK_E2E_GROW_SOUND_FONT" /usr/share/sounds/sf2/TimGM6mb.sf2 256 "$E2E_TMP/big.sf2"
  SDL_SOUNDFONTS="$E2E_TMP/big.sf2" e2e_start_game "$(data_copy big-sound-font)"
  e2e_wait_ready
  e2e_key s
  sleep 2
  e2e_wait_idle 10
  [ -s "$E2E_STDERR" ] && e2e_fail "a sound font of 256 MiB: $(cat "$E2E_STDERR")"
  kb="$(e2e_peak_kb)"
  end_with Escape
  report "music with a sound font of 256 MiB" - "$kb" "$E2E_EXIT_MS"
fi

# ---- Sound fonts that the synthesizer cannot load, and an audio device that fails ----
printf 'not a sound font, just words' >"$E2E_TMP/junk.sf2"
cp /usr/share/sounds/sf2/TimGM6mb.sf2 "$E2E_TMP/short.sf2" 2>/dev/null ||
  head -c 100000 /dev/zero >"$E2E_TMP/short.sf2"
printf 'RIFF\x10\x00\x00\x00sfbk' | dd of="$E2E_TMP/short.sf2" bs=1 conv=notrunc status=none
"$VORLASK_E2E_GROW_SOUND_FONT" /usr/share/sounds/sf2/TimGM6mb.sf2 0 "$E2E_TMP/past.sf2" \
  --samples-past-end
fonts=(
  "SDL_SOUNDFONTS=$E2E_TMP/junk.sf2|a sound font of junk|the MIDI sound font $E2E_TMP/junk.sf2 is damaged: it is not a SoundFont"
  "SDL_SOUNDFONTS=$E2E_TMP/past.sf2|a sound font whose samples lie past its data|the MIDI sound font $E2E_TMP/past.sf2 cannot play the music: it has no samples for the instruments the tunes play"
  "SDL_SOUNDFONTS=$E2E_TMP/short.sf2|a sound font with a wrong RIFF size|the MIDI sound font $E2E_TMP/short.sf2 is damaged: its header gives it 24 bytes"
  "SDL_AUDIODRIVER=no-such-driver|an audio device that fails|the audio driver \"no-such-driver\" cannot start"
)
dir="$(data_copy fonts)"
for f in "${fonts[@]}"; do
  IFS='|' read -r setting name words <<<"$f"
  variable="${setting%%=*}"
  saved="${!variable-}"
  export "${setting?}"
  e2e_start_game "$dir"
  if [ -n "$saved" ]; then export "$variable=$saved"; else unset "$variable"; fi
  e2e_wait_ready
  refused_music "$name" "$words"
  took="$shown"
  music_box_cleared "$name"
  # Once: a new game with the box cleared tries nothing, and says nothing more.
  e2e_key n
  e2e_wait_idle 10
  [ "$(grep -c "cannot play music" "$E2E_STDERR")" = 1 ] || e2e_fail "$name: told more than once"
  kb="$(e2e_peak_kb)"
  end_with Escape
  report "$name" "$took" "$kb" "$E2E_EXIT_MS"
done
