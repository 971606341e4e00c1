# SPDX-FileCopyrightText: 2026 Quintor-Entwickler
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared by the screenshot scripts (sourced): a private Xvfb display, waiting
# for windows, and clean-up of the display, the program and SCRATCH.

# QUINTOR_DISPLAY overrides a script's display number; QUINTOR_WM=openbox
# runs the window manager on it, so focus and activation are as on a desktop.

PROGRAM_PID=
XVFB_PID=
WM_PID=

cleanup() {
    [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null || true
    [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    [ -n "${SCRATCH:-}" ] && rm -rf "$SCRATCH"
}

start_display() {  # display screen, e.g. :97 1024x768x24
    # -noreset keeps the server up between the program runs: a reset after
    # the last client left refused the next start now and then.
    Xvfb "$1" -screen 0 "$2" -noreset >/dev/null 2>&1 &
    XVFB_PID=$!
    trap cleanup EXIT
    export DISPLAY=$1
    # Qt aborts when it finds no display: a busy machine may need a while.
    for _ in $(seq 1 100); do
        if xdotool getdisplaygeometry >/dev/null 2>&1; then
            start_window_manager
            return 0
        fi
        sleep 0.1
    done
    echo "Xvfb $1 did not start" >&2
    return 1
}

start_window_manager() {
    [ "${QUINTOR_WM:-}" = openbox ] || return 0
    openbox >/dev/null 2>&1 &
    WM_PID=$!
    sleep 1
}

# Gives the window the focus: activated through the window manager when one
# runs, else focused directly (without one, activation does nothing).
focus_window() {  # window id
    if [ -n "$WM_PID" ]; then
        xdotool windowactivate --sync "$1"
    else
        xdotool windowfocus --sync "$1"
    fi
}

wait_for() {  # window name (a regular expression)
    for _ in $(seq 1 100); do
        xdotool search --name "$1" >/dev/null 2>&1 && return 0
        sleep 0.2
    done
    echo "window '$1' did not appear" >&2
    return 1
}
