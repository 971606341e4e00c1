#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Quintor-Entwickler
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Renders a game report in headless Chromium: a PNG of the page, and a check
# that the page holds its tables (four for a one-column game: information,
# settings, ranking, score sheet; one score sheet per player with several
# columns).
# Usage: tools/screenshot-report.sh [report.html] [output.png]
# Without a report it takes the newest Spiel_*.html of the data folder, else
# the one-column report the tests prove to be the program's output.
set -euo pipefail

HERE=$(cd "$(dirname "$0")/.." && pwd)
DOCUMENTS=$(xdg-user-dir DOCUMENTS 2>/dev/null || echo "$HOME/Documents")
REPORT=${1:-$(ls -t "$DOCUMENTS"/Quintor/Spiel_*.html 2>/dev/null | head -n 1 || true)}
REPORT=${REPORT:-$HERE/tests/gamewindow/fixtures/report_one_column.html}
OUT=${2:-/tmp/quintor-report.png}
BROWSER=$(command -v chromium || command -v chromium-browser)
URL="file://$(realpath "$REPORT")"
FLAGS=(--headless --no-sandbox --disable-gpu --hide-scrollbars)

"$BROWSER" "${FLAGS[@]}" --window-size=1000,2200 --screenshot="$OUT" "$URL" 2>/dev/null
TABLES=$("$BROWSER" "${FLAGS[@]}" --dump-dom "$URL" 2>/dev/null | grep -oi '<table' | wc -l)
echo "$REPORT: $TABLES tables, picture in $OUT"
[ "$TABLES" -ge 4 ]
