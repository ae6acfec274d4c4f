#!/usr/bin/env bash
# The notices of the bitmap fonts the interface strikes are drawn from: the data set carries each
# beside its strikes, and the repository the same words beside the glyph pictures of data/fonts.
# Arguments: q71, data set.
set -euo pipefail
data=$2
fonts="$Q71_SOURCE_DIR/data/fonts"
shipped=("$data"/Fonts/*.copyright)
[ -e "${shipped[0]}" ] || { echo "the data set carries no font notice"; exit 1; }
for notice in "${shipped[@]}"; do
    name=$(basename "$notice")
    [ -f "$fonts/$name" ] || { echo "data/fonts lacks $name"; exit 1; }
    cmp -s "$notice" "$fonts/$name" || { echo "data/fonts/$name differs from the data set's"; exit 1; }
    grep -q "$name" "$fonts/NOTICES" || { echo "data/fonts/NOTICES does not name $name"; exit 1; }
done
for kept in "$fonts"/*.copyright; do
    [ -f "$data/Fonts/$(basename "$kept")" ] || { echo "$(basename "$kept") is no notice of the data set's"; exit 1; }
done
echo "${#shipped[@]} font notices, the same in the data set and beside the glyph pictures"
