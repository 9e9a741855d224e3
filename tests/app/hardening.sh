#!/usr/bin/env bash
# Inputs and modules that must be refused or read safely: a socket as data file, a byte-order
# mark and -0 in the ship file, ship particulars that would overflow the prediction (refused
# before the first question), and desktop modules that must not be loaded (a named pipe, one
# anyone may change, a library that is not kavrel's).
# Usage: hardening.sh KAVREL EXAMPLES
set -uo pipefail
kavrel=$(readlink -f "$1") examples=$(readlink -f "$2")
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# expect STATUS TEXT COMMAND...: the command ends with STATUS and says TEXT on standard error.
expect() {
  local status=$1 text=$2; shift 2
  err=$(timeout 60 "$@" 2>&1 >/dev/null < /dev/null); got=$?
  [ "$got" = "$status" ] && [[ $err == *"$text"* ]] || fail "$*: status $got: $err"
}
test=$work/test && mkdir "$test" && cp "$examples/KAVREL_BAS.DAT" "$test/"
ship() { printf "$1" > "$test/KAVREL_SHIP.DAT"; }

# A byte-order mark before the first name; -0 is 0.
ship '\xef\xbb\xbfscale = 25\ncorrelation_allowance = -0\n'
"$kavrel" --terminal "$test" < "$examples/KAVREL_ANSWERS.txt" > /dev/null || fail "a BOM in the ship file"
grep -q $'CA given as 0\r$' "$test/KAVREL_SHIP.OUT" || fail "-0 printed as such"
# Particulars beyond what a ship can have end before the first question.
for line in 'scale = 1e10' 'scale = 25\nwetted_surface = 1e-300' 'scale = 25\ntransverse_area = 1e308' \
            'scale = 25\nbilge_keel_area = 1e308'; do
  ship "$line\n"
  expect 1 "KAVREL_SHIP.DAT:" "$kavrel" --terminal "$test"
  [[ $err == *"answer (default"* || $err == *"end of input"* ]] && fail "$line: asked first"
done
rm "$test/KAVREL_SHIP.DAT"
# A socket in place of the data file is named as one.
mkdir "$work/socket"
python3 -c 'import socket,sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' "$work/socket/KAVREL_BAS.DAT"
expect 1 "KAVREL_BAS.DAT: cannot read the data file: it is a socket" "$kavrel" --terminal "$work/socket"

# Desktop modules beside a copy of the program: none is loaded, none hangs the start.
bin=$work/bin && mkdir "$bin" && cp "$kavrel" "$bin/kavrel"
module=$(dirname "$kavrel")/kavrel-desktop.so
mkfifo "$bin/kavrel-desktop.so"
expect 2 "is not loaded: it is not a regular file" env DISPLAY=:97 "$bin/kavrel" --desktop "$test"
rm "$bin/kavrel-desktop.so"
if [ -f "$module" ]; then
  cp "$module" "$bin/kavrel-desktop.so" && chmod o+w "$bin/kavrel-desktop.so"
  expect 2 "is not loaded: anyone may change it" env DISPLAY=:97 "$bin/kavrel" --desktop "$test"
fi
rm -f "$bin/kavrel-desktop.so"
cp "$(find /lib /usr/lib -name 'libm.so.6' | head -1)" "$bin/kavrel-desktop.so"
expect 2 "the library kavrel-desktop.so is not kavrel's desktop front end" \
  env DISPLAY=:97 "$bin/kavrel" --desktop "$test"
[ "$failures" = 0 ] && echo "hardening: every case refused or read as it should be"
exit $((failures > 0))
