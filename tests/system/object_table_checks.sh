#!/usr/bin/env bash
# The object table's checks: mkdata builds the database from the table as it stands, and
# refuses each broken copy with a message that names the rule. Arguments: q71, data set.
set -euo pipefail
mkdata="$(dirname "$1")/tools/mkdata"
table="$Q71_SOURCE_DIR/data/objects.txt"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

build() { # build <source folder>: runs the objects generator alone
    "$mkdata" --source "$1" --out "$work/out" --only objects 2>&1
}

mkdir -p "$work/good"
cp "$table" "$work/good/objects.txt"
build "$work/good" >/dev/null || { echo "the table as it stands is refused"; exit 1; }
size=$(stat -c %s "$work/out/objects/Database/objects.db")
[ $((size % 404)) -eq 0 ] && [ "$size" -gt 0 ] || { echo "objects.db has $size bytes"; exit 1; }

# refuse <expected message part> <perl substitution on the table>
refuse() {
    local expected=$1 edit=$2
    rm -rf "$work/bad" && mkdir -p "$work/bad"
    perl -0pe "$edit" "$table" >"$work/bad/objects.txt"
    if cmp -s "$table" "$work/bad/objects.txt"; then
        echo "FAIL: the edit '$edit' changed nothing"; failures=$((failures + 1)); return
    fi
    local output
    if output=$(build "$work/bad"); then
        echo "FAIL: accepted a table with '$edit'"; failures=$((failures + 1))
    elif [[ "$output" != *"$expected"* ]]; then
        echo "FAIL: '$edit' gave: $output"; failures=$((failures + 1))
    fi
}

refuse "id 5 is taken" 's/(\[Victor3\]\nid = )6/${1}5/'
refuse "the key is taken" 's/\[Victor3\]/[AKULA]/'
refuse "crush depth" 's/(\[Kilo\](?:\n.*)*?\ncrushdepth = )-1000/${1}-700/'
refuse "test depth" 's/(\[Kilo\](?:\n.*)*?)\ntestdepth = -790\ncrushdepth = -1000/$1/'
refuse "outside 0 to 3.99" 's/(\[Akula\](?:\n.*)*?\nsonar = )2.6/${1}4/'
refuse "deaf" 's/(\[Akula\](?:\n.*)*?\nsonar = )2.6/${1}0.5/'
refuse "mast height" 's/(\[Burke\](?:\n.*)*?)\nmast = 46/$1/'
refuse "bow array" 's/(\[Kilo\](?:\n.*)*?\nlines = )50 300\/15 850\/25/${1}50 300\/15/'
refuse "simple sonars" 's/(\[Kilo\](?:\n.*)*?\nlines = )50 300\/15 850\/25/${1}850 900\/15/'
refuse "range in yards" 's/(\[Mk46\](?:\n.*)*?)\nrange = 12000/$1/'
refuse "armour is required" 's/(\[Rock\](?:\n.*)*?)\narmour = 200/$1/'
refuse "has no record" 's/weapon2 = Mk46 6/weapon2 = Mk99 6/'
refuse "is not a weapon" 's/weapon2 = Mk46 6/weapon2 = Kilo 6/'
refuse "\"Dsrv\" is required" 's/\[Dsrv\]/[Dsrv2]/'
refuse "must have id 4" 's/(\[Dsrv\]\nid = )4/${1}16/'
refuse "id 39 is required" 's/(\[Pilot\]\nid = )39/${1}41/'
refuse "does not fit category" 's/(\[Burke\](?:\n.*)*?\nkind = )2/${1}1/'
refuse "Windows-1252" 's/name = Cargo/name = Cargo \x{e2}\x{82}\x{a8}/'
refuse "longer than 39 bytes" 's/name = Cargo/name = Cargo de haute mer sous pavillon de complaisance/'
refuse "unknown field" 's/\nmast = 46/\nmasthead = 46/'
refuse "given twice" 's/\nmast = 46/\nmast = 46\nmast = 47/'
refuse "attenuation" 's/lines = 50 300\/15 850\/25/lines = 50 300 850\/25/'
refuse "first [Key]" 's/\A/id = 3\n/'
refuse "DEMON blades and harmonics" 's/(\[Kilo\](?:\n.*)*?)\nblades = 106/$1/'
refuse "blade rate at half" 's/(\[Kilo\](?:\n.*)*?\nblades = )106/${1}1000/'

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "object table checks: all refused as they should be"
