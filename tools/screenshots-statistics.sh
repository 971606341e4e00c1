#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Quintor-Entwickler
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Screenshots of the statistics window (all players, every page) in the given
# designs, with a throw-away data folder of 80 recorded games of three players.
# Usage: tools/screenshots-statistics.sh [build-folder] [output-folder] [display] [design ...]
#   designs by number: 0 Standard, 1 BlueIce, 2 Elegant, 3 DarkGlass, 4 GrayPlastic
set -euo pipefail

BUILD=${1:-build}
OUT=${2:-/tmp/quintor-shots}
DISPLAY_NUMBER=${3:-:96}
shift $(($# < 3 ? $# : 3))
DESIGNS=("${@:-0 3}")
read -r -a DESIGNS <<<"${DESIGNS[*]}"
PROGRAM=$(realpath "$BUILD/Quintor")
TOOLS=$(dirname "$(realpath "$0")")

# shellcheck source=xvfb-session.sh
source "$TOOLS/xvfb-session.sh"
mkdir -p "$OUT"
SCRATCH=$(mktemp -d)
start_display "$DISPLAY_NUMBER" 1024x768x24
export SDL_AUDIODRIVER=dummy

# Stats.ini and the reports: Anna, "Meier, Hans" and Bert in games of one to
# three players; every ninth game Bert gives up.
write_records() {  # data folder
    python3 - "$1" <<'EOF'
import os, random, sys
folder = sys.argv[1]
random.seed(7)
players = [("Anna", "Player1.qtp", 20), ("Meier, Hans", "Player2.qtp", 0), ("Bert", "Player3.qtp", -15)]
stats = []
for number in range(1, 81):
    seats = players[: 1 + number % 3]
    report = f"Spiel_{number}.html"
    lines = [f"[{number}]", "DiceCount=3", f"GameCount={1 if number % 5 else 2}",
             f"GameDate=2026{1 + number // 8:02d}{1 + number % 28:02d}2000",
             "Scores=08|63,09|35,14|25,15|30,16|40,17|50,24|100,25|0,", f"GameReport={report}"]
    html = ["<html>", "<body>", "<H4>Spieleinstellungen:</H4>"]
    for seat in range(4):
        if seat >= len(seats):
            lines.append(f"Player{seat}=NIL")
            continue
        name, file, skill = seats[seat]
        upper = [random.choice([0, 2, 3, 3, 4]) * face for face in range(1, 7)]
        lower = [random.choice([0, 15, 20, 25]), random.choice([0, 0, 18, 24]), random.choice([0, 25, 25]),
                 random.choice([0, 30, 30]), random.choice([0, 0, 40]), random.choice([0, 0, 0, 50]),
                 random.randint(14, 28)]
        up = sum(upper)
        bonus = 35 if up >= 63 else 0
        total = up + bonus + sum(lower) + skill + random.randint(0, 40)
        gave_up = name == "Bert" and number % 9 == 0 and len(seats) > 1
        if gave_up:
            lower[4:] = [0, 0, 0]
            total = total // 2
            html += ["<H4>Bericht:</H4>", f"{name} hat das Spiel mit {total} Punkten in der 8. Runde abgebrochen.<br>"]
        rows = [0] + upper + [0, up, bonus, up + bonus, 0] + lower + [0, sum(lower), up + bonus, 0, total, 0]
        sheet = "".join(f"{v}|" for v in rows)
        lines.append(f'Player{seat}="{name}","{file}","{total}","{sheet}"')
    html += ["<H4>Endstand:</H4>", "</body>", "</html>"]
    stats += lines
    with open(os.path.join(folder, report), "wb") as f:
        f.write("\r\n".join(html).encode("cp1252"))
with open(os.path.join(folder, "Stats.ini"), "wb") as f:
    f.write(("\r\n".join(stats) + "\r\n").encode("cp1252"))
with open(os.path.join(folder, "Global.ini"), "wb") as f:
    f.write(b"[GLOBAL]\r\nGamecount=81\r\nSound=0\r\nShowSplash=0\r\n")
EOF
}

shot() { import -window root "$OUT/$1.png"; }

for design in "${DESIGNS[@]}"; do
    home="$SCRATCH/$design"
    data="$home/Documents/Quintor"
    mkdir -p "$data"
    python3 "$TOOLS/quintor-data.py" "$data" --design "$design" Anna:1 "Meier, Hans:2" Bert:4
    write_records "$data"
    HOME=$home XDG_CONFIG_HOME=$home/.config "$PROGRAM" >>"$OUT/program.log" 2>&1 &
    PROGRAM_PID=$!
    wait_for "Quintor Hauptmenü"
    sleep 1.5
    xdotool windowfocus --sync "$(xdotool search --name "Quintor Hauptmenü" | tail -1)"
    xdotool key --clearmodifiers alt+t
    wait_for "Quintor Statistik aller Spieler"
    sleep 1
    window="Quintor Statistik aller Spieler"
    xdotool windowmove "$(xdotool search --name "$window" | tail -1)" 0 0
    sleep 0.5
    shot "statistics-$design-overview"
    # The pages "Verlauf", "Verteilung" and "Direktvergleich" by their keys.
    for tab in "v verlauf" "t verteilung" "d direktvergleich"; do
        read -r letter page <<<"$tab"
        xdotool windowfocus --sync "$(xdotool search --name "$window" | tail -1)"
        xdotool key --clearmodifiers "alt+$letter"
        sleep 0.8
        shot "statistics-$design-$page"
    done
    # One player's view from the edit player dialog ("Auswertung..."); the
    # first row of the players page lies here in the Standard design.
    if [ "$design" = 0 ]; then
        xdotool key --clearmodifiers Escape
        sleep 0.8
        menu=$(xdotool search --name "Quintor Hauptmenü" | tail -1)
        eval "$(xdotool getwindowgeometry --shell "$menu")"
        xdotool mousemove $((X + 130)) $((Y + 124)) click 1
        sleep 0.5
        xdotool click --repeat 2 --delay 80 1
        wait_for "Quintor Spielerdaten bearbeiten"
        sleep 0.8
        shot "editplayer-$design"
        xdotool windowfocus --sync "$(xdotool search --name "Quintor Spielerdaten bearbeiten" | tail -1)"
        xdotool key --clearmodifiers alt+a
        wait_for "Quintor Statistik von"
        sleep 1
        shot "statistics-$design-player"
    fi
    kill "$PROGRAM_PID" 2>/dev/null || true
    wait "$PROGRAM_PID" 2>/dev/null || true
    PROGRAM_PID=
done
echo "Screenshots in $OUT"
