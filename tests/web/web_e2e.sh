#!/usr/bin/env bash
# The web build's end-to-end test in headless Chromium (tests/web/web_e2e.js), and the sizes a
# browser downloads: each file of the page's folder gzipped, as a web server would send it.
# Usage: tests/web/web_e2e.sh [SITE_FOLDER]   (default build-web/site, made by scripts/web)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
site="$(realpath "${1:-$here/../../build-web/site}")"
modules="${VORLASK_WEB_NODE_MODULES:-$(dirname "$site")/node_modules}"
for f in index.html vorlask.js vorlask.wasm vorlask.data; do
  [ -f "$site/$f" ] || { echo "web_e2e: $site/$f is missing; scripts/web builds it" >&2; exit 1; }
done
total=0
for f in index.html vorlask.js vorlask.wasm vorlask.data; do
  n="$(gzip -9 -c "$site/$f" | wc -c)"
  total=$((total + n))
  echo "gzipped_$f=$n"
done
echo "gzipped_total=$total"
NODE_PATH="$modules${NODE_PATH:+:$NODE_PATH}" node "$here/web_e2e.js" "$site" "${E2E_KEEP:-}"
