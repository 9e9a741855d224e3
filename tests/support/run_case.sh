#!/usr/bin/env bash
# Runs one end-to-end case folder (tests/cases/<name>): its KAVREL_*.DAT files and `answers` in a
# fresh folder, once as they are and once without KAVREL_UNC.DAT, and checks that
#  - both runs end with status 0 and every file of the second is byte-identical in the first;
#  - every expected/*.csv matches the written one: same header and fields, numbers to 1e-7;
#  - every line "FILE|text" of expected/contains is a part of FILE (stdout: what was printed).
# Usage: run_case.sh KAVREL CASE_FOLDER
set -euo pipefail
kavrel=$1
case=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for run in with without; do
  mkdir "$work/$run"
  cp "$case"/KAVREL_*.DAT "$work/$run"
done
rm -f "$work/without/KAVREL_UNC.DAT"
for run in with without; do
  if ! (cd "$work/$run" && "$kavrel" --terminal <"$case/answers" >../$run.stdout 2>../$run.stderr); then
    echo "the run $run KAVREL_UNC.DAT failed:"; cat "$work/$run.stderr"; exit 1
  fi
done
for file in "$work"/without/*; do
  # The report page shows the uncertainty: it is the one file that differs.
  [ "${file##*/}" = KAVREL.html ] && continue
  cmp "$file" "$work/with/${file##*/}" || exit 1
done
for expected in "$case"/expected/*.csv; do
  awk -F, 'NR == FNR { want[FNR] = $0; lines = FNR; next }
    FNR == 1 { if ($0 != want[1]) { print "header: " $0; bad = 1 } next }
    { n = split(want[FNR], w, ","); if (n != NF) { print "fields of line " FNR; bad = 1 }
      for (i = 1; i <= n; i++) {
        if (w[i] == $i) continue
        d = w[i] - $i; if (d < 0) d = -d; m = w[i] < 0 ? -w[i] : w[i]
        if (w[i] == "" || $i == "" || d > 1e-7 * m + 1e-17) { print FILENAME ":" FNR ": " $i " for " w[i]; bad = 1 }
      } }
    END { if (FNR != lines) { print "lines: " FNR " for " lines; bad = 1 } exit bad }' \
    "$expected" "$work/with/${expected##*/}"
done
while IFS='|' read -r file text; do
  [ "$file" = stdout ] && file=../with.stdout
  grep -qF -- "$text" "$work/with/$file" || { echo "$file lacks: $text"; exit 1; }
done <"$case/expected/contains"
echo "case ${case##*/}: passed"
