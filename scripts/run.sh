#!/usr/bin/env bash
# Builds Corvane (optimised) and starts it on the user's display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build
cmake --preset release -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCH=OFF >/dev/null
cmake --build --preset release --target corvane
exec build/release/app/corvane "$@"
