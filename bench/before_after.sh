#!/usr/bin/env bash
# Measures this tree and an earlier commit side by side, in one run: the long
# report in the window and without it, the conjunction and eclipse searches,
# planetarium frames, engine benchmarks alone and after graph benchmarks, and
# the command line's eclipse report, Eclipses graph and movie frames.  CPU
# times (the machine may be shared), medians of three.
# Usage: bench/before_after.sh COMMIT   (from the top of the tree; builds build/ and build-before/)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
base=${1:?commit to compare with}
before=$top/build-before/src
[ -d "$before" ] || git -C "$top" worktree add --detach "$before" "$base"
git -C "$before" checkout -q --detach "$base"
# The earlier tree gets the two long-report benchmarks and this main(), less
# its call into the vector-register helper that tree does not have.
cp "$top/bench/long_report_bench.cpp" "$before/bench/"
grep -v vector "$top/bench/bench_main.cpp" > "$before/bench/bench_main.cpp"
cp "$top/bench/CMakeLists.txt" "$before/bench/CMakeLists.txt"
for tree in "$before" "$top"; do
  "$top/scripts/setup" "$tree/build" >/dev/null
  cmake --build "$tree/build" --target skyloom skyloom_bench >/dev/null
done

medians() { "$@" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true 2>/dev/null |
            awk '/_median/ {print "  " $1, $4, $5}'; }
engine='BM_PlanetPositionEquatorial/5|BM_RiseSetSunAndMoonYear|BM_SunPositionComputed|BM_Nutation|BM_StarApparentPlace'
for tree in "$before" "$top"; do
  cd "$tree/build"
  echo "== $tree"
  bench/skyloom_bench --benchmark_filter=LongReport --benchmark_min_time=0.01 2>/dev/null |
    awk '/^BM/ {print "  " $1, $4, $5}'
  medians bench/skyloom_bench --benchmark_filter='BM_ConjunctionSearchYear|BM_PhaseTableAndEclipsesOfAYear|BM_EclipseReport1000Years/1'
  medians bench/skyloom_bench --benchmark_filter='planetarium_frames/(FirstFrame|SteadyFrame$)'
  echo "  alone:"; medians bench/skyloom_bench --benchmark_filter="$engine"
  echo "  after graphs:"; medians bench/skyloom_bench --benchmark_filter="BM_PlanetOrbitGraph|BM_EclipsesGraph1000Years|$engine"
  for command in "report lunar-eclipses --year 1000 --end-year 3000 --city Greenwich" \
                 "graph eclipses --year 1000 --end-year 3000 -o /tmp/skyloom-eclipses.png"; do
    /usr/bin/time -f "  %U s CPU: skyloom $command" ./skyloom $command >/dev/null
  done
  frames=$(mktemp -d)
  /usr/bin/time -f "  %U s CPU: 40 planetarium frames to PNG" \
    ./skyloom movie planetarium --date 2001-02-03 --time 20:00 --frames 40 -o "$frames"
  echo "  $(du -sk "$frames" | cut -f1) KB of frames"
  rm -rf "$frames"
done
