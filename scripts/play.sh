#!/usr/bin/env bash
# Sets up, builds and starts the 32-pixel game (Kelvara16 for the 16-pixel one: play.sh 16).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build
prog=Kelvara
[ "${1:-32}" = 16 ] && prog=Kelvara16
cd build/data && exec ../$prog
