#!/usr/bin/env bash
# Makes the Debian package with cpack into a scratch folder and has lintian
# check it: no error and no warning. Exits 77 (skipped) where lintian or
# dpkg-shlibdeps is not installed.
#   check_deb.sh BUILD-DIR CPACK
set -euo pipefail
build=$1 cpack=$2
for tool in lintian dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; exit 1; }
debs=("$out"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "cpack made no single .deb"; cat "$out/cpack.log"; exit 1; }
# Info and pedantic tags are shown but pass.
lintian --fail-on error,warning --info --display-info "${debs[0]}"
echo "lintian: no error and no warning on $(basename "${debs[0]}")"
