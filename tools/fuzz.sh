#!/usr/bin/env bash
# Builds the libFuzzer targets over the two hand-history grammars with clang (address and
# undefined-behaviour sanitizers on) and runs them one after the other, sharing a number
# of seconds, 60 by default:
#
#   tools/fuzz.sh [SECONDS]
#
# corvald_older_fuzz replays the 2006-2008 text through the hand driver and table view;
# corvald_current_fuzz reads the later text with its grammar and pot ledger. Seeds: the
# project's own hand-history test files and the first two hands of every shared sample
# (when ../shared/hand-histories is there). Each corpus grows in the build folder
# (CORVALD_FUZZ_BUILD, default build-fuzz) from run to run; a finding is written there as
# crash-*, leak-*, timeout-* or oom-* and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."

# shellcheck source=tools/deps.sh
source tools/deps.sh
install_missing "${corvald_packages[@]}" clang libclang-rt-14-dev

seconds=${1:-60}
build=${CORVALD_FUZZ_BUILD:-build-fuzz}

cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCORVALD_FUZZ=ON -DCORVALD_BUILD_TESTS=OFF -DCORVALD_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target corvald_older_fuzz corvald_current_fuzz

# The first two hands of a file: lines up to the third header.
first_hands() {
  awk '/PokerStars (Zoom |Home Game )?(Hand|Game) #/ { hands++ } hands <= 2' "$1"
}

shared=../shared/hand-histories
older_corpus="$build/fuzz-corpus"
current_corpus="$build/fuzz-corpus-current"
mkdir -p "$older_corpus" "$current_corpus"
cp tests/texas_holdem/pokerstars/data/*.txt "$older_corpus/"
if [ -d "$shared" ]; then
  for sample in "$shared"/*.txt; do
    first_hands "$sample" > "$older_corpus/seed-$(basename "$sample")"
  done
  if [ -d "$shared/current" ]; then
    find "$shared/current" -name '*.txt' | sort | while read -r sample; do
      first_hands "$sample" > "$current_corpus/seed-$(echo "$sample" | tr '/ ' '__')"
    done
  fi
fi

# A single input that runs for 10 s is a hang; inputs up to 8 KiB reach past the line
# length limit of 4096 characters.
run_target() {
  local target=$1 dict=$2 corpus=$3 time=$4
  "$build/tests/fuzz/$target" -max_total_time="$time" -timeout=10 -max_len=8192 \
    -dict="$dict" -artifact_prefix="$build/$target-" -print_final_stats=1 "$corpus"
}
half=$(( (seconds + 1) / 2 ))
run_target corvald_older_fuzz tests/fuzz/older.dict "$older_corpus" "$half"
run_target corvald_current_fuzz tests/fuzz/current.dict "$current_corpus" "$half"
