#!/usr/bin/env bash
# README's batch examples, run as written on an archive of copies of the examples: a folder with
# a blank in its name, another, and one with a broken data file. Every good
# folder gets the report of a single analysis; xargs ends with 123, and the broken folder's log
# says why. Usage: tests/packaging/readme-batch.sh SOURCE_DIR KAVREL_EXECUTABLE
set -euo pipefail
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/single" "$work/archive/tank 7" "$work/archive/b" "$work/archive/bad"
ln -s "$2" "$work/bin/kavrel"
for folder in "$work/single" "$work/archive/"*; do cp "$source"/examples/* "$folder"; done
printf 'broken\n' >"$work/archive/bad/KAVREL_BAS.DAT"
# The shell block after the heading "Many tests at once".
example=$(sed -n '/^### Many tests at once/,/^###* [^M]/p' "$source/README.md" |
  sed -n '/^```sh$/,/^```$/{/^```/d;p}')
[ -n "$example" ]
cd "$work"
PATH="$work/bin:$PATH" kavrel --terminal single <single/KAVREL_ANSWERS.txt >/dev/null
status=0
PATH="$work/bin:$PATH" sh -c "$example" || status=$?
[ "$status" -eq 123 ] || { echo "the batch ended with $status, not 123"; exit 1; }
for folder in "tank 7" b; do
  cmp "single/KAVREL.OUT" "archive/$folder/KAVREL.OUT"
  cmp "single/KAVREL_SHIP.OUT" "archive/$folder/KAVREL_SHIP.OUT"
  grep -q "The report is written to" "archive/$folder/kavrel.log"
done
grep -q "^kavrel: archive/bad/KAVREL_BAS.DAT:" archive/bad/kavrel.log ||
  { cat archive/bad/kavrel.log; exit 1; }
[ ! -e archive/bad/KAVREL.OUT ]
# The call of "Analysing many tests", run as written from a copy of the source tree's examples:
# one line per folder, the bad one named, status 1, the summary.
rm -f archive/*/KAVREL.OUT
cp -r "$source/examples" examples
many=$(sed -n '/^### Analysing many tests/,/^###* [^A]/p' "$source/README.md" |
  sed -n '/^```sh$/,/^```$/{/^```/d;p}')
[ -n "$many" ]
status=0
PATH="$work/bin:$PATH" sh -c "$many" >lines 2>errors || status=$?
[ "$status" -eq 1 ] || { echo "the call ended with $status, not 1"; exit 1; }
[ "$(wc -l <lines)" -eq 3 ] && grep -q "^archive/bad/: status 1, no report$" lines
grep -q "^kavrel: archive/bad/KAVREL_BAS.DAT:" errors
[ "$(grep -c ',0,12,' summary.csv)" -eq 2 ]
for folder in "tank 7" b; do cmp "single/KAVREL.OUT" "archive/$folder/KAVREL.OUT"; done
