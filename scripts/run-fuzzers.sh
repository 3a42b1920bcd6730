#!/usr/bin/env bash
# Runs every libFuzzer target of the fuzz build (build/fuzz/fuzzers/*_fuzz) for a while on its
# starting corpus tests/fuzz/<name without _fuzz>/, and fails on the first crash or sanitizer report.
# Usage: scripts/run-fuzzers.sh [seconds per target, default 5]
# New inputs go to a scratch folder, crashing ones to build/fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-5}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p build/fuzz/artifacts

found=0
for target in build/fuzz/fuzzers/*_fuzz; do
    [ -x "$target" ] || continue
    found=1
    name=$(basename "$target")
    corpus=("$scratch/$name")
    mkdir -p "${corpus[0]}"
    start="tests/fuzz/${name%_fuzz}"
    [ -d "$start" ] && corpus+=("$start")
    echo "Fuzzing $name for ${seconds}s"
    if ! "$target" -max_total_time="$seconds" -timeout=10 \
        -artifact_prefix="build/fuzz/artifacts/$name-" "${corpus[@]}" >"$scratch/$name.log" 2>&1; then
        tail -n 60 "$scratch/$name.log" >&2
        echo "$name failed; the input is in build/fuzz/artifacts/" >&2
        exit 1
    fi
    grep -E '^Done [0-9]+ runs' "$scratch/$name.log" || true
done
if [ "$found" -eq 0 ]; then
    echo "No fuzz targets in build/fuzz/fuzzers: build the fuzz preset first." >&2
    exit 1
fi
