#!/usr/bin/env bash
# The real program with damaged data files. A damaged bitmap must end the start with a message
# that names the file and a non-zero exit status, and the game's window must never show.
# Damaged music must not stop the game: a file that cannot be opened is reported by name and
# the game goes on without it.
source "$(dirname "$0")/lib.sh" "$1"

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
  esac
}

# The shown windows called Vorlask: the game's and its message boxes. xwininfo rather than
# xdotool, whose search does not see SDL's message boxes.
vorlask_windows() {
  local id
  for id in $(xwininfo -root -children 2>/dev/null | awk '/"Vorlask":/ { print $1 }'); do
    xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && echo "$((id))"
  done
  return 0
}

# A window of the game's own size (at any whole scale) among them.
main_window_shown() {
  local id info w h
  for id in $(vorlask_windows); do
    info="$(xwininfo -id "$id" 2>/dev/null)"
    w="$(sed -n 's/^ *Width: //p' <<<"$info")"
    h="$(sed -n 's/^ *Height: //p' <<<"$info")"
    [ -n "$w" ] && [ -n "$h" ] || continue
    if [ "$w" -ge 615 ] && [ $((w % 615)) -eq 0 ] && [ $((h * 615)) -eq $((w * 480)) ]; then
      return 0
    fi
  done
  return 1
}

# Answers a message box with its default button, again until it has gone: the key may reach
# the box before it takes the focus.
answer_box() {
  local n
  for n in $(seq 1 25); do
    xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable' || return 0
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    xdotool key Return
    sleep 0.2
  done
  e2e_fail "the message box does not go away"
}

e2e_start_x

# ---- Bitmaps: each file damaged in another way ----
ways=(absurd-size empty truncated directory garbage absurd-size)
i=0
for file in h16.bmp h11.bmp h10.bmp h9.bmp h12.bmp h13.bmp; do
  way="${ways[$i]}"
  i=$((i + 1))
  dir="$(data_copy "bitmap-$i")"
  damage "$way" "$dir/$file"
  e2e_start_game "$dir"
  # Until the program ends: the game's window must never show; its message box is answered.
  for n in $(seq 1 200); do
    kill -0 "$E2E_PID" 2>/dev/null || break
    main_window_shown && e2e_fail "$file $way: the game's window showed"
    box="$(vorlask_windows | head -n 1)"
    [ -z "$box" ] || answer_box "$box"
    sleep 0.05
  done
  kill -0 "$E2E_PID" 2>/dev/null && e2e_fail "$file $way: the program did not end"
  E2E_STATUS=0
  wait "$E2E_PID" 2>/dev/null || E2E_STATUS=$?
  E2E_PID=""
  [ "$E2E_STATUS" -ne 0 ] || e2e_fail "$file $way: exit status 0"
  e2e_expect_stderr_contains "\"$file\""
  e2e_log "$file $way: refused with status $E2E_STATUS: $(head -n 1 "$E2E_STDERR")"
done

# ---- Music: the three files damaged, each in another way ----
dir="$(data_copy music)"
damage empty "$dir/entrtanr.mid"
damage garbage "$dir/hellomyb.mid"
damage directory "$dir/maplerag.mid"
e2e_start_game "$dir"
e2e_wait_ready
e2e_key s
# A file that cannot be opened is reported in a message box over the game's window.
for n in $(seq 1 201); do
  [ "$n" -le 200 ] || e2e_fail "no message box about the music"
  box=""
  for id in $(vorlask_windows); do
    [ "$id" = "$E2E_WID" ] || box="$id"
  done
  if [ -n "$box" ]; then
    answer_box "$box"
    break
  fi
  kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the game ended after the music was switched on"
  sleep 0.05
done
e2e_wait_idle 20
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the game ended after the music failed"
# The first tune of the cycle is the one reported: a damaged file is refused when opened.
e2e_expect_stderr_contains "entrtanr.mid"
e2e_expect_stderr_contains "damaged"
# The game goes on: the cursor moves from (2, 2) to (2, 3).
e2e_shot
before="$(e2e_region "$(e2e_square_x 3)" "$(e2e_square_y 2)" 53 53)"
e2e_key Right
e2e_wait_idle 10
e2e_shot
after="$(e2e_region "$(e2e_square_x 3)" "$(e2e_square_y 2)" 53 53)"
[ "$before" != "$after" ] || e2e_fail "the game does not react after the music failed"
e2e_key Escape
e2e_expect_exit 0
e2e_log "damaged music reported: $(grep -m1 'music' "$E2E_STDERR")"
