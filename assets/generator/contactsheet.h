#pragma once

#include <QString>

namespace contactsheet {

// Reads the generated files back and lays them out in one overview picture:
// all dice, the backgrounds, the print sheets and the window pictures.
// Returns false when the picture cannot be written.
[[nodiscard]] bool Write(const QString &programDir, const QString &resourceDir, const QString &file);

} // namespace contactsheet
