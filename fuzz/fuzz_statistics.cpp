// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FuzzSupport.h"

#include "storage/uTStatistics.h"
#include "storage/uTools.h"

#include <limits>

// Any Stats.ini: a player's games are listed, a new game is added to it and
// every game listed before is still listed.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = Fuzz::Bytes(data, size);
    const QString text = FromAnsi(bytes);
    for (int index = -1; index <= 8; ++index)
        (void)TStatistics::CommaField(text, index);

    Fuzz::WriteInput(QStringLiteral("Stats.ini"), bytes);
    TStatistics stats(Fuzz::Folder());
    stats.LoadForPlayer(QStringLiteral("Player1.qtp"));
    const int before = stats.Count();
    for (const RPlayerStatistics &item : stats.Items()) {
        FUZZ_CHECK(item.DateText.size() == 10);
        FUZZ_CHECK(!item.GameReport.contains(QLatin1Char('\n')));
    }

    const int highest = stats.HighestGameNumber();
    FUZZ_CHECK(highest >= 0);
    if (highest == std::numeric_limits<int>::max())
        return 0;
    stats.SetGameNumber(highest + 1);
    stats.SetGameDate(QStringLiteral("200703141952"));
    stats.SetPlayerEntries(0, QStringLiteral("\"Anna\",\"Player1.qtp\",\"231\",\"0|\""));
    try {
        stats.SaveGame();
    } catch (const EWriteError &) {
        Fuzz::Fail("write to the scratch folder");
    }
    stats.LoadForPlayer(QStringLiteral("Player1.qtp"));
    FUZZ_CHECK(stats.Count() == before + 1);
    FUZZ_CHECK(stats.Items().last().Points == 231);
    return 0;
}
