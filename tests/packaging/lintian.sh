#!/usr/bin/env bash
# The Debian packages of a build tree pass lintian: no error and no warning. The informational
# tags are printed. Usage: tests/packaging/lintian.sh BUILD_DIR
set -euo pipefail
command -v lintian >/dev/null || { echo "lintian is not installed (make test installs it)"; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$1/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; exit 1; }
debs=("$out"/*.deb)
echo "${debs[@]##*/}"
[ -f "$out/kavrel_"*.deb ]
lintian --display-info --fail-on error,warning --tag-display-limit 0 "${debs[@]}" 2>&1 |
  { grep -v "^running with root privileges" || true; }
