#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Quintor-Entwickler
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Screenshots of keys, prompts and help in a game with take-back: Return in the
# main window starts the game, Escape leaves the take-back question open, the
# value table opens centred, F1 in the game window gives a viewer that Escape
# closes, the wheel over the background selector sizes the dice.
# Usage: tools/screenshots-prompts.sh [build-folder] [output-folder]
# (QUINTOR_DISPLAY=:42 QUINTOR_WM=openbox for another display and a window manager)
set -euo pipefail

BUILD=${1:-build}
OUT=${2:-/tmp/quintor-prompt-shots}
PROGRAM=$(realpath "$BUILD/Quintor")
TOOLS=$(dirname "$(realpath "$0")")
DISPLAY_NUMBER=${QUINTOR_DISPLAY:-:95}

# shellcheck source=xvfb-session.sh
source "$TOOLS/xvfb-session.sh"
mkdir -p "$OUT"
SCRATCH=$(mktemp -d)
start_display "$DISPLAY_NUMBER" 1280x900x24
export SDL_AUDIODRIVER=dummy

window_of() {  # window name (a regular expression)
    xdotool search --name "$1" | tail -1
}

# Positions relative to the game window (X sees no child widgets): one player,
# one column, so the board spans 10..510 and the playfield starts at 520.
click_in_game() {  # x y [button]
    local id
    id=$(window_of "^Quintor Spiel\$")
    # Relative to the window itself: under a window manager its geometry
    # reads as the frame's.
    xdotool mousemove --window "$id" "$1" "$2" click "${3:-1}"
    sleep 0.4
}

shot() {  # name
    sleep 0.6
    import -window root "$OUT/$1.png"
}

home="$SCRATCH/home"
data="$home/Documents/Quintor"
python3 "$TOOLS/quintor-data.py" "$data" --redo Anna:1
printf '[GLOBAL]\r\nGamecount=0\r\nName=PC\r\nSound=0\r\nAnimateCup=3\r\nAnimateDice=4\r\nShowSplash=0\r\n' > "$data/Global.ini"
HOME=$home XDG_CONFIG_HOME=$home/.config "$PROGRAM" >>"$OUT/program.log" 2>&1 &
PROGRAM_PID=$!

wait_for "^Quintor Hauptmenü$"
sleep 1
focus_window "$(window_of "^Quintor Hauptmenü\$")"
xdotool key Return
wait_for "^Quintor Spiel$"
sleep 1.5
focus_window "$(window_of "^Quintor Spiel\$")"
shot 1-return-started-the-game

click_in_game 580 560              # the cup band: a throw
sleep 2.5
click_in_game 300 443              # the Chance field: "Ergebnis eintragen ?"
wait_for "^Quintor Zugrücknahme$"
focus_window "$(window_of "^Quintor Zugrücknahme\$")"
xdotool key Escape
shot 2-escape-left-the-question-open
xdotool key alt+n
sleep 0.5

click_in_game 860 66               # "?": the value table
shot 3-value-table-centred
focus_window "$(window_of "^Quintor Spiel\$")"
xdotool key F1
wait_for "^Quintor Hilfe$"
shot 4-help-over-the-game-window
focus_window "$(window_of "^Quintor Hilfe\$")"
xdotool key Escape
shot 5-help-closed-by-escape

click_in_game 700 66 5             # the wheel over the background selector
click_in_game 700 66 5
click_in_game 700 66 5
shot 6-wheel-over-the-selector-made-the-dice-smaller

kill "$PROGRAM_PID" 2>/dev/null || true
wait "$PROGRAM_PID" 2>/dev/null || true
PROGRAM_PID=
echo "screenshots in $OUT"
