#!/usr/bin/env bash
# Writes crafted data files into a folder: tunes and bitmaps that once froze the game, ran its
# memory into gigabytes or flooded stderr, and the largest ones the game still plays. The big
# ones cost nothing on disk where the file system keeps holes (their bytes are zeros), and are
# made afresh by the tests that use them; the small ones are also kept in tests/hostile.
# Usage: make_hostile.sh FOLDER
set -euo pipefail
out="${1:?usage: $0 FOLDER}"
mkdir -p "$out"

# Bytes from hex pairs ("4d 54 68 64"), and numbers as bytes.
bytes() { local h; for h in "$@"; do printf "\\x$h"; done; }
be32() { printf '%08x\n' "$1" | sed 's/../& /g' | { read -r a b c d; bytes "$a" "$b" "$c" "$d"; }; }
le32() { printf '%08x\n' "$1" | sed 's/../& /g' | { read -r a b c d; bytes "$d" "$c" "$b" "$a"; }; }
le16() { printf '%04x\n' "$1" | sed 's/../& /g' | { read -r a b; bytes "$b" "$a"; }; }

# `count` bytes of the file `pattern` over and over.
repeat() {
  local pattern="$1" count="$2" grown="$out/.repeat"
  cp "$pattern" "$grown"
  while [ "$(stat -c %s "$grown")" -lt "$count" ]; do
    cat "$grown" "$grown" >"$grown.2" && mv "$grown.2" "$grown"
  done
  head -c "$count" "$grown"
  rm -f "$grown"
}

# A one-track tune, 480 ticks a beat: the track's events (a file), then its end.
tune() {
  local name="$1" events="$2" length
  length=$(($(stat -c %s "$events") + 4))
  {
    bytes 4d 54 68 64 && be32 6 && bytes 00 00 00 01 01 e0
    bytes 4d 54 72 6b && be32 "$length"
    cat "$events"
    bytes 00 ff 2f 00
  } >"$out/$name"
}

# Note-ons by running status after a first one: `gap` ticks before each, three keys in turn.
notes() {
  local gap="$1" count="$2" file="$out/.notes"
  bytes "$gap" 3c 40 "$gap" 40 40 "$gap" 43 40 >"$file.unit"
  { bytes 00 90 3c 40 && repeat "$file.unit" $((3 * count - 3)); } >"$file"
  rm -f "$file.unit"
  echo "$file"
}

# A track chunk that claims 128 MiB and holds nothing but zeros.
{ bytes 4d 54 68 64 && be32 6 && bytes 00 00 00 01 01 e0 4d 54 72 6b && be32 $((128 * 1024 * 1024 - 22)); } \
  >"$out/sparse-128MiB.mid"
