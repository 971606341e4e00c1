#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Quintor-Entwickler
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Screenshots of the main window on a full disk: the data folder is a small
# tmpfs (root only), filled before a player is added and before a game is
# started. Each save says which file cannot be written; the files stay whole.
# Usage: tools/screenshot-fulldisk.sh [build-folder] [output-folder] [display]
set -euo pipefail

BUILD=${1:-build}
OUT=${2:-/tmp/quintor-fulldisk}
DISPLAY_NUMBER=${3:-:96}
PROGRAM=$(realpath "$BUILD/Quintor")

# shellcheck source=xvfb-session.sh
source "$(dirname "$(realpath "$0")")/xvfb-session.sh"
mkdir -p "$OUT"
SCRATCH=$(mktemp -d)
DATA="$SCRATCH/Documents/Quintor"
mkdir -p "$DATA"
mount -t tmpfs -o size=64k tmpfs "$DATA"
unmount() { umount "$DATA" 2>/dev/null || true; cleanup; }
start_display "$DISPLAY_NUMBER" 1024x768x24
trap unmount EXIT
export SDL_AUDIODRIVER=dummy

shot() { import -window root "$OUT/$1.png"; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.4; }
focus() {
    xdotool windowfocus --sync "$(xdotool search --name "$1" | tail -1)"
    sleep 0.3
}
listing() { (cd "$DATA" && find . -maxdepth 1 -type f ! -name filler -printf '%f\n' | sort | xargs md5sum); }

printf '[GLOBAL]\r\nShowSplash=0\r\n' >"$DATA/Global.ini"
HOME=$SCRATCH XDG_CONFIG_HOME=$SCRATCH/.config "$PROGRAM" >>"$OUT/program.log" 2>&1 &
PROGRAM_PID=$!
wait_for "Quintor Hauptmenü"
sleep 1.5
focus "Quintor Hauptmenü"
key alt+n
wait_for "Neuer Spieler"
xdotool type --delay 30 "Anna"
key Return
wait_for "Spielerdaten bearbeiten"
key Return
sleep 0.5
# Anna takes part, so that "Start" is enabled.
eval "$(xdotool getwindowgeometry --shell "$(xdotool search --name "Quintor Hauptmenü" | tail -1)")"
xdotool mousemove $((X + 107)) $((Y + 122)) click 1
sleep 0.5
listing >"$OUT/files-before.txt"

dd if=/dev/zero of="$DATA/filler" bs=1k count=1000 2>/dev/null || true
focus "Quintor Hauptmenü"
key alt+n
wait_for "Neuer Spieler"
xdotool type --delay 30 "Bert"
key Return
sleep 1
shot fulldisk-newplayer
key Return
sleep 0.5
focus "Quintor Hauptmenü"
key alt+s
sleep 1
shot fulldisk-gamestart
key Return
sleep 0.5
listing >"$OUT/files-after.txt"
kill "$PROGRAM_PID"; wait "$PROGRAM_PID" 2>/dev/null || true; PROGRAM_PID=
if cmp -s "$OUT/files-before.txt" "$OUT/files-after.txt"; then echo "every file kept its bytes"; else
    echo "files changed:"; diff "$OUT/files-before.txt" "$OUT/files-after.txt" || true; fi
echo "screenshots in $OUT"
