#!/usr/bin/env bash
# The worst bitmap files, each read in a process of its own: the process's peak resident
# memory must stay under 100 MB and the read under one second, whether the file is refused or
# read. The real background shows what an ordinary file costs.
set -euo pipefail
probe="$1"
shift
status=0
for file in "$@"; do
  line="$("$probe" "$file")"
  echo "$(basename "$file"): $line"
  kb="$(sed -n 's/.*peak_kb=\([0-9]*\).*/\1/p' <<<"$line")"
  ms="$(sed -n 's/.* ms=\([0-9]*\).*/\1/p' <<<"$line")"
  if [ -z "$kb" ] || [ "$kb" -ge $((100 * 1024)) ]; then
    echo "  FAIL: peak resident memory ${kb:-unknown} kB, the bound is 100 MB"
    status=1
  fi
  if [ -z "$ms" ] || [ "$ms" -ge 1000 ]; then
    echo "  FAIL: ${ms:-unknown} ms, the bound is one second"
    status=1
  fi
done
exit "$status"
