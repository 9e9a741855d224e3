#!/bin/bash
# The real program on an X display: Ctrl+Q at the first question, then Stop, ends with status 1
# and the stop message, writes nothing, and leaves the earlier report as it was.
# Usage: stop_by_ctrl_q.sh KAVREL_EXECUTABLE DATA_FILE
set -u
kavrel=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$2" "$work/KAVREL_BAS.DAT"
printf 'the earlier report\n' > "$work/KAVREL.OUT"
(cd "$work" && exec "$kavrel" --desktop > out 2> err) &
program=$!
# Waits for a visible window with this title, then sends it the keys.
press() {
  local id
  id=$(timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | tail -1) || return 1
  sleep 0.2
  # The window may be gone before the key is released (Stop ends the program): xdotool's
  # complaint about that is no failure.
  xdotool key --window "$id" "$2" 2>/dev/null || true
}
press "resistance temperature scaling" ctrl+q || { echo "no question box"; kill $program; exit 1; }
press kavrel Return || { echo "no stop question"; kill $program; exit 1; }
wait $program
status=$?
fail=0
[ $status -eq 1 ] || { echo "exit status $status, expected 1"; fail=1; }
grep -qx "kavrel: stopped by the user; no report was written" "$work/err" ||
  { echo "standard error:"; cat "$work/err"; fail=1; }
[ "$(cat "$work/KAVREL.OUT")" = "the earlier report" ] || { echo "the earlier report changed"; fail=1; }
ls "$work" | grep -qv -e '^KAVREL_BAS.DAT$' -e '^KAVREL.OUT$' -e '^out$' -e '^err$' &&
  { echo "files written:"; ls "$work"; fail=1; }
exit $fail
