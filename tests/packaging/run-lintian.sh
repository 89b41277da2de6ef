#!/usr/bin/env bash
# Makes the Debian package of a build folder with CPack, as `make package` does, twice: the two must be the
# same, byte for byte. Given a second build folder of the same sources, built elsewhere and at another time
# (CI builds a fresh clone), its package must be the same too. Then runs lintian on it: any error fails;
# warnings and the package's fields are printed for the record.
#
#   bash tests/packaging/run-lintian.sh build/dev [OTHER-BUILD-FOLDER]
set -euo pipefail

usage="usage: run-lintian.sh BUILD-FOLDER [OTHER-BUILD-FOLDER]"
build=$(cd "${1:?$usage}" && pwd)
other=$(cd "${2:-$build}" && pwd)
for tool in cpack lintian dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing: run scripts/install-deps --test" >&2; exit 1; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/vorni-package.XXXXXX")
trap 'rm -rf "$work"' EXIT

pack() {
    (umask 022 && cpack -G DEB --config "$1/CPackConfig.cmake" -B "$2") >"$work/cpack.log" 2>&1 ||
        { cat "$work/cpack.log" >&2; echo "FAIL: cpack could not make the package of $1" >&2; exit 1; }
}
# The same as the first package, byte for byte; else which files differ.
same() {
    local deb=$1 made=$2/$(basename "$1")
    cmp "$deb" "$made" && return
    echo "FAIL: $3" >&2
    dpkg-deb -R "$deb" "$work/first" && dpkg-deb -R "$made" "$work/then" &&
        diff -rq "$work/first" "$work/then" >&2 || true
    exit 1
}
pack "$build" "$work"
deb=$(ls "$work"/vorni-game_*.deb)
sleep 1.1
pack "$build" "$work/again"
same "$deb" "$work/again" "two packages of the same build differ"
if [[ $other != "$build" ]]; then
    pack "$other" "$work/other"
    same "$deb" "$work/other" "the package of $other differs from that of $build"
    echo "the packages of $build and $other are the same"
fi
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
dpkg-deb --field "$deb" Package Version Architecture Section Depends Recommends

status=0
lintian --fail-on error --tag-display-limit 0 --info "$deb" 2>&1 | grep -v '^running with root privileges' \
    | tee "$work/lintian.log" || status=${PIPESTATUS[0]}
echo "lintian: $(grep -c '^E:' "$work/lintian.log" || true) errors, $(grep -c '^W:' "$work/lintian.log" || true) warnings"
exit "$status"
