#!/usr/bin/env bash
# Each long precise search of skyloom, as a whole process (start-up
# included), beside the same search of a peer library timed inside its own
# process: the seasons, lunar eclipses and global solar eclipses of 1500-2499.
# The two run in turn, ROUNDS times (default 5), so that both see the same
# machine; prints each run and the medians (wall seconds; for skyloom also
# its CPU seconds, user + system).  The peer is the npm package
# astronomy-engine 2.1.19 (MIT), installed into build/peer/ on first use.
# Usage: bench/peer_compare.sh [ROUNDS] [SKYLOOM OPTIONS...]   (after building build/)
#   e.g. bench/peer_compare.sh 5 --precise
# SKYLOOM=path/to/skyloom times another build of the program (its data files beside it).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
skyloom=${SKYLOOM:-$top/build/skyloom}
rounds=${1:-5}
shift || true
peer=$top/build/peer
if [ ! -d "$peer/node_modules/astronomy-engine" ]; then
  mkdir -p "$peer"
  npm install --prefix "$peer" --no-save --silent astronomy-engine@2.1.19 >/dev/null
fi
cp "$top/bench/peer/peer_searches.js" "$peer/"
median() { sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
for search in seasons lunar-eclipses solar-eclipses; do
  ours=() cpu=() theirs=()
  for ((i = 0; i < rounds; ++i)); do
    times=$( { /usr/bin/time -f "%e %U %S" "$skyloom" report "$search" --year 1500 --end-year 2499 --city Greenwich "$@" \
               >/dev/null; } 2>&1 )
    ours+=("$(awk '{print $1}' <<<"$times")")
    cpu+=("$(awk '{printf "%.2f", $2 + $3}' <<<"$times")")
    theirs+=("$(node "$peer/peer_searches.js" "$search" | awk '{printf "%.3f", $2 / 1000}')")
  done
  printf '%-16s skyloom %s s (CPU %s s)   peer %s s   [skyloom: %s; peer: %s]\n' "$search" \
    "$(printf '%s\n' "${ours[@]}" | median)" "$(printf '%s\n' "${cpu[@]}" | median)" \
    "$(printf '%s\n' "${theirs[@]}" | median)" "${ours[*]}" "${theirs[*]}"
done
