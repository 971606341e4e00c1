// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures.h"

#include "backgrounds.h"
#include "dice.h"
#include "imagetools.h"
#include "noise.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>
#include <numbers>

namespace pictures {

namespace {

// Multiplies the covered pixels by a fine grain, as leather or cloth has.
void AddGrain(QImage &image, double strength, std::uint32_t seed, double scale)
{
    const ValueNoise noise(seed);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qAlpha(c) == 0)
                continue;
            const double f = 1.0 + strength * noise.Fractal(x / scale, y / scale, 2);
            image.setPixel(x, y, qRgba(imagetools::ToByte(qRed(c) * f / 255.0), imagetools::ToByte(qGreen(c) * f / 255.0),
                                       imagetools::ToByte(qBlue(c) * f / 255.0), qAlpha(c)));
        }
}

QImage Painted(int width, int height, const std::function<void(QPainter &)> &paint)
{
    QImage image = imagetools::Transparent(width, height);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    return image;
}

} // namespace

QImage Cup(int size)
{
    const double s = size;
    QImage cup = Painted(size, size, [s](QPainter &p) {
        const QRectF top(s * 0.13, s * 0.08, s * 0.74, s * 0.22);
        const QRectF bottom(s * 0.2, s * 0.80, s * 0.6, s * 0.14);
        QPainterPath body;
        body.moveTo(top.left(), top.center().y());
        body.lineTo(bottom.left(), bottom.center().y());
        body.arcTo(bottom, 180, 180);
        body.lineTo(top.right(), top.center().y());
        body.arcTo(top, 0, -180);
        // Round leather: dark at both sides, a soft sheen left of the middle.
        QLinearGradient leather(top.left(), 0, top.right(), 0);
        leather.setColorAt(0.0, QColor(52, 24, 12));
        leather.setColorAt(0.3, QColor(150, 78, 38));
        leather.setColorAt(0.42, QColor(168, 92, 48));
        leather.setColorAt(0.75, QColor(96, 48, 22));
        leather.setColorAt(1.0, QColor(40, 18, 8));
        p.setPen(QPen(QColor(35, 16, 6), s / 48.0));
        p.setBrush(leather);
        p.drawPath(body);
        // Stitched band near the foot.
        QPen stitch(QColor(232, 200, 140), s / 40.0, Qt::DashLine, Qt::RoundCap);
        p.setPen(stitch);
        p.setBrush(Qt::NoBrush);
        for (double y : {0.62, 0.70}) {
            const double inset = 0.13 + (y - 0.19) / 0.68 * 0.07 + 0.03;
            p.drawArc(QRectF(s * inset, s * (y - 0.07), s * (1 - 2 * inset), s * 0.14), 200 * 16, 140 * 16);
        }
        // Brass rim and the dark opening.
        QLinearGradient brass(top.left(), 0, top.right(), 0);
        brass.setColorAt(0.0, QColor(120, 86, 30));
        brass.setColorAt(0.35, QColor(250, 214, 120));
        brass.setColorAt(0.6, QColor(196, 150, 60));
        brass.setColorAt(1.0, QColor(110, 76, 24));
        p.setPen(QPen(QColor(70, 48, 14), s / 64.0));
        p.setBrush(brass);
        p.drawEllipse(top);
        QRadialGradient inside(top.center() + QPointF(0, s * 0.03), top.width() / 2);
        inside.setColorAt(0.0, QColor(12, 6, 3));
        inside.setColorAt(1.0, QColor(58, 30, 14));
        p.setPen(Qt::NoPen);
        p.setBrush(inside);
        p.drawEllipse(top.adjusted(s * 0.05, s * 0.035, -s * 0.05, -s * 0.035));
    });
    AddGrain(cup, 0.1, 31, std::max(1.0, s / 40.0));
    return cup;
}

