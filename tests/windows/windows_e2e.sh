#!/usr/bin/env bash
# The Windows program under Wine on Xvfb, driven and read like the desktop's: the start position
# pixel for pixel against the desktop build's, a move by clicks and the computer hunters' reply,
# a move by keys, a prompt end on Esc, a missing bitmap in the game's error window with exit
# status 1, an error window over the board drawn in full, a start from a folder named in three
# scripts, and the first seconds of the music through SDL's disk audio driver.
# Usage: windows_e2e.sh FOLDER/vorlask.exe ERROR-BOX-PICTURE.exe, with WINEPREFIX ready and
# VORLASK_LINUX_BIN the desktop build (tests/windows/run.sh sets both).
picture_tool="$(realpath "$2")"
source "$(dirname "$0")/../e2e/lib.sh" "$1"
# shellcheck source=tests/windows/wine.sh
source "$(dirname "$0")/wine.sh"

# The error window's picture comes from the Windows build's own text renderer; a console program
# writes its lines with a carriage return.
printf '#!/bin/sh\nwine "%s" "$@" | tr -d "\\r"\n' "$picture_tool" >"$E2E_TMP/picture"
chmod +x "$E2E_TMP/picture"
export VORLASK_E2E_ERROR_BOX_PICTURE="$E2E_TMP/picture"

# The same start as the desktop's; a Windows program through Wine.
e2e_start_game() {
  local dir="${1:-$E2E_DATA}" bin="${2:-$E2E_BIN}" wine=()
  E2E_STATUS=""
  E2E_WID=""
  [[ "$bin" == *.exe ]] && wine=(wine)
  (cd "$dir" && exec "${wine[@]}" "$bin" >"$E2E_STDOUT" 2>"$E2E_STDERR") &
  E2E_PID=$!
}

# The window's picture, without the stars of the speed measurement in the top-left margin,
# whose number depends on the machine's pace.
start_picture() {
  e2e_shot "$1"
  convert "$1" -fill black -draw "rectangle 0,0,159,7" "$1"
}

start_position() {
  declare -gA expected=([9, 2]=H [9, 4]=H [9, 6]=H [9, 8]=H [7, 4]=W)
}
start_position
e2e_start_x

# The desktop build's start position, the reference.
e2e_start_game "$E2E_DATA" "$VORLASK_LINUX_BIN"
e2e_wait_ready
start_picture "$E2E_TMP/linux.ppm"
e2e_key Escape
e2e_expect_exit 0

# The start position, as the desktop build shows it.
e2e_start_game
e2e_wait_ready 40
e2e_log "painted and idle"
geometry="$(xwininfo -id "$E2E_WID")"
for want in "Absolute upper-left X:  160" "Absolute upper-left Y:  14" "Width: 615" "Height: 480"; do
  grep -q "$want" <<<"$geometry" || e2e_fail "the window is not where the desktop's is ($want)"
done
start_picture "$E2E_TMP/windows.ppm"
differ="$(compare -metric AE "$E2E_TMP/linux.ppm" "$E2E_TMP/windows.ppm" null: 2>&1 || true)"
if [ "$differ" != 0 ]; then
  cp "$E2E_TMP/windows.ppm" "$E2E_SHOT"
  e2e_fail "the start position differs from the desktop build's in $differ pixels"
fi
e2e_expect_board "at start-up"

# Two moves by clicks and the hunters' replies, then one by keys: the cursor stands where the
# last click put it, on the wolf.
e2e_play_against_computer W H "7 4 8 3   9 8 8 7" "8 3 7 2   9 2 8 3"
e2e_key Return Up Right Return
e2e_wait_idle 30
unset "expected[7, 2]" "expected[9, 4]"
expected[6, 3]=W
expected[8, 5]=H
e2e_expect_board "after the move by keys and the reply"
e2e_log "moves by clicks and keys: ok"

# Esc ends the program at once.
e2e_key Escape
e2e_expect_exit 0 1
e2e_expect_quiet_stderr
e2e_log "Esc: ok"

# A missing bitmap: the game's own window names it, Enter closes it, the status is 1.
cp -r "$E2E_DATA" "$E2E_TMP/damaged"
rm "$E2E_TMP/damaged/h12.bmp"
e2e_start_game "$E2E_TMP/damaged" "$E2E_TMP/damaged/vorlask.exe"
e2e_expect_error_window "h12.bmp" 40
# Paths are written with Windows' separator only, though the game joins names with '/'.
! e2e_error_message | grep -q / || e2e_fail "the message mixes separators: $(e2e_error_message)"
e2e_close_error_window Return
e2e_expect_exit 1 10
e2e_log "missing bitmap: ok"

# A tune that is missing, found when the music is switched on: the error window stands over
# the board and must be drawn in full where it covers it, as the screen shows it.
cp -r "$E2E_DATA" "$E2E_TMP/no-tune"
rm "$E2E_TMP/no-tune/entrtanr.mid"
e2e_start_game "$E2E_TMP/no-tune" "$E2E_TMP/no-tune/vorlask.exe"
e2e_wait_ready 40
start_position
e2e_key s
e2e_expect_error_window "entrtanr.mid" 20
read -r x y w h < <(xwininfo -id "$E2E_ERROR_WID" | awk '/Absolute upper-left X/ { x = $4 }
  /Absolute upper-left Y/ { y = $4 } /Width/ { w = $2 } /Height/ { h = $2 } END { print x, y, w, h }')
import -window root -crop "${w}x$h+$x+$y" +repage "$E2E_TMP/over.ppm"
differ="$(compare -metric AE "$E2E_TMP/expected.ppm" "$E2E_TMP/over.ppm" null: 2>&1 || true)"
[ "$differ" = 0 ] || { cp "$E2E_TMP/over.ppm" "$E2E_SHOT"; e2e_fail "the error window over the board shows $differ wrong pixels"; }
e2e_close_error_window Return
e2e_wait_idle 30
e2e_expect_board "after the error window closed"
e2e_key Escape
e2e_expect_exit 0 2
e2e_log "error window over the board: ok"

# Started from elsewhere, the program finds its data, font and instruments beside itself, in a
# folder whose name is in three scripts, and plays the first tune: SDL's disk driver records it.
unicode="$E2E_TMP/Spiele Ünïcödé 日本"
mkdir -p "$unicode"
cp -r "$E2E_DATA" "$unicode/Vorlask"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$E2E_TMP/music.raw"
e2e_start_game "$E2E_TMP" "$unicode/Vorlask/vorlask.exe"
export SDL_AUDIODRIVER=dummy
unset SDL_DISKAUDIOFILE
e2e_wait_ready 40
e2e_expect_board "started from the folder named in three scripts"
e2e_key s
sleep 3
e2e_key Escape
e2e_expect_exit 0 2
# SDL's disk driver announces itself on stderr; the game has nothing to say.
! grep -q '^vorlask:' "$E2E_STDERR" || e2e_fail "the game reported a problem: $(cat "$E2E_STDERR")"
bytes="$(stat -c %s "$E2E_TMP/music.raw" 2>/dev/null || echo 0)"
sound="$(tr -d '\0' <"$E2E_TMP/music.raw" | wc -c)"
e2e_log "music: $bytes bytes recorded, $sound of them not zero"
[ "$bytes" -gt 100000 ] || e2e_fail "the music wrote $bytes bytes in three seconds"
[ "$sound" -gt $((bytes / 10)) ] || e2e_fail "the music is silent ($sound of $bytes bytes not zero)"
e2e_log "folder in three scripts and music: ok"
