#!/usr/bin/env bash
# Checks that every folder includes only itself and the folders below it:
# app -> forms -> programmer, rules; programmer -> link -> model; rules -> model;
# cli -> programmer, rules; loader -> model. Prints each include that goes up or sideways.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A allowed=(
    [model]="model"
    [rules]="rules model"
    [link]="link model"
    [programmer]="programmer link model"
    [loader]="loader model"
    [forms]="forms programmer rules link model"
    [app]="app forms programmer rules link model loader"
    [cli]="cli programmer rules link model"
)
status=0
for folder in "${!allowed[@]}"; do
    while IFS=: read -r file line include; do
        target=${include%%/*}
        if [[ " ${allowed[$folder]} " != *" $target "* ]]; then
            echo "$file:$line: $folder includes $include" >&2
            status=1
        fi
    done < <(git grep -n -o -E '#include "[a-z]+/[^"]+"' -- "$folder/*.cpp" "$folder/*.h" |
        sed -E 's/#include "([^"]+)"/\1/')
done
[ $status -eq 0 ] && echo "Every include goes down the layers."
exit $status
