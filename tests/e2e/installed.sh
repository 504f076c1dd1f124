# Installed into a prefix of its own, the game starts from any folder: its launcher plays in the
# player's data folder, which links to the installed data and keeps the screenshots. The menu
# entry and the metainfo pass the desktop's own checks.
source "$(dirname "$0")/lib.sh"

prefix="$WORK/pre fix"
# Only tinyarcade's component: that writes install_manifest_tinyarcade.txt and leaves the
# install_manifest.txt of a real install, which `uninstall` reads, as it was.
cmake --install "$BINARY_DIR" --prefix "$prefix" --component tinyarcade >"$WORK/install.log" ||
    fail "cmake --install: $(tail -n 3 "$WORK/install.log")"

# --- What the desktop reads -----------------------------------------------------------------------

command -v desktop-file-validate >/dev/null && command -v appstreamcli >/dev/null ||
    fail "desktop-file-validate and appstreamcli are missing: bash tools/install-packages.sh test"
entries=("$prefix"/share/applications/*.desktop)
[ "${#entries[@]}" = 1 ] && [ -f "${entries[0]}" ] || fail "wanted one menu entry: ${entries[*]}"
id=$(basename "${entries[0]}" .desktop)
report=$(desktop-file-validate "${entries[0]}" 2>&1) && [ -z "$report" ] || fail "$report"
# No network here: --no-net leaves the web addresses unchecked.
[ -f "$prefix/share/metainfo/$id.metainfo.xml" ] || fail "no metainfo $id.metainfo.xml"
# Pedantic notes too: they pass with status 0, so the report is read.
report=$(appstreamcli validate-tree --pedantic --no-net "$prefix" 2>&1) &&
    ! grep -q "^ *[EWIP]: " <<<"$report" || fail "$report"
grep -qx "Exec=tinyarcade" "${entries[0]}" && grep -qx "Icon=$id" "${entries[0]}" &&
    [ -x "$prefix/bin/tinyarcade" ] || fail "the menu entry does not start bin/tinyarcade as $id"
for size in 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x$size/apps/$id.png"
    [ "$("$PNG_PROBE" size "$icon" 2>&1)" = "$size $size" ] || fail "no $size x $size icon $icon"
done

# --- Uninstalled, it leaves only what was not its own ---------------------------------------------

other="$WORK/other prefix"
mkdir -p "$other/share/applications"
echo "[Desktop Entry]" >"$other/share/applications/other.desktop"
cmake --install "$BINARY_DIR" --prefix "$other" --component tinyarcade >/dev/null ||
    fail "cmake --install into $other"
cmake -DMANIFEST="$BINARY_DIR/install_manifest_tinyarcade.txt" \
    -P "$SOURCE_DIR/packaging/uninstall.cmake" >"$WORK/uninstall.log" ||
    fail "uninstall: $(cat "$WORK/uninstall.log")"
left=$(cd "$other" && find . -type f -o -type l -o -name tinyarcade)
[ "$left" = "./share/applications/other.desktop" ] || fail "uninstall left: $left"

# --- Moved, and started through a link on PATH ----------------------------------------------------

mv "$prefix" "$WORK/moved"
installed_data=$(cd "$WORK/moved/share/tinyarcade/dat" && pwd -P)
mkdir -p "$WORK/bin" "$WORK/elsewhere"
ln -s "$WORK/moved/bin/tinyarcade" "$WORK/bin/tinyarcade"
export PATH="$WORK/bin:$PATH"
unset XDG_DATA_HOME # the launchers then play in ~/.local/share

# Twice at once on a first run, then with a link of the player's own. Without a display the
# program ends at once: only the launchers' work is looked at.
for try in $(seq 10); do
    export HOME="$WORK/race$try"
    mkdir -p "$HOME"
    DISPLAY= tinyarcade >/dev/null 2>"$WORK/first.err" &
    DISPLAY= tinyarcade >/dev/null 2>"$WORK/second.err" &
    wait
    ! grep -h "cannot link" "$WORK/first.err" "$WORK/second.err" || fail "a launcher failed"
    [ "$(readlink "$HOME/.local/share/tinyarcade/dat")" = "$installed_data" ] &&
        [ ! -e "$installed_data/dat" ] && [ ! -L "$installed_data/dat" ] ||
        fail "two launchers at once: dat is not linked to $installed_data, or written into it"
done
# A relative XDG_DATA_HOME is ignored, with a line.
mkdir -p "$HOME/my dat"
ln -sfn "$HOME/my dat" "$HOME/.local/share/tinyarcade/dat"
XDG_DATA_HOME="my data" DISPLAY= tinyarcade >/dev/null 2>"$WORK/own.err" || true
[ "$(readlink "$HOME/.local/share/tinyarcade/dat")" = "$HOME/my dat" ] ||
    fail "the player's own dat link was re-pointed"
IGNORED="XDG_DATA_HOME (my data) is not an absolute path; ignored, playing in $HOME/.local/share"
grep -q "^tinyarcade: playing with your own " "$WORK/own.err" &&
    grep -qx "tinyarcade: $IGNORED/tinyarcade" "$WORK/own.err" || fail "$(cat "$WORK/own.err")"
# A file name is the caller's, though the game plays in its own folder.
mkdir -p "$WORK/caller"
echo "not a replay" >"$WORK/caller/some.replay"
(cd "$WORK/caller" && tinyarcade --check some.replay) 2>"$WORK/own.err" || true
grep -q "^tinyarcade: the replay $WORK/caller/some.replay: line 1: " "$WORK/own.err" ||
    fail "a relative file name went astray: $(cat "$WORK/own.err")"

# On the screen, from an unrelated folder, with the player's folder (in XDG_DATA_HOME) still
# linking to the old place and holding a file of the player's own.
start_display
SHOT_FOLDER="$WORK/my data/tinyarcade"
mkdir -p "$SHOT_FOLDER"
ln -s "$prefix/share/tinyarcade/dat" "$SHOT_FOLDER/dat"
echo "best score 12" >"$SHOT_FOLDER/notes.txt"
XDG_DATA_HOME="$WORK/my data" start_in "$WORK/elsewhere" tinyarcade
TITLE=$installed_data/tc0.txt wait_for_front_page "-1 -1"
[ "$(readlink "$SHOT_FOLDER/dat")" = "$installed_data" ] || fail "the old dat link was not renewed"
[ -f "$SHOT_FOLDER/dat/samples/birth.ogg" ] || fail "the samples cannot be reached"
[ "$(cat "$SHOT_FOLDER/notes.txt")" = "best score 12" ] || fail "the player's file was changed"
key Escape
expect_exit "Escape"
[ -z "$(ls -A "$WORK/elsewhere")" ] || fail "it wrote into the folder it was started from"

# --- Files named on the command line are the player's, where the game was started -------------

program="$WORK/moved/libexec/tinyarcade/tinyarcade"
mv "$program" "$WORK/program"
printf '#!/bin/sh\nprintf "%%s\\n" "$PWD" "$@"\n' >"$program"
chmod +x "$program"
said=$(cd "$WORK/elsewhere" && tinyarcade --window --record "run 1.txt" --play=sub/run.txt \
    --check /tmp/abs.txt --wav=/tmp/abs.wav --wav out.wav 2>/dev/null)
expected="$HOME/.local/share/tinyarcade
--window
--record
$WORK/elsewhere/run 1.txt
--play=$WORK/elsewhere/sub/run.txt
--check
/tmp/abs.txt
--wav=/tmp/abs.wav
--wav
$WORK/elsewhere/out.wav"
[ "$said" = "$expected" ] || fail "the launcher passed on: $said"
mv "$WORK/program" "$program"

# --- Without its data, the launcher says so on one line -------------------------------------------

mv "$WORK/moved/share/tinyarcade/dat" "$WORK/data-away"
expect_one_line "tinyarcade: cannot find the game's data in " "$WORK/elsewhere" tinyarcade
