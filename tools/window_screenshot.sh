#!/usr/bin/env bash
# Takes the README's picture of the window: the Calendar report for Greenwich,
# opened through the Reports menu of a real window under Xvfb.
# Usage: tools/window_screenshot.sh [SKYLOOM [OUT.png]]   (needs xvfb, xdotool, imagemagick)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
skyloom=${1:-$top/build/skyloom}
out=${2:-$top/docs/window-calendar.png}
for p in xvfb xauth xdotool imagemagick; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$p" >&2
done
export skyloom out
xvfb-run -a -s "-screen 0 1024x800x24" bash -c '
  export XDG_CONFIG_HOME=$(mktemp -d)
  "$skyloom" --city Greenwich & pid=$!
  for i in $(seq 50); do xdotool search --name "^Skyloom 2$" >/dev/null 2>&1 && break; sleep 0.1; done
  win=$(xdotool search --name "^Skyloom 2$" | head -1)
  xdotool windowsize --sync "$win" 760 600 windowfocus --sync "$win"
  sleep 0.5
  xdotool key --window "$win" alt+r; sleep 0.3; xdotool key c; sleep 0.8
  xdotool key Return   # the Calendar dialog, with its start-up values
  sleep 3
  import -window "$win" "$out"
  kill $pid'
echo "$out"
