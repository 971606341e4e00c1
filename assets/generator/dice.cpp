// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dice.h"

#include "imagetools.h"
#include "noise.h"

#include <QDir>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

using imagetools::Clamp01;

namespace dice {

namespace {

struct Look
{
    const char *letter;
    QColor body;
    QColor pip;
    double gloss;
};

const std::array<Look, kColours> &Looks()
{
    static const std::array<Look, kColours> looks = {{
        {"w", QColor(244, 241, 231), QColor(24, 24, 30), 0.45},
        {"r", QColor(196, 28, 34), QColor(250, 248, 240), 0.6},
        {"c", QColor(28, 72, 172), QColor(250, 248, 240), 0.6},
        {"d", QColor(24, 24, 28), QColor(244, 242, 236), 0.75},
        {"a", QColor(26, 128, 62), QColor(250, 248, 240), 0.6},
        {"b", QColor(156, 158, 162), QColor(26, 26, 32), 0.5},
    }};
    return looks;
}

struct View
{
    double angleDeg;
    double sideX, sideY;  // how far the side walls show below the top face
    double lightDeg;      // direction the light comes from, in the picture plane
    double lightHeight;
};

constexpr std::array<View, kVariants> kViews = {{
    {0.0, 1.4, 2.6, 225.0, 0.75},
    {7.0, 2.6, 1.9, 238.0, 0.72},
    {-6.0, -1.3, 2.8, 212.0, 0.78},
    {3.0, 0.4, 3.0, 228.0, 0.88},
}};

struct Vec3
{
    double x, y, z;
};

Vec3 Normalised(Vec3 v)
{
    const double l = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / l, v.y / l, v.z / l};
}

double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Signed distance to a rounded square of half size h and corner radius r.
double RoundedSquare(double x, double y, double h, double r)
{
    const double qx = std::abs(x) - (h - r);
    const double qy = std::abs(y) - (h - r);
    const double mx = std::max(qx, 0.0);
    const double my = std::max(qy, 0.0);
    const double outside = std::sqrt(mx * mx + my * my);
    return outside + std::min(std::max(qx, qy), 0.0) - r;
}

// Pip centres on a face of half size 1, following the usual layout.
std::vector<std::pair<double, double>> PipCentres(int pips)
{
    const double o = 0.52;
    switch (pips) {
    case 1: return {{0, 0}};
    case 2: return {{-o, -o}, {o, o}};
    case 3: return {{-o, -o}, {0, 0}, {o, o}};
    case 4: return {{-o, -o}, {o, -o}, {-o, o}, {o, o}};
    case 5: return {{-o, -o}, {o, -o}, {0, 0}, {-o, o}, {o, o}};
    default: return {{-o, -o}, {o, -o}, {-o, 0}, {o, 0}, {-o, o}, {o, o}};
    }
}

struct Shade
{
    QColor colour;
    double coverage;
};

// One die seen from above, lit by a lamp, in picture coordinates of a 64 px
// die (the caller scales). The side walls show as a darker rim in the
// direction of the tilt.
class DieShader
{
public:
    DieShader(const Look &look, int pips, const View &view, std::uint32_t seed)
        : m_Look(look), m_View(view), m_Pips(PipCentres(pips)), m_Grain(seed),
          m_PipRadius(pips == 1 ? 0.25 : (pips == 6 ? 0.17 : 0.19))
    {
        const double a = m_View.lightDeg * std::numbers::pi / 180.0;
        m_Light = Normalised({std::cos(a), std::sin(a), m_View.lightHeight * 1.4});
        m_Half = Normalised({m_Light.x, m_Light.y, m_Light.z + 1.0});
        const double t = m_View.angleDeg * std::numbers::pi / 180.0;
        m_Cos = std::cos(t);
        m_Sin = std::sin(t);
    }

