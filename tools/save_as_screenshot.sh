#!/usr/bin/env bash
# Takes the README's picture of File > Save As: the Equation of Time graph for
# Greenwich, drawn through the Graphs menu of a real window under Xvfb, then
# Ctrl+S; the whole screen is taken, so that the dialog shows over the window.
# Usage: tools/save_as_screenshot.sh [SKYLOOM [OUT.png]]   (installs xvfb, xauth, xdotool, imagemagick)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
skyloom=${1:-$top/build/skyloom}
out=${2:-$top/docs/window-save-as.png}
"$top/scripts/packages" xvfb xauth xdotool imagemagick
export skyloom out
xvfb-run -a -s "-screen 0 1024x800x24" bash -c '
  export XDG_CONFIG_HOME=$(mktemp -d) HOME=$(mktemp -d)
  "$skyloom" --city Greenwich & pid=$!
  for i in $(seq 50); do xdotool search --name "^Skyloom 2$" >/dev/null 2>&1 && break; sleep 0.1; done
  win=$(xdotool search --name "^Skyloom 2$" | head -1)
  xdotool windowfocus --sync "$win"
  sleep 0.5
  xdotool key --window "$win" alt+g; sleep 0.3; xdotool key q; sleep 0.8
  xdotool key Return   # the Equation of Time dialog, with its start-up values
  sleep 4
  xdotool windowfocus --sync "$win"
  xdotool key --window "$win" ctrl+s
  sleep 4
  # The screen without a window manager: the dialog at its top-left corner over the window.
  import -window root -crop 625x492+0+0 +repage "$out"
  kill $pid
  rm -rf "$XDG_CONFIG_HOME" "$HOME"'
echo "$out"
