# shellcheck shell=bash
# Times a busy stretch of the game from outside: the move animation and the speed measurement
# keep the game's one thread busy, so the stretch ends when the game stops taking CPU time.
# Needs lib.sh (E2E_PID, e2e_cpu_ticks).

# Prints the seconds from now (or from the time $2, as from `date +%s.%N`) until the game last
# took CPU time before falling quiet for $1 seconds (default 0.6), with the CPU accounting's
# resolution of about a hundredth.
busy_seconds() {
  local quiet_limit="${1:-0.6}" start now last ticks seen i
  start="${2:-$(date +%s.%N)}"
  last="$start"
  seen="$(e2e_cpu_ticks)"
  for i in $(seq 1 600); do
    sleep 0.02
    now="$(date +%s.%N)"
    ticks="$(e2e_cpu_ticks)"
    if [ "$ticks" != "$seen" ]; then
      seen="$ticks"
      last="$now"
    elif awk -v n="$now" -v l="$last" -v q="$quiet_limit" 'BEGIN { exit !(n - l >= q) }'; then
      break
    fi
  done
  awk -v l="$last" -v s="$start" 'BEGIN { printf "%.2f\n", l - s }'
}
