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
# Another apt at work (a system update, another set-up) holds apt's locks for a while: apt waits
# for dpkg's lock when told to, but not for the package lists' lock, which is tried again.
wait_secs=600
apt_get() {
  local deadline=$((SECONDS + wait_secs)) err said=
  until err=$("${sudo_cmd[@]}" env LC_ALL=C DEBIAN_FRONTEND=noninteractive \
    apt-get -qq -o DPkg::Lock::Timeout=$wait_secs "$@" 2>&1 >/dev/null); do
    if [[ $err != *"Could not get lock"* ]] || [ $SECONDS -ge $deadline ]; then
      printf '%s\n' "$err" >&2
      return 1
    fi
    [ -n "$said" ] || echo "setup: waiting for another apt to finish"
    said=1
    sleep 5
  done
}
if ! { apt_get update && apt_get install -y --no-install-recommends "${missing[@]}"; }; then
  echo "setup: the packages could not be installed; $how" >&2
  exit 1
fi