truncate -s $((128 * 1024 * 1024)) "$out/sparse-128MiB.mid"
# A note every tick, many megabytes of them.
tune dense-16MiB.mid "$(notes 01 $((16 * 1024 * 1024 / 3)))"
tune dense-64MiB.mid "$(notes 01 $((64 * 1024 * 1024 / 3)))"
# Every note at once.
tune notes-at-once-1MiB.mid "$(notes 00 $((1024 * 1024 / 3)))"
tune notes-at-once-16KiB.mid "$(notes 00 $((16 * 1024 / 3)))"
# The densest tune the check lets through: groups of 32 notes 10 ticks (10.4 ms) apart, as
# many as the bound on events allows, none of them ever released.
unit="$out/.group"
{
  bytes 0a 90 24 40
  for key in $(seq 37 67); do bytes 00 "$(printf '%02x' "$key")" 40; done
} >"$unit"
repeat "$unit" $((97 * 500)) >"$out/.groups"
tune densest-allowed.mid "$out/.groups"
# Eight such groups, 256 voices sounding, then 128 pitch bends at once, again and again: each
# bend changes every voice, and the synthesizer's queue overflows millions of times.
{
  repeat "$unit" $((97 * 8))
  for round in $(seq 1 20); do
    printf -v hex '%02x' "$round" && bytes 0b e0 00 "$hex"
    for bend in $(seq 1 127); do printf -v hex '%02x' "$bend" && bytes 00 "$hex" 40; done
  done
} >"$out/.bends"
tune pitch-bends-over-256-voices.mid "$out/.bends"
# A "GM system on" message, which resets every channel, 8,188 times at the first tick, then one
# note a tick later: before the first note no voice sounds, and each message must cost
# something all the same.
bytes 00 f0 05 7e 7f 09 01 f7 >"$out/.gm-on"
{ repeat "$out/.gm-on" $((8 * 8188)) && bytes 01 90 3c 40; } >"$out/.resets"
tune gm-system-on-flood.mid "$out/.resets"
# As many of them as the check lets through: seven at a time, 11 ticks (11.5 ms) apart, for
# seven seconds, with a chord of three notes sounding.
{ bytes 0b f0 05 7e 7f 09 01 f7 && repeat "$out/.gm-on" 48; } >"$unit"
{ bytes 00 90 3c 40 00 40 40 00 43 40 && repeat "$unit" $((56 * 600)); } >"$out/.resets"
tune gm-resets-at-the-bound.mid "$out/.resets"
rm -f "$unit" "$out/.groups" "$out/.bends" "$out/.notes" "$out/.gm-on" "$out/.resets"

# Bitmaps. A picture of 2048 by 1024 pixels is the largest the game decodes.
bmp_header() {  # width height bits compression pixel_offset file_size colours
  bytes 42 4d && le32 "$6" && le32 0 && le32 "$5"
  le32 40 && le32 "$1" && le32 "$2" && le16 1 && le16 "$3" && le32 "$4" && le32 0
  le32 2835 && le32 2835 && le32 "$7" && le32 0
}
# A tiny file that claims the largest picture by run lengths: its rows are never written out.
{ bmp_header 2048 1024 8 1 1078 1080 256 && head -c 1024 /dev/zero && bytes 00 01; } \
  >"$out/rle8-claims-2048-by-1024.bmp"
# The largest picture at 24 bits with ten MiB of nothing after it: 16 MiB in all.
{ bmp_header 2048 1024 24 0 54 $((16 * 1024 * 1024)) 0; } >"$out/16MiB-24-bit.bmp"
truncate -s $((16 * 1024 * 1024)) "$out/16MiB-24-bit.bmp"
# The same at 32 bits with its pixels at the very end, eight MiB after its header.
{ bmp_header 2048 1024 32 0 $((8 * 1024 * 1024)) $((16 * 1024 * 1024)) 0; } >"$out/16MiB-32-bit-far-pixels.bmp"
truncate -s $((16 * 1024 * 1024)) "$out/16MiB-32-bit-far-pixels.bmp"
# The old 12-byte header, whose sides are unsigned 16-bit numbers: a height of 0xFFDE read as
# signed would be 34 rows stored top down, which this file holds at 24 bits and 4096 wide; read
# as the decoder reads it, 65,502 rows, which would cost it 805 MB before it found them short.
core_header() {  # width height bits pixel_offset file_size
  bytes 42 4d && le32 "$5" && le32 0 && le32 "$4" && le32 12 && le16 "$1" && le16 "$2"
  le16 1 && le16 "$3"
}
{ core_header 4096 65502 24 26 $((26 + 34 * 4096 * 3)) && head -c $((34 * 4096 * 3)) /dev/zero; } \
  >"$out/core-24-bit-claims-4096-by-65502.bmp"
# The same at one bit a pixel, 2064 wide and 0xFFFF high: one row, in 292 bytes.
{ core_header 2064 65535 1 32 $((32 + 260)) && bytes 00 00 00 ff ff ff && head -c 260 /dev/zero; } \
  >"$out/core-1-bit-claims-2064-by-65535.bmp"
