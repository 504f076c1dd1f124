# The Debian package made by `cpack -G DEB` from this build: lintian finds nothing to warn of,
# dpkg-shlibdeps named the libraries, the manual page renders cleanly, and the game unpacked
# from it into a root of its own starts, on the screen, from an unrelated folder.
source "$(dirname "$0")/lib.sh"

for tool in cpack dpkg-deb dpkg-shlibdeps fakeroot lintian man; do
    command -v "$tool" >/dev/null || fail "$tool is missing: bash tools/install-packages.sh test"
done
# Into a folder of the test's own, so the build folder keeps no package and no staging tree.
(cd "$BINARY_DIR" && cpack -G DEB -B "$WORK/deb") >"$WORK/cpack.log" 2>&1 ||
    fail "cpack: $(tail -n 5 "$WORK/cpack.log")"
packages=("$WORK"/deb/tinyarcade_*.deb)
[ "${#packages[@]}" = 1 ] && [ -f "${packages[0]}" ] || fail "wanted one package: ${packages[*]}"
deb=${packages[0]}

# Errors and warnings alike; what is only for information may stay.
report=$(lintian "$deb" 2>/dev/null | grep -v "^[IPXO]: " || true)
[ -z "$report" ] || fail "lintian: $report"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libsdl1.2 libvorbisfile3 libgl1 libc6; do
    [[ $depends == *"$library"* ]] || fail "the package does not depend on $library: $depends"
done

root="$WORK/root"
dpkg-deb -x "$deb" "$root"
page="$root/usr/share/man/man6/tinyarcade.6.gz"
[ -f "$page" ] || fail "no manual page in the package"
report=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 "$page" 2>&1 \
    >"$WORK/page.txt") && [ -z "$report" ] || fail "the manual page: $report"
# Bold comes out as overstrike: each letter, a backspace, the letter again.
sed 's/.\x08//g' "$WORK/page.txt" | grep -q "^EXIT STATUS" ||
    fail "the manual page renders without its sections"
report=$(appstreamcli validate-tree --pedantic --no-net "$root/usr" 2>&1) &&
    ! grep -q "^ *[EWIP]: " <<<"$report" || fail "$report"
[ -f "$root/usr/share/doc/tinyarcade/copyright" ] || fail "no copyright file"
version=$(XDG_DATA_HOME="$WORK/data" "$root/usr/games/tinyarcade" --version 2>&1)
[ "$version" = "tinyarcade 1.0.0" ] || fail "--version says: $version"

start_display
folder="$WORK/data/tinyarcade"
mkdir -p "$WORK/elsewhere"
XDG_DATA_HOME="$WORK/data" start_in "$WORK/elsewhere" "$root/usr/games/tinyarcade"
SHOT_FOLDER=$folder TITLE=$root/usr/share/tinyarcade/dat/tc0.txt wait_for_front_page "-1 -1"
[ "$(readlink "$folder/dat")" = "$(cd "$root/usr/share/tinyarcade/dat" && pwd -P)" ] ||
    fail "the player's folder does not link to the unpacked data"
key Escape
expect_exit "Escape"
