#!/bin/sh
# Fuzzes the big-file library for a bounded time: builds the libFuzzer target
# with clang straight from the library sources (AddressSanitizer and
# UndefinedBehaviorSanitizer on, checksums accepted so mutations reach the
# checks behind them), seeds it with tests/bimf/fixtures and runs it.
#
#   scripts/fuzz-bimf.sh [SECONDS]      default 60
#
# Work folder: $BIMF_FUZZ_DIR or /tmp/bimf-fuzz. Inputs that crash are written
# there as crash-*; keep each one (small) as tests/bimf/fixtures/found-NAME.fuzz
# so the test suite replays it from then on.
set -eu

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
work=${BIMF_FUZZ_DIR:-/tmp/bimf-fuzz}
cxx=${CXX_FUZZ:-clang++-14}
command -v "$cxx" >/dev/null 2>&1 || cxx=clang++

mkdir -p "$work/corpus"
cp "$root"/tests/bimf/fixtures/* "$work/corpus/"

echo "building $work/bimf_fuzz with $cxx"
"$cxx" -std=c++20 -O1 -g -fno-omit-frame-pointer \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -DFUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION \
    -I"$root/libs/bimf" -I"$root/tests/bimf" \
    "$root"/libs/bimf/*.cpp \
    "$root/tests/bimf/BimfFuzzInput.cpp" "$root/tests/bimf/bimf_fuzz.cpp" \
    -o "$work/bimf_fuzz"

# Scratch files of the target, memory-backed where possible, gone afterwards.
scratch=$(mktemp -d "$( [ -w /dev/shm ] && echo /dev/shm || echo /tmp )/bimf-fuzz-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export BIMF_FUZZ_SCRATCH="$scratch"

cd "$work"
echo "fuzzing for $seconds s"
./bimf_fuzz -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 corpus
