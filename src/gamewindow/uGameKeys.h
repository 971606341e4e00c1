// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "play/uTKeyboardPlay.h"

#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;
class TPlayfield;
class TScoreBoard;
class TTurnEngine;

// Keyboard play in the game window. Each key runs the handler a click runs:
//   Space            the cup band (a throw)
//   Return, Enter    the field in the focus frame; without one, a throw
//   1 to 5           the dice, numbered left to right as they lie
//   arrow keys       the focus frame over the open fields of the player on
//                    turn (left/right between the player's columns)
//   Tab, Shift+Tab   the next/previous player panel (several columns)
//   Delete           the give-up icon of the player on turn
// The focus frame and the dice numbers show only while the keyboard is in
// use; a mouse press in the window ends that, so a mouse player sees the
// window as before. Other keys (Escape, F1, accelerators) pass on.
class TGameKeys : public QObject {
    Q_OBJECT

public:
    // The window's click handlers, each with its own error handling.
    struct TActions {
        std::function<void()> Throw;                          // cup band
        std::function<void(int number)> Die;                  // key 1-5
        std::function<void(int column, int row)> ChooseField; // PanelScoresClick
        std::function<void(int player)> ShowPlayer;           // player panel
        std::function<void(int player)> GiveUp;               // ImageInfoClick
        std::function<bool()> Playing;                        // false from the ceremony on
    };

    // Watches the key and mouse presses of `window`'s widgets until destroyed.
    TGameKeys(QWidget &window, const TTurnEngine &engine, TPlayfield &playfield, TScoreBoard &board,
              TActions actions);
    ~TGameKeys() override;

    [[nodiscard]] bool InUse() const noexcept { return m_InUse; }
    [[nodiscard]] const TFieldCursor &Cursor() const noexcept { return m_Cursor; }
    // A field is selected for entry: Return enters it.
    [[nodiscard]] bool FieldSelected() const;

    // The board shows the values of an evaluation.
    void ThrowEvaluated();
    // Shows or hides the focus frame after the turn or the shown sheet changed.
    void Refresh();
    // A key press in the window; true when it was a game key (then consumed).
    bool KeyPress(const QKeyEvent &event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SetInUse(bool inUse);
    // Runs the action of game key `key`.
    void Dispatch(int key, bool repeated);
    void EnterOrThrow();
    void WalkPlayers(int step);

    QWidget &m_Window;
    const TTurnEngine &m_Engine;
    TPlayfield &m_Playfield;
    TScoreBoard &m_Board;
    TActions m_Actions;
    TFieldCursor m_Cursor;
    bool m_InUse = false;
};
