#!/usr/bin/env bash
# The reports, graphs and movies reach the engine only through the seam: no
# file of theirs calls one of the seam's functions by name or includes a
# header of either engine, so the engine their SkyContext names is the one
# that computes.
# Usage: engine_seam_test.sh SOURCE_DIR
set -euo pipefail
top=$1
# Each member's name ends its declaration: "EngineCall<...> name;" (comments aside).
members=$(sed -n '/^struct SkyEngine {/,/^};/p' "$top/engine/sky_engine.h" | sed 's|//.*||' | tr '\n' ' ' |
          grep -oE '[a-z_]+;' | tr -d ';' | grep -vxE 'name|precise' | sort -u)
# The classical names behind members named otherwise (sidereal_time is ut_to_gst).
members="$members sun_position moon_position planet_position star_apparent_place moon_distance_at ut_to_gst
         classical_twilight twilight_offset collect_year_events"
[ "$(echo "$members" | wc -w)" -ge 20 ] || { echo "FAIL: the seam's members were not found" >&2; exit 1; }
status=0
for name in $members; do
  # A call: the name then "(", not after ".", "->" or "::", and not a declaration's own name.
  if hits=$(grep -nE "(^|[^.>:A-Za-z0-9_])$name\(" "$top"/reports/*.cpp "$top"/graphs/*.cpp "$top"/movies/*.cpp |
            grep -vE "^[^:]+:[0-9]+:[A-Za-z].*[ *&]$name\(" ); then
    echo "FAIL: called by name, not through sky.engine:" >&2
    echo "$hits" >&2
    status=1
  fi
done
if hits=$(grep -nE '#include "engine/(classical|precise)/' "$top"/reports/*.[ch]* "$top"/graphs/*.[ch]* \
                                                             "$top"/movies/*.[ch]*); then
  echo "FAIL: an engine's own header included:" >&2
  echo "$hits" >&2
  status=1
fi
[ $status -eq 0 ] && echo "reports, graphs and movies call the engine only through the seam"
exit $status
