// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "play/uTDice.h"

#include "play/uRandom.h"

#include <algorithm>

TDice::TDice(int width, int height, int mode)
    : m_Mode(mode)
{
    SetLaunchPoint(width, height);
    m_Path[0] = {m_StartX, m_StartY};
    m_PosX = m_StartX;
    m_PosY = m_StartY;
}

void TDice::SetLaunchPoint(int width, int height)
{
    if (m_Mode == 0) {
        m_StartX = width / 2;
        m_StartY = height / 2;
    } else {
        m_StartX = width - 64;
        m_StartY = 64;
    }
}

namespace {
// static_cast<int> of a long double, without switching the x87 rounding mode
// for every point (that switch made a launch cost microseconds): the nearest
// double is truncated by the SSE unit and corrected where its rounding
// crossed a whole number.
int TruncateTowardZero(long double v) noexcept
{
    int i = static_cast<int>(static_cast<double>(v));
    if (v >= 0 && i > v)
        --i;
    else if (v < 0 && i < v)
        ++i;
    return i;
}
}  // namespace

void TDice::Launch(int width, int /*height*/, long double dirX, long double dirY)
{
    m_StepIndex = 0;
    m_PathLength = 1;
    int n = m_Mode == 0 ? Random(30) + 15 : Random(width) + m_Size;
    n = std::clamp(n, 0, MaxPath - 1);
    m_PosX = m_StartX;
    m_PosY = m_StartY;
    for (int i = 1; i <= n; ++i) {
        m_PosX += 5 * dirX;
        m_PosY += 5 * dirY;
        ++m_PathLength;
        m_Path[static_cast<std::size_t>(i)] = {TruncateTowardZero(m_PosX), TruncateTowardZero(m_PosY)};
    }
    m_Face = Random(6);
    m_Variant = Random(3);
    m_StepsLeft = m_PathLength;
    m_State = dsRolling;
    m_DirX = dirX;
    m_DirY = dirY;
}

void TDice::Step(int width, int height)
{
    if (m_State != dsRolling)
        return;
    const TPoint p = m_Path[static_cast<std::size_t>(m_StepIndex)];
    m_X = p.X;
    m_Y = p.Y;
    m_Face = Random(6);
    m_Variant = Random(3);
    m_Angle = Random(360);
    --m_StepsLeft;
    ++m_StepIndex;
    // The band of 48 pixels at the bottom stays free for the throw cups.
    if (m_X > width - m_Size || m_X < m_Size || m_Y > height - m_Size - 48 || m_Y < m_Size)
        m_StepsLeft = 0;
    if (m_StepsLeft <= 0)
        m_State = dsLying;
    // The path may end before the steps do only through SetStepsLeft; keep the index valid.
    if (m_State == dsRolling && m_StepIndex >= m_PathLength)
        m_State = dsLying;
}

void TDice::Settle()
{
    if (m_State != dsHeld)
        m_State = dsLying;
}

void TDice::Reposition(int width, int height)
{
    SetLaunchPoint(width, height);
    m_Path[0] = {m_StartX, m_StartY};
    m_PosX = m_StartX;
    m_PosY = m_StartY;
    m_X = m_StartX + static_cast<int>(2 * m_Size * m_DirX);
    m_Y = m_StartY + static_cast<int>(2 * m_Size * m_DirY);
}

bool TDice::HitTest(int px, int py) const noexcept
{
    const int h = m_Size / 2;
    return m_X - h <= px && px <= m_X - h + m_Size && m_Y - h <= py && py <= m_Y - h + m_Size;
}
