// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "contactsheet.h"

#include "dice.h"

#include <QDir>
#include <QImage>
#include <QPainter>

namespace contactsheet {

namespace {

constexpr int kWidth = 1960;

class Layout
{
public:
    explicit Layout(QPainter &painter) : m_Painter(painter) {}

    void Title(const QString &text)
    {
        NewLine();
        m_Painter.setPen(QColor(250, 240, 210));
        m_Painter.drawText(QPointF(20, m_Y + 22), text);
        m_Y += 32;
    }

    // Places a picture at the given scale, wrapping at the right edge.
    void Place(const QImage &image, double scale, const QString &label = {})
    {
        const int w = static_cast<int>(image.width() * scale);
        const int h = static_cast<int>(image.height() * scale);
        if (m_X + w > kWidth - 20)
            NewLine();
        m_Painter.drawImage(QRect(m_X, m_Y, w, h), image);
        if (!label.isEmpty()) {
            m_Painter.setPen(QColor(230, 220, 200));
            m_Painter.drawText(QRect(m_X, m_Y + h + 2, std::max(w, 60), 16), Qt::AlignLeft, label);
        }
        m_X += std::max(w, label.isEmpty() ? 0 : 60) + 10;
        m_LineHeight = std::max(m_LineHeight, h + (label.isEmpty() ? 0 : 18));
    }

    void NewLine()
    {
        m_Y += m_LineHeight + 10;
        m_X = 20;
        m_LineHeight = 0;
    }

    [[nodiscard]] int Height() const { return m_Y + m_LineHeight + 20; }

private:
    QPainter &m_Painter;
    int m_X = 20;
    int m_Y = 0;
    int m_LineHeight = 0;
};

void Draw(QPainter &painter, Layout &layout, const QString &programDir, const QString &resourceDir)
{
    const QDir bin(QDir(programDir).filePath(QStringLiteral("Bin")));
    const QDir images(QDir(resourceDir).filePath(QStringLiteral("images")));
    painter.setFont(QFont(QStringLiteral("Liberation Sans"), 11));
    layout.Title(QStringLiteral("Dice: w r c d a b, pips 1-6, variants 0-3 (as files, key colour shown)"));
    for (int colour = 0; colour < dice::kColours; ++colour) {
        for (int pips = 1; pips <= 6; ++pips)
            for (int v = 0; v < dice::kVariants; ++v)
                layout.Place(QImage(bin.filePath(QStringLiteral("Dices/%1%2%3.bmp").arg(dice::Letter(colour)).arg(pips).arg(v))), 1.0);
        layout.NewLine();
    }
    layout.Title(QStringLiteral("Dice at the smallest size the game draws (39 px)"));
    for (int colour = 0; colour < dice::kColours; ++colour)
        for (int pips = 1; pips <= 6; ++pips)
            layout.Place(QImage(bin.filePath(QStringLiteral("Dices/%1%2%3.bmp").arg(dice::Letter(colour)).arg(pips).arg(pips % 3))), 39.0 / 64.0);
    layout.Title(QStringLiteral("Backgrounds 0-6"));
    for (int b = 0; b <= 6; ++b)
        layout.Place(QImage(bin.filePath(QStringLiteral("Backgrounds/%1.jpg").arg(b))), 0.2, QString::number(b));
    layout.Title(QStringLiteral("Print sheets"));
    for (const char *sheet : {"Druckvorlage.jpg", "Druckvorlage1.jpg", "Druckvorlage2.jpg"})
        layout.Place(QImage(bin.filePath(QLatin1String(sheet))), 0.2);
    layout.Title(QStringLiteral("Window pictures (cups, marks and icons shown 2x, small faces 3x)"));
    QStringList names = images.entryList({QStringLiteral("*.png"), QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        const QImage image(images.filePath(name));
        const double scale = image.width() <= 16 ? 3.0 : (image.width() <= 64 ? 2.0 : (image.width() > 300 ? 0.5 : 1.0));
        layout.Place(image, scale, QFileInfo(name).baseName());
    }
    Q_UNUSED(painter);
}

} // namespace

bool Write(const QString &programDir, const QString &resourceDir, const QString &file)
{
    // First pass measures, second pass draws.
    QImage probe(kWidth, 10, QImage::Format_RGB32);
    int height = 0;
    {
        QPainter painter(&probe);
        Layout layout(painter);
        Draw(painter, layout, programDir, resourceDir);
        height = layout.Height();
    }
    QImage sheet(kWidth, height, QImage::Format_RGB32);
    sheet.fill(QColor(70, 58, 48));
    QPainter painter(&sheet);
    Layout layout(painter);
    Draw(painter, layout, programDir, resourceDir);
    painter.end();
    return sheet.save(file);
}

} // namespace contactsheet
