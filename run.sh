#!/usr/bin/env bash
# Builds the program and starts it with the simulated programmer attached: the simulator's
# pseudo-terminal appears in the port list, so every programmer command works without hardware.
set -euo pipefail
cd "$(dirname "$0")"

# Before anything is built: without a display the program cannot show its window.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found. Start the program on a virtual display instead:" >&2
    echo "  apt-get install -y xvfb xauth   # once" >&2
    echo "  xvfb-run -a -s '-screen 0 1280x1024x24' ./run.sh" >&2
    exit 1
fi

source scripts/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"

cmake --preset release
cmake --build --preset release -j"$(nproc)"

# The simulator keeps its stored block across runs.
state_dir="${XDG_STATE_HOME:-$HOME/.local/state}/velmora"
mkdir -p "$state_dir"
sim_out=$(mktemp)
build/release/sim/velmora-programmer-sim --state "$state_dir/programmer-sim.txt" >"$sim_out" &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true; rm -f "$sim_out"' EXIT

port=""
for _ in $(seq 50); do
    port=$(sed -n 's/^PORT //p' "$sim_out" | head -n 1)
    [ -n "$port" ] && break
    sleep 0.1
done
if [ -z "$port" ]; then
    echo "The simulated programmer did not start; the program runs without it." >&2
else
    echo "Simulated programmer on $port"
    export VELMORA_EXTRA_PORTS="$port${VELMORA_EXTRA_PORTS:+:$VELMORA_EXTRA_PORTS}"
fi

build/release/app/velmora "$@"
