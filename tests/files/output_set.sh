#!/usr/bin/env bash
# The outputs of an analysis are one set: stopped (SIGTERM or SIGKILL) or failed at every call
# that makes, flushes, renames or removes a file, a folder holds the whole earlier set or the
# whole new one, never a mix, with the status and words that say which; two runs on one
# folder; an earlier prediction removed by a run without a ship file.
# Usage: output_set.sh KAVREL SHIM EXAMPLES
set -uo pipefail
kavrel=$(readlink -f "$1") shim=$(readlink -f "$2") examples=$3
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0 LSAN_OPTIONS=detect_leaks=0
failures=0
preloaded=$(LD_PRELOAD=$shim "$kavrel" --version 2>&1 >/dev/null)
[ -z "$preloaded" ] || { echo "FAIL: the shim cannot be preloaded: $preloaded"; exit 1; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
old_answers=$'N\n1\n1\n0\n4\nY\nY\n' new_answers=$'N\n1\n1\n0\n3\nY\nY\n'
# The files of a folder as "name checksum" lines, the inputs left out.
state() { (cd "$1" && for f in $(ls -A | grep -v '^KAVREL_BAS.DAT$\|^KAVREL_SHIP.DAT$'); do
  echo "$f $(md5sum < "$f" | cut -c1-8)"; done); }
mkdir "$work/old" "$work/new"
for d in old new; do cp "$examples/KAVREL_BAS.DAT" "$examples/KAVREL_SHIP.DAT" "$work/$d/"; done
"$kavrel" --terminal "$work/old" <<< "$old_answers" > /dev/null || fail "the earlier analysis"
cp -r "$work/old" "$work/new-from-old"
"$kavrel" --terminal "$work/new" <<< "$new_answers" > /dev/null || fail "the new analysis"
old=$(state "$work/old") new=$(state "$work/new")
[ "$old" != "$new" ] || fail "the two analyses should differ"

# run SIGNAL AT: the new analysis over the old set, hit at call AT; prints the status.
run() {
  rm -rf "$work/t" && cp -r "$work/old" "$work/t"
  KAVREL_SHIM_SIGNAL=$1 KAVREL_SHIM_AT=$2 LD_PRELOAD=$shim \
    "$kavrel" --terminal "$work/t" <<< "$new_answers" > /dev/null 2> "$work/err"
}
for signal in 15 9 fail; do
  for ((at = 1; at < 300; at++)); do
    run "$signal" "$at"; status=$?
    now=$(state "$work/t") err=$(cat "$work/err")
    [ "$status" = 0 ] && [ -z "$err" ] && [ "$now" = "$new" ] && break
    # The next kavrel on the folder, ended at its first question, finishes what was cut short.
    "$kavrel" --terminal "$work/t" < /dev/null > /dev/null 2>&1
    next=$(state "$work/t")
    case "$signal:$status" in
      15:1) [ "$now" = "$old" ] && [[ $err == *"no report was written"* ]] ;;
      15:6) [ "$now" = "$new" ] && [[ $err == *"after the report and every other file"* ]] ;;
      9:137) [ "$next" = "$old" ] || [ "$next" = "$new" ] ;;
      fail:3) [[ $err == *": No space left on device"* ]] && { [ "$now" = "$old" ] ||
        [[ $err == *"the next kavrel on this folder finishes"* && $next = "$new" ]] ||
        [[ $err == *"could not be flushed"* && $next = "$new" ]]; } ;;
      fail:0) [ "$next" = "$new" ] ;;  # a leftover or the journal not removed
      *) false ;;
    esac || fail "$signal at $at: status $status, $(grep -c . <<< "$now") files: $err"
  done
  echo "signal $signal: $((at - 1)) calls hit"
done

# A second kavrel on a folder that another is analysing ends before its first question.
mkfifo "$work/answers"
cp -r "$work/old" "$work/busy"
"$kavrel" --terminal "$work/busy" < "$work/answers" > "$work/questions" 2>&1 &
first=$!
exec 3> "$work/answers"
# Its first question asked (the temperature conversion), it holds the folder.
until grep -qs "resistance temperature scaling" "$work/questions"; do sleep 0.1; done
second=$("$kavrel" --terminal "$work/busy" < /dev/null 2>&1); status=$?
[ "$status" = 1 ] && [[ $second == *"another kavrel is analysing the test in"* ]] ||
  fail "the second kavrel: status $status: $second"
printf '%s' "$new_answers" >&3; exec 3>&-
wait $first || fail "the first kavrel after the second"
[ "$(state "$work/busy")" = "$new" ] || fail "the first kavrel's outputs are not whole"

# A run without the ship file removes the earlier prediction's files.
rm "$work/busy/KAVREL_SHIP.DAT"
"$kavrel" --terminal "$work/busy" <<< "$new_answers" > /dev/null || fail "run without a ship file"
ls "$work/busy" | grep -q '^KAVREL_SHIP' && fail "an earlier prediction is left: $(ls "$work/busy")"
[ "$failures" = 0 ] && echo "output set: whole in every case"
exit $((failures > 0))
