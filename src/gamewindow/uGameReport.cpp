// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uGameReport.h"

#include "play/uTTurnEngine.h"
#include "storage/uTools.h"
#include "storage/uWholeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace {

const QString L = QStringLiteral("      <td align = left width = 200 ");
const QString C = QStringLiteral("      <td align = center width = 200 ");
const QString TR = QStringLiteral("    <tr>");
const QString EndTR = QStringLiteral("    </tr>");
const QString CRLF = QStringLiteral("\r\n");
const QString TableOpen = QStringLiteral("<table border=\"1\" rules=\"all\">");

QString Num(int value)
{
    return QString::number(value);
}

QString Caption(const TTurnEngine &engine, int row)
{
    return HtmlEscaped(engine.PlayerColumn(0, 0).Rows(row).Caption);
}

// The head of a two-column table of labels and values.
void AddInfoTableHead(QStringList &lines, const QString &heading, const QString &firstColumn)
{
    lines << heading << TableOpen << QStringLiteral("  <thead>")
          << QStringLiteral("    <th align = left width = 200 bgcolor = #FFFFFF>") + firstColumn + QStringLiteral("</th>")
          << QStringLiteral("    <th align = center width = 200 bgcolor = #FFFFFF>Wert</th>")
          << CRLF + QStringLiteral("  </thead>") << QStringLiteral("  <tbody>");
}

void AddGeneralInformation(QStringList &lines, const RGameReport &report)
{
    AddInfoTableHead(lines, QStringLiteral("<H4>Allgemeine Informationen:</H4>"), QStringLiteral("Information"));
    const auto addRow = [&lines](const QString &label, const QString &value) {
        lines << TR << L + QLatin1Char('>') + label + QStringLiteral("</td>")
              << C + QLatin1Char('>') + value + QStringLiteral("</td>") << EndTR;
    };
    addRow(QStringLiteral("Spielnummer"), Num(report.GameNumber));
    addRow(QStringLiteral("Version"), QStringLiteral("3.1"));
    addRow(QStringLiteral("Spielstart"), report.StartTime + QStringLiteral(" Uhr "));
    addRow(QStringLiteral("Spieldauer"), DurationText(report.StartTime, report.EndTime));
    lines << QStringLiteral("  </tbody>") << QStringLiteral("</table>") << QStringLiteral("<br>");
}

void AddGameSettings(QStringList &lines, const TTurnEngine &engine)
{
    const TTavolexSettings &rules = engine.Rules();
    AddInfoTableHead(lines, QStringLiteral("<H4>Spieleinstellungen:</H4>"), QStringLiteral("Einstellung"));
    lines << TR;
    const auto addRow = [&lines](const QString &label, int value) {
        lines << L + QLatin1Char('>') + label + QStringLiteral("</td>")
              << C + QLatin1Char('>') + Num(value) + QStringLiteral("</td>") << EndTR << TR;
    };
    addRow(QStringLiteral("Anzahl Spalten"), rules.GameCount());
    addRow(QStringLiteral("Anzahl Würfe"), rules.DiceCount());
    addRow(QStringLiteral("Bonus ab"), rules.RuleValue(8, 63));
    addRow(Caption(engine, 9), rules.RuleValue(9, 35));
    addRow(Caption(engine, 14), rules.RuleValue(14, 25));
    addRow(Caption(engine, 15), rules.RuleValue(15, 30));
    addRow(Caption(engine, 16), rules.RuleValue(16, 40));
    addRow(QStringLiteral("Quintor"), rules.RuleValue(17, 50));
    if (rules.MultTavolex())
        addRow(QStringLiteral("Weiterer Quintor"), rules.RuleValue(24, 100));
    lines << L + QLatin1Char('>') + Caption(engine, 25) + QStringLiteral("</td>")
          << C + QLatin1Char('>') + Num(rules.RuleValue(25, 0)) + QStringLiteral("</td>") << EndTR
          << QStringLiteral("  </tbody>") << QStringLiteral("</table>") << QStringLiteral("<br>");
}

