#!/usr/bin/env bash
# Installs and uses the Debian packages where schools run them: in fresh, minimal Debian 12
# (bookworm) and Debian 13 (trixie) systems, made from Debian's archive with mmdebstrap, each
# package in the systems of its own architecture (arm64 under qemu's user emulation). In each,
# use_installed_package.sh runs the sh blocks of the administrators' guide (docs/deploying.md),
# which install the package with apt and remove it, and in between starts the program from its
# menu entry on a private X display (xvfb-run) and works it by keyboard; then it checks that
# nothing of the package is left. Every system is tried; at the end each failed one is named
# with the reason, and the exit status is 1 if any failed.
# The packages the systems download are kept in build/linux-systems/, one folder per system, so
# that the next run takes them from there; a clean clone fills it again.
#   tests/install/linux/check_linux_install.sh DEB...
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: check_linux_install.sh DEB..." >&2; exit 2; }
mapfile -t debs < <(realpath "$@")
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/../../.."
. scripts/lib/common.sh
install_missing_packages "${HEXAGON_LINUX_INSTALL_PACKAGES[@]}"

suites=(bookworm trixie)
declare -A names=([bookworm]='Debian 12' [trixie]='Debian 13')
cache=$PWD/build/linux-systems
use=$here/use_installed_package.sh guide=$PWD/docs/deploying.md
work=$(mktemp -d "${TMPDIR:-/tmp}/torvelin-linux-install.XXXXXX")
trap 'rm -rf "$work"' EXIT

# check SUITE DEB: makes the system of SUITE for the package's architecture, with the downloads
# kept from the last run, uses the package in it on a display of its own and keeps what it
# downloaded; its output goes to a log, of which the failure is told.
failed=()
check() {
  local suite=$1 deb=$2 arch name log start=$SECONDS
  arch=$(dpkg-deb -f "$deb" Architecture)
  name="${names[$suite]} ($suite) $arch"
  log=$work/$suite-$arch.log
  mkdir -p "$cache/$suite-$arch"
  [ "$arch" = "$(dpkg --print-architecture)" ] || enable_emulation "$arch"
  echo "$name: ${deb##*/}..."
  if xvfb-run --auto-servernum --server-args='-screen 0 1024x768x24' \
    mmdebstrap --mode=root --variant=apt --architectures="$arch" --skip=essential/unlink \
    --include=sudo \
    --setup-hook='mkdir -p "$1"/var/cache/apt/archives/' \
    --setup-hook="sync-in '$cache/$suite-$arch' /var/cache/apt/archives/" \
    --customize-hook="'$use' \"\$1\" '$deb' '$guide'" \
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
  echo "check_linux_install: ${#failed[@]} of $((${#debs[@]} * ${#suites[@]})) systems failed:" >&2
  printf '  %s\n' "${failed[@]}" >&2
  exit 1
fi
echo "check_linux_install: every package installed, worked and went again in ${suites[*]}"
