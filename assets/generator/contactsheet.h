// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace contactsheet {

// Reads the generated files back and lays them out in one overview picture:
// all dice, the backgrounds, the print sheets and the window pictures.
// Returns false when the picture cannot be written.
[[nodiscard]] bool Write(const QString &programDir, const QString &resourceDir, const QString &file);

} // namespace contactsheet
