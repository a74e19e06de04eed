#!/usr/bin/env bash
# Builds and runs every test: under AddressSanitizer and
# UndefinedBehaviorSanitizer, then in an optimised build whose warnings are
# errors (among them those only optimisation finds). Then fuzzes the program
# reader and avrdude's output reader, and builds the Debian package from the
# optimised build and checks it with lintian.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
export QT_QPA_PLATFORM=offscreen
# With paths taken relative to the checkout, its build trees and other
# checkouts share ccache's results (the presets compile through ccache).
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
jobs=$(nproc)
start=$SECONDS
stage() { echo "== $1 (at $((SECONDS - start)) s)"; }
for preset in asan release-tests; do
    stage "$preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset" -j "$jobs"
done
stage fuzz
scripts/fuzz.sh 30
stage package
scripts/check-package.sh
echo "== every check passed in $((SECONDS - start)) s"
