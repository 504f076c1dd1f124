#!/usr/bin/env bash
# The web game's test: builds build-web with emscripten when needed, installs the browser driver
# the lock file pins (npm ci), and runs browser_test.js on build-web/web in headless Chromium.
# Pass --measure to print the first frame's time and the time per frame instead.
#
# Needs PNG_PROBE and TINYARCADE (CTest sets them); SOURCE_DIR defaults to this checkout, WEB_BUILD to build-web.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=${SOURCE_DIR:-$(cd "$here/../.." && pwd)}
web_build=${WEB_BUILD:-$source_dir/build-web}
command -v emcmake >/dev/null && command -v chromium >/dev/null && command -v npm >/dev/null || {
    echo "FAIL: emcmake, chromium and npm are needed (bash tools/install-packages.sh test)" >&2
    exit 1
}

# Each stage says on stderr what it does: the first build and install take minutes.
stage() { echo "web test: $*" >&2; }

# Debian's emscripten runs on whichever node comes first on PATH: show it Debian's modules.
export NODE_PATH=/usr/share/nodejs
# A configure that failed half way left a cache but no Makefile: configure again.
[ -f "$web_build/Makefile" ] || {
    stage "configuring $web_build with emscripten"
    emcmake cmake -S "$source_dir" -B "$web_build"
}
stage "building $web_build (the first build takes minutes)"
cmake --build "$web_build" -j2

# The browser driver at the version package-lock.json pins, installed again only when it changes.
if ! cmp -s "$here/package-lock.json" "$here/node_modules/.installed-lock.json"; then
    stage "installing the browser driver (npm ci)"
    (cd "$here" && npm ci --no-audit --no-fund --loglevel=error)
    cp "$here/package-lock.json" "$here/node_modules/.installed-lock.json"
fi
stage "playing the page in headless Chromium"
exec node "$here/browser_test.js" "$web_build/web" "$PNG_PROBE" "$source_dir/dat/tc0.txt" "$@"
