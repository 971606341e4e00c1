// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "strategy/uTStrategy.h"

#include <algorithm>

// The classic solitaire rules of the literature as a test scoring: sums for
// three and four of a kind, 25/30/40/50, chance, 35 at 63, three throws.
// With the extras a further five of a kind earns 100 while the five-of-a-kind
// field holds 50, and the joker: a five of a kind thrown when that field is
// filled and the matching upper field too scores full house and both
// straights in full, in whichever open field the player takes.
class TClassicScoring : public IStrategyScoring {
public:
    explicit TClassicScoring(bool extras)
        : m_Extras(extras)
    {
    }

    int Throws() const override { return 3; }
    int BonusThreshold() const override { return 63; }
    int Bonus() const override { return 35; }
    // Upper fields filled (bits 0-5), five-of-a-kind field filled, flag.
    int ContextCount() const override { return 256; }
    int Context(unsigned filled, bool flag) const override
    {
        const unsigned quintorFilled = (filled >> Strategy::QuintorField) & 1u;
        return static_cast<int>((filled & 63u) | (quintorFilled << 6) | ((flag ? 1u : 0u) << 7));
    }

    TFieldScores Score(int context, const TFaces &faces) const override
    {
        const TFaceCounts counts = Strategy::CountsOf(faces);
        int sum = 0, most = 0, kind = 0;
        bool three = false, two = false;
        unsigned present = 0;
        for (int f = 0; f < 6; ++f) {
            const int c = counts[static_cast<std::size_t>(f)];
            sum += c * (f + 1);
            if (c > most) {
                most = c;
                kind = f;
            }
            three = three || c == 3;
            two = two || c == 2;
            if (c > 0)
                present |= 1u << f;
        }
        const auto run = [present](unsigned bits) { return (present & bits) == bits; };
        const bool small = run(0b001111) || run(0b011110) || run(0b111100);
        const bool large = run(0b011111) || run(0b111110);

        TFieldScores s{};
        for (int f = 0; f < 6; ++f)
            s[static_cast<std::size_t>(f)].Points = counts[static_cast<std::size_t>(f)] * (f + 1);
        s[6].Points = most >= 3 ? sum : 0;
        s[7].Points = most >= 4 ? sum : 0;
        s[8].Points = three && two ? 25 : 0;
        s[9].Points = small ? 30 : 0;
        s[10].Points = large ? 40 : 0;
        s[11].Points = most == 5 ? 50 : 0;
        s[12].Points = sum;
        s[11].SetsFlag = m_Extras && most == 5;

        const bool quintorFilled = (context >> 6) & 1;
        if (m_Extras && most == 5 && quintorFilled) {
            if ((context >> kind) & 1) {
                s[8].Points = 25;
                s[9].Points = 30;
                s[10].Points = 40;
            }
            if ((context >> 7) & 1)
                for (TFieldScore &field : s)
                    field.Extra = 100;
        }
        return s;
    }

    std::optional<int> StrikeBeforeThrow(int) const override { return std::nullopt; }
    QByteArray Key() const override { return m_Extras ? "classic with extras" : "classic"; }

private:
    bool m_Extras;
};
