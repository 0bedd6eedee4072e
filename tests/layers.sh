#!/bin/sh
# Fails on any include that points against the layers, lowest first:
#   gfx/                    drawing types: includes nothing of the game
#   the rules               codes, Board, rules, layout, the computer players' choices and tables
#   game/ ai/ ui/           the form and its drawing; game/ and ai/ never include ui/
#   ui/sdl/                 the SDL platform and main; nothing below includes it
cd "$(dirname "$0")/.." || exit 2
rules="game/codes.h game/board.h game/board.cpp game/rules.h game/rules.cpp game/layout.h
  ai/hunter_patterns.h ai/hunter_patterns.cpp ai/wolf_patterns.h ai/wolf_patterns.cpp
  ai/players.h ai/players.cpp"
rule_headers='"(game/(codes|board|rules|layout)|ai/(hunter_patterns|wolf_patterns|players))\.h"'
status=0
wrong() {
  echo "$1 includes $2, against the layers ($3)"
  status=1
}
for f in gfx/*.h gfx/*.cpp; do
  for inc in $(grep -hoE '^#include +"[^"]+"' "$f" | sed -E 's/^#include +//'); do
    echo "$inc" | grep -qE '^"gfx/' || wrong "$f" "$inc" "drawing types stand below everything"
  done
done
for f in $rules; do
  for inc in $(grep -hoE '^#include +"[^"]+"' "$f" | sed -E 's/^#include +//'); do
    echo "$inc" | grep -qE "^$rule_headers$" || wrong "$f" "$inc" "the rules know no drawing, platform or form"
  done
done
for f in game/* ai/*; do
  for inc in $(grep -hoE '^#include +"[^"]+"' "$f" | sed -E 's/^#include +//'); do
    echo "$inc" | grep -qE '^"ui/' && wrong "$f" "$inc" "the game does not reach into its drawing"
  done
done
for f in gfx/* game/* ai/* ui/*.h ui/*.cpp; do
  for inc in $(grep -hoE '^#include +"[^"]+"' "$f" | sed -E 's/^#include +//'); do
    echo "$inc" | grep -qE '^"ui/sdl/' && wrong "$f" "$inc" "only the SDL platform and main know SDL"
  done
done
exit $status
