// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "play/uTKeyboardPlay.h"

#include "play/uTTurnEngine.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace {
// The fields of a column from top to bottom; sums and lines lie between.
constexpr std::array<int, 13> FieldRows{1, 2, 3, 4, 5, 6, 12, 13, 14, 15, 16, 17, 18};

int FieldIndex(int row)
{
    const auto *at = std::find(FieldRows.begin(), FieldRows.end(), row);
    return at == FieldRows.end() ? -1 : static_cast<int>(at - FieldRows.begin());
}
}  // namespace

std::array<int, 5> DiceInTableOrder(const std::array<TDice, 5> &dice)
{
    std::array<int, 5> order{};
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&dice](int a, int b) {
        const TDice &da = dice[static_cast<std::size_t>(a)];
        const TDice &db = dice[static_cast<std::size_t>(b)];
        if (da.X() != db.X())
            return da.X() < db.X();
        if (da.Y() != db.Y())
            return da.Y() < db.Y();
        return a < b;
    });
    return order;
}

TFieldCursor::TTurnMark TFieldCursor::Mark() const noexcept
{
    return {m_Engine.CurrentPlayer(), m_Engine.MovesLeft(), m_Engine.ThrowsUsed()};
}

bool TFieldCursor::SameTurn(const TTurnMark &other) const noexcept
{
    const TTurnMark now = Mark();
    return now.Player == other.Player && now.MovesLeft == other.MovesLeft;
}

bool TFieldCursor::Placed() const noexcept
{
    return m_Row > 0 && SameTurn(m_Selected);
}

void TFieldCursor::Clear() noexcept
{
    m_Column = -1;
    m_Row = -1;
}

bool TFieldCursor::IsOpen(int k, int row) const
{
    return m_Engine.PlayerColumn(m_Engine.CurrentPlayer(), k).IsOpen(row);
}

int TFieldCursor::SelectedK() const
{
    // One column per player: the player's only column sits at board column p.
    return m_Engine.ColumnsPerPlayer() == 1 ? 0 : m_Column;
}

bool TFieldCursor::Select(int k, int row)
{
    const int column = m_Engine.BoardColumn(m_Engine.CurrentPlayer(), k);
    const bool changed = !Placed() || column != m_Column || row != m_Row;
    m_Column = column;
    m_Row = row;
    m_Selected = Mark();
    return changed;
}

void TFieldCursor::FollowThrow()
{
    const TTurnMark now = Mark();
    if (now == m_Evaluated && Placed())
        return;
    m_Evaluated = now;
    if (m_Engine.Rules().ShowHint() && SelectBestOffer())
        return;
    if (!Placed())
        Clear();
}

bool TFieldCursor::SelectBestOffer()
{
    const int player = m_Engine.CurrentPlayer();
    int bestK = -1;
    int bestRow = -1;
    int bestValue = 0;
    for (int k = 0; k < m_Engine.ColumnsPerPlayer(); ++k) {
        for (int row : FieldRows) {
            if (!m_Engine.FieldShowsMoveValue(m_Engine.BoardColumn(player, k), row))
                continue;
            const int value = m_Engine.PlayerColumn(player, k).Rows(row).MoveValue;
            if (bestK < 0 || value > bestValue) {
                bestK = k;
                bestRow = row;
                bestValue = value;
            }
        }
    }
    if (bestK < 0)
        return false;
    Select(bestK, bestRow);
    return true;
}

bool TFieldCursor::SelectFirstOpen()
{
    for (int k = 0; k < m_Engine.ColumnsPerPlayer(); ++k)
        for (int row : FieldRows)
            if (IsOpen(k, row))
                return Select(k, row);
    return false;
}

bool TFieldCursor::Move(Direction direction)
{
    if (m_Engine.Players().isEmpty())
        return false;
    if (!Placed())
        return (m_Engine.Rules().ShowHint() && SelectBestOffer()) || SelectFirstOpen();
    switch (direction) {
    case Direction::Up: return MoveInColumn(-1);
    case Direction::Down: return MoveInColumn(1);
    case Direction::Left: return MoveToColumn(-1);
    case Direction::Right: return MoveToColumn(1);
    }
    return false;
}

bool TFieldCursor::MoveInColumn(int step)
{
    const int k = SelectedK();
    for (int i = FieldIndex(m_Row) + step; i >= 0 && i < static_cast<int>(FieldRows.size()); i += step)
        if (IsOpen(k, FieldRows[static_cast<std::size_t>(i)]))
            return Select(k, FieldRows[static_cast<std::size_t>(i)]);
    return false;
}

bool TFieldCursor::MoveToColumn(int step)
{
    const int here = FieldIndex(m_Row);
    for (int k = SelectedK() + step; k >= 0 && k < m_Engine.ColumnsPerPlayer(); k += step) {
        // The open field nearest to the current row; the upper one among two as near.
        int best = -1;
        for (int i = 0; i < static_cast<int>(FieldRows.size()); ++i)
            if (IsOpen(k, FieldRows[static_cast<std::size_t>(i)]) && (best < 0 || std::abs(i - here) < std::abs(best - here)))
                best = i;
        if (best >= 0)
            return Select(k, FieldRows[static_cast<std::size_t>(best)]);
    }
    return false;
}
