#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs each one: fuzz.sh [seconds per harness]
# (the test command runs them for a short time; pass a larger number for a long run).
set -euo pipefail
cd "$(dirname "$0")/.."
secs=${1:-20}
CC=clang CXX=clang++ bash scripts/build.sh build-fuzz -DKELVARA_FUZZ=ON -DKELVARA_TESTS=OFF
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export SDL_AUDIODRIVER=dummy
root=$(pwd)
data=$root/build-fuzz/data
declare -A seeds=(
  [StaticLayer]="$data/Levels/static_layer01.txt $data/Levels/static_layer02.txt"
  [DynamicLayer]="$data/Levels/dynamic_layer01.txt $data/Levels/dynamic_layer02.txt"
  [Image]="$data/Textures/heart.png $data/Textures/arrow.png $data/Textures/fireball.png"
  [Sound]="$data/Sounds/fail.wav $data/Sounds/hit.wav $data/Sounds/victory.mp3"
)
for name in StaticLayer DynamicLayer Image Sound; do
  corpus=$root/build-fuzz/corpus/$name  # absolute: the harnesses work in a folder of their own
  mkdir -p "$corpus"
  for s in ${seeds[$name]}; do [ -f "$s" ] && cp "$s" "$corpus/"; done
  regress=$root/tests/fuzz/regressions/$name
  if [ -d "$regress" ] && [ -n "$(ls -A "$regress")" ]; then
    echo "== fuzz_$name: regression cases"
    build-fuzz/tests/fuzz/fuzz_$name "$regress"/*
  fi
  echo "== fuzz_$name: ${secs}s"
  log=build-fuzz/fuzz_$name.log
  if ! build-fuzz/tests/fuzz/fuzz_$name -max_total_time="$secs" -max_len=131072 -rss_limit_mb=4096 \
      -print_final_stats=1 "$corpus" >"$log" 2>&1; then
    tail -40 "$log"
    echo "fuzz_$name failed"
    exit 1
  fi
  grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$log" || true
done
