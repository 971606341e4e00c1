// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

namespace sounds {

// The game's sample names in catalogue order (without extension).
[[nodiscard]] QStringList CatalogueNames();

// Writes every catalogue sample as <name>.wav and the splash jingle
// "intro.WAV" into folder; returns the first failure, empty on success.
[[nodiscard]] QString WriteAll(const QString &folder);

} // namespace sounds
