// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "strategy/uTAdvisor.h"

#include <QObject>
#include <QString>

#include <array>
#include <memory>

class QFrame;
class QLabel;
class QPushButton;
class QWidget;
class TPlayfield;
class TScoreBoard;
class TStrategy;
class TTurnEngine;

// What the coach shows for one situation.
struct TCoachHint {
    QString Text;                       // the best choices with their expected final scores
    std::array<bool, 5> KeepDice{};     // dice to keep before the next throw
    int Column = -1;                    // the best field on the board, -1 for none
    int Row = -1;
};

// The hint for the player on turn from the advisor's choices: the best keep
// marked on the dice between throws, the best field when ending the turn is best.
[[nodiscard]] TCoachHint CoachHint(const TAdvice &advice, const TTurnSituation &situation);

// The coach for people: on request ("Tipp" or the key T) it shows the best
// choices of the person on turn, the dice to keep on the playfield and the
// best field on the board. It never moves itself; the hint goes as soon as
// the situation changes.
class TCoachPanel : public QObject {
    Q_OBJECT
public:
    // The button and the text go into `head`; the key T works in `window`.
    TCoachPanel(const TTurnEngine &engine, TScoreBoard &board, TPlayfield &playfield, QWidget *head,
                QWidget *window);
    ~TCoachPanel() override;

    void SetStrategy(const std::shared_ptr<const TStrategy> &strategy);
    // The button is offered (games with a computer player, or once the key was used).
    void SetOffered(bool offered);
    // Whose turn it is decides whether a hint may be given (not for computers).
    void SetComputerOnTurn(bool computer) noexcept { m_ComputerOnTurn = computer; }
    // Places button and text in the head (its width changed).
    void Place(int headWidth, int headHeight);

    void ShowHint();
    void Clear();
    // Every frame: drops a hint the game has moved past; follows the board's layout.
    void Frame();

    [[nodiscard]] QString Text() const;
    [[nodiscard]] bool Shown() const noexcept { return m_Shown; }
    [[nodiscard]] QPushButton *Button() const noexcept { return m_Button; }
    [[nodiscard]] QFrame *FieldMark() const noexcept { return m_FieldMark; }

private:
    [[nodiscard]] QString SituationKey() const;
    // Why no hint can be given now; empty when one can.
    [[nodiscard]] QString NoHintReason() const;
    void MarkField(int column, int row);
    void ShowText(const QString &text);

    const TTurnEngine &m_Engine;
    TScoreBoard &m_Board;
    TPlayfield &m_Playfield;
    std::shared_ptr<const TStrategy> m_Strategy;
    std::unique_ptr<TAdvisor> m_Advisor;
    QPushButton *m_Button = nullptr;
    QLabel *m_Label = nullptr;
    QFrame *m_FieldMark = nullptr;
    bool m_ComputerOnTurn = false;
    bool m_Shown = false;
    QString m_Key;  // the situation the hint was given for
    int m_Column = -1;
    int m_Row = -1;
};
