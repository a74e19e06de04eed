#!/usr/bin/env bash
# Builds and runs every test: once in a plain debug build, once under
# AddressSanitizer and UndefinedBehaviorSanitizer; then builds the Debian
# package and checks it with lintian.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
export QT_QPA_PLATFORM=offscreen
for preset in dev asan; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
echo "== release-tests (build only: warnings that only optimisation finds)"
cmake --preset release-tests >/dev/null
cmake --build --preset release-tests
echo "== fuzz"
scripts/fuzz.sh 30
scripts/check-package.sh
