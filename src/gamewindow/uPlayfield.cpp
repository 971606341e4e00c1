// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uPlayfield.h"

#include "gamewindow/uDesigns.h"
#include "gamewindow/uDrawSurface.h"
#include "gamewindow/uSoundCatalogue.h"
#include "play/uRandom.h"
#include "play/uTTurnEngine.h"
#include "play/uTKeyboardPlay.h"
#include "storage/uTMainApplication.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int CupBand = 58;         // the row of throw cups at the bottom
constexpr int CupSize = 128;
constexpr int ShakeFramesWithoutSound = 30;
constexpr int HoldMark = 1;
constexpr int HintMark = 3;  // green, apart from the amber mark of a held die
constexpr int SmallCup = 0;
constexpr int LargeCup = 1;
constexpr int NoPattern = 255;
constexpr int NumberWidth = 14;
constexpr int NumberHeight = 18;
constexpr int NumberOpacity = 150;  // faint: a reading aid, not part of the table

// White digits with a dark rim, readable on every background.
TPictureList DiceNumberPictures()
{
    TPictureList numbers;
    QFont font;
    font.setPixelSize(16);
    font.setBold(true);
    for (int n = 1; n <= TTurnEngine::DiceInGame; ++n) {
        QImage picture(NumberWidth, NumberHeight, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath digit;
        digit.addText(2, NumberHeight - 3, font, QString::number(n));
        painter.strokePath(digit, QPen(QColor(0, 0, 0, 200), 3));
        painter.fillPath(digit, Qt::white);
        painter.end();
        numbers.SetPicture(numbers.Add(), picture, std::nullopt);
    }
    return numbers;
}
}  // namespace

TPlayfield::TPlayfield(TTurnEngine &engine, TDrawSurface &surface, const TDesigns &designs,
                       TSoundCatalogue &sounds, const TMainApplication &settings)
    : m_Engine(engine)
    , m_Surface(surface)
    , m_Designs(designs)
    , m_Sounds(sounds)
    , m_Settings(settings)
    , m_DiceNumbers(DiceNumberPictures())
{
    m_ThrowsLeftText.reserve(16);
}

bool TPlayfield::SoundOn() const
{
    return m_Settings.Sound() != 1;
}

void TPlayfield::DXTimerMainTimer()
{
    DrawBackground();
    switch (m_Engine.Phase()) {
    case TurnPhase::AwaitThrow:
        DrawCup();
        break;
    case TurnPhase::Rolling:
        DrawCup();
        if (m_CupPhase == CupIdle) {
            DrawDice(false);
            AdvanceDice();
        }
        break;
    case TurnPhase::Lying:
        DrawCup();
        DrawDice(false);
        DrawDiceNumbers();
        m_Engine.EvaluateIfPending();
        break;
    case TurnPhase::Viewing:
        break;
    }
    m_Surface.Flip();
}

void TPlayfield::DrawBackground()
{
    m_Surface.DrawRotate(m_Designs.Backgrounds(), m_BackgroundIndex, 0, 0, m_Surface.width(),
                         m_Surface.height(), 0, 0.0, 0.0, 0);
}

void TPlayfield::DrawCup()
{
    DrawDice(true);
    const int w = m_Surface.SurfaceWidth();
    const int h = m_Surface.SurfaceHeight();
    const int cx = w / 2 - 64;
    const int cy = h / 2 - 64;
    switch (m_CupPhase) {
    case CupIdle: {
        const int pattern = m_Engine.AllDiceHeld() ? NoPattern : 0;
        for (int k = 1; k <= m_Engine.ThrowsLeft(); ++k)
            m_Surface.Draw(m_Designs.Cups(), SmallCup, 13 + 41 * (k - 1), h - CupBand, pattern);
        break;
    }
    case CupHidden:
        break;
    case CupShaking: {
        m_Surface.DrawRotateAlpha(m_Designs.Cups(), LargeCup, cx, cy + Random(20) - 10, CupSize,
                                  CupSize, 0, 0.0, 0.0, 0, 255);
        ++m_CupCounter;
        const bool shakeOver = m_Sounds.SelectedSound() == -1
            ? m_CupCounter >= ShakeFramesWithoutSound
            : !m_Sounds.SelectedSoundPlaying();
        if (shakeOver) {
            m_CupPhase = CupTipping;
            m_CupCounter = 0;
        }
        break;
    }
    case CupTipping:
        m_CupCounter += 8;
        m_Surface.DrawRotateAlpha(m_Designs.Cups(), LargeCup, w / 2, h / 2, CupSize, CupSize, 0,
                                  0.5, 0.5, m_CupCounter, 255);
        if (m_CupCounter >= 24) {
            m_CupPhase = CupIdle;
            m_Engine.SetPhase(TurnPhase::Rolling);
            m_Sounds.SetSelectedSound(-1);
            m_Sounds.SelectSound(QStringLiteral("ROLL"), m_Engine.DiceInCup());
            m_Sounds.PlaySelectedSound(false);
        }
        break;
    default:
        break;
    }
}

