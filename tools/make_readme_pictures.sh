#!/usr/bin/env bash
# Draws the pictures the README shows, with the program itself (run after a build).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
skyloom=${1:-$top/build/skyloom}
mkdir -p "$top/docs"
"$skyloom" graph equation-of-time --year 2026 --size 800x600 -o "$top/docs/equation-of-time-2026.png"
"$skyloom" graph jupiter-moons --year 2026 --from-month 12 --size 800x600 -o "$top/docs/jupiter-moons-2026-12.png"
"$skyloom" graph day-length --year 2026 --city Greenwich --grid --size 800x600 -o "$top/docs/day-length-greenwich-2026.png"
# Movie frames: each movie's last frame of a short run, drawn by skyloom movie.
frames=$(mktemp -d)
movie() {
    local name=$1 picture=$2
    shift 2
    "$skyloom" movie "$name" "$@" --size 800x600 -o "$frames/$name"
    cp "$(ls "$frames/$name"/frame-*.png | tail -1)" "$top/docs/$picture"
}
# The planetarium fills in its stars over the first frames, as the window does.
movie planetarium planetarium-orion.png --date 2026-01-15 --time 21:00 --city Greenwich \
    --star Betelgeuse --view-angle 70 --speed 1 --labels --skip 1200 --frames 1
rm -rf "$frames"
