// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "play/uTDice.h"
#include "rules/uTTavolex.h"
#include "storage/uTPlayer.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

enum class TurnPhase { AwaitThrow, Rolling, Lying, Viewing };

// What the turn engine asks of the game window. The window implements it;
// tests fake it. Calls arrive on the user-interface thread, in the order the
// rules of play give them.
class ITurnHost {
public:
    virtual ~ITurnHost() = default;

    // Score board.
    virtual void ClearShownValues() = 0;
    // The current player's open fields show their move values (ShowHint decides how).
    virtual void ShowMoveValues() = 0;
    // The field shows its entered value in bold.
    virtual void ShowFieldValue(int column, int row) = 0;
    // The field awaits confirmation (orange).
    virtual void MarkFieldPending(int column, int row) = 0;
    // The field is open again: white, plain type.
    virtual void ReopenField(int column, int row) = 0;
    // The sums of `player` were recomputed; show them and the player's points.
    virtual void ShowSums(int player) = 0;
    virtual void HighlightCurrentPlayer(int markedPlayer) = 0;
    virtual void ShowGiveUpIcon() = 0;
    virtual void RemovePlayer(int player) = 0;
    // Several columns: the board shows `player`'s columns (enabled for the player on turn).
    virtual void ShowPlayerColumns(int player) = 0;
    // The marker "Nur zur Info" in `player`'s panel; -1 hides it.
    virtual void ShowInfoMarker(int player) = 0;

    // Playfield.
    virtual void ShowBackgroundOf(int player, bool selectorEnabled) = 0;
    virtual void ThrowsLeftChanged() = 0;
    // hidden: another player's sheet is shown, no cup; otherwise the idle cup.
    virtual void ResetCup(bool hidden) = 0;
    virtual void LayoutChanged() = 0;

    // Samples by catalogue name (letter case ignored); `wait` blocks until the end.
    virtual void PlaySound(const QString &name, bool wait) = 0;
    virtual void StopSound(const QString &name) = 0;
    virtual void StopAllSounds() = 0;
    // A throw sample for "SHAKE", "IN" or "ROLL" chosen by the dice in the cup, played
    // without waiting.
    virtual void PlayThrowSound(const QString &event) = 0;

    // The cup is thrown (ClickCup), before the dice are launched: the window
    // animates the cup and plays its samples. A die was held or released
    // (ClickDie): the window plays its click.
    virtual void CupThrowing() {}
    virtual void DieClicked(int die) { (void)die; }

    // Prompts. Both return false only when declined.
    // The entry/strike confirmation; an empty question keeps the dialog's own text.
    virtual bool AskConfirmation(const QString &question) = 0;
    virtual bool AskGiveUp(const QString &text) = 0;
    virtual void Pause(int milliseconds) = 0;

    // End.
    virtual void StartCeremony() = 0;
    virtual void CloseGame(int modalResult) = 0;
};

class TTurnEngine;

// Told of the decisions of the player on turn, before the engine carries
// them out; the game analysis records them.
class ITurnObserver {
public:
    virtual ~ITurnObserver() = default;
    // A throw is about to start; the dice held now are kept.
    virtual void ThrowStarting(const TTurnEngine &engine) { (void)engine; }
    // An open field is about to receive its entry or strike (questions answered).
    virtual void FieldChoosing(const TTurnEngine &engine, int column, int row)
    {
        (void)engine, (void)column, (void)row;
    }
    // The entry just chosen was taken back; the field is open again.
    virtual void FieldTakenBack(const TTurnEngine &engine, int column, int row)
    {
        (void)engine, (void)column, (void)row;
    }
};

// The rules of play: turns, throws, entries, strikes, confirmation and
// take-back, giving up, end of game. Knows nothing of widgets.
class TTurnEngine {
public:
    static constexpr int MaxPlayers = 4;
    static constexpr int MaxColumns = 4;
    static constexpr int DiceInGame = 5;
    static constexpr int ModalResultLastPlayerGaveUp = 7;

    // Takes at most four players and brings GameCount and DiceCount into range.
    // width, height: the playfield surface, for the dice's launch point.
    TTurnEngine(ITurnHost &host, const TTavolexSettings &rules, QList<TPlayer> players,
                int width, int height);

    TTurnEngine(const TTurnEngine &) = delete;  // the columns point at m_Rules
    TTurnEngine &operator=(const TTurnEngine &) = delete;

    void StartGame();

    [[nodiscard]] bool CanThrow() const noexcept;
    // CanThrow, not rolling or viewing, and a die left in the cup.
    [[nodiscard]] bool CanStartThrow() const noexcept;
    [[nodiscard]] bool AllDiceHeld() const noexcept;
    [[nodiscard]] int ThrowsLeft() const noexcept;
    [[nodiscard]] int DiceInCup() const noexcept;  // dice not held

    // Launches every die not held. The caller animates the cup and plays samples.
    void StartThrow(int width, int height);
    // One frame of the roll; true while some die still has steps to show.
    bool StepDice(int width, int height);
    void ThrowSettled();
    // Runs EvaluateThrow once per throw, on the first frame the dice lie.
    void EvaluateIfPending();
    void EvaluateThrow();
    // Toggles held/lying for a lying or held die; false for any other state.
    bool ToggleHold(int die);

