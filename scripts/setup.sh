#!/usr/bin/env bash
# Installs the Debian packages the build, the data tools and the tests need.
set -euo pipefail
pkgs=(
  build-essential cmake pkg-config clang clang-format libclang-rt-14-dev
  freeglut3-dev libglew-dev libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri
  libpng-dev libsdl2-dev libsdl2-mixer-dev libmp3lame-dev libmpg123-dev libsndfile1-dev libasound2-dev
  libgtest-dev googletest
  libx11-dev xvfb xauth xdotool x11-utils
)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
