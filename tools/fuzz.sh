#!/usr/bin/env bash
# Builds the libFuzzer target over the hand-history replay with clang (address and
# undefined-behaviour sanitizers on) and runs it for a number of seconds, 60 by default:
#
#   tools/fuzz.sh [SECONDS]
#
# Seeds: the project's own hand-history test files and the first two hands of every
# shared sample (when ../shared/hand-histories is there). The corpus grows in the build
# folder (CORVALD_FUZZ_BUILD, default build-fuzz) from run to run; a finding is written
# there as crash-*, leak-*, timeout-* or oom-* and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."

# shellcheck source=tools/deps.sh
source tools/deps.sh
install_missing "${corvald_packages[@]}" clang libclang-rt-14-dev

seconds=${1:-60}
build=${CORVALD_FUZZ_BUILD:-build-fuzz}

cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCORVALD_FUZZ=ON -DCORVALD_BUILD_TESTS=OFF -DCORVALD_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target corvald_replay_fuzz

corpus="$build/fuzz-corpus"
mkdir -p "$corpus"
cp tests/texas_holdem/pokerstars/data/*.txt "$corpus/"
shared=../shared/hand-histories
if [ -d "$shared" ]; then
  for sample in "$shared"/*.txt; do
    awk '/PokerStars/ { hands++ } hands <= 2' "$sample" > "$corpus/seed-$(basename "$sample")"
  done
fi

# A single input that runs for 10 s is a hang; inputs up to 8 KiB reach past the line
# length limit of 4096 characters.
"$build/tests/fuzz/corvald_replay_fuzz" -max_total_time="$seconds" -timeout=10 -max_len=8192 \
  -dict=tests/fuzz/replay.dict -artifact_prefix="$build/" -print_final_stats=1 "$corpus"
