#!/usr/bin/env bash
# Installs and uses the Debian packages where schools run them: in fresh, minimal Debian 12
# (bookworm) and Debian 13 (trixie) systems, made from Debian's archive with mmdebstrap, each
# package in the systems of its own architecture (arm64 under qemu's user emulation, as
# Raspberry Pi OS is Debian for arm64). In each, scripts/lib/use-installed-package installs it
# with apt-get, starts the program from its menu entry on a private X display, types 5, clicks
# "Въведи", checks the report, closes the window, purges the package and checks that nothing of
# it is left. Every system is tried; at the end each failed one is named with the reason, and the
# exit status is 1 if any failed.
# The packages the systems download are kept in build/linux-systems/, one folder per system, so
# that the next run takes them from there; a clean clone fills it again.
#   scripts/check-linux-install [DEB ...]    the packages scripts/package makes unless told
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/common.sh

install_missing_packages "${HEXAGON_LINUX_INSTALL_PACKAGES[@]}"
if [ $# -gt 0 ]; then
  mapfile -t debs < <(realpath "$@")
else
  mapfile -t debs < <(scripts/package | grep -x '/.*\.deb')
fi
[ ${#debs[@]} -gt 0 ] || { echo "check-linux-install: no package to check" >&2; exit 2; }

suites=(bookworm trixie)
declare -A names=([bookworm]='Debian 12' [trixie]='Debian 13')
cache=$PWD/build/linux-systems
use=$PWD/scripts/lib/use-installed-package
work=$(mktemp -d "${TMPDIR:-/tmp}/torvelin-linux-install.XXXXXX")
xvfb=''
trap '[ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT

# One private X display for every system: its programs reach it through the X server's abstract
# socket, which needs no folder shared with the system.
Xvfb -displayfd 3 -screen 0 1024x768x24 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { cat "$work/xvfb.log"; echo "check-linux-install: Xvfb did not start" >&2; exit 1; }
DISPLAY=:$(cat "$work/display")
export DISPLAY

# check SUITE DEB: makes the system of SUITE for the package's architecture, with the downloads
# kept from the last run, uses the package in it and keeps what it downloaded; its output goes to
# a log, of which the failure is told.
failed=()
check() {
  local suite=$1 deb=$2 arch name log start=$SECONDS
  arch=$(dpkg-deb -f "$deb" Architecture)
  name="${names[$suite]} ($suite) $arch"
  log=$work/$suite-$arch.log
  mkdir -p "$cache/$suite-$arch"
  [ "$arch" = "$(dpkg --print-architecture)" ] || enable_emulation "$arch"
  echo "$name: ${deb##*/}..."
  if mmdebstrap --mode=root --variant=apt --architectures="$arch" --skip=essential/unlink \
    --setup-hook='mkdir -p "$1"/var/cache/apt/archives/' \
    --setup-hook="sync-in '$cache/$suite-$arch' /var/cache/apt/archives/" \
    --customize-hook="'$use' \"\$1\" '$deb'" \
    --customize-hook="sync-out /var/cache/apt/archives '$cache/$suite-$arch'" \
    "$suite" /dev/null \
    "deb http://deb.debian.org/debian $suite main" \
    "deb http://deb.debian.org/debian $suite-updates main" \
    "deb http://deb.debian.org/debian-security $suite-security main" >"$log" 2>&1; then
    grep '^ok: ' "$log" | sed 's/^/  /'
    echo "  passed in $((SECONDS - start)) s"
  else
    tail -n 30 "$log" | sed 's/^/  | /'
    failed+=("$name: $(grep -m1 '^FAIL' "$log" || tail -n 1 "$log")")
    echo "  FAILED after $((SECONDS - start)) s"
  fi
}

for deb in "${debs[@]}"; do
  for suite in "${suites[@]}"; do
    check "$suite" "$deb"
  done
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "check-linux-install: ${#failed[@]} of $((${#debs[@]} * ${#suites[@]})) systems failed:" >&2
  printf '  %s\n' "${failed[@]}" >&2
  exit 1
fi
echo "check-linux-install: every package installed, worked and went again in ${suites[*]}"