namespace {

// The ring laid under a held die: a toothed ring, so that its turning shows,
// around a warm glow that shines through the translucent die.
QImage HoldMark(int size, QColor tone)
{
    const double s = size;
    return Painted(size, size, [s, tone](QPainter &p) {
        const QPointF c(s / 2, s / 2);
        QRadialGradient glow(c, s * 0.42);
        glow.setColorAt(0.0, tone.lighter(170));
        glow.setColorAt(0.75, tone.lighter(120));
        glow.setColorAt(1.0, tone);
        QPainterPath ring;
        constexpr int kTeeth = 12;
        for (int i = 0; i < kTeeth * 2; ++i) {
            const double a = i * std::numbers::pi / kTeeth;
            const double r = s * (i % 2 == 0 ? 0.495 : 0.43);
            const QPointF at = c + QPointF(std::cos(a) * r, std::sin(a) * r);
            if (i == 0)
                ring.moveTo(at);
            else
                ring.lineTo(at);
        }
        ring.closeSubpath();
        p.setPen(QPen(tone.darker(190), s / 40.0));
        p.setBrush(glow);
        p.drawPath(ring);
        p.setPen(QPen(tone.darker(150), s / 32.0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, s * 0.36, s * 0.36);
    });
}

QImage Crossed(QImage icon)
{
    QImage grey = icon;
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x) {
            const QRgb c = grey.pixel(x, y);
            const int g = (qRed(c) * 3 + qGreen(c) * 5 + qBlue(c) * 2) / 10;
            grey.setPixel(x, y, qRgba((g + 255) / 2, (g + 255) / 2, (g + 255) / 2, qAlpha(c) * 3 / 4));
        }
    QPainter p(&grey);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(200, 20, 20), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(2.5, 2.5), QPointF(13.5, 13.5));
    p.drawLine(QPointF(13.5, 2.5), QPointF(2.5, 13.5));
    return grey;
}

QImage Speaker()
{
    return Painted(16, 16, [](QPainter &p) {
        QPainterPath cone;
        cone.moveTo(1.5, 6);
        cone.lineTo(4.5, 6);
        cone.lineTo(8.5, 2.5);
        cone.lineTo(8.5, 13.5);
        cone.lineTo(4.5, 10);
        cone.lineTo(1.5, 10);
        cone.closeSubpath();
        QLinearGradient g(0, 2, 0, 14);
        g.setColorAt(0, QColor(120, 120, 130));
        g.setColorAt(1, QColor(40, 40, 48));
        p.setPen(QPen(QColor(20, 20, 24), 1));
        p.setBrush(g);
        p.drawPath(cone);
        p.setPen(QPen(QColor(30, 110, 200), 1.4, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(6, 4.5, 5, 7), -60 * 16, 120 * 16);
        p.drawArc(QRectF(6, 2, 9, 12), -60 * 16, 120 * 16);
    });
}

QImage MovingDie()
{
    QImage die = dice::Render(1, 5, 1, 13);
    return Painted(16, 16, [&die](QPainter &p) {
        p.setPen(QPen(QColor(60, 60, 60), 1.2, Qt::SolidLine, Qt::RoundCap));
        for (double y : {4.0, 8.0, 12.0})
            p.drawLine(QPointF(0.5, y), QPointF(3.0, y));
        p.drawImage(QPoint(3, 2), die);
    });
}

QImage Clover()
{
    QImage clover = Painted(64, 64, [](QPainter &p) {
        const QPointF c(32, 30);
        p.setPen(QPen(QColor(40, 95, 30), 3.5, Qt::SolidLine, Qt::RoundCap));
        QPainterPath stem;
        stem.moveTo(c);
        stem.cubicTo(QPointF(34, 44), QPointF(40, 52), QPointF(46, 61));
        p.drawPath(stem);
        for (int leaf = 0; leaf < 4; ++leaf) {
            p.save();
            p.translate(c);
            p.rotate(45 + 90 * leaf);
            // A heart: two lobes meeting at the centre.
            QPainterPath heart;
            heart.moveTo(0, 0);
            heart.cubicTo(QPointF(-4, -8), QPointF(-17, -12), QPointF(-13, -23));
            heart.cubicTo(QPointF(-10, -30), QPointF(-2, -29), QPointF(0, -22));
            heart.cubicTo(QPointF(2, -29), QPointF(10, -30), QPointF(13, -23));
            heart.cubicTo(QPointF(17, -12), QPointF(4, -8), QPointF(0, 0));
            QLinearGradient g(0, 0, 0, -28);
            g.setColorAt(0.0, QColor(30, 110, 30));
            g.setColorAt(1.0, QColor(96, 190, 70));
            p.setPen(QPen(QColor(24, 80, 20), 1.2));
            p.setBrush(g);
            p.drawPath(heart);
            p.setPen(QPen(QColor(180, 230, 150, 160), 1.0));
            p.drawLine(QPointF(0, -3), QPointF(0, -19));
            p.restore();
        }
    });
    return clover;
}

QImage RoundBadge(int size, QColor colour, const std::function<void(QPainter &, double)> &symbol)
{
    return Painted(size, size, [size, colour, &symbol](QPainter &p) {
        const double s = size;
        QRadialGradient g(QPointF(s * 0.35, s * 0.3), s * 0.7);
        g.setColorAt(0, colour.lighter(160));
        g.setColorAt(1, colour.darker(130));
        p.setPen(QPen(colour.darker(200), 1.0));
        p.setBrush(g);
        p.drawEllipse(QRectF(0.5, 0.5, s - 1, s - 1));
        symbol(p, s);
    });
}

void Letter(QPainter &p, double s, const QString &text, QColor colour)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(static_cast<int>(s * 0.8));
    f.setBold(true);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(QRectF(0, 0, s, s), Qt::AlignCenter, text);
}

