// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "backgrounds.h"

#include "imagetools.h"
#include "noise.h"

#include <QDir>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>
#include <thread>

using imagetools::Clamp01;
using imagetools::ToByte;

namespace backgrounds {

namespace {

struct Rgb
{
    double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
Rgb Scale(Rgb a, double f) { return {a.r * f, a.g * f, a.b * f}; }

using Shader = std::function<Rgb(int x, int y)>;

// A smooth function sampled every `step` pixels and read back bilinearly:
// large-scale noise costs almost nothing this way.
class Grid
{
public:
    Grid(int width, int height, int step, const std::function<double(double, double)> &f)
        : m_Step(step), m_Columns(width / step + 2)
    {
        const int rows = height / step + 2;
        m_Values.resize(static_cast<std::size_t>(m_Columns * rows));
        for (int j = 0; j < rows; ++j)
            for (int i = 0; i < m_Columns; ++i)
                m_Values[static_cast<std::size_t>(j * m_Columns + i)] = f(i * step, j * step);
    }

    [[nodiscard]] double At(int x, int y) const
    {
        const int i = x / m_Step;
        const int j = y / m_Step;
        const double tx = static_cast<double>(x - i * m_Step) / m_Step;
        const double ty = static_cast<double>(y - j * m_Step) / m_Step;
        const auto v = [this](int a, int b) { return m_Values[static_cast<std::size_t>(b * m_Columns + a)]; };
        const double top = v(i, j) + tx * (v(i + 1, j) - v(i, j));
        const double bottom = v(i, j + 1) + tx * (v(i + 1, j + 1) - v(i, j + 1));
        return top + ty * (bottom - top);
    }

private:
    int m_Step;
    int m_Columns;
    std::vector<double> m_Values;
};

void PaintRows(QImage &image, const Shader &shader, int first, int step)
{
    const int width = image.width();
    const int height = image.height();
    for (int y = first; y < height; y += step) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            // A lamp above the middle of the table.
            const double dx = (x - width / 2.0) / width;
            const double dy = (y - height / 2.0) / height;
            const Rgb c = Scale(shader(x, y), 1.08 - 0.55 * (dx * dx + dy * dy));
            line[x] = qRgb(ToByte(c.r), ToByte(c.g), ToByte(c.b));
        }
    }
}

// Every pixel depends on its position only, so the rows can be shared out.
QImage Paint(int width, int height, const Shader &shader)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::thread helper(PaintRows, std::ref(image), std::cref(shader), 1, 2);
    PaintRows(image, shader, 0, 2);
    helper.join();
    return image;
}

// Felt: dense fibres (fine noise) over a slow mottling where the cloth was
// brushed unevenly.
Shader Felt(Rgb base, std::uint32_t seed, double fibre, int width, int height)
{
    const ValueNoise noise(seed);
    auto mottle = std::make_shared<Grid>(width, height, 8,
                                         [noise](double x, double y) { return noise.Fractal(x / 420.0, y / 420.0, 3); });
    return [base, fibre, noise, mottle](int x, int y) {
        const double nap = noise.Fractal(x / 9.0, y / 9.0, 2);
        const double grain = noise.Lattice(x, y);
        return Scale(base, 1.0 + 0.07 * mottle->At(x, y) + fibre * (0.6 * nap + 0.4 * grain));
    };
}

struct WoodStyle
{
    Rgb light, dark;
    double plankHeight;
    double ringScale;
    double knots;
    double wear;
    std::uint32_t seed;
};

// Where a pixel lies on the planks: which plank and board, and how far
// along and across it.
struct PlankSpot
{
    int plank, board;
    double across, along, fromBoardStart, boardLength;
};

PlankSpot Locate(const WoodStyle &style, const ValueNoise &noise, int x, int y)
{
    const int plank = static_cast<int>(std::floor(y / style.plankHeight));
    const double offset = 1000.0 * (noise.Lattice(plank, 7) + 1.0);
    const double length = 1100.0 + 400.0 * noise.Lattice(plank, 3);
    const double along = x + offset;
    const int board = static_cast<int>(std::floor(along / length));
    return {plank, board, y - plank * style.plankHeight, along, along - board * length, length};
}

