#!/usr/bin/env bash
# Takes docs/main-window.png (after a run on examples/sample.mdb), docs/help-window.png and
# docs/about-window.png from an installed Veltrane, under Xvfb with the openbox window manager (for the
# title bars), driving the window with xdotool.
#   tools/screenshot/take-screenshots.sh PREFIX     e.g. the prefix of `cmake --install build --prefix PREFIX`
# Needs: xvfb (xvfb-run), openbox, xdotool, imagemagick (import).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
prefix=$(cd "${1:?usage: take-screenshots.sh PREFIX}" && pwd)

if [ "${VELTRANE_IN_XVFB:-}" != 1 ]; then
    for tool in xvfb-run openbox xdotool import; do
        command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 69; }
    done
    exec env VELTRANE_IN_XVFB=1 xvfb-run -a -s "-screen 0 1280x900x24" "$0" "$prefix"
fi

# A fresh home, so the program starts with its first-run settings and leaves the user's alone.
home=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config

openbox >/dev/null 2>&1 &
sleep 1
# The sample where a user keeps databases; the program starts with it in the "Access DB" box.
mkdir -p "$home/Documents"
cp "$root/examples/sample.mdb" "$home/Documents/sample.mdb"
"$prefix/bin/veltrane" "$home/Documents/sample.mdb" >/dev/null 2>&1 &

wait_for() { # wait_for "window title": prints the id of the visible window with exactly that title
    for _ in $(seq 40); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1) && [ -n "$id" ] && {
            echo "$id"
            return
        }
        sleep 0.25
    done
    echo "no window \"$1\"" >&2
    exit 1
}
# The main window's menu bar: "Help" is the second title; its items are "Help With Veltrane" and "About".
help_menu() { xdotool mousemove --window "$1" 55 8 click 1; sleep 0.7; }

main=$(wait_for Veltrane)
sleep 1
# "Gen SQL" has the focus at start: Space presses it.
xdotool windowactivate --sync "$main" key space
sleep 2
import -frame -window "$main" "$root/docs/main-window.png"

help_menu "$main"
xdotool mousemove --window "$main" 90 30 click 1
help=$(wait_for "Veltrane Help")
sleep 1
import -frame -window "$help" "$root/docs/help-window.png"
xdotool mousemove --window "$help" 20 8 click 1 # the Help window's "Exit"
sleep 1

help_menu "$main"
xdotool mousemove --window "$main" 90 52 click 1
about=$(wait_for "About Veltrane")
sleep 1
import -frame -window "$about" "$root/docs/about-window.png"
echo "wrote docs/main-window.png, docs/help-window.png and docs/about-window.png"
