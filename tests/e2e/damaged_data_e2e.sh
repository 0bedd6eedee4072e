#!/usr/bin/env bash
# The real program with missing and damaged data files, on an X server with no fonts but its
# built-in ones. A missing or damaged bitmap must end the start with the game's own error
# window naming the file, then a non-zero exit status, and the game's window must never show.
# Damaged music must not stop the game: the error window names the file over the game's
# window, and the game goes on once it is closed.
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
    missing) rm -f "$file" ;;
  esac
}

e2e_start_x

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
  e2e_start_game "$dir"
  e2e_expect_error_window "\"$file\""
  e2e_window_shown && e2e_fail "$file $way: the game's window showed"
  e2e_close_error_window "$how"
  e2e_expect_exit 1
  if [ "$way" = missing ]; then
    e2e_expect_stderr_contains "is missing"
  else
    grep -q "is missing" "$E2E_STDERR" && e2e_fail "$file $way: reported as missing"
  fi
  e2e_log "$file $way: refused, window closed with $how: $(head -n 1 "$E2E_STDERR")"
done

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
e2e_expect_stderr_contains "entrtanr.mid"
e2e_expect_stderr_contains "damaged"
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
e2e_log "damaged music reported: $(grep -m1 'music' "$E2E_STDERR")"
