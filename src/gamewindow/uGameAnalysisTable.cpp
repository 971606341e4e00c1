// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uGameAnalysisTable.h"

#include "gamewindow/uGameReport.h"

#include <QLocale>

namespace {

const QString Cell = QStringLiteral("      <td align = left>");
const QString NumberCell = QStringLiteral("      <td align = center>");
const QString EndCell = QStringLiteral("</td>");

QString Head(const QString &caption)
{
    return QStringLiteral("    <th align = center bgcolor = #FFFFFF>") + caption + QStringLiteral("</th>");
}

QStringList AnalysisRow(const TPlayerAnalysis &row)
{
    // Several columns are valued one by one: the figures are estimates.
    const QString about = row.Approximate ? QStringLiteral("ca. ") : QString();
    QStringList cells{Cell + HtmlEscaped(row.Name) + EndCell,
                      NumberCell + QString::number(row.Decisions) + EndCell,
                      NumberCell + about + AnalysisPoints(row.PointsGivenAway) + EndCell};
    if (row.Costliest) {
        const TCostlyDecision &worst = *row.Costliest;
        cells << NumberCell + QString::number(worst.Round) + EndCell << Cell + HtmlEscaped(worst.Done) + EndCell
              << Cell + HtmlEscaped(worst.Best) + EndCell << NumberCell + about + AnalysisPoints(worst.Cost) + EndCell;
    } else {
        cells << QStringLiteral("      <td align = center colspan = 4>keine: jede Entscheidung war optimal</td>");
    }
    return QStringList{QStringLiteral("    <tr>")} + cells + QStringList{QStringLiteral("    </tr>")};
}

}  // namespace

QString AnalysisPoints(double points)
{
    return QLocale(QLocale::German).toString(points, 'f', 1);
}

void AppendGameAnalysis(QStringList &lines, const QList<TPlayerAnalysis> &rows)
{
    if (rows.isEmpty())
        return;
    bool approximate = false;
    for (const TPlayerAnalysis &row : rows)
        approximate = approximate || row.Approximate;
    QStringList table{QStringLiteral("<H4>Spielanalyse:</H4>")};
    if (approximate)
        table << QStringLiteral("<p>Mit mehreren Spalten wird jede Spalte für sich bewertet: "
                                "die Werte sind Näherungen (ca.).</p>");
    table << QStringLiteral("<table border=\"1\" rules=\"all\">") << QStringLiteral("  <thead>") << QStringLiteral("    <tr>")
          << Head(QStringLiteral("Spieler")) << Head(QStringLiteral("Entscheidungen"))
          << Head(QStringLiteral("Verschenkte Punkte")) << Head(QStringLiteral("Teuerste Entscheidung: Runde"))
          << Head(QStringLiteral("Gespielt")) << Head(QStringLiteral("Besser gewesen")) << Head(QStringLiteral("Kosten"))
          << QStringLiteral("    </tr>") << QStringLiteral("  </thead>") << QStringLiteral("  <tbody>");
    for (const TPlayerAnalysis &row : rows)
        table << AnalysisRow(row);
    table << QStringLiteral("  </tbody>") << QStringLiteral("</table>")
          << QStringLiteral("<p>Verschenkte Punkte: wie viele Punkte jede Entscheidung gegenüber dem bestmöglichen "
                            "Spiel im Mittel kostet, zusammengezählt.</p>");
    qsizetype end = lines.lastIndexOf(QStringLiteral("</body>"));
    if (end < 0)
        end = lines.size();
    for (const QString &line : table)
        lines.insert(end++, line);
}
