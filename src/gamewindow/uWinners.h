// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "storage/uTPlayer.h"

#include <QList>
#include <QString>

// One ranked player of the award ceremony.
struct RWinnerList {
    int Points = 0;
    QString Name;
    int Rank = -1;  // place 1 to 4; -1 while not ranked
    int DiceType = 0;
};

// The players still in the game, from the last index down to 0, unranked.
// Players who gave up are left out.
[[nodiscard]] QList<RWinnerList> CollectWinners(const QList<TPlayer> &players);

// Bubble sort, descending by Points. Equal points keep their order, so the
// player collected first (the higher game index) stays in front.
void SortWinners(QList<RWinnerList> &winners);

// Places for a sorted list: equal points share a place and the next place
// is skipped (250, 250, 180 give 1, 1, 3).
void RankWinners(QList<RWinnerList> &winners);

// The text of a winner label after adding one player of `rank`: the first
// player of a place gives "<rank>. mit <points> Punkten \r\n<name>"; further
// ones turn the first "mit " into "mit jeweils " and append ", <name>".
// `current` is the label's text so far, "." while the place is empty.
[[nodiscard]] QString WinnerLabelText(const QString &current, int rank, int points, const QString &name);
