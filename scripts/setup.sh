#!/usr/bin/env bash
# Installs the Debian packages that are missing: setup.sh game (what building and playing the
# game needs) or setup.sh test (that and what the tests, the fuzzers and the style check need).
set -euo pipefail
game=(
  build-essential cmake pkg-config
  freeglut3-dev libglew-dev libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri libx11-dev
  libpng-dev libsdl2-dev libsdl2-mixer-dev libmp3lame-dev libmpg123-dev libsndfile1-dev libasound2-dev
)
tests=(
  clang clang-format libclang-rt-14-dev libgtest-dev googletest
  xvfb xauth xdotool x11-utils x11-xkb-utils
)
case "${1:-test}" in
  game) pkgs=("${game[@]}") ;;
  test) pkgs=("${game[@]}" "${tests[@]}") ;;
  *) echo "usage: setup.sh [game|test]" >&2; exit 2 ;;
esac
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "setup: installing ${missing[*]}"
how="as root, run: apt-get install --no-install-recommends ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null 2>&1 || { echo "setup: sudo is not installed; $how" >&2; exit 1; }
  sudo_cmd=(sudo)
fi
if ! { "${sudo_cmd[@]}" apt-get update -qq &&
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null; }; then
  echo "setup: the packages could not be installed; $how" >&2
  exit 1
fi
