#!/bin/sh
# Installs the Debian packages that tinyarcade needs: "play" to build and run it, "package" to
# make a Debian package of it too, "web" to build it for a browser and serve it, "test" to build
# and run every test, the browser's included. "web" and "test" also fetch Debian's libogg and
# libvorbis sources into web/vorbis-source, which the browser's build compiles.
# Safe to run again; asks nothing.
set -eu

PLAY="cmake g++ make pkg-config libsdl1.2-compat-dev libgl-dev libgl1-mesa-dri libstb-dev libvorbis-dev"
# emscripten brings Node.js; dpkg-dev unpacks Debian's libvorbis source for the browser's build;
# chromium and npm (below) run the browser tests.
WEB="cmake make python3 emscripten dpkg-dev libstb-dev"
# cpack's .deb needs dpkg-dev's dpkg-shlibdeps, fakeroot and file; lintian checks it, man-db the
# manual page.
PACKAGE="dpkg-dev fakeroot file lintian man-db"
TEST="$PLAY googletest libgtest-dev xvfb xdotool x11-xkb-utils pulseaudio pulseaudio-utils libx11-dev appstream desktop-file-utils clang libclang-rt-14-dev $WEB $PACKAGE chromium"

case "${1:-}" in
play) packages=$PLAY ;;
package) packages="$PLAY $PACKAGE" ;;
web) packages=$WEB ;;
test) packages=$TEST ;;
*)
    echo "usage: $0 play|package|web|test" >&2
    exit 2
    ;;
esac

missing=
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing="$missing $package"
done
# The browser tests' npm: Debian's package, unless the Node.js installed brings its own.
case "$packages" in *chromium*) command -v npm >/dev/null 2>&1 || missing="$missing npm" ;; esac

if [ -n "$missing" ]; then
    as_root=
    [ "$(id -u)" = 0 ] || as_root=sudo
    export DEBIAN_FRONTEND=noninteractive
    $as_root apt-get update -qq
    # shellcheck disable=SC2086
    $as_root apt-get install -y -qq --no-install-recommends $missing
fi
case "$packages" in
*emscripten*) sh "$(dirname "$0")/fetch-vorbis-source.sh" "$(dirname "$0")/../web/vorbis-source" ;;
esac
