#!/usr/bin/env bash
# Prints the board of a screenshot of the game's 615 by 480 picture (any format ImageMagick
# reads), read exactly as the desktop end-to-end tests read the window's: one letter for each
# dark square, rows 2 to 9 (H hunter, W wolf, . empty, ? anything else).
# Usage: tests/web/read_board.sh SCREENSHOT
source "$(dirname "$0")/../e2e/lib.sh" "${1:?usage: $0 SCREENSHOT}"
E2E_SHOT="$(realpath "$1")"
e2e_read_board
