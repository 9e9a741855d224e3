#!/bin/bash
# The real program on an X display, keys sent by xdotool as a keyboard would:
# 1. Ctrl+Q at the first question, then Stop: status 1, the stop message, nothing written, the
#    earlier report as it was.
# 2. Installed with DESTDIR: the program links no FLTK or X library, loads its desktop module
#    from lib/kavrel/, and with the default answers writes the report worked out for the test;
#    at the closing box, O opens the report page with the xdg-open found on PATH (here one that
#    notes its arguments), and Ctrl+Q closes the box: status 0.
# Usage: desktop_program.sh BUILD_DIR SOURCE_DIR
set -u
build=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0

# Waits for a visible window with this title, then sends it the keys: they reach the program
# after the window's mapping, so the box is up when it handles them.
press() {
  local id
  id=$(timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | tail -1) || return 1
  # The window may be gone before the key is released (the box closes, or Stop ends the
  # program): xdotool's complaint about that is no failure.
  xdotool key --window "$id" "$2" 2>/dev/null || true
}

# 1. Stopped with Ctrl+Q.
mkdir "$work/stop"
cp "$source/examples/KAVREL_BAS.DAT" "$work/stop/"
printf 'the earlier report\n' > "$work/stop/KAVREL.OUT"
(cd "$work/stop" && exec "$build/app/kavrel" --desktop > ../stop.out 2> ../stop.err) &
program=$!
if press "resistance temperature scaling" ctrl+q && press kavrel Return; then
  wait $program
  status=$?
  [ $status -eq 1 ] || { echo "stop: exit status $status, expected 1"; fail=1; }
  grep -qx "kavrel: stopped by the user; no report was written" "$work/stop.err" ||
    { echo "stop: standard error:"; cat "$work/stop.err"; fail=1; }
  [ "$(cat "$work/stop/KAVREL.OUT")" = "the earlier report" ] ||
    { echo "stop: the earlier report changed"; fail=1; }
  [ "$(ls "$work/stop" | tr '\n' ' ')" = "KAVREL.OUT KAVREL_BAS.DAT " ] ||
    { echo "stop: files written:"; ls "$work/stop"; fail=1; }
else
  echo "stop: a box did not appear"; kill $program; fail=1
fi

# 2. From a staged install.
DESTDIR="$work/stage" cmake --install "$build" --prefix /usr/local > /dev/null || exit 1
kavrel="$work/stage/usr/local/bin/kavrel"
[ -f "$work/stage/usr/local/lib/kavrel/kavrel-desktop.so" ] || { echo "no module installed"; fail=1; }
if ldd "$kavrel" | grep -Ei 'fltk|libX|fontconfig|freetype'; then
  echo "the installed kavrel links desktop libraries"; fail=1
fi
mkdir "$work/test"
cp "$source/tests/support/small_KAVREL_BAS.DAT" "$work/test/KAVREL_BAS.DAT"
mkdir "$work/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" > "%s/opened"\n' "$work" > "$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
PATH="$work/bin:$PATH" "$kavrel" --desktop "$work/test" > "$work/desktop.out" 2> "$work/desktop.err" &
program=$!
for title in "resistance temperature scaling" "smoothing type entry" " NS value entry" \
             " ND value entry" " 1 < Order < 19" kavrel:o kavrel:ctrl+q; do
  press "${title%:*}" "$([ "${title#*:}" = "$title" ] && echo Return || echo "${title#*:}")" ||
    { echo "install: no box \"$title\""; kill $program; fail=1; break; }
done
wait $program
status=$?
[ $status -eq 0 ] || { echo "install: exit status $status"; cat "$work/desktop.err"; fail=1; }
cmp "$work/test/KAVREL.OUT" "$source/tests/cases/small_defaults/expected/KAVREL.OUT" ||
  { echo "install: the desktop's report differs"; fail=1; }
[ "$(cat "$work/opened" 2>&1)" = "$work/test/KAVREL.html" ] ||
  { echo "install: the opener was given:"; cat "$work/opened"; fail=1; }
exit $fail