void AddGiveUps(QStringList &lines, const TTurnEngine &engine)
{
    if (engine.EventLines().isEmpty())
        return;
    lines << QStringLiteral("<H4>Bericht:</H4>");
    for (const QString &line : engine.EventLines())
        lines << HtmlEscaped(line) + QStringLiteral("<br>");
}

void AddRanking(QStringList &lines, const QList<RWinnerList> &winners)
{
    lines << QStringLiteral("<H4>Endstand:</H4>") << TableOpen << QStringLiteral("  <thead>")
          << QStringLiteral("    <th align=center  width=70 bgcolor = #FFFFFF>Platz</th>")
          << QStringLiteral("    <th align=left  width=150 bgcolor = #FFFFFF>Name</th>")
          << QStringLiteral("    <th align=right width=100 bgcolor = #FFFFFF>Punkte</th>")
          << QStringLiteral("  </thead>");
    for (qsizetype i = 0; i < winners.size(); ++i) {
        const RWinnerList &w = winners[i];
        if (w.Rank == -1)
            continue;
        const bool tied = i > 0 && w.Points == winners[i - 1].Points;
        lines << QStringLiteral("   <tr>")
              << (tied ? QStringLiteral("      <td align=center><br></td> ")
                       : QStringLiteral("      <td align=center>") + Num(w.Rank) + QStringLiteral(".</td> "))
              << QStringLiteral("      <td align=left>") + HtmlEscaped(w.Name) + QStringLiteral("</td>")
              << QStringLiteral("      <td align=right>") + Num(w.Points) + QStringLiteral("</td>")
              << QStringLiteral("   </tr>");
    }
    lines << QStringLiteral("</table>");
}

bool IsSumRow(int row)
{
    return row == 8 || row == 9 || row == 10 || row == 20 || row == 21 || row == 23;
}

// All rows of one score-sheet table in one entry: `rowStart` opens each row,
// `columns` are the score columns whose values fill it.
QString SheetRows(const TTurnEngine &engine, const QString &rowStart, const QList<const TTavolex *> &columns)
{
    QString entry;
    for (int row = 1; row <= 23; ++row) {
        const QString caption = Caption(engine, row);
        if (caption.isEmpty())
            continue;
        const bool sum = IsSumRow(row);
        const QString a = sum ? QStringLiteral("bgcolor = #FFFFFF") : QString();
        const QString b = sum ? QStringLiteral("<b>") : QString();
        const QString label = row == 9 ? QStringLiteral("+ ") + caption + QStringLiteral(" ?") : caption;
        entry += CRLF + rowStart + a + QLatin1Char('>') + b + label + QStringLiteral("</td>");
        for (const TTavolex *column : columns) {
            entry += QStringLiteral("<td align = center width = 150 ") + a + QLatin1Char('>') + b
                     + Num(column->RecordedValue(row)) + QStringLiteral("</td>");
        }
    }
    return entry + QStringLiteral("</tr>");
}

void AddOneColumnSheet(QStringList &lines, const TTurnEngine &engine)
{
    QString head = QStringLiteral("    <th align = left width = 200 bgcolor = #FFFFFF>Spieler</th>");
    QList<const TTavolex *> columns;
    const QList<TPlayer> &players = engine.Players();
    for (int p = 0; p < players.size(); ++p) {
        if (!players[p].InGame())
            continue;
        head += CRLF + QStringLiteral("    <th align = center width = 150 bgcolor = #FFFFFF>")
                + HtmlEscaped(players[p].Name()) + QStringLiteral("</th>");
        columns << &engine.PlayerColumn(p, 0);
    }
    lines << TableOpen << QStringLiteral("  <thead>") << head + CRLF + QStringLiteral("  </thead>")
          << QStringLiteral("  <tbody>")
          << SheetRows(engine, QStringLiteral("    <tr><td align = left width = 200 "), columns)
          << QStringLiteral("  </tbody>") << QStringLiteral("</table>");
}

