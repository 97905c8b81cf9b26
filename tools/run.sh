#!/usr/bin/env bash
# Installs what is missing, builds and starts Quellor: the editor window when a display
# is available, otherwise a headless render of the bundled demo intro to a PNG.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ "${QUELLOR_HEADLESS:-0}" != 1 ]; then
  exec ./build/quellor "$@"
fi
mkdir -p out
export EGL_PLATFORM=surfaceless
exec ./build/quellor --headless Data/Prefs/Demo.ini --frames 240 --png out/quellor.png "$@"
