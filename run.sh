#!/usr/bin/env bash
# Builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"

cmake --preset release
cmake --build --preset release -j"$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found. Start the program on a virtual display instead:" >&2
    echo "  apt-get install -y xvfb xauth   # once" >&2
    echo "  xvfb-run -a -s '-screen 0 1280x1024x24' ./run.sh" >&2
    exit 1
fi

exec build/release/velmora "$@"
