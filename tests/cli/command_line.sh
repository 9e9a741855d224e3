#!/usr/bin/env bash
# The command line as GNU tools read it: a wrong argument is one line and a pointer to --help,
# status 2; "--" ends the options; --help and --version that cannot be written fail and say so.
# Usage: tests/cli/command_line.sh KAVREL_EXECUTABLE SOURCE_DIR
set -uo pipefail
kavrel=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
faults=0
# expect STATUS STDERR COMMAND...: the command ends with STATUS and prints STDERR on standard error.
expect() {
  local status=$1 err=$2
  shift 2
  "$@" >/dev/null 2>err </dev/null
  local got=$?
  if [ "$got" -ne "$status" ] || [ "$(cat err)" != "$err" ]; then
    echo "$*: status $got, standard error:"; cat err; faults=$((faults + 1))
  fi
}
try="Try 'kavrel --help'."
expect 2 "kavrel: unknown option '--x'"$'\n'"$try" "$kavrel" --x .
expect 2 "kavrel: unknown option '-t'"$'\n'"$try" "$kavrel" -t
expect 2 "kavrel: option '--terminal' takes no value"$'\n'"$try" "$kavrel" --terminal=yes
expect 2 "kavrel: a second folder 'b' after 'a': many folders need --answers FILE"$'\n'"$try" "$kavrel" a b
expect 2 "kavrel: --summary needs --answers FILE and the folders"$'\n'"$try" "$kavrel" --summary s.csv a
expect 2 "kavrel: --answers needs the folders to analyse"$'\n'"$try" "$kavrel" --answers x
expect 2 "kavrel: option '--output' needs a value"$'\n'"$try" "$kavrel" a --output
expect 2 "kavrel: --output: the folder 'nowhere' does not exist" "$kavrel" -o nowhere .
expect 2 "kavrel: --terminal and --desktop exclude each other"$'\n'"$try" "$kavrel" --desktop --terminal
expect 5 "kavrel: cannot write to standard output: No space left on device" sh -c "'$kavrel' --help >/dev/full"
expect 5 "kavrel: cannot write to standard output: No space left on device" sh -c "'$kavrel' --version >/dev/full"
# After --, a folder named like an option is analysed.
mkdir -- -t && cp "$2/examples/KAVREL_BAS.DAT" -- -t/
"$kavrel" --terminal -- -t <"$2/examples/KAVREL_ANSWERS.txt" >/dev/null 2>err || { cat err; faults=$((faults + 1)); }
[ -f -t/KAVREL.OUT ] || { echo "no report in the folder -t"; faults=$((faults + 1)); }
exit $((faults > 0))
