// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "synth.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace synth {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

struct Coefficients
{
    double w0, cosW, alpha;
};

Coefficients Prepare(double freq, double q)
{
    const double w0 = kTwoPi * std::clamp(freq, 10.0, kSampleRate * 0.45) / kSampleRate;
    return {w0, std::cos(w0), std::sin(w0) / (2.0 * q)};
}

void Add(Samples &out, int index, double value)
{
    if (index >= 0 && index < static_cast<int>(out.size()))
        out[static_cast<std::size_t>(index)] += value;
}

// Sums sine partials with their own decays, from t for at most length seconds.
void AddPartials(Samples &out, double t, double length, double freq, double gain, const std::vector<Mode> &partials,
                 double attack)
{
    const int start = ToIndex(t);
    const int count = ToIndex(length);
    for (const Mode &p : partials) {
        const double f = freq * p.freq;
        if (f >= kSampleRate * 0.45)
            continue;
        const double step = kTwoPi * f / kSampleRate;
        const double fall = std::exp(-1.0 / (p.decay * kSampleRate));
        double level = gain * p.amp;
        for (int i = 0; i < count; ++i) {
            const double rise = std::min(1.0, i / (attack * kSampleRate + 1.0));
            Add(out, start + i, rise * level * std::sin(step * i));
            level *= fall;
        }
    }
}

} // namespace

Biquad Biquad::LowPass(double freq, double q)
{
    const auto c = Prepare(freq, q);
    Biquad f;
    const double a0 = 1 + c.alpha;
    f.m_B0 = (1 - c.cosW) / 2 / a0;
    f.m_B1 = (1 - c.cosW) / a0;
    f.m_B2 = f.m_B0;
    f.m_A1 = -2 * c.cosW / a0;
    f.m_A2 = (1 - c.alpha) / a0;
    return f;
}

Biquad Biquad::HighPass(double freq, double q)
{
    const auto c = Prepare(freq, q);
    Biquad f;
    const double a0 = 1 + c.alpha;
    f.m_B0 = (1 + c.cosW) / 2 / a0;
    f.m_B1 = -(1 + c.cosW) / a0;
    f.m_B2 = f.m_B0;
    f.m_A1 = -2 * c.cosW / a0;
    f.m_A2 = (1 - c.alpha) / a0;
    return f;
}

Biquad Biquad::BandPass(double freq, double q)
{
    const auto c = Prepare(freq, q);
    Biquad f;
    const double a0 = 1 + c.alpha;
    f.m_B0 = c.alpha / a0;
    f.m_B1 = 0;
    f.m_B2 = -c.alpha / a0;
    f.m_A1 = -2 * c.cosW / a0;
    f.m_A2 = (1 - c.alpha) / a0;
    return f;
}

double Biquad::Process(double x)
{
    const double y = m_B0 * x + m_B1 * m_X1 + m_B2 * m_X2 - m_A1 * m_Y1 - m_A2 * m_Y2;
    m_X2 = m_X1;
    m_X1 = x;
    m_Y2 = m_Y1;
    m_Y1 = y;
    return y;
}

void AddImpact(Samples &out, double t, double gain, const Impact &impact, Rng &rng)
{
    const int start = ToIndex(t);
    Biquad band = Biquad::BandPass(impact.noiseFreq * (1.0 + 0.15 * rng.Signed()), impact.noiseQ);
    const int burst = ToIndex(impact.noiseDecay * 6.0);
    const double burstFall = std::exp(-1.0 / (impact.noiseDecay * kSampleRate));
    double level = gain * impact.noiseAmp;
    for (int i = 0; i < burst; ++i) {
        Add(out, start + i, level * band.Process(rng.Signed()));
        level *= burstFall;
    }
    for (const Mode &m : impact.modes) {
        const double f = m.freq * (1.0 + impact.detune * rng.Signed());
        const double phase = rng.Range(0.0, kTwoPi);
        const double step = kTwoPi * f / kSampleRate;
        const double fall = std::exp(-1.0 / (m.decay * kSampleRate));
        const int length = ToIndex(m.decay * 7.0);
        double a = gain * m.amp * rng.Range(0.6, 1.0);
        for (int i = 0; i < length; ++i) {
            Add(out, start + i, a * std::sin(phase + step * i));
            a *= fall;
        }
    }
}