QImage GiveUp()
{
    return RoundBadge(15, QColor(200, 30, 30), [](QPainter &p, double s) {
        p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(s * 0.32, s * 0.32), QPointF(s * 0.68, s * 0.68));
        p.drawLine(QPointF(s * 0.68, s * 0.32), QPointF(s * 0.32, s * 0.68));
    });
}

QImage CurrentPlayer()
{
    return Painted(16, 16, [](QPainter &p) {
        QPainterPath arrow;
        arrow.moveTo(1.5, 5.5);
        arrow.lineTo(8, 5.5);
        arrow.lineTo(8, 1.5);
        arrow.lineTo(14.5, 8);
        arrow.lineTo(8, 14.5);
        arrow.lineTo(8, 10.5);
        arrow.lineTo(1.5, 10.5);
        arrow.closeSubpath();
        QLinearGradient g(0, 1, 0, 15);
        g.setColorAt(0, QColor(120, 220, 90));
        g.setColorAt(1, QColor(20, 120, 30));
        p.setPen(QPen(QColor(10, 70, 15), 1));
        p.setBrush(g);
        p.drawPath(arrow);
    });
}

QImage Document(bool chart)
{
    return Painted(16, 16, [chart](QPainter &p) {
        QPainterPath page;
        page.moveTo(2.5, 0.5);
        page.lineTo(10.5, 0.5);
        page.lineTo(13.5, 3.5);
        page.lineTo(13.5, 15.5);
        page.lineTo(2.5, 15.5);
        page.closeSubpath();
        p.setPen(QPen(QColor(90, 90, 100), 1));
        p.setBrush(QColor(252, 252, 246));
        p.drawPath(page);
        p.drawLine(QPointF(10.5, 0.5), QPointF(10.5, 3.5));
        p.drawLine(QPointF(10.5, 3.5), QPointF(13.5, 3.5));
        if (chart) {
            p.setPen(Qt::NoPen);
            const QColor bars[] = {QColor(200, 40, 40), QColor(40, 90, 200), QColor(40, 150, 60)};
            for (int i = 0; i < 3; ++i) {
                p.setBrush(bars[i]);
                p.drawRect(QRectF(4.5 + 3 * i, 13.5 - 3 * (i + 1.5), 2, 3 * (i + 1.5)));
            }
            p.setPen(QPen(QColor(120, 120, 130), 1));
            p.drawLine(QPointF(4, 3.5), QPointF(9, 3.5));
        } else {
            p.setPen(QPen(QColor(150, 150, 160), 1));
            for (double y = 5.5; y < 15; y += 2.5)
                p.drawLine(QPointF(3, y), QPointF(13, y));
            p.drawLine(QPointF(7.5, 4), QPointF(7.5, 15));
            p.setPen(QPen(QColor(230, 150, 30), 2.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(9.5, 13.5), QPointF(14.5, 7.5));
        }
    });
}

// A corner of a score sheet in use, to the right of the window's titles.
void PencilledScores(QPainter &p, const QRectF &area)
{
    constexpr int kColumns = 3;
    constexpr int kRows = 6;
    const double w = area.width() / (kColumns + 1);
    const double h = area.height() / kRows;
    p.setPen(QPen(QColor(150, 135, 105), 1.5));
    for (int r = 0; r <= kRows; ++r)
        p.drawLine(QPointF(area.left(), area.top() + r * h), QPointF(area.right(), area.top() + r * h));
    for (int c = 1; c <= kColumns; ++c)
        p.drawLine(QPointF(area.left() + c * w, area.top()), QPointF(area.left() + c * w, area.bottom()));
    for (int r = 0; r < kRows; ++r) {
        const QImage face = dice::Face(r + 1, static_cast<int>(h * 0.7), Qt::white, QColor(30, 30, 30));
        p.drawImage(QPointF(area.left() + (w - face.width()) / 2, area.top() + r * h + (h - face.height()) / 2), face);
    }
    QFont hand(QStringLiteral("Comic Sans MS"));
    hand.setPixelSize(static_cast<int>(h * 0.62));
    p.setFont(hand);
    p.setPen(QColor(70, 70, 80));
    const char *entries[kRows][kColumns] = {{"3", "2", "4"}, {"8", "6", "-"}, {"9", "12", "6"},
                                            {"16", "12", "8"}, {"15", "20", ""}, {"24", "18", ""}};
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c)
            p.drawText(QRectF(area.left() + (c + 1) * w, area.top() + r * h, w, h), Qt::AlignCenter, QLatin1String(entries[r][c]));
}

