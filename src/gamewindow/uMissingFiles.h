// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

class QWidget;

// The one message about program files (samples, dice pictures) that a game
// window could not load: which files, what the game does without them, and
// that reinstalling the game brings them back. `files` are full paths, shown
// in a scrollable list; `consequences` are whole sentences. Modal; returns
// when the player has read it.
void ShowMissingProgramFiles(QWidget *parent, const QStringList &consequences, const QStringList &files);