    // The commands of a person's clicks, which computer players use too.
    // The cup: when CanStartThrow, the host animates the cup (CupThrowing)
    // and the throw starts; false (and nothing happens) otherwise.
    bool ClickCup(int width, int height);
    // A die: ToggleHold, and the host plays the click (DieClicked) when the
    // die changed; false when it could not be held or released.
    bool ClickDie(int die);
    // A computer's choice of a field: ChooseField without the strike question
    // and without the take-back confirmation (the entry stands at once).
    void ChooseFieldUnasked(int column, int row);

    // Told of decisions before they are carried out; null for none. Not owned.
    void SetObserver(ITurnObserver *observer) noexcept { m_Observer = observer; }
    void RepositionDice(int width, int height);

    // A click on field `row` of board column `column` of the player on turn.
    void ChooseField(int column, int row);
    void NextPlayer();
    void EndOfTurnCheck();
    [[nodiscard]] int CountMovesLeft() const;
    void GiveUp(int player);
    void ViewPlayer(int player);
    bool AskConfirmation(const QString &question);
    // Marks the player on turn on the board (with several columns after
    // refreshing every player's sums).
    void HighlightCurrentPlayer();

    // Recomputes the sums shown for `player` (one-column games: for everyone)
    // and the players' Points.
    void RefreshSums(int player);

    // The column a player fills as board column `column`: [p][p] with one
    // column per player, [p][column] otherwise.
    [[nodiscard]] TTavolex &PlayerColumn(int player, int column);
    [[nodiscard]] const TTavolex &PlayerColumn(int player, int column) const;
    [[nodiscard]] int ColumnsPerPlayer() const noexcept { return m_Rules.GameCount(); }
    // The board column number of the player's k-th column.
    [[nodiscard]] int BoardColumn(int player, int k) const noexcept;
    // True when the board shows a move value in this field (also an invisible one).
    [[nodiscard]] bool FieldShowsMoveValue(int column, int row) const;

    [[nodiscard]] TTavolex &Columns(int player, int column);
    [[nodiscard]] const TTavolexSettings &Rules() const noexcept { return m_Rules; }
    [[nodiscard]] QList<TPlayer> &Players() noexcept { return m_Players; }
    [[nodiscard]] const QList<TPlayer> &Players() const noexcept { return m_Players; }
    [[nodiscard]] std::array<TDice, DiceInGame> &Dice() noexcept { return m_Dice; }
    [[nodiscard]] const std::array<TDice, DiceInGame> &Dice() const noexcept { return m_Dice; }

    [[nodiscard]] int CurrentPlayer() const noexcept { return m_CurrentPlayer; }
    [[nodiscard]] int ThrowsUsed() const noexcept { return m_ThrowsUsed; }
    [[nodiscard]] int Round() const noexcept { return m_Round; }
    [[nodiscard]] int MovesLeft() const noexcept { return m_MovesLeft; }
    [[nodiscard]] TurnPhase Phase() const noexcept { return m_Phase; }
    void SetPhase(TurnPhase phase) noexcept { m_Phase = phase; }
    [[nodiscard]] bool ThrowEvaluated() const noexcept { return m_ThrowEvaluated; }
    [[nodiscard]] bool ValuesShown() const noexcept { return m_ValuesShown; }
    [[nodiscard]] bool GameOver() const noexcept { return m_GameOver; }
    void SetGameOver(bool v) noexcept { m_GameOver = v; }
    [[nodiscard]] const QStringList &EventLines() const noexcept { return m_EventLines; }
    [[nodiscard]] int PlayersInGame() const;
    [[nodiscard]] int ChosenColumn() const noexcept { return m_ChosenColumn; }
    [[nodiscard]] int ChosenRow() const noexcept { return m_ChosenRow; }

private:
    [[nodiscard]] TTavolex *ColumnForClick(int column);
    [[nodiscard]] int NextInGameAfter(int player) const;
    void ResetDice();
    // Steps 6-8 of an entry once it stands: sums, next player, sound, new turn.
    void CompleteEntry(const TTavolex &column, bool pauseAfterChoose);
    void Choose(int column, int row, bool ask);

    ITurnHost &m_Host;
    TTavolexSettings m_Rules;
    QList<TPlayer> m_Players;
    std::array<std::array<TTavolex, MaxColumns>, MaxPlayers> m_Columns;
    std::array<TDice, DiceInGame> m_Dice;
    int m_CurrentPlayer = 0;
    int m_ThrowsUsed = 0;
    int m_Round = 0;
    int m_MovesLeft = 0;
    TurnPhase m_Phase = TurnPhase::AwaitThrow;
    bool m_ThrowEvaluated = false;
    bool m_ValuesShown = false;
    bool m_MoveValuesOnBoard = false;
    bool m_GameOver = false;
    QStringList m_EventLines;
    int m_ChosenColumn = -1;
    int m_ChosenRow = -1;
    ITurnObserver *m_Observer = nullptr;
};
