// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QStringList>

class QWidget;

// The designs of the program: position 0 "Standard" (Fusion with the window
// colours of the windows themselves), then the four themes, each a style
// sheet applied to the whole program.
[[nodiscard]] const QStringList &DesignNames();
[[nodiscard]] int DesignIndex(const QString &name);  // -1 when unknown

// Applies a design to the whole application; unknown positions give Standard.
void ApplyProgramDesign(int index);

// The background colour of the main window in the Standard design.
inline const QColor MainWindowColor(174, 210, 175);

// The colours of the design in use, for what draws itself (the charts).
struct TDesignColors {
    QColor Window;
    QColor Panel;
    QColor Text;
    QColor Input;
    QColor InputText;
    QColor Border;
    QColor Accent;
};
[[nodiscard]] TDesignColors CurrentDesignColors();

// Marks an edit field invalid (red) or valid (its normal look) in every design.
void SetFieldInvalid(QWidget *field, bool invalid);
// Whether the design draws through a style sheet (every design but Standard).
[[nodiscard]] bool ProgramDesignHasSheet();