void AddSeveralColumnSheets(QStringList &lines, const TTurnEngine &engine)
{
    const int count = engine.ColumnsPerPlayer();
    const QList<TPlayer> &players = engine.Players();
    for (int p = 0; p < players.size(); ++p) {
        const TPlayer &player = players[p];
        if (!player.InGame())
            continue;
        lines << QStringLiteral("<H4>Ergebnisse von: ") + HtmlEscaped(player.Name()) + QStringLiteral(" (")
                     + Num(player.Points()) + QStringLiteral(" Punkte)</H4>")
              << TableOpen << QStringLiteral("  <thead>")
              << QStringLiteral("    <th align = left width = 200 bgcolor = #FFFFFF>Feld</th>");
        QList<const TTavolex *> columns;
        for (int c = 0; c < count; ++c) {
            lines << QStringLiteral("    <th align = center width = 150 bgcolor = #FFFFFF>Spalte ") + Num(c + 1)
                         + QStringLiteral("</th>");
            columns << &engine.PlayerColumn(p, c);
        }
        lines << QStringLiteral("  </thead>") << QStringLiteral("  <tbody>")
              << SheetRows(engine, QStringLiteral("    <tr><td align=left width=200 "), columns)
              << QStringLiteral("  </tbody>") << QStringLiteral("</table>") << QStringLiteral("<hr>");
    }
}

}  // namespace

QString ReportStamp(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyyyMMdd_HHmm"));
}

QString ReportFileName(const QString &dataFolder, const QDateTime &when)
{
    return dataFolder + QStringLiteral("Spiel_") + ReportStamp(when) + QStringLiteral(".html");
}

QString ReportHeadingDate(const QDate &date)
{
    return QLocale(QLocale::German).toString(date, QStringLiteral("dd. MMMM yyyy"));
}

QString HtmlEscaped(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '<': escaped += QStringLiteral("&lt;"); break;
        case '>': escaped += QStringLiteral("&gt;"); break;
        case '&': escaped += QStringLiteral("&amp;"); break;
        case '"': escaped += QStringLiteral("&quot;"); break;
        default: escaped += c;
        }
    }
    return escaped;
}

QStringList GameReportLines(const TTurnEngine &engine, const RGameReport &report)
{
    QStringList lines;
    lines << QStringLiteral("<html>") << QStringLiteral("<head>")
          << QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">")
          << QStringLiteral("<title>Quintor ") + ReportStamp(report.Written) + QStringLiteral("</title>")
          << QStringLiteral("</head>") << QStringLiteral("<body>")
          << QStringLiteral("<H3>Spielbericht vom ") + ReportHeadingDate(report.Written.date())
                 + QStringLiteral("</H3><br>");
    AddGeneralInformation(lines, report);
    AddGameSettings(lines, engine);
    AddGiveUps(lines, engine);
    AddRanking(lines, report.Winners);
    lines << QStringLiteral("<H4>Ergebnisse:</H4>");
    if (engine.ColumnsPerPlayer() > 1)
        AddSeveralColumnSheets(lines, engine);
    else
        AddOneColumnSheet(lines, engine);
    lines << QStringLiteral("</body>") << QStringLiteral("</html>");
    return lines;
}

QByteArray GameReportBytes(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += ToAnsi(line) + "\r\n";
    return bytes;
}

QString SaveGameReport(const QString &dataFolder, const QDateTime &when, const QString &own,
                       const QStringList &lines)
{
    const QString first = ReportFileName(dataFolder, when);
    QDir().mkpath(QFileInfo(first).absolutePath());
    const QByteArray bytes = GameReportBytes(lines);
    const QString stem = first.chopped(5);  // without ".html"
    // Enough for every game finished in one minute; the bound only keeps a
    // folder full of odd names from being searched for ever.
    constexpr int MaxSuffix = 1000;
    for (int n = 1; n <= MaxSuffix; ++n) {
        const QString name = n == 1 ? first : stem + QLatin1Char('_') + QString::number(n) + QStringLiteral(".html");
        if (name == own) {
            WriteWholeFile(name, bytes);
            return name;
        }
        if (CreateWholeFile(name, bytes))
            return name;
    }
    throw EWriteError(first);
}
