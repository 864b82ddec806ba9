#!/usr/bin/env bash
# Builds and runs the frame-time benchmarks of both builds under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build
for tile in 32 16; do
  xvfb-run -a -s "-screen 0 1920x1080x24" build/tests/bench/kelvara_bench$tile
done
