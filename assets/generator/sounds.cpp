// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sounds.h"

#include "synth.h"

#include <QDir>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

using namespace synth;

namespace sounds {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

std::uint32_t SeedOf(const QString &name)
{
    std::uint32_t h = 2166136261u;
    for (QChar c : name) {
        h ^= c.unicode();
        h *= 16777619u;
    }
    return h;
}

// Semitones above A4.
double Note(int semitones) { return 440.0 * std::pow(2.0, semitones / 12.0); }

const Impact &DieOnDie()
{
    static const Impact i{0.5, 0.0012, 4200, 1.2, {{3100, 0.010, 0.5}, {5300, 0.007, 0.35}, {7600, 0.004, 0.2}}, 0.1};
    return i;
}

Impact DieInCup(double size)
{
    return {0.6, 0.002, 2400 / size, 1.0,
            {{560 / size, 0.022, 0.55}, {1240 / size, 0.016, 0.35}, {2150 / size, 0.010, 0.25}, {3300, 0.008, 0.3}},
            0.05};
}

const Impact &DieOnWood()
{
    static const Impact i{0.7, 0.0015, 3000, 1.0,
                          {{170, 0.030, 0.55}, {395, 0.020, 0.45}, {880, 0.012, 0.35}, {3400, 0.009, 0.35},
                           {5600, 0.005, 0.2}},
                          0.07};
    return i;
}

const Impact &DieOnHardTable()
{
    static const Impact i{0.8, 0.0010, 3800, 1.3,
                          {{240, 0.018, 0.4}, {610, 0.014, 0.4}, {1500, 0.010, 0.3}, {3900, 0.010, 0.45}}, 0.08};
    return i;
}

const Impact &DieOnFelt()
{
    static const Impact i{1.0, 0.004, 1100, 0.8, {{130, 0.018, 0.45}, {2500, 0.004, 0.12}}, 0.1};
    return i;
}

// Cup rattled back and forth: each stroke throws the dice against the wall,
// and in between they knock against each other.
Samples Shake(int dice, Rng &rng)
{
    const double length = rng.Range(0.68, 1.12);
    Samples out = Silence(length);
    const double strokeRate = rng.Range(6.5, 9.0);
    const Impact cup = DieInCup(rng.Range(0.85, 1.2));
    const double last = length - 0.09;
    for (double stroke = rng.Range(0.005, 0.03); stroke < last; stroke += (1.0 + 0.12 * rng.Signed()) / strokeRate) {
        for (int d = 0; d < dice; ++d)
            if (rng.Uniform() > 0.12)
                AddImpact(out, stroke + rng.Range(0.0, 0.012 + 0.006 * dice), rng.Range(0.45, 1.0), cup, rng);
    }
    const double rattles = 9.0 * dice * (dice > 1 ? 1.0 : 0.4);
    for (double t = rng.Range(0.0, 0.05); t < last; t += rng.Range(0.3, 1.7) / rattles)
        AddImpact(out, t, rng.Range(0.12, 0.4), rng.Uniform() < 0.6 ? DieOnDie() : cup, rng);
    AddNoise(out, 0.0, length, 0.06, Biquad::LowPass(500, 0.7), rng,
             [strokeRate, length](double x) { return std::abs(std::sin(std::numbers::pi * strokeRate * x * length)); });
    return out;
}

// One die falling onto the table: bounces shortening as it loses energy,
// a tumble over its edges and a last wobble before it lies.
void AddRollingDie(Samples &out, double length, const Impact &table, double liveliness, Rng &rng)
{
    double t = rng.Range(0.004, 0.07);
    double gap = rng.Range(0.08, 0.15) * liveliness;
    double gain = rng.Range(0.8, 1.0);
    while (gap > 0.02 && gain > 0.1) {
        AddImpact(out, t, gain, table, rng);
        t += gap;
        gap *= rng.Range(0.55, 0.72);
        gain *= rng.Range(0.55, 0.75);
    }
    const double rollEnd = std::max(t + 0.05, rng.Range(0.45, length - 0.15) * std::min(1.0, liveliness));
    for (; t < rollEnd; t += rng.Range(0.035, 0.09) / liveliness)
        AddImpact(out, t, gain * rng.Range(0.4, 1.0) * (1.0 - 0.6 * (t / rollEnd)), table, rng);
    for (double wobble : {0.0, 0.032, 0.055, 0.07})
        AddImpact(out, rollEnd + wobble, gain * (0.6 - 4.0 * wobble), table, rng);
}

Samples Roll(int dice, const Impact &table, double liveliness, Rng &rng)
{
    const double length = rng.Range(0.78, 1.32);
    Samples out = Silence(length);
    for (int d = 0; d < dice; ++d)
        AddRollingDie(out, length, table, liveliness, rng);
    for (int k = 0; k < (dice - 1) * 2; ++k)
        AddImpact(out, rng.Range(0.03, 0.45), rng.Range(0.2, 0.5), DieOnDie(), rng);
    return out;
}

// Dice dropped back into the cup.
Samples Into(int dice, double cupSize, Rng &rng)
{
    const double length = rng.Range(0.34, 0.56);
    Samples out = Silence(length);
    const Impact cup = DieInCup(cupSize);
    for (int d = 0; d < dice; ++d) {
        const double t = rng.Range(0.005, 0.06 + 0.02 * dice);
        AddImpact(out, t, rng.Range(0.75, 1.0), cup, rng);
        AddImpact(out, t + rng.Range(0.04, 0.07), rng.Range(0.25, 0.45), cup, rng);
        AddImpact(out, t + rng.Range(0.09, 0.16), rng.Range(0.08, 0.2), DieOnDie(), rng);
    }
    return out;
}

Samples Click(Rng &rng)
{
    Samples out = Silence(0.09);
    AddImpact(out, 0.003, 1.0, DieOnDie(), rng);
    AddImpact(out, 0.028, 0.55, DieOnHardTable(), rng);
    return out;
}

Samples PencilTick(Rng &rng)
{
    Samples out = Silence(0.22);
    AddNoise(out, 0.004, 0.06, 1.0, Biquad::HighPass(2200, 0.8), rng, [](double x) { return std::exp(-x * 5.0); });
    AddNoise(out, 0.07, 0.12, 0.6, Biquad::BandPass(4000, 1.0), rng, [](double x) { return std::sin(std::numbers::pi * x); });
    static const Impact tap{0.2, 0.001, 2000, 1.0, {{420, 0.012, 0.5}, {1100, 0.006, 0.2}}, 0.05};
    AddImpact(out, 0.004, 0.6, tap, rng);
    return out;
}

// Crossing a field out: three quick pencil strokes to and fro, each rough
// with the grain of the paper.
Samples PencilScratch(Rng &rng)
{
    Samples out = Silence(0.46);
    Biquad grain = Biquad::LowPass(110, 0.7);
    Samples texture(out.size());
    for (double &g : texture)
        g = 0.3 + 7.0 * std::abs(grain.Process(rng.Signed()));
    Samples strokes = Silence(0.46);
    const double starts[] = {0.01, 0.15, 0.29};
    for (int k = 0; k < 3; ++k)
        AddNoise(strokes, starts[k], starts[k] + 0.12, 1.0 - 0.12 * k, Biquad::BandPass(3000 + 500 * k, 1.3), rng,
                 [](double x) { return std::sin(std::numbers::pi * x) * (0.7 + 0.3 * x); });
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = strokes[i] * texture[i];
    return out;
}

// A low, muffled knock with a falling pitch: "that did nothing".
void AddBonk(Samples &out, double t, double freq, double gain)
{
    const int start = ToIndex(t);
    double phase = 0.0;
    for (int i = 0; i < ToIndex(0.5); ++i) {
        const double s = static_cast<double>(i) / kSampleRate;
        const double f = freq * (1.0 - 0.25 * std::min(1.0, s / 0.12));
        phase += kTwoPi * f / kSampleRate;
        const double env = std::min(1.0, s / 0.008) * std::exp(-s / 0.055);
        const std::size_t at = static_cast<std::size_t>(start + i);
        if (at < out.size())
            out[at] += gain * env * (std::sin(phase) + 0.25 * std::sin(2.0 * phase));
    }
}

Samples Refusal(bool twice, Rng &rng)
{
    Samples out = Silence(twice ? 0.34 : 0.26);
    AddBonk(out, 0.004, twice ? 210.0 : 175.0, 1.0);
    if (twice)
        AddBonk(out, 0.12, 150.0, 0.85);
    AddImpact(out, 0.004, 0.4, DieOnFelt(), rng);
    return out;
}

Samples Cancel(Rng &rng)
{
    Samples out = Silence(0.8);
    const int notes[] = {-2, -5, -9};
    for (int k = 0; k < 3; ++k)
        AddPluck(out, 0.01 + 0.16 * k, 0.7 - 0.16 * k, Note(notes[k]), 1.0 - 0.15 * k);
    AddImpact(out, 0.005, 0.3, DieOnFelt(), rng);
    return out;
}

void AddShimmer(Samples &out, double t, double length, double gain, Rng &rng)
{
    AddNoise(out, t, t + length, gain, Biquad::HighPass(6500, 0.7), rng, [](double x) { return std::exp(-x * 6.0); });
}

Samples BonusChime(Rng &rng)
{
    Samples out = Silence(1.25);
    const int notes[] = {15, 19, 22, 27};
    for (int k = 0; k < 4; ++k)
        AddBell(out, 0.005 + 0.075 * k, Note(notes[k]), 0.8, 0.35);
    AddBell(out, 0.33, Note(27), 0.5, 0.5);
    AddShimmer(out, 0.005, 0.8, 0.08, rng);
    return out;
}

// One voice of a cheering crowd: a rising "yeah" (a buzzing vocal tone shaped
// by an open vowel) with a little breath.
void AddVoice(Samples &out, double t0, double t1, double gain, Rng &rng)
{
    const double pitch = rng.Range(140.0, 340.0);
    const double peakAt = rng.Range(0.15, 0.45);
    const double vibratoRate = rng.Range(4.5, 6.5);
    Biquad low = Biquad::BandPass(rng.Range(620, 820), 2.5);
    Biquad high = Biquad::BandPass(rng.Range(1050, 1350), 3.0);
    const int first = ToIndex(t0);
    const int last = std::min(ToIndex(t1), static_cast<int>(out.size()));
    double phase = 0.0;
    for (int i = std::max(first, 0); i < last; ++i) {
        const double s = static_cast<double>(i - first) / kSampleRate;
        const double x = static_cast<double>(i - first) / std::max(1, last - first);
        const double env = x < peakAt ? x / peakAt : std::exp(-(x - peakAt) * 2.5);
        const double glide = 1.0 + 0.12 * std::min(1.0, s / 0.3) + 0.01 * std::sin(kTwoPi * vibratoRate * s);
        phase += pitch * glide / kSampleRate;
        phase -= std::floor(phase);
        const double source = (2.0 * phase - 1.0) + 0.3 * rng.Signed();
        out[static_cast<std::size_t>(i)] += gain * env * (low.Process(source) + 0.6 * high.Process(source));
    }
}

// A crowd cheering, with applause for the bigger moments.
void AddCheer(Samples &out, double t, double length, int voices, double claps, double gain, Rng &rng)
{
    for (int v = 0; v < voices; ++v)
        AddVoice(out, t + rng.Range(0.0, 0.15), t + length, gain / std::sqrt(voices), rng);
    static const Impact clap{1.0, 0.006, 1600, 0.9, {{900, 0.005, 0.2}}, 0.2};
    const int clapCount = static_cast<int>(claps * length);
    for (int c = 0; c < clapCount; ++c) {
        const double at = t + length * std::pow(rng.Uniform(), 1.3);
        AddImpact(out, at, gain * 0.35 * rng.Range(0.4, 1.0) * (1.0 - (at - t) / length), clap, rng);
    }
}

Samples Hit(int level, Rng &rng)
{
    const double length = 0.9 + 0.28 * (level - 1);
    Samples out = Silence(length);
    const int scale[] = {0, 4, 7, 12, 16, 19, 24, 28, 31};
    const int root = 3 + 2 * (level - 1);
    const int notes = std::min(level + 2, 9);
    for (int k = 0; k < notes; ++k)
        AddBrass(out, 0.01 + 0.08 * k, k + 1 == notes ? length * 0.45 : 0.09, Note(root + scale[k] - 12), 0.55);
    AddBell(out, 0.01 + 0.08 * notes, Note(root + 12), 0.4, 0.4);
    AddCheer(out, 0.05, length - 0.07, 6 + 4 * level, level >= 3 ? 12.0 * (level - 2) : 0.0, 0.25 + 0.12 * level, rng);
    return out;
}

void AddTimpani(Samples &out, double t, double gain, Rng &rng)
{
    static const Impact drum{0.4, 0.004, 500, 0.8, {{88, 0.35, 1.0}, {141, 0.22, 0.5}, {190, 0.15, 0.3}}, 0.01};
    AddImpact(out, t, gain, drum, rng);
}

Samples Fanfare(Rng &rng)
{
    Samples out = Silence(3.4);
    struct Step
    {
        double at, length;
        int note;
    };
    const Step melody[] = {{0.02, 0.14, -2}, {0.19, 0.14, 3}, {0.36, 0.14, 7}, {0.53, 0.45, 10},
                           {1.04, 0.14, 7},  {1.21, 1.9, 10}};
    for (const Step &s : melody)
        AddBrass(out, s.at, s.length, Note(s.note), 0.7);
    for (int chord : {-9, -5, -2, 3})
        AddBrass(out, 1.21, 1.9, Note(chord), 0.35);
    for (double at : {0.02, 0.53, 1.21})
        AddTimpani(out, at, 1.0, rng);
    for (int k = 0; k < 8; ++k)
        AddTimpani(out, 2.3 + 0.055 * k, 0.3 + 0.08 * k, rng);
    AddTimpani(out, 2.75, 1.0, rng);
    AddShimmer(out, 1.21, 1.9, 0.18, rng);
    return out;
}

// A calm, slowly repeating figure under a soft chord, for as long as the
// confirm dialogs wait.
Samples Waiting(Rng &rng)
{
    const double length = 8.0;
    Samples out = Silence(length);
    const int figure[] = {3, 10, 7, 12, 10, 7, 5, 7};
    for (int k = 0; k < 16; ++k)
        AddMarimba(out, 0.02 + 0.5 * k, Note(figure[k % 8]), 0.55 - 0.015 * k);
    for (int chord : {-21, -14, -9}) {
        const double f = Note(chord);
        for (std::size_t i = 0; i < out.size(); ++i) {
            const double s = static_cast<double>(i) / kSampleRate;
            const double swell = std::min(1.0, s / 1.0) * std::min(1.0, (length - s) / 1.0);
            out[i] += 0.07 * swell * (1.0 + 0.3 * std::sin(kTwoPi * 0.25 * s)) * std::sin(kTwoPi * f * s);
        }
    }
    AddImpact(out, 0.02, 0.05, DieOnFelt(), rng);
    return out;
}

Samples Jingle(Rng &rng)
{
    Samples out = Silence(3.5);
    for (int d = 0; d < 3; ++d)
        AddRollingDie(out, 0.85, DieOnWood(), 0.8, rng);
    const std::pair<double, int> tune[] = {{0.9, 3}, {1.05, 7}, {1.2, 10}, {1.35, 15}, {1.6, 10}, {1.75, 12}};
    for (const auto &[at, note] : tune)
        AddMarimba(out, at, Note(note), 0.7);
    for (int chord : {3, 7, 10, 15})
        AddBell(out, 2.0, Note(chord), 0.35, 0.55);
    AddPluck(out, 2.0, 1.4, Note(-21), 0.6);
    AddShimmer(out, 2.0, 1.2, 0.06, rng);
    return out;
}

struct Recipe
{
    QString name;
    double peakDb;
    std::function<Samples(Rng &)> make;
};

QString TwoDigits(int v) { return QString::number(v).rightJustified(2, QLatin1Char('0')); }

std::vector<Recipe> Recipes()
{
    std::vector<Recipe> list;
    for (int n = 1; n <= 5; ++n)
        for (int v = 1; v <= 12; ++v)
            list.push_back({QString::number(n) + QStringLiteral("w") + TwoDigits(v), -4.0,
                            [n](Rng &r) { return Shake(n, r); }});
    const std::pair<const char *, std::function<Samples(int, Rng &)>> families[] = {
        {"wda0", [](int n, Rng &r) { return Roll(n, DieOnHardTable(), 1.0, r); }},
        {"wdr0", [](int n, Rng &r) { return Into(n, 1.15, r); }},
        {"wds0", [](int n, Rng &r) { return Roll(n, DieOnFelt(), 0.7, r); }},
        {"wka0", [](int n, Rng &r) { return Roll(n, DieOnWood(), 1.0, r); }},
        {"wkr0", [](int n, Rng &r) { return Into(n, 0.9, r); }},
        {"wks0", [](int n, Rng &r) { return Roll(n, DieOnFelt(), 0.75, r); }},
    };
    for (const auto &[family, make] : families)
        for (int n = 1; n <= 5; ++n)
            for (int v = 1; v <= 3; ++v)
                list.push_back({QString::number(n) + QLatin1String(family) + QString::number(v), -3.0,
                                [n, make = make](Rng &r) { return make(n, r); }});
    for (int level = 1; level <= 7; ++level)
        list.push_back({QStringLiteral("hit") + QString::number(level), -7.5 + 0.9 * level, [level](Rng &r) { return Hit(level, r); }});
    list.push_back({QStringLiteral("strike"), -6.0, PencilScratch});
    list.push_back({QStringLiteral("KlickDice"), -5.0, Click});
    list.push_back({QStringLiteral("choose"), -5.0, PencilTick});
    list.push_back({QStringLiteral("cancel"), -5.0, Cancel});
    list.push_back({QStringLiteral("hero"), -1.0, Fanfare});
    list.push_back({QStringLiteral("False_Game"), -5.0, [](Rng &r) { return Refusal(false, r); }});
    list.push_back({QStringLiteral("False_Set"), -5.0, [](Rng &r) { return Refusal(true, r); }});
    list.push_back({QStringLiteral("Boni"), -2.0, BonusChime});
    list.push_back({QStringLiteral("Wait"), -9.0, Waiting});
    return list;
}

QString Write(const QString &folder, const QString &file, const Recipe &recipe)
{
    Rng rng(SeedOf(recipe.name));
    const QString path = QDir(folder).filePath(file);
    return WriteWav(path, Finish(recipe.make(rng), recipe.peakDb)) ? QString() : path;
}

} // namespace

QStringList CatalogueNames()
{
    QStringList names;
    for (const Recipe &r : Recipes())
        names << r.name;
    return names;
}

QString WriteAll(const QString &folder)
{
    for (const Recipe &r : Recipes())
        if (QString failed = Write(folder, r.name + QStringLiteral(".wav"), r); !failed.isEmpty())
            return failed;
    return Write(folder, QStringLiteral("intro.WAV"), {QStringLiteral("intro"), -2.0, Jingle});
}

} // namespace sounds
