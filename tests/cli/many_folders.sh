#!/usr/bin/env bash
# Many tests in one call: 50 folders, some failing in different ways, analysed by one
# `kavrel --answers ... --summary ...`. Every line, the summary against single analyses of the
# same tests, the exit status and the failing folders' messages are checked; then --output from a
# read-only test folder, and an output folder that cannot be written (status 3, nothing asked).
# Usage: tests/cli/many_folders.sh KAVREL_EXECUTABLE SOURCE_DIR
set -uo pipefail
kavrel=$1 examples=$2/examples
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
cd "$work"
faults=0
fail() { echo "FAIL: $*"; faults=$((faults + 1)); }
answers=$examples/KAVREL_ANSWERS.txt
# Folders are made unwritable to kavrel only where it runs without the power to ignore that.
unprivileged=()
if [ "$(id -u)" -eq 0 ]; then
  if setpriv --inh-caps=-all --bounding-set=-all true 2>/dev/null; then
    unprivileged=(setpriv --inh-caps=-all --bounding-set=-all)
  else
    echo "SKIP: running as root without setpriv: no folder can be made unwritable"
  fi
fi
can_lock_out=$([ "$(id -u)" -ne 0 ] || [ ${#unprivileged[@]} -gt 0 ] && echo yes)

# Single analyses of the two kinds of test, the reference of every good folder.
mkdir -p single/ship single/bare
cp "$examples"/KAVREL_BAS.DAT "$examples"/KAVREL_SHIP.DAT single/ship/
cp "$examples"/KAVREL_BAS.DAT single/bare/
for kind in ship bare; do
  "$kavrel" --terminal "single/$kind" <"$answers" >"single/$kind.out" || fail "single $kind"
done
# (1+k) as the closing words print them, and the power of the fastest run from the ship table.
k_raw=$(sed -n 's/^Form factor (1+k), raw data: //p' single/ship.out)
k_smoothed=$(sed -n 's/^Form factor (1+k), smoothed data: //p' single/ship.out)
pe=$(tail -1 single/ship/KAVREL_SHIP.csv | awk -F, '{ print $NF }')
pe_shown=$(awk -v p="$pe" 'BEGIN { printf "%.1f", p }')
runs=$(($(wc -l <single/ship/KAVREL.csv) - 1))
[ "$runs" -eq 12 ] && [ -n "$k_raw" ] && [ -n "$k_smoothed" ] || fail "the single analyses"

# 45 good folders (every third without a ship file, one with a blank and a comma in its name)
# and 5 that fail: no data file, a line that is not numbers, a ship file with a fault, a folder
# that does not exist, and (when one can be made) a folder kavrel cannot write.
folders=()
for i in $(seq 1 45); do
  name=$(printf 't%02d' "$i")
  [ "$i" -eq 7 ] && name="tank 7, run b"
  mkdir "$name" && cp "$examples"/KAVREL_BAS.DAT "$name/"
  [ $((i % 3)) -ne 0 ] && cp "$examples"/KAVREL_SHIP.DAT "$name/"
  folders+=("$name")
done
mkdir no_data bad_line bad_ship read_only
sed '14s/.*/   0.614   x.840/' "$examples"/KAVREL_BAS.DAT >bad_line/KAVREL_BAS.DAT
cp "$examples"/KAVREL_BAS.DAT bad_ship/ && printf 'Lpp = -3\n' >bad_ship/KAVREL_SHIP.DAT
cp "$examples"/KAVREL_BAS.DAT read_only/ && chmod a-w read_only
folders=("${folders[@]:0:20}" no_data bad_line "${folders[@]:20:10}" bad_ship missing
  "${folders[@]:30}")
expected_status=2
if [ -n "$can_lock_out" ]; then
  folders+=(read_only) expected_status=3
fi
[ ${#folders[@]} -eq $((expected_status == 3 ? 50 : 49)) ] || fail "the folders are ${#folders[@]}"

"${unprivileged[@]}" "$kavrel" --answers "$answers" --summary summary.csv "${folders[@]}" \
  >lines 2>errors </dev/null
status=$?
[ "$status" -eq "$expected_status" ] || fail "the call ended with $status, not $expected_status"

# The expected line and summary row of each folder, in the order given.
: >expected.lines
echo "folder,status,runs,one_plus_k_raw,one_plus_k_smoothed,Pe_fastest_kW" >expected.csv
csv_name() { case $1 in *,*) printf '"%s"' "$1" ;; *) printf '%s' "$1" ;; esac; }
for f in "${folders[@]}"; do
  case $f in
    no_data | bad_line | bad_ship) s=1 ;; missing) s=2 ;; read_only) s=3 ;; *) s=0 ;;
  esac
  if [ $s -ne 0 ]; then
    echo "$f: status $s, no report" >>expected.lines
    echo "$(csv_name "$f"),$s,,,," >>expected.csv
    continue
  fi
  line="$f: status 0, $runs runs, (1+k) raw $k_raw, smoothed $k_smoothed"
  if [ -f "$f/KAVREL_SHIP.DAT" ]; then
    line+=", Pe $pe_shown kW at the fastest run"
    kind=ship
  else
    kind=bare
  fi
  echo "$line" >>expected.lines
  # The numbers of the row read back as the closing words' (1+k) and exactly as the ship table.
  row=$(grep -F "$(csv_name "$f"),0," summary.csv)
  IFS=, read -r -a fields <<<"${row#\"*\"},."
  [ "$(awk -v k="${fields[-4]}" 'BEGIN { printf "%.3f", k }')" = "$k_raw" ] ||
    fail "$f: (1+k) raw ${fields[-4]} in the summary"
  [ "$(awk -v k="${fields[-3]}" 'BEGIN { printf "%.3f", k }')" = "$k_smoothed" ] ||
    fail "$f: (1+k) smoothed ${fields[-3]} in the summary"
  echo "$row" >>expected.csv
  [ "${fields[-2]}" = "$([ $kind = ship ] && echo "$pe")" ] || fail "$f: Pe '${fields[-2]}'"
  [ "${fields[-5]}" = "$runs" ] || fail "$f: ${fields[-5]} runs in the summary"
  for out in KAVREL.OUT KAVREL.csv KAVREL_COEFFICIENTS.svg; do
    cmp -s "single/$kind/$out" "$f/$out" || fail "$f/$out differs from a single analysis's"
  done
  [ $kind = bare ] || cmp -s single/ship/KAVREL_SHIP.csv "$f/KAVREL_SHIP.csv" ||
    fail "$f/KAVREL_SHIP.csv differs from a single analysis's"
