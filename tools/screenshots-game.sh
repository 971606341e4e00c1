#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Quintor-Entwickler
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Screenshots of games in progress under Xvfb: a one-column game of three
# players and a two-column game of two, each after the first and second throw
# and with another background chosen, then a turn played from the keyboard
# (focus frame and dice numbers); in the two-column game also the other
# player's sheet and the value table.
# Usage: tools/screenshots-game.sh [build-folder] [output-folder]
# QUINTOR_DISPLAY chooses the Xvfb display (default :96), QUINTOR_DESIGN the
# design (0 Standard ... 4 GrayPlastic, default 3).
set -euo pipefail

BUILD=${1:-build}
OUT=${2:-/tmp/quintor-game-shots}
PROGRAM=$(realpath "$BUILD/Quintor")
TOOLS=$(dirname "$(realpath "$0")")
DISPLAY_NUMBER=${QUINTOR_DISPLAY:-:96}

# shellcheck source=xvfb-session.sh
source "$TOOLS/xvfb-session.sh"
mkdir -p "$OUT"
SCRATCH=$(mktemp -d)
start_display "$DISPLAY_NUMBER" 1280x900x24
export SDL_AUDIODRIVER=dummy

# Geometry of a child widget is not visible to X; the playfield lies right of
# the board, so positions are taken relative to the game window.
click_in_game() {  # x y
    local id
    id=$(xdotool search --name "^Quintor Spiel\$" | tail -1)
    # Relative to the window: under a window manager its geometry reads as the frame's.
    xdotool mousemove --window "$id" "$1" "$2" click 1
    sleep 0.4
}

game() {  # name columns board-right players...
    local name=$1 columns=$2 right=$3
    shift 3
    local home="$SCRATCH/$name"
    local data="$home/Documents/Quintor"
        python3 "$TOOLS/quintor-data.py" "$data" --design "${QUINTOR_DESIGN:-3}" "$@"
    printf '[GLOBAL]\r\nGamecount=0\r\nName=PC\r\nSound=0\r\nAnimateCup=3\r\nAnimateDice=4\r\nShowSplash=0\r\n' > "$data/Global.ini"
    HOME=$home XDG_CONFIG_HOME=$home/.config "$PROGRAM" >>"$OUT/program.log" 2>&1 &
    PROGRAM_PID=$!
    wait_for "^Quintor Hauptmenü$"
    sleep 1
    local menu
    menu=$(xdotool search --name "^Quintor Hauptmenü\$" | tail -1)
    if [ "$columns" -gt 1 ]; then
        # Tab "Einstellungen" and "Anzahl Spalten": Standard draws the tabs
        # narrower and the rows of the page taller than the themes do.
        local tab=160 counts=228
        [ "${QUINTOR_DESIGN:-3}" = 0 ] && tab=110 counts=260
        xdotool mousemove --window "$menu" "$tab" 77 click 1
        sleep 0.8
        xdotool mousemove --window "$menu" $((151 + 24 * (columns - 1))) "$counts" click 1
        sleep 0.8
    fi
    xdotool mousemove --window "$menu" 665 575 click 1   # "&Start"
    wait_for "^Quintor Spiel$"
    sleep 1.5
    # The first player throws; the board offers the values.
    click_in_game $((right + 60)) 560
    sleep 2.5
    import -window root "$OUT/$name-thrown.png"
    # The second throw of the turn.
    click_in_game $((right + 60)) 560
    sleep 2.5
    import -window root "$OUT/$name-second-throw.png"
    # Another background from the selector above the playfield, two entries down.
    click_in_game $((right + 185)) 66
    xdotool key Down Down Return
    sleep 1
    import -window root "$OUT/$name-other-background.png"
    # The keyboard: the first player's turn ends with Return on the framed
    # field; the next player throws with Space, holds the leftmost die with 1
    # and moves the frame one field down.
    xdotool key Return
    sleep 3
    xdotool key space
    sleep 2.5
    xdotool key 1 Down
    sleep 1
    import -window root "$OUT/$name-keyboard.png"
    if [ "$columns" -gt 1 ]; then
        # After the keyboard turn the second player is on turn: the first
        # player's panel, top left of the board, shows "Nur zur Info".
        click_in_game 100 65
        sleep 0.8
        import -window root "$OUT/$name-viewing-other.png"
        click_in_game 100 125                # back to the own sheet
        click_in_game $((right + 300)) 66    # "?": the value table
        sleep 0.8
        import -window root "$OUT/$name-value-table.png"
    fi
    kill "$PROGRAM_PID" 2>/dev/null || true
    wait "$PROGRAM_PID" 2>/dev/null || true
    PROGRAM_PID=
}

game one-column 1 520 Anna:1 Bert:0 Carl:2
game two-columns 2 562 Dora:4 Emil:3
echo "screenshots in $OUT"
