#!/bin/sh
# Fetches Debian's source packages of libogg and libvorbis, with Debian's patches applied, into
# FOLDER/libogg and FOLDER/libvorbis: the web build compiles the same decoder the desktop game
# links. Uses a private apt state inside FOLDER, so the machine's own apt setup is left alone.
# Run by tools/install-packages.sh web once dpkg-dev is there. Does nothing when both are there.
set -eu

folder=${1:?usage: $0 FOLDER}
[ -d "$folder/libogg" ] && [ -d "$folder/libvorbis" ] && exit 0
mkdir -p "$folder/apt/lists/partial" "$folder/apt/cache/archives/partial" "$folder/download"
folder=$(cd "$folder" && pwd)
# The machine's own Debian archives, asked for sources instead of binaries: deb822 files signed
# with Debian's key, and the one-line list.
mkdir -p "$folder/apt/parts"
for list in /etc/apt/sources.list.d/*.sources; do
    [ -f "$list" ] && grep -q debian-archive-keyring "$list" || continue
    sed 's/^Types:.*/Types: deb-src/' "$list" >"$folder/apt/parts/$(basename "$list")"
done
if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$folder/apt/parts/one-line.list"
fi
set -- -o Dir::Etc::SourceList=/nonexistent -o Dir::Etc::SourceParts="$folder/apt/parts" \
    -o Dir::State::Lists="$folder/apt/lists" -o Dir::Cache="$folder/apt/cache" \
    -o APT::Sandbox::User=root
apt-get -qq "$@" update
cd "$folder/download"
apt-get -qq "$@" source libogg libvorbis >/dev/null
for package in libogg libvorbis; do
    rm -rf "${folder:?}/$package"
    mv "$(find . -maxdepth 1 -type d -name "$package-*" | head -n 1)" "$folder/$package"
done
rm -rf "$folder/download" "$folder/apt"
