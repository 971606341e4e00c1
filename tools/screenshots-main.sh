#!/usr/bin/env bash
# Screenshots of the main window's pages, the edit player dialog and the
# splash in every design, taken under Xvfb with a throw-away data folder.
# Usage: tools/screenshots-main.sh [build-folder] [output-folder]
set -euo pipefail

BUILD=${1:-build}
OUT=${2:-/tmp/quintor-shots}
PROGRAM=$(realpath "$BUILD/Quintor")
DISPLAY_NUMBER=${QUINTOR_DISPLAY:-:97}  # another free display: QUINTOR_DISPLAY=:43
DESIGNS=(standard blueice elegant darkglass grayplastic)

# shellcheck source=xvfb-session.sh
source "$(dirname "$(realpath "$0")")/xvfb-session.sh"
mkdir -p "$OUT"
SCRATCH=$(mktemp -d)
start_display "$DISPLAY_NUMBER" 1024x768x24
export SDL_AUDIODRIVER=dummy

shot() { import -window root "$OUT/$1.png"; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.4; }
typed() { xdotool type --delay 30 "$1"; sleep 0.3; }

focus() {  # window name
    local id
    id=$(xdotool search --name "$1" | tail -1)
    xdotool windowfocus --sync "$id"
    sleep 0.3
}

start() {  # home folder
    HOME=$1 XDG_CONFIG_HOME=$1/.config "$PROGRAM" >>"$OUT/program.log" 2>&1 &
    PROGRAM_PID=$!
}

stop() {
    kill "$PROGRAM_PID" 2>/dev/null || true
    wait "$PROGRAM_PID" 2>/dev/null || true
    PROGRAM_PID=
}

click_at() {  # x y inside the main window
    local id
    id=$(xdotool search --name "Quintor Hauptmenü" | tail -1)
    eval "$(xdotool getwindowgeometry --shell "$id")"
    xdotool mousemove $((X + $1)) $((Y + $2)) click 1
    sleep 0.5
}

# The design combo box sits at the same place on a fresh, Standard-designed page.
choose_design() {  # position
    click_at 110 77    # tab "Einstellungen"
    click_at 160 235   # ComboBoxDesign
    key Home
    for _ in $(seq 1 "$1"); do key Down; done
    key Return
}

for index in "${!DESIGNS[@]}"; do
    name=${DESIGNS[$index]}
    home="$SCRATCH/$name"
    mkdir -p "$home/Documents"

    start "$home"
    sleep 1.2   # the splash stays while its jingle plays (3.5 s, also on the silent driver)
    shot "splash-$name"
    wait_for "Quintor Hauptmenü"
    sleep 1
    choose_design "$index"
    sleep 0.5
    stop

    start "$home"
    wait_for "Quintor Hauptmenü"
    sleep 1.5
    focus "Quintor Hauptmenü"
    for player in Anna Bert; do
        focus "Quintor Hauptmenü"
        key alt+n
        wait_for "Neuer Spieler"
        typed "$player"
        key Return
        wait_for "Spielerdaten bearbeiten"
        sleep 0.5
        [ "$player" = Anna ] && shot "editplayer-$name"
        key Return
        sleep 0.5
    done
    shot "players-$name"

    # Anna's recorded games, listed in her dialog (double click on her row).
    data="$home/Documents/Quintor"
    anna=$(basename "$(grep -l "Name=Anna" "$data"/*.qtp | head -1)")
    games=("1 3 1 202611281930 187" "2 3 1 202612021815 243" "3 2 4 202612052040 612")
    : >"$data/Stats.ini"
    for game in "${games[@]}"; do
        read -r number dice columns date points <<<"$game"
        printf '[%s]\r\nDiceCount=%s\r\nGameCount=%s\r\nGameDate=%s\r\nGameReport=Spiel_%s.html\r\nPlayer0="Anna","%s","%s","0|"\r\n' \
            "$number" "$dice" "$columns" "$date" "$date" "$anna" "$points" >>"$data/Stats.ini"
        echo "<html><body>Spiel $number</body></html>" >"$data/Spiel_$date.html"
    done
    click_at 130 124
    xdotool click --repeat 2 1
    wait_for "Quintor Spielerdaten bearbeiten"
    sleep 0.5
    shot "editplayer-games-$name"
    key Escape

    # Anna alone starts a game: the menu hides behind the game window.
    focus "Quintor Hauptmenü"
    click_at 106 124
    key alt+s
    wait_for "^Quintor Spiel$"
    sleep 1.5
    shot "game-$name"
    stop

    start "$home"
    wait_for "Quintor Hauptmenü"
    sleep 1.5
    # The tabs' places: Standard draws them narrower than the themes do.
    if [ "$index" = 0 ]; then tabs=(110 197 265); else tabs=(165 271 377); fi
    pages=(settings print info)
    for page in 0 1 2; do
        click_at "${tabs[$page]}" 77
        shot "${pages[$page]}-$name"
    done
    stop
done
echo "screenshots in $OUT"
