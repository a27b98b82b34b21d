#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# on_xvfb.sh [--bare] [--screen WxH] [--margins TOP,BOTTOM,LEFT,RIGHT] PROGRAM [ARGS...]
# Runs PROGRAM on X11 on a screen of its own (Xvfb, 1024 x 768 by default) under openbox,
# or no window manager with --bare (TARNO_TEST_WM says which). --margins keeps panels'
# room out of the work area (TARNO_TEST_MARGINS). Exits 77 (skipped) without the tools.
set -u
export TARNO_TEST_WM=openbox
screen=1024x768
margins=
while [ $# -gt 0 ]; do
    case "$1" in
    --bare) TARNO_TEST_WM=none ;;
    --screen) screen=$2; shift ;;
    --margins) margins=$2; shift ;;
    *) break ;;
    esac
    shift
done
tools=(Xvfb)
[ "$TARNO_TEST_WM" = openbox ] && tools+=(openbox)
for tool in "${tools[@]}"; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIPPED: $tool is not installed (scripts/deps.sh installs xvfb and openbox)"
        exit 77
    fi
done

work=$(mktemp -d)
xvfb=
wm=
cleanup() {
    [ -n "$wm" ] && kill "$wm" 2>/dev/null && wait "$wm" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
display=$(head -n1 "$work/display" 2>/dev/null)
for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$display" ] || ! kill -0 "$xvfb" 2>/dev/null; then
    echo "Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$display"
if [ "$TARNO_TEST_WM" = openbox ]; then
    if [ -n "$margins" ]; then
        IFS=, read -r top bottom left right <<<"$margins"
        mkdir -p "$work/openbox"
        sed -e "/<margins>/,/<\/margins>/{s|<top>[0-9]*<|<top>$top<|;s|<bottom>[0-9]*<|<bottom>$bottom<|" \
            -e "s|<left>[0-9]*<|<left>$left<|;s|<right>[0-9]*<|<right>$right<|}" \
            /etc/xdg/openbox/rc.xml >"$work/openbox/rc.xml"
        export TARNO_TEST_MARGINS=$margins
    fi
    # openbox keeps its session files out of the user's home.
    XDG_CONFIG_HOME="$work" XDG_CACHE_HOME="$work" openbox >"$work/openbox.log" 2>&1 &
    wm=$!
fi

export QT_QPA_PLATFORM=xcb
"$@"
status=$?
if [ $status -ne 0 ] && [ -n "$wm" ]; then
    echo "--- openbox log ---" >&2
    cat "$work/openbox.log" >&2
fi
exit $status
