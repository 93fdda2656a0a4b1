#!/usr/bin/env bash
# Runs the main window under Xvfb on a demo folder with both name options on and saves a
# screenshot of the screen, which is exactly the window's size.
#   tools/screenshot.sh [BUILD_DIR] [OUTPUT_PNG] [DEMO_FOLDER]
# Defaults: build, docs/screenshot.png, a fresh demo folder in a temporary directory.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
OUT=${2:-docs/screenshot.png}
DEMO=${3:-}
if [ -z "$DEMO" ]; then
  DEMO=$(mktemp -d)/demo
  bash tools/make-demo.sh "$BUILD" "$DEMO" >/dev/null
fi
mkdir -p "$(dirname "$OUT")"
# A settings folder of its own, so that the run neither reads nor writes the user's settings.
CONFIG=$(mktemp -d)
trap 'rm -rf "$CONFIG"' EXIT
OUT=$(realpath "$OUT")
# The screen has the window's designed size at 96 dpi; the window opens at its top-left corner.
env LANG=de_DE.UTF-8 XDG_CONFIG_HOME="$CONFIG" xvfb-run -a -s "-screen 0 1018x605x24 -dpi 96" bash -c '
  "$1/tools/window-demo/kavio-window-demo" --date --sender --quit-after 8000 "$2" &
  pid=$!
  sleep 4
  import -window root "$3"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
' _ "$BUILD" "$DEMO" "$OUT"
echo "$OUT"
