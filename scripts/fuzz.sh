#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs them for a bounded time: the program
# reader from freshly written programs, then avrdude's output reader for a
# third of that. Exits non-zero on a crash; the crashing input is kept under
# build/fuzz/crashes/.
# Usage: scripts/fuzz.sh [seconds]   (default 30)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
build=build/fuzz

if ! command -v clang++ >/dev/null; then
    echo "clang++ is missing: run scripts/deps.sh test" >&2
    exit 1
fi
# The tree, its corpus and ccache's results (when ccache is installed) are
# kept from one run to the next. -O1 with line tables: what libFuzzer needs
# for speed and for its stack traces, at half the compile time of -O2 -g.
launcher=
if command -v ccache >/dev/null; then
    launcher=ccache
fi
cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
    -DCMAKE_CXX_COMPILER_LAUNCHER="$launcher" >/dev/null
cmake --build "$build"
mkdir -p "$build/seeds" "$build/corpus" "$build/crashes"
"$build/write_fuzz_seeds" "$build/seeds"
"$build/program_reader_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -dict=fuzz/program.dict -artifact_prefix="$build/crashes/" -print_final_stats=1 \
    "$build/corpus" "$build/seeds"
mkdir -p "$build/avrdude-corpus"
"$build/avrdude_output_fuzz" -max_total_time="$(( (seconds + 2) / 3 ))" -timeout=10 \
    -rss_limit_mb=2048 -artifact_prefix="$build/crashes/" -print_final_stats=1 \
    "$build/avrdude-corpus"
