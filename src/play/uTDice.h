// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>

// A die on the playfield: a straight precomputed path, no physics.
// Coordinates are surface pixels; X, Y is the centre.
class TDice {
public:
    enum State : int { dsNotThrown = 0, dsRolling = 1, dsLying = 2, dsHeld = 3 };

    struct TPoint {
        int X = 0;
        int Y = 0;
    };
    // Mode 0 paths have at most 45 points, Mode 1 at most Width + Size + 1;
    // the path is kept in place so that a frame never allocates.
    static constexpr int MaxPath = 4096;

    // Mode 0: launch from the centre of the surface; 1: near the top right.
    TDice(int width, int height, int mode);

    // Computes a new path from the launch point in direction (dirX, dirY).
    void Launch(int width, int height, long double dirX, long double dirY);
    // One animation frame of a roll; nothing unless rolling.
    void Step(int width, int height);
    // Ends a roll where the die is; a held die stays held.
    void Settle();
    // Follows a new surface size: new launch point, resting spot on the last direction.
    void Reposition(int width, int height);
    [[nodiscard]] bool HitTest(int px, int py) const noexcept;

    void SetState(int v) noexcept { m_State = v; }
    void SetFace(int v) noexcept { m_Face = v; }
    void SetSize(int v) noexcept { m_Size = v; }
    void SetStepsLeft(int v) noexcept { m_StepsLeft = v; }

    [[nodiscard]] int Face() const noexcept { return m_Face; }
    [[nodiscard]] int State() const noexcept { return m_State; }
    [[nodiscard]] int Size() const noexcept { return m_Size; }
    [[nodiscard]] int Angle() const noexcept { return m_Angle; }
    [[nodiscard]] int StepsLeft() const noexcept { return m_StepsLeft; }
    [[nodiscard]] int StartX() const noexcept { return m_StartX; }
    [[nodiscard]] int StartY() const noexcept { return m_StartY; }
    [[nodiscard]] int PathLength() const noexcept { return m_PathLength; }
    [[nodiscard]] TPoint Path(int i) const { return m_Path.at(static_cast<std::size_t>(i)); }
    [[nodiscard]] int Mode() const noexcept { return m_Mode; }
    [[nodiscard]] int X() const noexcept { return m_X; }
    [[nodiscard]] int Y() const noexcept { return m_Y; }
    [[nodiscard]] int StepIndex() const noexcept { return m_StepIndex; }
    [[nodiscard]] int Variant() const noexcept { return m_Variant; }
    [[nodiscard]] long double DirX() const noexcept { return m_DirX; }
    [[nodiscard]] long double DirY() const noexcept { return m_DirY; }

private:
    void SetLaunchPoint(int width, int height);

    int m_Face = 0;
    int m_State = dsNotThrown;
    int m_Size = 63;
    int m_Angle = 0;
    int m_StepsLeft = 0;
    long double m_PosX = 0;
    long double m_PosY = 0;
    int m_StartY = 0;
    int m_StartX = 0;
    int m_PathLength = 1;
    int m_Mode = 0;
    int m_Y = 0;
    int m_X = 0;
    int m_StepIndex = 0;
    long double m_DirX = 0;
    long double m_DirY = 0;
    int m_Variant = 0;
    std::array<TPoint, MaxPath> m_Path{};
};

// Launch direction of die 0..4.
struct TDiceDirection {
    long double X;
    long double Y;
};
inline constexpr std::array<TDiceDirection, 5> DiceDirections{{
    {-0.2L, -0.7L}, {0.5L, -0.7L}, {0.5L, 0.7L}, {-0.2L, 0.7L}, {-0.5L, -0.1L}}};