QImage Splash()
{
    constexpr int kW = 910;
    constexpr int kH = 524;
    QImage image = backgrounds::Render(0, kW, kH);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A score card under the title texts, which the window draws in black.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(QRectF(26, 28, 720, 232), 14, 14);
    QLinearGradient paper(0, 18, 0, 250);
    paper.setColorAt(0, QColor(252, 248, 232));
    paper.setColorAt(1, QColor(236, 228, 204));
    p.setBrush(paper);
    p.drawRoundedRect(QRectF(16, 18, 720, 232), 14, 14);
    // Right of the full name, which the window writes up to x = 500 here.
    PencilledScores(p, QRectF(530, 44, 190, 186));
    const QImage cup = Cup(230);
    p.save();
    p.translate(650, 335);
    p.rotate(-62);
    p.drawImage(QPointF(-115, -115), cup);
    p.restore();
    struct Placed
    {
        int colour, pips, variant;
        double x, y, angle;
    };
    const Placed spilled[] = {{1, 5, 0, 410, 300, -12}, {0, 6, 1, 520, 380, 18}, {1, 3, 2, 300, 390, 34},
                              {0, 1, 0, 140, 330, -25}, {1, 4, 1, 560, 462, 8}};
    for (const Placed &d : spilled) {
        p.save();
        p.translate(d.x, d.y);
        p.rotate(d.angle);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 80));
        p.drawRoundedRect(QRectF(-44, -40, 96, 96), 20, 20);
        p.drawImage(QPointF(-54, -54), dice::Render(d.colour, d.pips, d.variant, 108));
        p.restore();
    }
    return image;
}

// Two dice, drawn afresh at each size. Below 32 pixels the pair turns to
// mush, so the small sizes show a single flat face with crisp pips.
QImage ProgramIcon(int size)
{
    if (size < 32)
        return dice::Face(5, size, QColor(196, 32, 36), QColor(252, 250, 240));
    const auto scaled = [size](int length) { return length * size / 256; };
    return Painted(size, size, [&scaled](QPainter &p) {
        p.drawImage(QPoint(scaled(96), scaled(4)), dice::Render(0, 3, 2, scaled(156)));
        p.drawImage(QPoint(scaled(4), scaled(64)), dice::Render(1, 5, 1, scaled(188)));
    });
}

struct Output
{
    QString name;
    QImage image;
};

