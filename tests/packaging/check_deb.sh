#!/usr/bin/env bash
# Makes the Debian package from the tested build and checks what apt will see: its name, version
# and architecture, which must be the program's own (a cross build's too), dependencies that
# dpkg-shlibdeps found (the toolkit) plus the window's font, the same files as the staged
# install, and no error or warning from lintian, Debian's own check of a package.
#   check_deb.sh CPACK CPACK_CONFIG WORK_DIR STAGE     (HEXAGON_IDENTITY in the environment)
set -uo pipefail
cpack=$1 config=$2 work=$3 stage=$4
. "${HEXAGON_IDENTITY:?the build sets it}"
version=$HEXAGON_VERSION
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$work"
mkdir -p "$work"
if ! "$cpack" --config "$config" -G DEB -B "$work" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  fail "cpack did not make the package"
  exit 1
fi
debs=("$work"/*.deb)
deb=${debs[0]} arch=$(dpkg-deb -f "${debs[0]}" Architecture)
[ "$deb" = "$work/torvelin-hexagon_${version}_$arch.deb" ] || { ls "$work"; fail "no $arch package"; exit 1; }
declare -A machines=([amd64]='Advanced Micro Devices X86-64' [arm64]=AArch64)
machine=$(readelf -h "$stage/usr/bin/torvelin-hexagon" | sed -n 's/^ *Machine: *//p')
[ "$machine" = "${machines[$arch]-}" ] || fail "a package for $arch holds a program for $machine"

[ "$(dpkg-deb -f "$deb" Package)" = torvelin-hexagon ] || fail "Package: $(dpkg-deb -f "$deb" Package)"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "Version: $(dpkg-deb -f "$deb" Version)"
depends=$(dpkg-deb -f "$deb" Depends)
for package in fonts-liberation2 libqt6widgets6 libc6; do
  [[ ", $depends," =~ ,\ ${package}[\ ,] ]] || fail "Depends lacks $package: $depends"
done

packaged=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort)
installed=$(cd "$stage" && find . ! -type d | sed 's|^\./||' | sort)
if [ "$packaged" != "$installed" ]; then
  fail "the package's files are not the installed ones (< installed, > packaged):"
  diff <(echo "$installed") <(echo "$packaged")
fi

tags=$(lintian --fail-on error,warning "$deb" 2>&1) || fail "lintian: $tags"

[ "$failures" -eq 0 ] && echo "ok: $(basename "$deb"), Depends: $depends"
exit $((failures > 0))
