#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Quintor-Entwickler
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Screenshots of computer players and the coach under Xvfb: a person against
# a "Profi" (the computer's turn, then the person's hint after a throw), and
# a game of three computers that plays itself to the ceremony.
# Usage: tools/screenshots-computers.sh [build-folder] [output-folder] [display] [all|profi|computers]
set -euo pipefail

BUILD=${1:-build}
OUT=${2:-/tmp/quintor-computer-shots}
DISPLAY_NUMBER=${3:-:48}
PART=${4:-all}
PROGRAM=$(realpath "$BUILD/Quintor")
TOOLS=$(dirname "$(realpath "$0")")

# shellcheck source=xvfb-session.sh
source "$TOOLS/xvfb-session.sh"
mkdir -p "$OUT"
SCRATCH=$(mktemp -d)
start_display "$DISPLAY_NUMBER" 1280x900x24
export SDL_AUDIODRIVER=dummy

game_window() {
    xdotool search --name "^Quintor Spiel\$" | tail -1
}

click_in_game() {  # x y
    local id
    id=$(game_window)
    eval "$(xdotool getwindowgeometry --shell "$id")"
    xdotool mousemove $((X + $1)) $((Y + $2)) click 1
    sleep 0.4
}

start_game() {  # name players...
    local name=$1
    shift
    local home="$SCRATCH/$name"
    local data="$home/Documents/Quintor"
    python3 "$TOOLS/quintor-data.py" "$data" "$@"
    printf '[GLOBAL]\r\nGamecount=0\r\nName=PC\r\nSound=0\r\nAnimateCup=2\r\nAnimateDice=4\r\nShowSplash=0\r\n' > "$data/Global.ini"
    HOME=$home XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache "$PROGRAM" >>"$OUT/program.log" 2>&1 &
    PROGRAM_PID=$!
    wait_for "^Quintor Hauptmenü$"
    sleep 1
    local menu
    menu=$(xdotool search --name "^Quintor Hauptmenü\$" | tail -1)
    import -window root "$OUT/$name-roster.png"
    eval "$(xdotool getwindowgeometry --shell "$menu")"
    xdotool mousemove $((X + 665)) $((Y + 575)) click 1   # "&Start"
    wait_for "^Quintor Spiel$"
    sleep 1
    xdotool windowfocus "$(game_window)" || true
}

stop_game() {
    kill "$PROGRAM_PID" 2>/dev/null || true
    wait "$PROGRAM_PID" 2>/dev/null || true
    PROGRAM_PID=
}

# Anna against Zora ("Profi"): Anna throws and asks for a hint (dice to
# keep), throws twice more and asks again (the best field), enters a field,
# then Zora plays her turn.
if [ "$PART" != computers ]; then
start_game person-vs-profi Anna:1 Zora:2:3
sleep 2
click_in_game 580 560                      # Anna's cup
sleep 3
xdotool key t
sleep 0.5
import -window root "$OUT/person-vs-profi-hint.png"
click_in_game 580 560
sleep 3
click_in_game 580 560
sleep 3
xdotool key t
sleep 0.5
import -window root "$OUT/person-vs-profi-hint-field.png"
click_in_game 300 $((100 + 17 * 20))       # Anna's Chance, a safe entry
sleep 1.5
import -window root "$OUT/person-vs-profi-computer-turn.png"
sleep 6
import -window root "$OUT/person-vs-profi-computer-later.png"
stop_game
fi
[ "$PART" = profi ] && { echo "screenshots in $OUT"; exit 0; }

# Three computers play a whole game by themselves.
start_game three-computers Anton:0:1 Berta:1:2 Clara:4:3
sleep 8
import -window root "$OUT/three-computers-playing.png"
for _ in $(seq 1 120); do
    sleep 5
    if xdotool search --name "^Quintor Spiel\$" >/dev/null 2>&1; then
        import -window root "$OUT/three-computers-latest.png"
    fi
    ls "$SCRATCH"/three-computers/Documents/Quintor/Spiel_*.html >/dev/null 2>&1 && break
done
sleep 2
import -window root "$OUT/three-computers-ceremony.png"
cp "$SCRATCH"/three-computers/Documents/Quintor/Spiel_*.html "$OUT/" 2>/dev/null || true
stop_game
echo "screenshots in $OUT"
