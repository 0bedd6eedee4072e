#!/usr/bin/env bash
# The web page's loading and idling in headless Chromium (bench/web_load.js): the first board
# on a slow line and on loopback, the bytes before it, and the idle processor time against a
# blank page, visible and behind another tab. With --baseline, the same for an older commit,
# built in a temporary worktree, side by side.
# Usage: bench/web_load.sh [--baseline COMMIT] [SITE]   (default build-web/site, made by scripts/web)
set -euo pipefail
cd "$(dirname "$0")/.."
baseline=""
if [ "${1:-}" = "--baseline" ]; then
  baseline="${2:?--baseline needs a commit}"
  shift 2
fi
site="$(realpath "${1:-build-web/site}")"
[ -f "$site/index.html" ] || { echo "web_load: $site/index.html is missing; scripts/web builds it" >&2; exit 1; }
modules="$PWD/build-web/node_modules"
sites=("$site")
if [ -n "$baseline" ]; then
  tmp="$(mktemp -d)"
  cleanup() {
    git worktree remove --force "$tmp/tree" >/dev/null 2>&1 || true
    rm -rf "$tmp"
  }
  trap cleanup EXIT
  git worktree add --detach -q "$tmp/tree" "$baseline"
  echo "web_load: building $baseline in $tmp/tree" >&2
  (cd "$tmp/tree" && VORLASK_WEB_BUILD="$tmp/build" scripts/web >"$tmp/build.log" 2>&1) ||
    { tail -n 20 "$tmp/build.log" >&2; exit 1; }
  sites+=("$tmp/build/site")
fi
NODE_PATH="$modules${NODE_PATH:+:$NODE_PATH}" node bench/web_load.js "${sites[@]}"