void AddBell(Samples &out, double t, double freq, double gain, double decay)
{
    static const std::vector<Mode> partials = {
        {1.0, 1.0, 1.0}, {2.0, 0.6, 0.45}, {2.76, 0.35, 0.3}, {5.4, 0.15, 0.18}, {8.93, 0.08, 0.1}};
    std::vector<Mode> scaled = partials;
    for (Mode &p : scaled)
        p.decay *= decay;
    AddPartials(out, t, decay * 5.0, freq, gain, scaled, 0.002);
}

void AddMarimba(Samples &out, double t, double freq, double gain)
{
    static const std::vector<Mode> partials = {{1.0, 0.35, 1.0}, {3.93, 0.06, 0.35}, {9.2, 0.02, 0.15}};
    AddPartials(out, t, 1.8, freq, gain, partials, 0.001);
}

void AddBrass(Samples &out, double t, double duration, double freq, double gain)
{
    const int start = ToIndex(t);
    const int count = ToIndex(duration + 0.12);
    const double attack = 0.05;
    double phase = 0.0;
    for (int i = 0; i < count; ++i) {
        const double s = static_cast<double>(i) / kSampleRate;
        const double env = s < attack ? s / attack
                         : s < duration ? 1.0 - 0.15 * (s - attack) / duration
                                        : 0.85 * std::exp(-(s - duration) / 0.03);
        // The tone opens up as it swells, as a real horn does.
        const double bright = 0.55 + 0.35 * std::min(1.0, s / 0.12);
        const double vibrato = 1.0 + 0.004 * std::sin(kTwoPi * 5.5 * s) * std::min(1.0, s / 0.3);
        phase += kTwoPi * freq * vibrato / kSampleRate;
        double v = 0.0;
        double a = 1.0;
        for (int h = 1; h <= 10 && freq * h < kSampleRate * 0.45; ++h) {
            v += a * std::sin(h * phase);
            a *= bright;
        }
        Add(out, start + i, gain * env * v * 0.3);
    }
}

void AddPluck(Samples &out, double t, double duration, double freq, double gain)
{
    static const std::vector<Mode> partials = {{1.0, 0.5, 1.0}, {2.0, 0.25, 0.5}, {3.0, 0.12, 0.25}, {4.0, 0.07, 0.12}};
    AddPartials(out, t, duration, freq, gain, partials, 0.003);
}

std::vector<std::int16_t> Finish(Samples samples, double peakDb)
{
    Biquad dc = Biquad::HighPass(30.0, 0.7);
    for (double &s : samples)
        s = dc.Process(s);
    const int fadeIn = std::min(ToIndex(0.002), static_cast<int>(samples.size()) / 4);
    // Long sounds fade out longer, so that no ringing tail is cut off.
    const int fadeOut = std::max(ToIndex(0.005), std::min(ToIndex(0.3), static_cast<int>(samples.size()) / 10));
    const int n = static_cast<int>(samples.size());
    for (int i = 0; i < fadeIn; ++i)
        samples[static_cast<std::size_t>(i)] *= static_cast<double>(i) / fadeIn;
    for (int i = 0; i < fadeOut; ++i)
        samples[static_cast<std::size_t>(n - 1 - i)] *= static_cast<double>(i) / fadeOut;
    double peak = 0.0;
    for (double s : samples)
        peak = std::max(peak, std::abs(s));
    const double scale = peak > 0.0 ? 32767.0 * std::pow(10.0, std::min(peakDb, -1.0) / 20.0) / peak : 0.0;
    std::vector<std::int16_t> pcm;
    pcm.reserve(samples.size());
    for (double s : samples)
        pcm.push_back(static_cast<std::int16_t>(std::lround(s * scale)));
    return pcm;
}

bool WriteWav(const QString &path, const std::vector<std::int16_t> &pcm)
{
    QByteArray data;
    const auto put32 = [&data](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            data.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    const auto put16 = [&data](std::uint16_t v) {
        data.append(static_cast<char>(v & 0xFF));
        data.append(static_cast<char>(v >> 8));
    };
    const auto bytes = static_cast<std::uint32_t>(pcm.size() * 2);
    data.append("RIFF");
    put32(36 + bytes);
    data.append("WAVEfmt ");
    put32(16);
    put16(1);
    put16(1);
    put32(kSampleRate);
    put32(kSampleRate * 2);
    put16(2);
    put16(16);
    data.append("data");
    put32(bytes);
    for (std::int16_t s : pcm)
        put16(static_cast<std::uint16_t>(s));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

} // namespace synth
