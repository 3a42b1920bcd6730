#!/usr/bin/env bash
# Checks that translations/velmora_en.ts is complete for the tree as it is: lupdate, run on a
# copy, finds no text it lacks and none it keeps for nothing, and no entry is unfinished.
set -euo pipefail
cd "$(dirname "$0")/.."

lupdate=$(command -v lupdate || true)
[ -x /usr/lib/qt6/bin/lupdate ] && lupdate=/usr/lib/qt6/bin/lupdate
if [ -z "$lupdate" ]; then
    echo "lupdate not found (Debian: qt6-l10n-tools)" >&2
    exit 1
fi
ts=translations/velmora_en.ts
copy=$(mktemp --suffix=.ts)
trap 'rm -f "$copy"' EXIT
cp "$ts" "$copy"
# The same options the translation was made with; the folders the program's texts live in.
"$lupdate" -no-obsolete -locations none -source-language zh_CN -target-language en \
    model app forms programmer rules link cli res -ts "$copy" >/dev/null
if ! cmp -s "$ts" "$copy"; then
    echo "$ts is not up to date with the texts in the tree:" >&2
    diff -u "$ts" "$copy" | head -40 >&2 || true
    exit 1
fi
if grep -q 'type="unfinished"' "$ts"; then
    echo "$ts has unfinished entries" >&2
    exit 1
fi
echo "Every text has its English translation."