void TPlayfield::DrawDice(bool heldOnly)
{
    ++m_FrameCounter;
    const int player = m_Engine.CurrentPlayer();
    const int diceType = player < m_Engine.Players().size() ? m_Engine.Players()[player].DiceType() : 0;
    const TPictureList &set = m_Designs.DiceSet(diceType);
    const bool turning = m_Settings.AnimateDice() == 4;
    for (std::size_t i = 0; i < m_Engine.Dice().size(); ++i) {
        const TDice &die = m_Engine.Dice()[i];
        const int p = die.Face() * 4 + die.Variant();
        const int size = die.Size();
        if (m_HintDice[i] && (die.State() == TDice::dsHeld || (!heldOnly && die.State() == TDice::dsLying)))
            DrawHintMark(die);
        switch (die.State()) {
        case TDice::dsHeld:
            m_Surface.DrawRotateAlpha(m_Designs.HoldMarks(), HoldMark, die.X(), die.Y(), size, size, 0,
                                      0.5, 0.5, turning ? m_FrameCounter : 0, 255);
            m_Surface.DrawRotateAlpha(set, p, die.X(), die.Y(), size, size, 0, 0.5, 0.5, 0, set.Tag());
            break;
        case TDice::dsRolling:
            if (!heldOnly && turning)
                m_Surface.DrawRotateAlpha(set, p, die.X(), die.Y(), size, size, 0, 0.5, 0.5, die.Angle(), 255);
            break;
        case TDice::dsLying:
            if (!heldOnly)
                m_Surface.DrawRotateAlpha(set, p, die.X(), die.Y(), size, size, 0, 0.5, 0.5, 0, 255);
            break;
        default:
            break;
        }
    }
}

void TPlayfield::DrawDiceNumbers()
{
    if (!m_ShowDiceNumbers)
        return;
    const std::array<int, 5> order = DiceInTableOrder(m_Engine.Dice());
    for (std::size_t n = 0; n < order.size(); ++n) {
        const TDice &die = m_Engine.Dice()[static_cast<std::size_t>(order[n])];
        if (die.State() != TDice::dsLying && die.State() != TDice::dsHeld)
            continue;
        // Beside the die's top right corner, clear of the die itself.
        m_Surface.DrawRotateAlpha(m_DiceNumbers, static_cast<int>(n), die.X() + die.Size() / 2 + 2,
                                  die.Y() - die.Size() / 2, NumberWidth, NumberHeight, 0, 0.0, 0.0, 0,
                                  NumberOpacity);
    }
}

void TPlayfield::DrawHintMark(const TDice &die)
{
    const int size = die.Size() + die.Size() / 2;
    m_Surface.DrawRotateAlpha(m_Designs.HoldMarks(), HintMark, die.X(), die.Y(), size, size, 0, 0.5, 0.5,
                              m_FrameCounter, 255);
}

void TPlayfield::AdvanceDice()
{
    const bool stepsGovern = m_Sounds.SelectedSound() == -1 || !SoundOn();
    const bool stepsLeft = m_Engine.StepDice(m_Surface.SurfaceWidth(), m_Surface.SurfaceHeight());
    const bool moving = stepsGovern ? stepsLeft : m_Sounds.SelectedSoundPlaying();
    if (moving)
        return;
    m_Engine.ThrowSettled();
    m_Sounds.SetSelectedSound(-1);
    m_CupPhase = CupIdle;
}

