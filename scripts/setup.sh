#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, and nothing when all is there.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang-format googletest clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
  wine wine64 fonts-wine xvfb xauth xdotool strace pulseaudio pulseaudio-utils sox python3
  libx11-dev libsndfile1-dev libpulse-dev pkg-config qt6-base-dev trayer x11-utils
  x11-xserver-utils dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "setup: installing ${missing[*]}"
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
echo "setup: done"
