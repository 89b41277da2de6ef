#!/usr/bin/env bash
# Makes the Debian package of a build folder with CPack, as `make package` does, twice: the two must be the
# same, byte for byte. Then runs lintian on it: any error fails; warnings and the package's fields are
# printed for the record.
#
#   bash tests/packaging/run-lintian.sh build/dev
set -euo pipefail

build=$(cd "${1:?usage: run-lintian.sh BUILD-FOLDER}" && pwd)
for tool in cpack lintian dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing: run scripts/install-deps --test" >&2; exit 1; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/vorni-package.XXXXXX")
trap 'rm -rf "$work"' EXIT

for again in "" again; do
    [[ -z $again ]] || sleep 1.1
    (umask 022 && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/$again") >"$work/cpack.log" 2>&1 ||
        { cat "$work/cpack.log" >&2; echo "FAIL: cpack could not make the package" >&2; exit 1; }
done
deb=$(ls "$work"/vorni-game_*.deb)
cmp "$deb" "$work/again/$(basename "$deb")" || { echo "FAIL: two packages of the same build differ" >&2; exit 1; }
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
dpkg-deb --field "$deb" Package Version Architecture Section Depends Recommends

status=0
lintian --fail-on error --tag-display-limit 0 --info "$deb" 2>&1 | grep -v '^running with root privileges' \
    | tee "$work/lintian.log" || status=${PIPESTATUS[0]}
echo "lintian: $(grep -c '^E:' "$work/lintian.log" || true) errors, $(grep -c '^W:' "$work/lintian.log" || true) warnings"
exit "$status"
