// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "play/uTDice.h"

#include <array>

class TTurnEngine;

// The order in which keys 1 to 5 name the dice: left to right on the table
// as they lie (then top to bottom, then by index, so the order is total).
// Holds die indexes 0-4.
[[nodiscard]] std::array<int, 5> DiceInTableOrder(const std::array<TDice, 5> &dice);

// The field the keyboard has selected for entry: a board column and a field
// row (1-6, 12-18) of the player on turn. It belongs to one turn; a new turn
// starts with nothing selected. It reads the engine and changes nothing in it.
class TFieldCursor {
public:
    enum class Direction { Up, Down, Left, Right };

    explicit TFieldCursor(const TTurnEngine &engine) noexcept : m_Engine(engine) {}

    // True when a field of the current turn is selected.
    [[nodiscard]] bool Placed() const noexcept;
    [[nodiscard]] int Column() const noexcept { return m_Column; }
    [[nodiscard]] int Row() const noexcept { return m_Row; }
    void Clear() noexcept;

    // After an evaluation. A new throw selects the open field with the
    // highest offered value (the first on the board among equals). Without
    // an offer, or with the offers hidden (ShowHint off: the selection must
    // not give them away), the turn's selection stays as it is. The same
    // throw evaluated again (take-back, own sheet shown again) keeps it too.
    void FollowThrow();

    // Up/Down: the previous/next open field of the column; Left/Right: the
    // nearest open field of the next column of the player that has one.
    // With nothing selected any direction selects the highest offer (when
    // offers are shown), else the first open field. Sums, lines and filled fields are skipped.
    // Returns false when the selection did not change.
    bool Move(Direction direction);

private:
    struct TTurnMark {
        int Player = -1;
        int MovesLeft = -1;
        int ThrowsUsed = -1;
        friend bool operator==(const TTurnMark &, const TTurnMark &) = default;
    };
    [[nodiscard]] TTurnMark Mark() const noexcept;
    [[nodiscard]] bool SameTurn(const TTurnMark &other) const noexcept;
    [[nodiscard]] bool IsOpen(int k, int row) const;
    // Player column index k (0 to GameCount - 1) of the selected board column.
    [[nodiscard]] int SelectedK() const;
    bool Select(int k, int row);
    bool SelectBestOffer();
    bool SelectFirstOpen();
    bool MoveInColumn(int step);
    bool MoveToColumn(int step);

    const TTurnEngine &m_Engine;
    int m_Column = -1;
    int m_Row = -1;
    TTurnMark m_Selected;    // the turn the selection belongs to
    TTurnMark m_Evaluated;   // the throw last followed
};
