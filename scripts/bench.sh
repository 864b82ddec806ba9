#!/usr/bin/env bash
# Builds and runs the frame-time benchmarks of both builds under Xvfb, with Mesa's shader cache
# on and off (with it off, every program link of an effect frame is paid in full).
set -euo pipefail
cd "$(dirname "$0")/.."
# The dummy sound output, as in the tests: on a machine without a sound card, trying its sound
# servers first would add their time, not the game's, to the start-up figure.
export SDL_AUDIODRIVER=dummy
bash scripts/setup.sh test
bash scripts/build.sh build
for tile in 32 16; do
  for cache_off in false true; do
    echo "== tile size $tile, MESA_SHADER_CACHE_DISABLE=$cache_off"
    MESA_SHADER_CACHE_DISABLE=$cache_off \
      xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" build/tests/bench/kelvara_bench$tile
  done
done
