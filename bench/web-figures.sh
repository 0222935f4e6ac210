#!/bin/sh
# The web page's figures beside the native build's, measured in one go
# inside an X display (scripts/bench runs it under xvfb-run): builds the
# pages (scripts/build-web-tests) and runs bench/web_figures.mjs in
# Debian's headless Chromium. Prints "name: value" lines. HIREN_WEB_OUT
# and HIREN_WEB_PORT as for scripts/test-web.
#
#   bench/web-figures.sh BUILD_DIR    (its bench/hiren_fullspeed is the native side)
set -eu
build=$(cd "$1" && pwd)
cd "$(dirname "$0")/.."
root=$(pwd)
out="${HIREN_WEB_OUT:-$root/build-web}"
scripts/setup browser >&2
. scripts/lib/require.sh
require node nodejs browser
require chromium chromium browser
scripts/build-web-tests >&2
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
node bench/web_figures.mjs --modules "$out/web-test" --site "$out" --test-page game/test-page/ \
    --native "$build/bench/hiren_fullspeed" --chromium "$(command -v chromium)" --port "${HIREN_WEB_PORT:-0}"
