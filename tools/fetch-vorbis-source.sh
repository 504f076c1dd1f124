#!/bin/sh
# Fetches Debian's source packages of libogg and libvorbis, with Debian's patches applied, into
# FOLDER/libogg and FOLDER/libvorbis: the web build compiles the same decoder the desktop game
# links. Uses a private apt state inside FOLDER, so the machine's own apt setup is left alone.
# Needs dpkg-dev (bash tools/install-packages.sh web). Does nothing when both are there.
set -eu

folder=${1:?usage: $0 FOLDER}
[ -d "$folder/libogg" ] && [ -d "$folder/libvorbis" ] && exit 0
mkdir -p "$folder/apt/lists/partial" "$folder/apt/cache/archives/partial" "$folder/download"
folder=$(cd "$folder" && pwd)
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian $codename main" \
    >"$folder/apt/sources.list"
set -- -o Dir::Etc::SourceList="$folder/apt/sources.list" -o Dir::Etc::SourceParts=/nonexistent \
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