done
diff expected.lines lines || fail "the lines"
diff expected.csv summary.csv || fail "the summary"
# Each failing folder named with its reason, and nothing else on standard error.
grep -qx "kavrel: no_data/KAVREL_BAS.DAT: cannot open the data file (no such file in this folder)" errors ||
  fail "no data file"
grep -q "^kavrel: bad_line/KAVREL_BAS.DAT:14: \"x.840\" is not a number" errors || fail "bad line"
grep -q "^kavrel: bad_ship/KAVREL_SHIP.DAT:1: " errors || fail "bad ship file"
grep -qx "kavrel: missing: the folder 'missing' does not exist" errors || fail "missing folder"
if [ -n "$can_lock_out" ]; then
  grep -qx "kavrel: read_only: cannot write in read_only: Permission denied; nothing was asked and no report was written" errors ||
    fail "unwritable folder"
fi
[ "$(wc -l <errors)" -eq $((expected_status == 3 ? 5 : 4)) ] || { cat errors; fail "standard error"; }
for f in no_data bad_line bad_ship read_only; do [ ! -e "$f/KAVREL.OUT" ] || fail "$f has a report"; done

# --output: the test read from a read-only folder, the outputs written elsewhere, the test folder
# untouched; with many folders, each into a folder of its name.
mkdir out many
"${unprivileged[@]}" "$kavrel" --terminal --output out read_only <"$answers" >/dev/null 2>errors ||
  fail "--output from a read-only folder: $(cat errors)"
cmp -s single/bare/KAVREL.OUT out/KAVREL.OUT || fail "--output: the report"
[ "$(ls read_only)" = KAVREL_BAS.DAT ] || fail "--output wrote into the test folder"
"$kavrel" --answers "$answers" -o many t01 "tank 7, run b" >/dev/null 2>errors || fail "-o many"
cmp -s single/ship/KAVREL_SHIP.OUT many/t01/KAVREL_SHIP.OUT || fail "-o: many/t01"
cmp -s single/ship/KAVREL.OUT "many/tank 7, run b/KAVREL.OUT" || fail "-o: many/tank 7, run b"
# An output folder that cannot be written: status 3 before the first question.
if [ -n "$can_lock_out" ]; then
  chmod a-w out
  "${unprivileged[@]}" "$kavrel" --terminal -o out t01 <"$answers" >asked 2>errors
  status=$?
  [ "$status" -eq 3 ] || fail "an unwritable output folder ended with $status"
  [ ! -s asked ] || fail "an unwritable output folder: questions were asked"
  grep -qx "kavrel: cannot write in out: Permission denied; nothing was asked and no report was written" errors ||
    fail "unwritable output folder: $(cat errors)"
fi
exit $((faults > 0))
