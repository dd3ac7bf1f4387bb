#!/usr/bin/env bash
# Whole-process times of text commands, start-up included: --version, a
# one-year Dates of Easter report and the precise Seasons report of
# 1500-2499, each RUNS times in turn (default 20, after one run not counted);
# prints the median and the least wall time and the median CPU time (user +
# system), in milliseconds.  SKYLOOM= times another build of the program
# (its data files beside it).
# Usage: bench/start_up.sh [RUNS]   (after building build/)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
skyloom=${SKYLOOM:-$top/build/skyloom}
runs=${1:-20}
commands=("--version" "report easter --year 2026" "report seasons --year 1500 --end-year 2499")
TIMEFORMAT='%3R %3U %3S'  # bash's own timer: wall, user and system seconds to the millisecond
median() { sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
for command in "${commands[@]}"; do
  read -ra args <<<"$command"
  "$skyloom" "${args[@]}" >/dev/null
  wall=() cpu=()
  for ((i = 0; i < runs; ++i)); do
    times=$( { time "$skyloom" "${args[@]}" >/dev/null 2>&1; } 2>&1 )
    wall+=("$(awk '{printf "%.0f", $1 * 1000}' <<<"$times")")
    cpu+=("$(awk '{printf "%.0f", ($2 + $3) * 1000}' <<<"$times")")
  done
  printf '%-52s wall median %4s ms, least %4s ms; CPU median %4s ms\n' "skyloom $command" \
    "$(printf '%s\n' "${wall[@]}" | median)" "$(printf '%s\n' "${wall[@]}" | sort -g | head -1)" \
    "$(printf '%s\n' "${cpu[@]}" | median)"
done
