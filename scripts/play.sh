#!/usr/bin/env bash
# Sets up, builds and starts the 32-pixel game (play.sh 16: the 16-pixel one).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
prog=Kelvara
[ "${1:-32}" = 16 ] && prog=Kelvara16
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target "$prog"
cd build/data && exec ../$prog
