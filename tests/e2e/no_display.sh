# Without a display the program says why on one line and exits with status 1. When the X server
# goes away under a running game, it ends with status 1 (Xlib's verdict), not with an abort
# while its sample loader is still busy.
source "$(dirname "$0")/lib.sh"
make_folder
# XDG_RUNTIME_DIR keeps the Wayland library from adding its own complaint.
mkdir -m 700 "$WORK/runtime"
expect_one_line "tinyarcade: cannot open the window: ." "$WORK/play" env -u DISPLAY \
    -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_RUNTIME_DIR="$WORK/runtime" "$TINYARCADE"

start_display
start_game
key space
kill "$XVFB_PID"
expect_exit "losing the display" "" 1
