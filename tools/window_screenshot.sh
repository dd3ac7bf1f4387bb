#!/usr/bin/env bash
# Takes the README's pictures of the window: the Calendar report for
# Greenwich, opened through the Reports menu of a real window under Xvfb, in
# the window's first size.  SCALE 2 shows it as a screen scaled twice (a 4K
# screen) does, through Qt's QT_SCALE_FACTOR.
# Usage: tools/window_screenshot.sh [SKYLOOM [OUT.png [SCALE]]]   (installs xvfb, xauth, xdotool, imagemagick)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
skyloom=${1:-$top/build/skyloom}
out=${2:-$top/docs/window-calendar.png}
scale=${3:-1}
"$top/scripts/packages" xvfb xauth xdotool imagemagick
export skyloom out QT_SCALE_FACTOR=$scale
xvfb-run -a -s "-screen 0 $((1024 * scale))x$((800 * scale))x24" bash -c '
  export XDG_CONFIG_HOME=$(mktemp -d)
  "$skyloom" --city Greenwich & pid=$!
  for i in $(seq 50); do xdotool search --name "^Skyloom 2$" >/dev/null 2>&1 && break; sleep 0.1; done
  win=$(xdotool search --name "^Skyloom 2$" | head -1)
  xdotool windowfocus --sync "$win"
  sleep 0.5
  xdotool key --window "$win" alt+r; sleep 0.3; xdotool key c; sleep 0.8
  xdotool key Return   # the Calendar dialog, with its start-up values
  sleep 3
  import -window "$win" "$out"
  kill $pid
  rm -rf "$XDG_CONFIG_HOME"'
echo "$out"
