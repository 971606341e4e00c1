// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "rng.h"

#include <cstdint>
#include <vector>

class QString;

namespace synth {

constexpr int kSampleRate = 22050;
using Samples = std::vector<double>;

[[nodiscard]] inline int ToIndex(double seconds) { return static_cast<int>(seconds * kSampleRate); }
[[nodiscard]] inline Samples Silence(double seconds) { return Samples(static_cast<std::size_t>(ToIndex(seconds)), 0.0); }

// Second-order filter (RBJ cookbook forms); state lives in the object.
class Biquad
{
public:
    [[nodiscard]] static Biquad LowPass(double freq, double q);
    [[nodiscard]] static Biquad HighPass(double freq, double q);
    [[nodiscard]] static Biquad BandPass(double freq, double q);
    [[nodiscard]] double Process(double x);

private:
    double m_B0 = 1, m_B1 = 0, m_B2 = 0, m_A1 = 0, m_A2 = 0;
    double m_X1 = 0, m_X2 = 0, m_Y1 = 0, m_Y2 = 0;
};

// One decaying sine: decay is the time constant in seconds.
struct Mode
{
    double freq;
    double decay;
    double amp;
};

// What a hard object sounds like when struck: a filtered noise burst for the
// contact plus the resonances of the bodies involved.
struct Impact
{
    double noiseAmp;
    double noiseDecay;
    double noiseFreq;
    double noiseQ;
    std::vector<Mode> modes;
    double detune;  // random spread of the mode frequencies per hit, as a fraction
};

// Adds one hit at time t (seconds) scaled by gain; hits past the end are cut.
void AddImpact(Samples &out, double t, double gain, const Impact &impact, Rng &rng);

// Adds band-limited noise between t0 and t1 whose level follows env(0..1).
template <typename Envelope>
void AddNoise(Samples &out, double t0, double t1, double gain, Biquad filter, Rng &rng, Envelope env);

// Tonal voices, all starting at t (seconds) with frequency in Hz.
void AddBell(Samples &out, double t, double freq, double gain, double decay);
void AddMarimba(Samples &out, double t, double freq, double gain);
void AddBrass(Samples &out, double t, double duration, double freq, double gain);
void AddPluck(Samples &out, double t, double duration, double freq, double gain);

// Removes DC, fades both ends and scales the peak to peakDb (at most -1 dBFS).
[[nodiscard]] std::vector<std::int16_t> Finish(Samples samples, double peakDb);

// 16-bit mono PCM WAV; false when the file cannot be written.
[[nodiscard]] bool WriteWav(const QString &path, const std::vector<std::int16_t> &pcm);

template <typename Envelope>
void AddNoise(Samples &out, double t0, double t1, double gain, Biquad filter, Rng &rng, Envelope env)
{
    const int first = ToIndex(t0);
    const int last = std::min(ToIndex(t1), static_cast<int>(out.size()));
    const double span = std::max(1, last - first);
    for (int i = std::max(first, 0); i < last; ++i)
        out[static_cast<std::size_t>(i)] += gain * env((i - first) / span) * filter.Process(rng.Signed());
}

} // namespace synth
