#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Quintor-Entwickler
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the build into a staging folder (DESTDIR + /usr, as a package
# does), checks the installed layout, the desktop entry, the metadata and the
# icons, then starts the installed program through its bin/ link with a
# throw-away home and waits until its main window has run the first
# activation, which writes the rule template into the data folder.
# Usage: install_and_start.sh <build-folder> [cmake]
set -euo pipefail

BUILD=$(realpath "$1")
CMAKE=${2:-cmake}
STARTUP_SECONDS=${STARTUP_SECONDS:-90}

SCRATCH=$(mktemp -d)
PROGRAM_PID=
cleanup() {
    if [ -n "$PROGRAM_PID" ]; then kill -KILL "$PROGRAM_PID" 2>/dev/null || true; fi
    rm -rf "$SCRATCH"
}
trap cleanup EXIT

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
need_file() { [ -f "$1" ] || fail "missing ${1#"$STAGE"}"; }

# Width and height from a PNG's header chunk, as "WxH".
png_size() {
    local bytes
    bytes=$(od -An -tx1 -j16 -N8 "$1" | tr -d ' \n')
    printf '%dx%d' "0x${bytes:0:8}" "0x${bytes:8:8}"
}

STAGE=$SCRATCH/stage
PREFIX=$STAGE/usr
DESTDIR=$STAGE "$CMAKE" --install "$BUILD" --prefix /usr >"$SCRATCH/install.log" 2>&1 ||
    { cat "$SCRATCH/install.log" >&2; echo "FAIL: cmake --install" >&2; exit 1; }
[ -d "$PREFIX" ] || { echo "FAIL: nothing installed below DESTDIR" >&2; exit 1; }

# --- program folder: the program with its Bin/ tree and help pages beside it
APPDIR=$PREFIX/lib/quintor
[ -x "$APPDIR/Quintor" ] || fail "lib/quintor/Quintor is not an installed program"
for f in Bin/Sounds/intro.WAV Bin/Backgrounds/0.jpg Bin/Backgrounds/6.jpg Bin/Dices/w10.bmp \
         Bin/Druckvorlage.jpg Quintor.help/index.html quintor_charts.so; do
    need_file "$APPDIR/$f"
done
# The statistics' charts are loaded from beside the program; the program
# itself must not pull Qt Charts in at start.
if command -v readelf >/dev/null && readelf -d "$APPDIR/Quintor" | grep -q 'libQt6Charts'; then
    fail "the installed program links Qt Charts itself"
fi
if command -v readelf >/dev/null && readelf -d "$APPDIR/Quintor" | grep -Eq 'RPATH|RUNPATH'; then
    fail "the installed program still carries a library search path: $(readelf -d "$APPDIR/Quintor" | grep -E 'RPATH|RUNPATH')"
fi

# The link must be relative, or it would point outside a staged or moved tree.
LINK=$PREFIX/bin/quintor
if [ ! -L "$LINK" ]; then
    fail "bin/quintor is not a link"
else
    case $(readlink "$LINK") in /*) fail "bin/quintor links to an absolute path: $(readlink "$LINK")" ;; esac
    [ "$(readlink -f "$LINK")" = "$(readlink -f "$APPDIR/Quintor")" ] || fail "bin/quintor does not lead to lib/quintor/Quintor"
fi

# --- desktop entry, metadata, icons
DESKTOP=$(find "$PREFIX/share/applications" -name '*.desktop' 2>/dev/null | head -n1)
METAINFO=$(find "$PREFIX/share/metainfo" -name '*.metainfo.xml' 2>/dev/null | head -n1)
[ -n "$DESKTOP" ] || fail "no desktop entry in share/applications"
[ -n "$METAINFO" ] || fail "no metadata in share/metainfo"
if [ -n "$DESKTOP" ]; then
    entry() { sed -n "s/^$1=//p" "$DESKTOP"; }
    [ "$(entry Exec)" = quintor ] || fail "desktop entry starts '$(entry Exec)', not the installed link"
    [ "$(entry Name)" = Quintor ] || fail "desktop entry is named '$(entry Name)'"
    [ "$(entry Categories)" = "Game;BoardGame;" ] || fail "desktop entry categories are '$(entry Categories)'"
    [ -n "$(entry Comment)" ] || fail "desktop entry has no comment"
    ICON=$(entry Icon)
    for size in 16 22 24 32 48 64 128 256; do
        png=$PREFIX/share/icons/hicolor/${size}x${size}/apps/$ICON.png
        if [ ! -f "$png" ]; then
            fail "no ${size}x${size} icon named '$ICON'"
        elif [ "$(png_size "$png")" != "${size}x${size}" ]; then
            fail "the ${size}x${size} icon measures $(png_size "$png")"
        fi
    done
    svg=$PREFIX/share/icons/hicolor/scalable/apps/$ICON.svg
    need_file "$svg"
    [ ! -f "$svg" ] || grep -q '<svg' "$svg" || fail "scalable icon is no SVG"
    if [ -n "$METAINFO" ]; then
        grep -q "<launchable type=\"desktop-id\">$(basename "$DESKTOP")</launchable>" "$METAINFO" ||
            fail "metadata does not launch $(basename "$DESKTOP")"
        # No invented web addresses: the project has no site of its own.
        if grep -q 'example\.org' "$METAINFO"; then fail "metadata names an invented address"; fi
    fi
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$DESKTOP" || fail "desktop-file-validate"
    else
        echo "note: desktop-file-validate not installed, entry not validated"
    fi
fi
if [ -n "$METAINFO" ]; then
    if command -v appstreamcli >/dev/null; then
        appstreamcli validate --no-net --strict "$METAINFO" || fail "appstreamcli validate"
    else
        echo "note: appstreamcli not installed, metadata not validated"
    fi
fi

# --- start the installed program through the link, headless, far from the
# build tree, with a home of its own whose documents folder has a German name
HOMEDIR=$SCRATCH/home
mkdir -p "$HOMEDIR/.config" "$SCRATCH/run"
chmod 700 "$SCRATCH/run"
echo 'XDG_DOCUMENTS_DIR="$HOME/Dokumente"' >"$HOMEDIR/.config/user-dirs.dirs"
DATA=$HOMEDIR/Dokumente/Quintor
touch "$SCRATCH/before-start"
(
    cd "$SCRATCH"
    exec env -u DISPLAY -u WAYLAND_DISPLAY HOME="$HOMEDIR" XDG_CONFIG_HOME="$HOMEDIR/.config" \
        XDG_DATA_HOME="$HOMEDIR/.local/share" XDG_CACHE_HOME="$HOMEDIR/.cache" XDG_RUNTIME_DIR="$SCRATCH/run" \
        QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$LINK"
) >"$SCRATCH/program.log" 2>&1 &
PROGRAM_PID=$!

# Start-up takes seconds on a busy machine; poll for the file the first
# activation writes instead of guessing a fixed time.
deadline=$((SECONDS + STARTUP_SECONDS))
while [ ! -s "$DATA/Quintor.ini" ] && kill -0 "$PROGRAM_PID" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
    sleep 0.1
done

if ! kill -0 "$PROGRAM_PID" 2>/dev/null; then
    wait "$PROGRAM_PID" && status=0 || status=$?
    PROGRAM_PID=
    fail "the installed program ended by itself (status $status) before its main window was active"
    cat "$SCRATCH/program.log" >&2
elif [ ! -s "$DATA/Quintor.ini" ]; then
    fail "no $DATA/Quintor.ini after ${STARTUP_SECONDS} s: the main window was never activated"
    cat "$SCRATCH/program.log" >&2
else
    kill -TERM "$PROGRAM_PID"
    wait "$PROGRAM_PID" && status=0 || status=$?
    PROGRAM_PID=
    [ "$status" -eq 143 ] || fail "the program ended with status $status on SIGTERM"
    grep -q '^\[' "$DATA/Quintor.ini" || fail "Quintor.ini holds no section"
    [ ! -e "$HOMEDIR/Documents" ] || fail "the data folder ignores the XDG documents folder"
    written=$(find "$STAGE" -newer "$SCRATCH/before-start" -print)
    [ -z "$written" ] || fail "the program wrote into its installed folder: $written"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "installed layout, desktop entry, metadata, icons and start-up: all good"
