#!/usr/bin/env bash
# ./test.sh          the quick run after every change: the format, layer and translation checks,
#                    the dev build (warnings as errors) and every test but the soak run.
# ./test.sh --full   what CI runs: the quick run, then every test under the address and
#                    undefined-behaviour sanitizers with the random soak run for several minutes
#                    (VELMORA_SOAK_SECONDS, 180 by default), the Debian package, the Windows-only
#                    sources and, where clang++ with libFuzzer is at hand, the fuzz targets.
# Further arguments go to the dev run's ctest.
set -euo pipefail
cd "$(dirname "$0")"
full=false
if [ "${1:-}" = --full ]; then
    full=true
    shift
fi
source scripts/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}"

# Every C++ file follows .clang-format (skipped where clang-format is absent).
if command -v clang-format >/dev/null 2>&1; then
    if ! git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror; then
        echo "clang-format would change the files above; run: git ls-files '*.cpp' '*.h' | xargs clang-format -i" >&2
        exit 1
    fi
fi
# Every folder includes only the folders below it.
scripts/check-layers.sh
# Every text the program shows has its English translation.
scripts/check-translations.sh

cmake --preset dev
cmake --build --preset dev -j"$(nproc)"
ctest --preset dev -j"$(nproc)" -LE soak "$@"
$full || exit 0

# The same suite with every executable (the simulator the tests start included) under the
# address and undefined-behaviour sanitizers, and the random run for several minutes: a long
# run reaches what a short one never does. A report ends the process that hits it with a
# failure; the simulator's reports fail the test that ran it. The log is searched as well, so
# that no report can pass unseen.
cmake --preset asan
cmake --build --preset asan -j"$(nproc)"
VELMORA_RANDOM_RUN_SECONDS=${VELMORA_SOAK_SECONDS:-180} ctest --preset asan -j"$(nproc)"
if grep -nE 'ERROR: (Address|Leak)Sanitizer|runtime error:' build/asan/Testing/Temporary/LastTest.log; then
    echo "Sanitizer reports in build/asan/Testing/Temporary/LastTest.log" >&2
    exit 1
fi

# The Debian package, built apart from the builds above.
ensure_packages "${PACKAGE_PACKAGES[@]}"
scripts/check-package.sh

# The Windows-only code, compiled with MinGW-w64 (no Qt for Windows here: compiled, not linked).
if ensure_packages "${WINDOWS_CHECK_PACKAGES[@]}"; then
    scripts/check-windows-sources.sh
else
    echo "MinGW-w64 is missing: the Windows-only sources were not compiled."
fi

# Whether clang++ links a libFuzzer program with the sanitizers.
fuzzing_available() {
    command -v clang++ >/dev/null || return 1
    local probe
    probe=$(mktemp -d)
    printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }\n' \
        >"$probe/probe.cpp"
    clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" 2>/dev/null
    local status=$?
    rm -rf "$probe"
    return $status
}

if ensure_packages "${FUZZ_PACKAGES[@]}" && fuzzing_available; then
    cmake --preset fuzz
    cmake --build --preset fuzz -j"$(nproc)"
    scripts/run-fuzzers.sh 5
else
    echo "clang++ with libFuzzer is missing: the fuzz targets were not run."
fi
