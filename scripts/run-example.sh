#!/usr/bin/env bash
# The main job: installs what the project needs, builds it, renders the
# example chart to out/example.png and, where a display exists, opens the
# same chart in a window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh default
chart="${1:-examples/sales_cn.json}"
mkdir -p out
QT_QPA_PLATFORM=offscreen ./build/apps/palvexchart/palvexchart render "$chart" -o out/example.png
echo "rendered $chart to out/example.png"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && ./build/apps/palvexchart/palvexchart help 2>&1 | grep -q ' show '; then
  exec ./build/apps/palvexchart/palvexchart show "$chart"
fi
