#!/usr/bin/env bash
# The web build's end-to-end test in headless Chromium (tests/web/web_e2e.js), served by
# scripts/serve-web as a browser gets it, and the sizes a browser downloads: the page, its
# program and the data of the first board as sent compressed (gzip, and brotli where the build
# made it), then the music's files, which only come when the music is switched on.
# Usage: tests/web/web_e2e.sh [SITE_FOLDER]   (default build-web/site, made by scripts/web)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
site="$(realpath "${1:-$here/../../build-web/site}")"
modules="${VORLASK_WEB_NODE_MODULES:-$(dirname "$site")/node_modules}"
missing() { echo "web_e2e: $1 is missing; scripts/web builds it" >&2; exit 1; }
for f in index.html sw.js; do [ -f "$site/$f" ] || missing "$site/$f"; done
build="$(sed -n 's|.*src="\([0-9a-f]*\)/vorlask.js".*|\1|p' "$site/index.html")"
[ -n "$build" ] || missing "the build folder named in $site/index.html"
for f in vorlask.js vorlask.wasm vorlask.data; do [ -f "$site/$build/$f" ] || missing "$site/$build/$f"; done
sizes() {
  local suffix="$1" total=0 n f
  shift
  for f in "$@"; do
    [ -f "$site/$f$suffix" ] || return 0
    n="$(stat -c %s "$site/$f$suffix")"
    total=$((total + n))
  done
  echo "$total"
}
first=(index.html "$build/vorlask.js" "$build/vorlask.wasm" "$build/vorlask.data")
music=("$site/$build"/music/*.{cfg,pat,mid})
music=("${music[@]#"$site/"}")
for suffix in .gz .br; do
  n="$(sizes "$suffix" "${first[@]}")"
  [ -z "$n" ] || echo "first_board_bytes${suffix/./_}=$n"
  n="$(sizes "$suffix" "${music[@]}")"
  [ -z "$n" ] || echo "music_bytes${suffix/./_}=$n"
done
NODE_PATH="$modules${NODE_PATH:+:$NODE_PATH}" node "$here/web_e2e.js" "$site" "${E2E_KEEP:-}"