bool TPlayfield::UpdateThrowsLeft()
{
    const int left = m_Engine.ThrowsLeft();
    m_ThrowsLeftText.fill(QLatin1Char('X'), left > 0 ? left : 0);
    return !m_ThrowsLeftText.isEmpty();
}

void TPlayfield::MouseDown(bool leftButton, int x, int y)
{
    bool handled = false;
    if (leftButton) {
        for (int i = 0; i < TTurnEngine::DiceInGame; ++i)
            if (m_Engine.Dice()[static_cast<std::size_t>(i)].HitTest(x, y) && DieClick(i))
                handled = true;
        if (y >= m_Surface.SurfaceHeight() - CupBand) {
            const CupClick answer = CupBandClick();
            if (answer == CupClick::Silent)
                return;
            handled = handled || answer == CupClick::Started;
        }
    }
    if (!handled)
        PlayFalseGame();
}

void TPlayfield::PlayFalseGame()
{
    m_Sounds.PlaySound(QStringLiteral("False_Game"), 0, false, false);
}

bool TPlayfield::DieClick(int index)
{
    // The engine holds or releases the die and has its click played (DieClicked).
    return m_Engine.ClickDie(index);
}

TPlayfield::CupClick TPlayfield::CupBandClick()
{
    if (!UpdateThrowsLeft() || m_Engine.Phase() == TurnPhase::Rolling)
        return CupClick::Refused;
    if (m_Engine.AllDiceHeld() || m_Engine.Phase() == TurnPhase::Viewing)
        return CupClick::Silent;
    // The engine has the cup animated (CupThrowing) and launches the dice.
    (void)m_Engine.ClickCup(m_Surface.SurfaceWidth(), m_Surface.SurfaceHeight());
    return CupClick::Started;
}

void TPlayfield::ThrowKey()
{
    if (CupBandClick() == CupClick::Refused)
        PlayFalseGame();
}

void TPlayfield::DieKey(int number)
{
    const std::array<int, 5> order = DiceInTableOrder(m_Engine.Dice());
    if (number < 1 || number > static_cast<int>(order.size()) || !DieClick(order[static_cast<std::size_t>(number - 1)]))
        PlayFalseGame();
}

void TPlayfield::DieClicked()
{
    m_Sounds.PlaySound(QStringLiteral("KlickDice"), 0, false, false);
}

void TPlayfield::CupThrowing()
{
    const int diceInCup = m_Engine.DiceInCup();
    if (m_Settings.AnimateCup() == 2) {
        if (m_Engine.ThrowsUsed() != 0) {
            // The dice fall back into the cup before it is shaken again.
            m_Sounds.SetSelectedSound(-1);
            m_Sounds.SelectSound(QStringLiteral("IN"), diceInCup);
            m_Sounds.PlaySelectedSound(true);
        }
        m_Sounds.SetSelectedSound(-1);
        m_CupCounter = 0;
        m_CupPhase = CupShaking;
        m_Sounds.SelectSound(QStringLiteral("SHAKE"), diceInCup);
        m_Sounds.PlaySelectedSound(false);
    } else {
        m_CupPhase = CupIdle;
        m_Sounds.StopAllSounds();
        m_Sounds.SetSelectedSound(-1);
        m_Sounds.SelectSound(QStringLiteral("ROLL"), diceInCup);
        m_Sounds.PlaySelectedSound(false);
    }
    m_CupCounter = 0;
}

void TPlayfield::FormMouseWheel(int delta)
{
    for (TDice &die : m_Engine.Dice()) {
        if (delta < 0 && die.Size() > 41)
            die.SetSize(die.Size() - 3);
        else if (delta >= 0 && die.Size() < 63)
            die.SetSize(die.Size() + 3);
    }
}

void TPlayfield::SetBackgroundIndex(int index)
{
    m_Designs.PrepareBackground(index);
    m_BackgroundIndex = index;
}

void TPlayfield::SoundSwitched()
{
    for (TDice &die : m_Engine.Dice())
        die.SetStepsLeft(0);
}
