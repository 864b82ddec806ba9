#!/usr/bin/env bash
# Sets up, builds and starts the 32-pixel game (play.sh 16: the 16-pixel one); it installs and
# builds only what the game needs, in a folder of its own (build-game), so that build/ keeps
# its tests up to date.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh game
prog=Kelvara
[ "${1:-32}" = 16 ] && prog=Kelvara16
cmake -S . -B build-game -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVARA_TESTS=OFF >/dev/null
cmake --build build-game -j"$(nproc)" --target "$prog"
cd build-game/data && exec ../$prog
