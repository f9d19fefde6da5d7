#!/bin/sh
# Runs one GUI test program on a private X server (Xvfb, 1366x768) with a window manager
# (openbox), for the tests whose subject is real geometry, focus or window placement, which the
# offscreen platform does not reproduce. Usage: run-under-x.sh <test program> [arguments...]
# Needs the packages xvfb, xauth, openbox and x11-utils (scripts/setup.sh installs them).

work=$(mktemp -d)
xvfb=
wm=
cleanup() {
    [ -n "$wm" ] && kill "$wm" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# -displayfd picks a free display number and writes it once the server accepts clients.
Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
i=0
while [ ! -s "$work/display" ]; do
    i=$((i + 1))
    if [ "$i" -gt 100 ] || ! kill -0 "$xvfb" 2>/dev/null; then
        echo "run-under-x: Xvfb did not start" >&2
        cat "$work/xvfb.log" >&2
        exit 1
    fi
    sleep 0.1
done
DISPLAY=":$(cat "$work/display")"
export DISPLAY

openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!
i=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
    i=$((i + 1))
    if [ "$i" -gt 100 ]; then
        echo "run-under-x: the window manager did not start" >&2
        cat "$work/openbox.log" >&2
        exit 1
    fi
    sleep 0.1
done

QT_QPA_PLATFORM=xcb "$@"
