#!/usr/bin/env bash
# Prints the board of a screenshot of the game's 615 by 480 picture (any format ImageMagick
# reads), read exactly as the desktop end-to-end tests read the window's: one letter for each
# dark square, rows 2 to 9 (H hunter, W wolf, . empty, ? anything else). With --cursor, the
# squares that show the cursor's green (G<row>,<col>) or a picked-up piece's cyan (C<row>,<col>)
# instead, read near each square's top-left corner, which no piece covers. A screenshot of only
# a part of the picture (the page's board without its panel) gives the picture pixel at its
# top-left corner.
# Usage: tests/web/read_board.sh [--cursor] SCREENSHOT [LEFT TOP]
set -euo pipefail
if [ "${1:-}" = "--cursor" ]; then
  # One pixel of each square: every 54th from the corner of square (2, 2), row by row.
  convert "$2" -crop "432x432+$((27 - ${3:-0}))+$((28 - ${4:-0}))" +repage -define sample:offset=0 \
    -sample 8x8 -depth 8 txt:- |
    awk -F'[,:() ]+' 'NR > 1 { k = $3 "," $4 "," $5; m = k == "0,132,0" ? "G" : k == "0,255,255" ? "C" : ""
      if (m != "") { printf "%s%s%d,%d", sep, m, $2 + 2, $1 + 2; sep = " " } } END { print "" }'
  exit
fi
source "$(dirname "$0")/../e2e/lib.sh" "${1:?usage: $0 [--cursor] SCREENSHOT [LEFT TOP]}"
E2E_SHOT="$E2E_TMP/picture.png"
# A picture the page shows smaller than its own pixels is blended a little by the browser, so
# each pixel is read as the nearest of the colours the board is drawn in.
colours=()
for c in 198,198,198 132,132,132 132,132,255 0,132,255 0,0,0 0,132,0 0,255,255 123,123,0 255,255,255; do
  colours+=("xc:rgb($c)")
done
convert "${colours[@]}" +append "$E2E_TMP/colours.png"
convert "$1" -background "rgb(128,128,0)" -extent "615x480-${2:-0}-${3:-0}" +dither \
  -remap "$E2E_TMP/colours.png" "$E2E_SHOT"
e2e_read_board
