#!/usr/bin/env bash
# The 3-D art of the data set: the models generator makes the same bytes every time, and refuses a
# table naming a model it has no recipe for, with the record's key and line. Arguments: q71, data set.
set -euo pipefail
mkdata="$(dirname "$1")/tools/mkdata"
table="$Q71_SOURCE_DIR/data/objects.txt"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/good"
cp "$table" "$work/good/objects.txt"
for run in 1 2; do
    "$mkdata" --source "$work/good" --out "$work/run$run" --only models >/dev/null 2>&1 ||
        { echo "the table as it stands is refused"; exit 1; }
done
diff -r "$work/run1" "$work/run2" >/dev/null || { echo "two runs made different art"; exit 1; }
[ -s "$work/run1/.archive-staging/objects/models/Q71i" ] || { echo "no descriptor of Q71i"; exit 1; }

mkdir -p "$work/bad"
perl -0pe 's/(\[Kilo\](?:\n.*)*?\nmodel = )Kilo/${1}Kilo2/' "$table" >"$work/bad/objects.txt"
line=$(grep -n '^\[Kilo\]' "$table" | cut -d: -f1)
if output=$("$mkdata" --source "$work/bad" --out "$work/bad-out" --only models 2>&1); then
    echo "FAIL: accepted a model without a recipe"; exit 1
fi
[[ "$output" == *"objects.txt:$line: [Kilo]"*"\"Kilo2\""* ]] || { echo "FAIL: gave: $output"; exit 1; }