    // Colour of the sample point (x, y), or coverage 0 outside the die.
    [[nodiscard]] Shade At(double x, double y) const
    {
        const double cx = 32.0 - m_View.sideX / 2.0;
        const double cy = 32.0 - m_View.sideY / 2.0;
        const double dx = x - cx;
        const double dy = y - cy;
        const double u = m_Cos * dx + m_Sin * dy;
        const double v = -m_Sin * dx + m_Cos * dy;
        const double top = RoundedSquare(u, v, kHalf, kRadius);
        if (top <= 0.0)
            return {TopFace(u, v, top), 1.0};
        const double su = m_Cos * (dx - m_View.sideX) + m_Sin * (dy - m_View.sideY);
        const double sv = -m_Sin * (dx - m_View.sideX) + m_Cos * (dy - m_View.sideY);
        if (RoundedSquare(su, sv, kHalf, kRadius) <= 0.0)
            return {SideWall(x, y), 1.0};
        return {QColor(), 0.0};
    }

    // Distance from (x, y) to the nearest outline or pip rim:
    // where it is large, one sample tells the colour of the whole pixel.
    [[nodiscard]] double EdgeDistance(double x, double y) const
    {
        const double dx = x - (32.0 - m_View.sideX / 2.0);
        const double dy = y - (32.0 - m_View.sideY / 2.0);
        const double u = m_Cos * dx + m_Sin * dy;
        const double v = -m_Sin * dx + m_Cos * dy;
        const double su = u - (m_Cos * m_View.sideX + m_Sin * m_View.sideY);
        const double sv = v - (-m_Sin * m_View.sideX + m_Cos * m_View.sideY);
        double d = std::min(std::abs(RoundedSquare(u, v, kHalf, kRadius)), std::abs(RoundedSquare(su, sv, kHalf, kRadius)));
        for (const auto &[pu, pv] : m_Pips) {
            const double du = u - pu * kHalf;
            const double dv = v - pv * kHalf;
            d = std::min(d, std::abs(std::sqrt(du * du + dv * dv) - m_PipRadius * kHalf));
        }
        return d;
    }

private:
    static constexpr double kHalf = 26.5;
    static constexpr double kRadius = 8.5;
    static constexpr double kBevel = 5.5;

    [[nodiscard]] QColor TopFace(double u, double v, double distance) const
    {
        for (const auto &[pu, pv] : m_Pips) {
            const double ru = (u / kHalf - pu) / m_PipRadius;
            const double rv = (v / kHalf - pv) / m_PipRadius;
            const double r2 = ru * ru + rv * rv;
            if (r2 < 1.0) {
                // A pip is a shallow round dimple: its wall facing the lamp is in shade.
                const double k = 0.75;
                const Vec3 n = Normalised(RotateOut({-ru * k, -rv * k, std::sqrt(1.0 - k * k * r2)}));
                return Lit(m_Look.pip, n, 0.35, 0.3);
            }
        }
        const double depth = -distance;
        Vec3 n{0.0, 0.0, 1.0};
        if (depth < kBevel) {
            const double e = 0.01;
            const double gu = RoundedSquare(u + e, v, kHalf, kRadius) - RoundedSquare(u - e, v, kHalf, kRadius);
            const double gv = RoundedSquare(u, v + e, kHalf, kRadius) - RoundedSquare(u, v - e, kHalf, kRadius);
            const double gl = std::max(1e-9, std::hypot(gu, gv));
            const double phi = (1.0 - depth / kBevel) * 1.35;
            n = RotateOut({gu / gl * std::sin(phi), gv / gl * std::sin(phi), std::cos(phi)});
        }
        const double grain = 0.018 * m_Grain.Fractal(u * 0.35, v * 0.35, 3);
        // The face is a little brighter towards the lamp, and a glossy one
        // shows the lamp as a soft spot there.
        const double falloff = 0.05 * (u * m_Light.x + v * m_Light.y) / kHalf;
        const double su = u - m_Light.x * 12.0;
        const double sv = v - m_Light.y * 12.0;
        const double sheen = 0.22 * m_Look.gloss * std::exp(-(su * su + sv * sv) / 200.0);
        return Lit(m_Look.body, n, m_Look.gloss, grain + falloff + sheen);
    }

    [[nodiscard]] QColor SideWall(double x, double y) const
    {
        const Vec3 n = Normalised({m_View.sideX, m_View.sideY, 1.2});
        const double along = ((x - 32.0) * m_View.sideY - (y - 32.0) * m_View.sideX) / 64.0;
        return Lit(m_Look.body, n, 0.15, -0.18 + 0.05 * along);
    }

