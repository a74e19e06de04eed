#!/usr/bin/env bash
# Builds the main window's preview and photographs it on a virtual X display,
# once at start and once with a few messages typed in.
# Usage: scripts/screenshot.sh [build folder]   (images go to shots/)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh shots
build=${1:-build/window}
[[ -f "$build/build.ninja" ]] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" --target form1_preview -- -j2
mkdir -p shots
preview=$(realpath "$build/tests/editor/form1_preview")
for state in start filled; do
    xvfb-run -a -s "-screen 0 480x480x24 -dpi 96" bash -c '
        QT_QPA_PLATFORM=xcb "$1" "$2" &
        pid=$!
        sleep 3
        import -window "QRV 1.1 - www.corvane.example" "$3"
        kill "$pid"
    ' _ "$preview" "$state" "shots/form1-$state.png"
    echo "shots/form1-$state.png"
done
