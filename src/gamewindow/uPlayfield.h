// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "gamewindow/uPictureList.h"

#include <QString>

#include <array>

class TDesigns;
class TDice;
class TDrawSurface;
class TMainApplication;
class TSoundCatalogue;
class TTurnEngine;

// The playfield's frame loop: background, throw cups or the animated cup,
// the dice; clicks hold dice and start throws; the wheel sizes the dice.
// Animation is counted in frames. A frame reads state and draws; it does no
// file access and no allocation.
class TPlayfield {
public:
    enum CupPhase : int { CupIdle = 0, CupHidden = 1, CupShaking = 2, CupTipping = 3 };

    TPlayfield(TTurnEngine &engine, TDrawSurface &surface, const TDesigns &designs,
               TSoundCatalogue &sounds, const TMainApplication &settings);

    // One frame (the frame timer's handler).
    void DXTimerMainTimer();
    // A mouse press on the surface at (x, y).
    void MouseDown(bool leftButton, int x, int y);
    // What a left click on the cup band does: Started a throw, Silent (all
    // dice held, or another player's sheet shown), Refused (no throw left,
    // or rolling; the click then sounds "False_Game").
    enum class CupClick { Started, Silent, Refused };
    CupClick CupBandClick();
    // What a left click on die `index` (0-4) does: a lying die is held, a held
    // one released, with "KlickDice"; false (nothing) for other states.
    bool DieClick(int index);
    // The keyboard's throw, and key `number` 1-5 for the die that is number-th
    // from the left on the table: the same as a click on the cup band or on
    // that die, "False_Game" included.
    void ThrowKey();
    void DieKey(int number);
    // While the keyboard is in use the lying dice show their key number.
    void SetShowDiceNumbers(bool show) noexcept { m_ShowDiceNumbers = show; }
    [[nodiscard]] bool ShowDiceNumbers() const noexcept { return m_ShowDiceNumbers; }
    // Mouse wheel anywhere in the game window.
    void FormMouseWheel(int delta);
    // The engine's cup command is about to launch the dice: the cup is
    // shaken (or the roll sample starts) for whoever threw.
    void CupThrowing();
    // The engine's die command held or released a die.
    void DieClicked();
    // Status bar switch of the sound: a roll waiting for its sample ends at the next frame.
    void SoundSwitched();

    // The coach's advice: these dice (by index) should be kept; drawn as a
    // green ring around them until cleared (all false).
    void SetHintDice(const std::array<bool, 5> &dice) noexcept { m_HintDice = dice; }
    [[nodiscard]] const std::array<bool, 5> &HintDice() const noexcept { return m_HintDice; }

    [[nodiscard]] bool UpdateThrowsLeft();
    [[nodiscard]] const QString &ThrowsLeftText() const noexcept { return m_ThrowsLeftText; }

    [[nodiscard]] int Phase() const noexcept { return m_CupPhase; }
    void SetCupPhase(int phase) noexcept { m_CupPhase = phase; }
    [[nodiscard]] int CupCounter() const noexcept { return m_CupCounter; }
    [[nodiscard]] int FrameCounter() const noexcept { return m_FrameCounter; }
    // The background slot drawn (the hidden selector's index); decodes its
    // picture now if no frame has needed it before.
    void SetBackgroundIndex(int index);
    [[nodiscard]] int BackgroundIndex() const noexcept { return m_BackgroundIndex; }

private:
    void DrawBackground();
    void DrawCup();
    void DrawDice(bool heldOnly);
    void DrawDiceNumbers();
    void PlayFalseGame();
    void DrawHintMark(const TDice &die);
    void AdvanceDice();
    [[nodiscard]] bool SoundOn() const;

    TTurnEngine &m_Engine;
    TDrawSurface &m_Surface;
    const TDesigns &m_Designs;
    TSoundCatalogue &m_Sounds;
    const TMainApplication &m_Settings;
    int m_CupPhase = CupIdle;
    int m_CupCounter = 0;
    int m_FrameCounter = 0;
    int m_BackgroundIndex = 0;
    bool m_ShowDiceNumbers = false;
    TPictureList m_DiceNumbers;  // "1" to "5", drawn once at creation
    std::array<bool, 5> m_HintDice{};
    QString m_ThrowsLeftText;  // "X" per throw left, the hidden LabelRollsLeft
};
