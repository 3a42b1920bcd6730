#!/usr/bin/env bash
# Counts the C++ lines of the product and of the tests, blank and comment lines excluded, and
# prints their ratio. Product is every tracked .cpp and .h outside tests/ and bench/ (the
# simulator included); the test share is tests/ alone.
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
    # Code lines: not blank, not a // line, not inside or starting a /* */ comment.
    xargs -r awk '
        {
            line = $0
            gsub(/^[ \t]+|[ \t]+$/, "", line)
            if (block) {
                if (index(line, "*/") == 0) next
                block = 0
                line = substr(line, index(line, "*/") + 2)
                gsub(/^[ \t]+/, "", line)
            }
            if (line == "" || line ~ /^\/\//) next
            if (line ~ /^\/\*/) { if (index(line, "*/") == 0) block = 1; next }
            n++
        }
        END { print n + 0 }'
}

product=$(git ls-files '*.cpp' '*.h' | grep -vE '^(tests|bench)/' | count)
tests=$(git ls-files '*.cpp' '*.h' | grep -E '^tests/' | count)
echo "product: $product"
echo "tests: $tests"
awk -v t="$tests" -v p="$product" 'BEGIN { printf "ratio: %.3f\n", t / p }'
