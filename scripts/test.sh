#!/usr/bin/env bash
# Builds and runs every test: under AddressSanitizer and
# UndefinedBehaviorSanitizer, then in an optimised build whose warnings are
# errors (among them those only optimisation finds). Fuzzes the program reader
# and avrdude's output reader meanwhile, then builds the Debian package from
# the optimised build and checks it with lintian.
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

stage asan
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan -j "$jobs"

# A fuzzer keeps one core busy for its whole run; the optimised build, at a
# lower priority, takes the rest. The fuzzers' output is shown after the build.
stage "fuzz, in the background"
mkdir -p build
fuzz_log=build/fuzz.log
setsid scripts/fuzz.sh 30 >"$fuzz_log" 2>&1 &
fuzz=$!
trap 'kill -- "-$fuzz" 2>/dev/null || true' EXIT

stage release-tests
cmake --preset release-tests >/dev/null
nice -n 10 cmake --build --preset release-tests
nice -n 10 ctest --preset release-tests -j "$jobs"

stage "fuzz output"
fuzzed=0
wait "$fuzz" || fuzzed=$?
trap - EXIT
cat "$fuzz_log"
if [[ $fuzzed -ne 0 ]]; then
    echo "fuzzing failed (exit status $fuzzed); crashing inputs are in build/fuzz/crashes/" >&2
    exit "$fuzzed"
fi

stage package
scripts/check-package.sh
echo "== every check passed in $((SECONDS - start)) s"
