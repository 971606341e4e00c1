// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sheets.h"

#include "dice.h"

#include <QDir>
#include <QPainter>

#include <vector>

namespace sheets {

namespace {

constexpr int kShortSide = 2480;  // A4 at 300 dpi
constexpr int kLongSide = 3508;

enum class RowKind { Field, Sum, Total, Gap };

struct Row
{
    QString caption;
    QString hint;
    RowKind kind;
    int pips;  // 1..6 for the upper fields: drawn as a die before the caption
};

const std::vector<Row> &Rows()
{
    static const std::vector<Row> rows = {
        {QStringLiteral("1er"), QStringLiteral("nur Einser zählen"), RowKind::Field, 1},
        {QStringLiteral("2er"), QStringLiteral("nur Zweier zählen"), RowKind::Field, 2},
        {QStringLiteral("3er"), QStringLiteral("nur Dreier zählen"), RowKind::Field, 3},
        {QStringLiteral("4er"), QStringLiteral("nur Vierer zählen"), RowKind::Field, 4},
        {QStringLiteral("5er"), QStringLiteral("nur Fünfer zählen"), RowKind::Field, 5},
        {QStringLiteral("6er"), QStringLiteral("nur Sechser zählen"), RowKind::Field, 6},
        {QStringLiteral("Punkte oben"), QString(), RowKind::Sum, 0},
        {QStringLiteral("Bonus"), QStringLiteral("35 ab 63"), RowKind::Sum, 0},
        {QStringLiteral("Summe oben"), QString(), RowKind::Sum, 0},
        {QString(), QString(), RowKind::Gap, 0},
        {QStringLiteral("Dreierpasch"), QStringLiteral("alle Augen"), RowKind::Field, 0},
        {QStringLiteral("Viererpasch"), QStringLiteral("alle Augen"), RowKind::Field, 0},
        {QStringLiteral("Full house"), QStringLiteral("25"), RowKind::Field, 0},
        {QStringLiteral("Kl. Straße"), QStringLiteral("30"), RowKind::Field, 0},
        {QStringLiteral("Gr. Straße"), QStringLiteral("40"), RowKind::Field, 0},
        {QStringLiteral("Quintor"), QStringLiteral("50"), RowKind::Field, 0},
        {QStringLiteral("Weitere Quintors"), QStringLiteral("je 100"), RowKind::Field, 0},
        {QStringLiteral("Chance"), QStringLiteral("alle Augen"), RowKind::Field, 0},
        {QString(), QString(), RowKind::Gap, 0},
        {QStringLiteral("Summe unten"), QString(), RowKind::Sum, 0},
        {QStringLiteral("+ Summe oben"), QString(), RowKind::Sum, 0},
        {QStringLiteral("= Gesamt"), QString(), RowKind::Total, 0},
    };
    return rows;
}

struct Layout
{
    QString title;
    bool landscape;
    int players;
    int columnsPerPlayer;
};

Layout LayoutOf(int n)
{
    switch (n) {
    case 0: return {QStringLiteral("Standard - Quintor"), false, 6, 1};
    case 1: return {QStringLiteral("Hammer - Quintor"), true, 3, 3};
    default: return {QStringLiteral("Super - Hammer - Quintor"), true, 4, 4};
    }
}

QFont Font(int pixels, bool bold = false, bool italic = false)
{
    QFont f(QStringLiteral("Comic Sans MS"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QFont Plain(int pixels, bool bold = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

class SheetPainter
{
public:
    SheetPainter(QPainter &p, const Layout &layout, QSize page) : m_P(p), m_Layout(layout), m_Page(page) {}

    void Paint()
    {
        PaintHead();
        const int top = 330;
        const int bottom = m_Page.height() - 170;
        const int headRows = m_Layout.columnsPerPlayer > 1 ? 2 : 1;
        int units = headRows * 2;
        for (const Row &r : Rows())
            units += r.kind == RowKind::Gap ? 1 : 2;
        m_Unit = (bottom - top) / units;
        m_Left = 110;
        m_CaptionWidth = m_Layout.landscape ? 640 : 720;
        const int columns = m_Layout.players * m_Layout.columnsPerPlayer;
        m_ColumnWidth = (m_Page.width() - 2 * m_Left - m_CaptionWidth) / columns;
        PaintTable(top, headRows, columns);
        PaintFoot(bottom);
    }

private:
    void PaintHead()
    {
        const QImage logo = dice::Render(1, 5, 1, 210);
        m_P.drawImage(QPoint(110, 70), logo);
        m_P.drawImage(QPoint(m_Page.width() - 330, 70), dice::Render(0, 6, 2, 210));
        m_P.setPen(QColor(30, 30, 30));
        m_P.setFont(Font(130, true, true));
        m_P.drawText(QRect(360, 40, 1400, 170), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Quintor"));
        m_P.setFont(Font(58));
        m_P.drawText(QRect(360, 190, 1600, 80), Qt::AlignLeft | Qt::AlignVCenter, m_Layout.title);
        m_P.setFont(Font(46));
        const int x = m_Page.width() - 1100;
        m_P.drawText(QRect(x, 200, 200, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Datum:"));
        m_P.setPen(QPen(QColor(90, 90, 90), 3));
        m_P.drawLine(x + 180, 250, m_Page.width() - 360, 250);
    }

    void PaintTable(int top, int headRows, int columns)
    {
        const int tableWidth = m_CaptionWidth + columns * m_ColumnWidth;
        int y = top;
        m_P.setPen(Qt::NoPen);
        m_P.setBrush(QColor(232, 240, 232));
        m_P.drawRect(m_Left, y, tableWidth, headRows * 2 * m_Unit);
        m_P.setPen(QColor(20, 20, 20));
        for (int player = 0; player < m_Layout.players; ++player) {
            const int x = m_Left + m_CaptionWidth + player * m_Layout.columnsPerPlayer * m_ColumnWidth;
            const QRect cell(x, y, m_Layout.columnsPerPlayer * m_ColumnWidth, 2 * m_Unit);
            m_P.setFont(Plain(m_Unit * 8 / 10, true));
            const QString label = m_Layout.columnsPerPlayer > 1 ? QStringLiteral("Name") : QStringLiteral("Spiel %1").arg(player + 1);
            m_P.drawText(cell, Qt::AlignCenter, label);
            if (m_Layout.columnsPerPlayer > 1)
                for (int c = 0; c < m_Layout.columnsPerPlayer; ++c) {
                    m_P.setFont(Plain(m_Unit * 7 / 10));
                    m_P.drawText(QRect(x + c * m_ColumnWidth, y + 2 * m_Unit, m_ColumnWidth, 2 * m_Unit), Qt::AlignCenter,
                                 QStringLiteral("Spalte %1").arg(c + 1));
                }
        }
        m_P.setFont(Font(m_Unit * 9 / 10, true));
        m_P.drawText(QRect(m_Left + 24, y, m_CaptionWidth, 2 * m_Unit), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Spieler"));
        y += headRows * 2 * m_Unit;
        const int tableTop = top;
        for (const Row &r : Rows())
            y = PaintRow(r, y, tableWidth);
        PaintGrid(tableTop, y, columns, headRows);
    }

    int PaintRow(const Row &r, int y, int tableWidth)
    {
        if (r.kind == RowKind::Gap) {
            m_P.setPen(QPen(QColor(20, 20, 20), 5));
            m_P.drawLine(m_Left, y + m_Unit / 2, m_Left + tableWidth, y + m_Unit / 2);
            return y + m_Unit;
        }
        const int h = 2 * m_Unit;
        if (r.kind != RowKind::Field) {
            m_P.setPen(Qt::NoPen);
            m_P.setBrush(r.kind == RowKind::Total ? QColor(215, 225, 215) : QColor(238, 238, 232));
            m_P.drawRect(m_Left, y, tableWidth, h);
        }
        int x = m_Left + 24;
        if (r.pips > 0) {
            const QImage face = dice::Face(r.pips, h * 7 / 10, Qt::white, QColor(20, 20, 20));
            m_P.drawImage(QPoint(x, y + (h - face.height()) / 2), face);
            x += face.width() + 24;
        }
        m_P.setPen(QColor(20, 20, 20));
        m_P.setFont(Font(h * 45 / 100, r.kind != RowKind::Field));
        m_P.drawText(QRect(x, y, m_CaptionWidth, h), Qt::AlignLeft | Qt::AlignVCenter, r.caption);
        if (!r.hint.isEmpty()) {
            m_P.setPen(QColor(110, 110, 110));
            m_P.setFont(Plain(h * 28 / 100));
            m_P.drawText(QRect(m_Left, y, m_CaptionWidth - 20, h), Qt::AlignRight | Qt::AlignVCenter, r.hint);
        }
        m_P.setPen(QPen(QColor(120, 120, 120), 2));
        m_P.drawLine(m_Left, y + h, m_Left + tableWidth, y + h);
        return y + h;
    }

    void PaintGrid(int top, int bottom, int columns, int headRows)
    {
        for (int c = 0; c <= columns; ++c) {
            const bool playerEdge = c % m_Layout.columnsPerPlayer == 0;
            const int x = m_Left + m_CaptionWidth + c * m_ColumnWidth;
            m_P.setPen(QPen(QColor(20, 20, 20), playerEdge ? 6 : 2));
            m_P.drawLine(x, playerEdge ? top : top + 2 * m_Unit, x, bottom);
        }
        if (headRows > 1) {
            m_P.setPen(QPen(QColor(120, 120, 120), 2));
            m_P.drawLine(m_Left + m_CaptionWidth, top + 2 * m_Unit, m_Left + m_CaptionWidth + columns * m_ColumnWidth, top + 2 * m_Unit);
        }
        m_P.setPen(QPen(QColor(20, 20, 20), 6));
        m_P.setBrush(Qt::NoBrush);
        m_P.drawRect(m_Left, top, m_CaptionWidth + columns * m_ColumnWidth, bottom - top);
        m_P.drawLine(m_Left, top + headRows * 2 * m_Unit, m_Left + m_CaptionWidth + columns * m_ColumnWidth, top + headRows * 2 * m_Unit);
    }

    void PaintFoot(int bottom)
    {
        m_P.setPen(QColor(90, 90, 90));
        m_P.setFont(Plain(38));
        const QString text = QStringLiteral("Punktwerte der Standard-Einstellungen. Eigene Regeln:");
        const QRect line(m_Left, bottom + 30, m_Page.width() - 2 * m_Left, 60);
        m_P.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, text);
        const int x = m_Left + m_P.fontMetrics().horizontalAdvance(text) + 30;
        m_P.setPen(QPen(QColor(150, 150, 150), 3));
        m_P.drawLine(x, line.bottom() - 8, line.right(), line.bottom() - 8);
    }

    QPainter &m_P;
    const Layout &m_Layout;
    QSize m_Page;
    int m_Unit = 0;
    int m_Left = 0;
    int m_CaptionWidth = 0;
    int m_ColumnWidth = 0;
};

} // namespace

QImage Render(int n)
{
    const Layout layout = LayoutOf(n);
    const QSize page = layout.landscape ? QSize(kLongSide, kShortSide) : QSize(kShortSide, kLongSide);
    QImage image(page, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    SheetPainter(p, layout, page).Paint();
    return image;
}

QString WriteAll(const QString &folder)
{
    const char *files[] = {"Druckvorlage.jpg", "Druckvorlage1.jpg", "Druckvorlage2.jpg"};
    for (int n = 0; n < 3; ++n) {
        const QString path = QDir(folder).filePath(QLatin1String(files[n]));
        if (!Render(n).save(path, "JPG", 92))
            return path;
    }
    return {};
}

} // namespace sheets
