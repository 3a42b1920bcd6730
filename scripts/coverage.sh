#!/usr/bin/env bash
# Builds the tests with gcc's coverage instrumentation, runs every test but the soak run, and
# prints the product's line and branch coverage (every folder but tests/ and bench/, the
# simulator included). The last two lines are "lines: NN.N%" and "branches: NN.N%".
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" gcovr

cmake --preset coverage >/dev/null
cmake --build --preset coverage -j"$(nproc)" >/dev/null
find build/coverage -name '*.gcda' -delete
ctest --preset coverage -j"$(nproc)" -LE soak >/dev/null

# Exceptions and branches the compiler adds and no input can take are not the product's. The
# per-file report goes to build/coverage/coverage.txt.
report=build/coverage/coverage.txt
summary=$(gcovr --root . --object-directory build/coverage \
    --filter '(app|cli|forms|link|loader|model|programmer|rules|sim)/' \
    --exclude-throw-branches --exclude-unreachable-branches --print-summary --txt "$report")
lines=$(sed -n 's/^lines: \([0-9.]*%\).*/\1/p' <<<"$summary")
branches=$(sed -n 's/^branches: \([0-9.]*%\).*/\1/p' <<<"$summary")
echo "$summary" | grep -vE '^(lines|branches|functions):' || true
echo "lines: $lines"
echo "branches: $branches"
