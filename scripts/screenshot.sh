#!/usr/bin/env bash
# Builds the screenshot program and photographs Corvane's windows on a virtual
# X display under the openbox window manager: the main window at start, then
# with a few messages typed in and the first one playing in the board preview.
# Usage: scripts/screenshot.sh [--docs] [build folder]
#   Images go to shots/; --docs also refreshes the README's pictures in docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
docs=false
if [[ "${1:-}" == --docs ]]; then
    docs=true
    shift
fi
scripts/deps.sh shots
build=${1:-build/window}
lean=()
[[ -f "$build/build.ninja" ]] ||
    lean=(-G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCH=OFF)
cmake -S . -B "$build" "${lean[@]}" -DCORVANE_BUILD_TOOLS=ON >/dev/null
cmake --build "$build" --target form1_preview -- -j2
mkdir -p shots
program=$(realpath "$build/tools/form1_preview")

# Runs the program in one state and saves each named window, frame included,
# as "title=file" asks. The board scrolls, so the preview is taken a fixed
# time after it appears, when the first letters fill the board.
# shellcheck disable=SC2016 # the inner script expands its own variables
photograph() {
    xvfb-run -a -s "-screen 0 1024x600x24 -dpi 96" bash -c '
        set -eu
        program=$1 state=$2
        shift 2
        # import falls back to asking for a mouse click when the window is
        # missing, so each window is waited for first.
        await() {
            for _ in $(seq 100); do
                xwininfo -name "$1" >/dev/null 2>&1 && return 0
                sleep 0.1
            done
            echo "no window \"$1\"" >&2
            return 1
        }
        openbox >/dev/null 2>&1 &
        for _ in $(seq 100); do
            xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id" && break
            sleep 0.1
        done
        QT_QPA_PLATFORM=xcb "$program" "$state" &
        pid=$!
        trap "kill $pid" EXIT
        for shot in "$@"; do
            await "${shot%%=*}"
        done
        sleep 1.7
        for shot in "$@"; do
            import -frame -window "${shot%%=*}" "${shot#*=}"
        done
    ' _ "$program" "$@"
}

main="QRV 1.1 - www.corvane.example"
photograph start "$main=shots/form1-start.png"
photograph filled "Board preview=shots/board-preview.png" "$main=shots/form1-filled.png"
ls shots/form1-start.png shots/form1-filled.png shots/board-preview.png

if $docs; then
    mkdir -p docs
    for pair in form1-filled:main-window board-preview:board-preview; do
        convert "shots/${pair%%:*}.png" -strip -define png:exclude-chunks=date,time \
            -define png:compression-level=9 "docs/${pair#*:}.png"
        echo "docs/${pair#*:}.png"
    done
fi
