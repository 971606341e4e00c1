#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Quintor-Entwickler
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds quintor_<version>_<arch>.deb from a copy of the source tree (so the
# package build leaves no debhelper files in the working tree), checks it
# with lintian and copies it into the top folder.
# Usage: packaging/build-deb.sh [work-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
TOP=$PWD
WORK=$(realpath -m "${1:-build-deb}")

./tools/install-deps.sh debhelper dpkg-dev fakeroot lintian

version=$(dpkg-parsechangelog -S Version)
source_copy=$WORK/quintor-$version
rm -rf "$WORK"
mkdir -p "$source_copy"

# Tracked and new files, never build folders or other ignored output.
git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done |
    tar --null -T - -cf - | tar -xf - -C "$source_copy"

# debhelper gives the build a home of its own; keep the compiler cache.
if command -v ccache >/dev/null; then
    CCACHE_DIR=${CCACHE_DIR:-$(ccache -k cache_dir)}
    export CCACHE_DIR
fi

(cd "$source_copy" && dpkg-buildpackage -b -us -uc)

echo "--- lintian"
lintian --info --display-info --fail-on error "$WORK/quintor_${version}_"*.changes

cp "$WORK/quintor_${version}_"*.deb "$TOP/"
ls "$TOP/quintor_${version}_"*.deb
