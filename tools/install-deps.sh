#!/usr/bin/env bash
# Installs every Debian 12 package needed to build, run and test Quellor.
# Idempotent: only missing packages are fetched. Runs as root (no sudo).
set -euo pipefail
PKGS=(
  build-essential cmake ninja-build pkg-config git clang lld llvm
  libepoxy-dev libegl-dev libgl-dev libegl-mesa0 libgl1-mesa-dri mesa-utils
  libpng-dev libjpeg-dev zlib1g-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libglm-dev libwxgtk3.2-dev
  libsdl2-dev libmodplug-dev libsidplayfp-dev libassimp-dev
  glslang-dev spirv-cross libspirv-cross-c-shared-dev spirv-tools
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils imagemagick
  flac python3-numpy
)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
