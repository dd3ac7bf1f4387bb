#!/usr/bin/env bash
# Draws the pictures the README shows, with the program itself (run after a build).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
skyloom=${1:-$top/build/skyloom}
mkdir -p "$top/docs"
"$skyloom" graph equation-of-time --year 2026 --size 800x600 -o "$top/docs/equation-of-time-2026.png"
"$skyloom" graph jupiter-moons --year 2026 --from-month 12 --size 800x600 -o "$top/docs/jupiter-moons-2026-12.png"
"$skyloom" graph day-length --year 2026 --city Greenwich --grid --size 800x600 -o "$top/docs/day-length-greenwich-2026.png"