// Planks laid lengthwise: growth rings bent by noise, fibres along the
// plank, dark seams and, for older wood, worn patches and scratches.
Shader Wood(const WoodStyle &style, int width, int height)
{
    const ValueNoise noise(style.seed);
    // The bend of the rings changes slowly along a board only.
    const int planks = static_cast<int>(height / style.plankHeight) + 2;
    auto bends = std::make_shared<std::vector<double>>(static_cast<std::size_t>(planks * width));
    for (int p = 0; p < planks; ++p)
        for (int x = 0; x < width; ++x) {
            const PlankSpot s = Locate(style, noise, x, static_cast<int>(p * style.plankHeight));
            (*bends)[static_cast<std::size_t>(p * width + x)] =
                14.0 * noise.Fractal(s.along / 900.0, p * 3.1 + s.board, 2) + 5.0 * noise.At(s.along / 260.0, p * 5.3 + s.board);
        }
    auto worn = std::make_shared<Grid>(width, height, 8, [noise](double x, double y) { return noise.Fractal(x / 300.0, y / 300.0, 3); });
    return [style, noise, bends, worn, width](int x, int y) {
        const PlankSpot s = Locate(style, noise, x, y);
        // Flat-sawn boards: the rings swell into arches here and there.
        double rings = (s.across + (*bends)[static_cast<std::size_t>(s.plank * width + x)]) / style.ringScale + 3.7 * s.board +
                       0.9 * noise.At(s.along / 380.0, s.across / 55.0 + s.board * 7.0);
        if (style.knots > 0.0) {
            const double kx = s.boardLength * (0.3 + 0.4 * (noise.Lattice(s.board, s.plank) + 1.0) / 2.0);
            const double ky = style.plankHeight * (0.35 + 0.15 * noise.Lattice(s.plank, s.board));
            const double ex = (s.fromBoardStart - kx) / 2.6;
            const double ey = s.across - ky;
            const double d = std::sqrt(ex * ex + ey * ey);
            rings += style.knots * 90.0 / (d + 12.0) + (d < 9.0 ? 3.0 : 0.0);
        }
        const double wave = 0.5 + 0.5 * std::sin(rings * 6.2832);
        const double ring = wave * wave * wave;
        const double fibres = noise.Fractal(s.along / 60.0, s.across * 1.4 + 100.0 * s.board, 2);
        const double tone = 0.08 * noise.Lattice(s.plank * 31 + s.board, 11);
        Rgb c = Mix(style.light, style.dark, Clamp01(0.25 + 0.55 * ring + 0.25 * fibres + tone));
        if (style.wear > 0.0) {
            c = Mix(c, Rgb{0.45, 0.40, 0.34}, Clamp01(style.wear * (0.5 + worn->At(x, y))));
            if (std::abs(noise.Fractal(x / 40.0 + y / 700.0, y / 3.0, 2)) < 0.012)
                c = Scale(c, 0.82);
        }
        const double seamAcross = std::min(s.across, style.plankHeight - s.across);
        const double seam = std::min(seamAcross, std::min(s.fromBoardStart, s.boardLength - s.fromBoardStart));
        if (seam < 2.5)
            return Scale(c, 0.35 + 0.2 * seam);
        return seamAcross < 6.0 ? Scale(c, 0.85 + 0.025 * seamAcross) : c;
    };
}

// Deep water seen through a blue cloth: felt with slow bands of light.
Shader Ocean(int width, int height)
{
    const ValueNoise noise(77);
    auto waves = std::make_shared<Grid>(width, height, 4, [noise](double x, double y) {
        const double w = noise.Fractal(x / 260.0 + 0.4 * noise.At(y / 300.0, x / 500.0), y / 110.0, 3);
        return std::pow(1.0 - std::abs(w), 6.0);
    });
    return [felt = Felt({0.07, 0.26, 0.46}, 505, 0.06, width, height), waves](int x, int y) {
        return Mix(felt(x, y), Rgb{0.20, 0.52, 0.70}, 0.35 * waves->At(x, y));
    };
}

Shader ShaderOf(int n, int w, int h)
{
    switch (n) {
    case 0: return Felt({0.10, 0.42, 0.19}, 101, 0.09, w, h);
    case 1: return Wood({{0.36, 0.21, 0.11}, {0.16, 0.08, 0.04}, 190.0, 26.0, 0.0, 0.0, 202}, w, h);
    case 2: return Wood({{0.55, 0.40, 0.27}, {0.29, 0.19, 0.11}, 240.0, 34.0, 0.5, 0.28, 303}, w, h);
    case 3: return Wood({{0.86, 0.68, 0.43}, {0.66, 0.44, 0.22}, 220.0, 22.0, 1.0, 0.0, 404}, w, h);
    case 4: return Felt({0.42, 0.07, 0.12}, 505, 0.09, w, h);
    case 5: return Ocean(w, h);
    default: return Felt({0.09, 0.09, 0.095}, 606, 0.24, w, h);
    }
}

} // namespace

QImage Render(int n, int width, int height) { return Paint(width, height, ShaderOf(n, width, height)); }

QString WriteAll(const QString &folder)
{
    for (int n = 0; n <= 6; ++n) {
        const QString path = QDir(folder).filePath(QString::number(n) + QStringLiteral(".jpg"));
        if (!Render(n, kWidth, kHeight).save(path, "JPG", 90))
            return path;
    }
    return {};
}

} // namespace backgrounds
