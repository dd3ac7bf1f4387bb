#!/usr/bin/env bash
# Draws the pictures the README shows, with the program itself (run after a build).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
skyloom=${1:-$top/build/skyloom}
mkdir -p "$top/docs"
"$skyloom" graph equation-of-time --year 2026 --size 800x600 -o "$top/docs/equation-of-time-2026.png"
"$skyloom" graph jupiter-moons --year 2026 --from-month 12 --size 800x600 -o "$top/docs/jupiter-moons-2026-12.png"
"$skyloom" graph day-length --year 2026 --city Greenwich --grid --size 800x600 -o "$top/docs/day-length-greenwich-2026.png"
"$skyloom" graph sun-angle --year 2026 --lat -33.87 --lon 151.21 --tz 10 --size 800x600 -o "$top/docs/sun-angle-sydney-2026.png"
"$skyloom" graph analemma --year 2026 --lat 34.05 --lon -118.24 --tz -8 --size 800x600 -o "$top/docs/analemma-los-angeles-2026.png"
"$skyloom" graph sun-angle --year 2026 --city Greenwich --size 800x800 -o "$top/docs/sun-angle-greenwich-square-2026.png"
# Polar day and night at Longyearbyen (78 N): the Sunrise graph's bands, the Analemma in the sky.
"$skyloom" graph sunrise --year 2026 --city Longyearbyen --size 800x600 -o "$top/docs/sunrise-longyearbyen-2026.png"
"$skyloom" graph analemma --year 2026 --city Longyearbyen --size 800x600 -o "$top/docs/analemma-longyearbyen-2026.png"
# Movie frames: each movie's last frame of a short run, drawn by skyloom movie.
frames=$(mktemp -d)
movie() {
    local name=$1 picture=$2
    shift 2
    "$skyloom" movie "$name" "$@" --size 800x600 -o "$frames/$name"
    cp "$(ls "$frames/$name"/frame-*.png | tail -1)" "$top/docs/$picture"
}
# The planetarium's first frames: the whole sky at once, and a first-quarter Moon.
movie planetarium planetarium-orion.png --date 2026-01-15 --time 21:00 --city Greenwich \
    --star Betelgeuse --view-angle 70 --speed 1 --labels --frames 1
movie planetarium planetarium-moon.png --date 2026-01-26 --time 04:47 --city Greenwich \
    --track moon --view-angle 5 --speed 1 --frames 1
# The horizon view facing south with the constellations, in the Night sky colours;
# and from Sydney facing north-west, the waxing Moon lit on its left.
movie planetarium planetarium-horizon-south.png --date 2026-01-15 --time 21:00 --city Greenwich \
    --facing S --constellations --star-names --labels --night --speed 1 --frames 1
movie planetarium planetarium-sydney-moon.png --date 2026-01-26 --time 20:00 --city Sydney \
    --facing NW --altitude 25 --constellations --labels --night --speed 1 --frames 1
movie ecliptic-top ecliptic-top.png --date 2026-01-01 --time 00:00 --planets earth,mercury,venus,mars \
    --view-angle 5 --speed 4 --trails --labels --frames 60
movie ecliptic-side ecliptic-side.png --date 2026-01-01 --time 00:00 --speed 64 --trails --labels --frames 40
movie jupiter-moons-side jupiter-moons-side.png --date 2026-12-05 --time 21:00 --speed 30 --trails --labels --frames 60
movie jupiter-moons-top jupiter-moons-top.png --date 2026-12-05 --time 21:00 --speed 30 --trails --labels --frames 100
movie day-night day-night.png --date 2026-06-21 --time 12:00 --city Greenwich --step hour --frames 1
movie binary-star binary-star.png --star "alpha Centauri" --year 1955 --speed 1 --view-angle 60 --trails --frames 80
rm -rf "$frames"