    [[nodiscard]] Vec3 RotateOut(Vec3 n) const { return {m_Cos * n.x - m_Sin * n.y, m_Sin * n.x + m_Cos * n.y, n.z}; }

    [[nodiscard]] QColor Lit(QColor base, Vec3 n, double gloss, double offset) const
    {
        const double diffuse = 0.58 + 0.5 * std::max(0.0, Dot(n, m_Light)) + offset;
        const double specular = gloss * std::pow(std::max(0.0, Dot(n, m_Half)), 60.0);
        const auto channel = [&](int c) { return imagetools::ToByte(c / 255.0 * diffuse + specular); };
        return QColor(channel(base.red()), channel(base.green()), channel(base.blue()));
    }

    const Look &m_Look;
    const View &m_View;
    std::vector<std::pair<double, double>> m_Pips;
    ValueNoise m_Grain;
    double m_PipRadius;
    Vec3 m_Light{};
    Vec3 m_Half{};
    double m_Cos = 1.0;
    double m_Sin = 0.0;
};

} // namespace

QString Letter(int colour) { return QLatin1String(Looks().at(static_cast<std::size_t>(colour)).letter); }

QImage Render(int colour, int pips, int variant, int size)
{
    const DieShader shader(Looks().at(static_cast<std::size_t>(colour)), pips,
                           kViews.at(static_cast<std::size_t>(variant)),
                           static_cast<std::uint32_t>(colour * 97 + pips * 13 + variant));
    constexpr int kSub = 3;
    QImage out = imagetools::Transparent(size, size);
    const double scale = 64.0 / size;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double cx = (x + 0.5) * scale;
            const double cy = (y + 0.5) * scale;
            if (shader.EdgeDistance(cx, cy) > 1.5 * scale) {
                const Shade s = shader.At(cx, cy);
                if (s.coverage > 0.0)
                    out.setPixel(x, y, s.colour.rgb());
                continue;
            }
            double r = 0, g = 0, b = 0, cover = 0;
            for (int sy = 0; sy < kSub; ++sy)
                for (int sx = 0; sx < kSub; ++sx) {
                    const Shade s = shader.At((x + (sx + 0.5) / kSub) * scale, (y + (sy + 0.5) / kSub) * scale);
                    if (s.coverage <= 0.0)
                        continue;
                    r += s.colour.red();
                    g += s.colour.green();
                    b += s.colour.blue();
                    cover += 1.0;
                }
            if (cover > 0.0)
                out.setPixel(x, y, qRgba(static_cast<int>(r / cover + 0.5), static_cast<int>(g / cover + 0.5),
                                         static_cast<int>(b / cover + 0.5),
                                         static_cast<int>(255.0 * cover / (kSub * kSub) + 0.5)));
        }
    }
    return out;
}

QImage RenderKeyed(int colour, int pips, int variant, int size)
{
    return imagetools::OntoKey(Render(colour, pips, variant, size), Qt::black, Qt::black, 1);
}

QImage Face(int pips, int size, QColor body, QColor pip)
{
    QImage image = imagetools::Transparent(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    QLinearGradient shade(0, 0, s, s);
    shade.setColorAt(0, body.lighter(108));
    shade.setColorAt(1, body.darker(112));
    p.setPen(QPen(body.darker(190), 1.0));
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(0.5, 0.5, s - 1.0, s - 1.0), s * 0.22, s * 0.22);
    p.setPen(Qt::NoPen);
    p.setBrush(pip);
    const double radius = s * (pips == 1 ? 0.15 : (pips == 6 ? 0.1 : 0.112));
    for (const auto &[u, v] : PipCentres(pips))
        p.drawEllipse(QPointF(s / 2 + u * s * 0.445, s / 2 + v * s * 0.445), radius, radius);
    return image;
}

QString WriteAll(const QString &folder)
{
    for (int colour = 0; colour < kColours; ++colour)
        for (int pips = 1; pips <= 6; ++pips)
            for (int variant = 0; variant < kVariants; ++variant) {
                const QString path = QDir(folder).filePath(Letter(colour) + QString::number(pips) + QString::number(variant) + QStringLiteral(".bmp"));
                if (!RenderKeyed(colour, pips, variant, 64).save(path, "BMP"))
                    return path;
            }
    return {};
}

} // namespace dice
