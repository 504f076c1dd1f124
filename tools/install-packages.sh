#!/bin/sh
# Installs the Debian packages that tinyarcade needs: "play" to build and run it, "test" to
# build and run every test as well. Safe to run again; asks nothing.
set -eu

PLAY="cmake g++ make pkg-config libsdl1.2-compat-dev libgl-dev libgl1-mesa-dri libstb-dev libvorbis-dev"
TEST="$PLAY googletest libgtest-dev xvfb xdotool libx11-dev appstream desktop-file-utils clang libclang-rt-14-dev"

case "${1:-}" in
play) packages=$PLAY ;;
test) packages=$TEST ;;
*)
    echo "usage: $0 play|test" >&2
    exit 2
    ;;
esac

missing=
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing="$missing $package"
done
[ -z "$missing" ] && exit 0

as_root=
[ "$(id -u)" = 0 ] || as_root=sudo
export DEBIAN_FRONTEND=noninteractive
$as_root apt-get update -qq
# shellcheck disable=SC2086
$as_root apt-get install -y -qq --no-install-recommends $missing
