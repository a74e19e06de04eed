#!/usr/bin/env bash
# Builds Corvane (optimised) and starts it on the user's display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build
cmake --preset release >/dev/null
cmake --build --preset release --target corvane
exec build/release/app/corvane "$@"
