// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uWinners.h"

#include <utility>

QList<RWinnerList> CollectWinners(const QList<TPlayer> &players)
{
    QList<RWinnerList> winners;
    for (qsizetype i = players.size() - 1; i >= 0; --i) {
        const TPlayer &player = players[i];
        if (player.InGame())
            winners.append(RWinnerList{player.Points(), player.Name(), -1, player.DiceType()});
    }
    return winners;
}

void SortWinners(QList<RWinnerList> &winners)
{
    for (qsizetype n = winners.size() - 1; n >= 1; --n)
        for (qsizetype i = 0; i < n; ++i)
            if (winners[i].Points < winners[i + 1].Points)
                std::swap(winners[i], winners[i + 1]);
}

void RankWinners(QList<RWinnerList> &winners)
{
    for (qsizetype k = 0; k < winners.size(); ++k) {
        const bool tied = k > 0 && winners[k].Points == winners[k - 1].Points;
        winners[k].Rank = tied ? winners[k - 1].Rank : static_cast<int>(k) + 1;
    }
}

QString WinnerLabelText(const QString &current, int rank, int points, const QString &name)
{
    if (current == QStringLiteral("."))
        return QStringLiteral("%1. mit %2 Punkten \r\n").arg(rank).arg(points) + name;
    QString text = current;
    // Only the first line is looked at: a name such as "Jeweils Meier" must
    // not pass for a place already shared.
    if (!text.section(QStringLiteral("\r\n"), 0, 0).contains(QStringLiteral("jeweils"))) {
        const qsizetype at = text.indexOf(QStringLiteral("mit "));
        if (at >= 0)
            text.replace(at, 4, QStringLiteral("mit jeweils "));
    }
    return text + QStringLiteral(", ") + name;
}
