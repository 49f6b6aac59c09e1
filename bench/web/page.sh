#!/usr/bin/env bash
# Figures of the page for browsers, printed, never asserted (bench/web/page_bench.mjs says which):
# its size, its first paint and readiness from file:// against the same page with its scripts
# taken out, a click, and its memory after 10,000 clicks; all in Debian's headless Chromium.
#   bench/web/page.sh [rounds]    (default: 60 rounds of both pages for the first paint)
set -euo pipefail
cd "$(dirname "$0")/../.."
. scripts/lib/common.sh
. bench/measure.sh

install_missing_packages "${HEXAGON_WEB_PACKAGES[@]}" cmake ninja-build
install_node_packages
cmake --preset web >/dev/null
cmake --build --preset web --target web_packages

wait_until_idle
node bench/web/page_bench.mjs build/web/package/torvelin-hexagon-*.html "${1:-60}"