std::vector<Output> Pictures()
{
    using imagetools::OntoKey;
    std::vector<Output> list;
    list.push_back({QStringLiteral("cup_small.png"), OntoKey(Cup(48), QColor(255, 0, 220), QColor(40, 18, 8), 128)});
    list.push_back({QStringLiteral("cup_large.png"), OntoKey(Cup(64), QColor(255, 0, 255), QColor(40, 18, 8), 128)});
    const QColor markTones[] = {QColor(210, 60, 40), QColor(225, 170, 40), QColor(50, 110, 210), QColor(60, 160, 70),
                                QColor(190, 190, 200)};
    const QColor markKeys[] = {QColor(255, 0, 220), QColor(255, 0, 220), Qt::white, Qt::white, Qt::black};
    for (int m = 0; m < 5; ++m)
        list.push_back({QStringLiteral("holdmark%1.png").arg(m),
                        OntoKey(HoldMark(m < 4 ? 64 : 48, markTones[m]), markKeys[m], markTones[m].darker(190), 128)});
    const QImage speaker = Speaker();
    const QImage cupIcon = Cup(16);
    const QImage dieIcon = MovingDie();
    for (const QImage &icon : {speaker, cupIcon, dieIcon}) {
        list.push_back({QStringLiteral("soundicon%1.png").arg(list.size() - 7), icon});
        list.push_back({QStringLiteral("soundicon%1.png").arg(list.size() - 7), Crossed(icon)});
    }
    list.push_back({QStringLiteral("splash.jpg"), Splash()});
    list.push_back({QStringLiteral("splash_die.png"), dice::Render(1, 5, 0, 64)});
    list.push_back({QStringLiteral("clover.png"), Clover()});
    list.push_back({QStringLiteral("delete_enabled.png"), GiveUp()});
    list.push_back({QStringLiteral("current_player.png"), CurrentPlayer()});
    list.push_back({QStringLiteral("question.png"), RoundBadge(16, QColor(40, 100, 210), [](QPainter &p, double s) {
                        Letter(p, s, QStringLiteral("?"), Qt::white);
                    })});
    list.push_back({QStringLiteral("info.png"), RoundBadge(16, QColor(235, 175, 30), [](QPainter &p, double s) {
                        Letter(p, s, QStringLiteral("i"), QColor(40, 30, 10));
                    })});
    for (int pips = 1; pips <= 6; ++pips) {
        list.push_back({QStringLiteral("thumb%1.png").arg(pips), dice::Face(pips, 13, Qt::white, QColor(20, 20, 24))});
        list.push_back({QStringLiteral("count%1.png").arg(pips), dice::Face(pips, 13, QColor(252, 250, 240), QColor(150, 20, 24))});
    }
    for (int colour = 0; colour < dice::kColours; ++colour)
        list.push_back({QStringLiteral("dicecolor%1.png").arg(colour), dice::Render(colour, 5, 0, 64)});
    list.push_back({QStringLiteral("report.png"), Document(true)});
    list.push_back({QStringLiteral("sheet.png"), Document(false)});
    // The window's icon, in the sizes window managers draw it; the desktop
    // icon in all theme sizes is written by WriteIcons.
    for (const int size : {16, 32, 48, 64, 128})
        list.push_back({QStringLiteral("icon%1.png").arg(size), ProgramIcon(size)});
    return list;
}

} // namespace

QString WriteAll(const QString &folder)
{
    const QDir dir(QDir(folder).filePath(QStringLiteral("images")));
    if (!QDir().mkpath(dir.path()))
        return dir.path();
    for (const Output &out : Pictures()) {
        const QString path = dir.filePath(out.name);
        const bool jpeg = out.name.endsWith(QStringLiteral(".jpg"));
        if (!out.image.save(path, jpeg ? "JPG" : "PNG", jpeg ? 90 : -1))
            return path;
    }
    return {};
}

QString WriteIcons(const QString &folder, const std::vector<int> &sizes)
{
    for (const int size : sizes) {
        const QString path = QDir(folder).filePath(QStringLiteral("%1x%1.png").arg(size));
        if (!ProgramIcon(size).save(path, "PNG"))
            return path;
    }
    return {};
}

} // namespace pictures
