// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "play/uTTurnEngine.h"

#include <algorithm>
#include <limits>

namespace {
std::array<TDice, TTurnEngine::DiceInGame> MakeDice(int width, int height)
{
    const TDice die(width, height, 0);
    return {die, die, die, die, die};
}

constexpr bool IsFieldRow(int row) noexcept
{
    return (row >= Row::Ones && row <= Row::Sixes) || (row >= Row::ThreeOfAKind && row <= Row::Chance);
}

// The board recomputes a column once for each of its six sum fields; the
// bonus sound relies on BonusHits counting exactly that.
constexpr int SumFieldsPerColumn = 6;
}  // namespace

TTurnEngine::TTurnEngine(ITurnHost &host, const TTavolexSettings &rules, QList<TPlayer> players,
                         int width, int height)
    : m_Host(host)
    , m_Rules(rules)
    , m_Players(std::move(players))
    , m_Dice(MakeDice(width, height))
{
    m_Rules.ClampForPlay();
    if (m_Players.size() > MaxPlayers)
        m_Players.resize(MaxPlayers);
    for (auto &row : m_Columns)
        for (TTavolex &column : row)
            column.SetSettings(&m_Rules);
}

void TTurnEngine::StartGame()
{
    m_CurrentPlayer = 0;
    m_ThrowsUsed = 0;
    m_Round = 0;
    m_Phase = TurnPhase::AwaitThrow;
    ResetDice();
    for (TPlayer &player : m_Players) {
        player.SetInGame(true);
        player.SetPoints(0);
    }
    m_MovesLeft = CountMovesLeft();
}

void TTurnEngine::ResetDice()
{
    for (TDice &die : m_Dice) {
        die.SetState(TDice::dsNotThrown);
        die.SetFace(-1);
    }
}

bool TTurnEngine::CanThrow() const noexcept
{
    return ThrowsLeft() >= 1;
}

int TTurnEngine::ThrowsLeft() const noexcept
{
    return m_Rules.DiceCount() - m_ThrowsUsed;
}

bool TTurnEngine::AllDiceHeld() const noexcept
{
    return DiceInCup() == 0;
}

int TTurnEngine::DiceInCup() const noexcept
{
    return static_cast<int>(std::count_if(m_Dice.begin(), m_Dice.end(),
                                          [](const TDice &d) { return d.State() != TDice::dsHeld; }));
}

bool TTurnEngine::CanStartThrow() const noexcept
{
    return CanThrow() && m_Phase != TurnPhase::Rolling && m_Phase != TurnPhase::Viewing
        && !AllDiceHeld() && !m_GameOver;
}

void TTurnEngine::StartThrow(int width, int height)
{
    ++m_ThrowsUsed;
    m_Host.ThrowsLeftChanged();
    m_Host.ClearShownValues();
    m_MoveValuesOnBoard = false;
    m_Phase = TurnPhase::Rolling;
    m_ThrowEvaluated = false;
    for (std::size_t i = 0; i < m_Dice.size(); ++i) {
        if (m_Dice[i].State() != TDice::dsHeld)
            m_Dice[i].Launch(width, height, DiceDirections[i].X, DiceDirections[i].Y);
    }
}

bool TTurnEngine::StepDice(int width, int height)
{
    bool moving = false;
    for (TDice &die : m_Dice) {
        die.Step(width, height);
        // A held die may keep steps from a roll its sample cut short; it moves no more.
        moving = moving || (die.State() == TDice::dsRolling && die.StepsLeft() > 0);
    }
    return moving;
}

void TTurnEngine::ThrowSettled()
{
    for (TDice &die : m_Dice)
        if (die.State() != TDice::dsNotThrown)
            die.Settle();
    m_Host.StopAllSounds();
    m_Phase = TurnPhase::Lying;
}

void TTurnEngine::EvaluateIfPending()
{
    if (m_Phase == TurnPhase::Lying && !m_ThrowEvaluated) {
        m_ThrowEvaluated = true;
        EvaluateThrow();
    }
}

void TTurnEngine::EvaluateThrow()
{
    m_ValuesShown = false;
    std::array<int, DiceInGame> faces{};
    for (std::size_t i = 0; i < faces.size(); ++i)
        faces[i] = m_Dice[i].Face();
    for (int k = 0; k < ColumnsPerPlayer(); ++k) {
        TTavolex &column = PlayerColumn(m_CurrentPlayer, k);
        column.Evaluate(faces.data(), DiceInGame - 1);
        for (int row = 1; row < Row::Count && m_Rules.ShowHint(); ++row)
            if (IsFieldRow(row) && column.IsOpen(row) && column.Rows(row).MoveValue != 0)
                m_ValuesShown = true;
    }
    m_MoveValuesOnBoard = true;
    m_Host.ShowMoveValues();
}

bool TTurnEngine::ToggleHold(int die)
{
    TDice &d = m_Dice.at(static_cast<std::size_t>(die));
    if (d.State() == TDice::dsLying)
        d.SetState(TDice::dsHeld);
    else if (d.State() == TDice::dsHeld)
        d.SetState(TDice::dsLying);
    else
        return false;
    return true;
}

void TTurnEngine::RepositionDice(int width, int height)
{
    for (TDice &die : m_Dice)
        die.Reposition(width, height);
}

TTavolex &TTurnEngine::Columns(int player, int column)
{
    return m_Columns.at(static_cast<std::size_t>(player)).at(static_cast<std::size_t>(column));
}

TTavolex &TTurnEngine::PlayerColumn(int player, int column)
{
    return Columns(player, BoardColumn(player, column));
}

const TTavolex &TTurnEngine::PlayerColumn(int player, int column) const
{
    return m_Columns.at(static_cast<std::size_t>(player))
        .at(static_cast<std::size_t>(BoardColumn(player, column)));
}

int TTurnEngine::BoardColumn(int player, int k) const noexcept
{
    return ColumnsPerPlayer() == 1 ? player : k;
}

TTavolex *TTurnEngine::ColumnForClick(int column)
{
    if (ColumnsPerPlayer() == 1)
        return column == m_CurrentPlayer ? &Columns(m_CurrentPlayer, m_CurrentPlayer) : nullptr;
    if (column < 0 || column >= ColumnsPerPlayer())
        return nullptr;
    return &Columns(m_CurrentPlayer, column);
}

bool TTurnEngine::FieldShowsMoveValue(int column, int row) const
{
    if (!m_MoveValuesOnBoard || !IsFieldRow(row))
        return false;
    const int player = m_CurrentPlayer;
    if (ColumnsPerPlayer() == 1 ? column != player : (column < 0 || column >= ColumnsPerPlayer()))
        return false;
    const TTavolex &c = m_Columns.at(static_cast<std::size_t>(player)).at(static_cast<std::size_t>(column));
    return c.IsOpen(row) && c.Rows(row).MoveValue != 0;
}

bool TTurnEngine::ClickCup(int width, int height)
{
    if (!CanStartThrow())
        return false;
    if (m_Observer)
        m_Observer->ThrowStarting(*this);
    m_Host.CupThrowing();
    StartThrow(width, height);
    return true;
}

bool TTurnEngine::ClickDie(int die)
{
    if (die < 0 || die >= DiceInGame || !ToggleHold(die))
        return false;
    m_Host.DieClicked(die);
    return true;
}

void TTurnEngine::ChooseField(int column, int row)
{
    Choose(column, row, true);
}

void TTurnEngine::ChooseFieldUnasked(int column, int row)
{
    Choose(column, row, false);
}

void TTurnEngine::Choose(int column, int row, bool ask)
{
    if (m_GameOver || m_Phase == TurnPhase::Viewing || !IsFieldRow(row))
        return;
    TTavolex *target = ColumnForClick(column);
    if (!target)
        return;
    TTavolex &col = *target;
    m_ChosenColumn = column;
    m_ChosenRow = row;
    if (!col.IsOpen(row)) {
        m_Host.PlaySound(QStringLiteral("False_Set"), false);
        return;
    }

    int value = 0;
    const bool entry = FieldShowsMoveValue(column, row);
    if (!entry && ask && m_ValuesShown && !m_Rules.AllowRedo()
        && !AskConfirmation(QStringLiteral("Wollen Sie das Feld streichen ?"))) {
        m_Host.ReopenField(column, row);
        return;
    }
    if (m_Observer)
        m_Observer->FieldChoosing(*this, column, row);
    if (entry) {
        if (row == Row::Quintor || col.Rows(row).Joker) {
            col.SetQuintorCount(col.QuintorCount() + 1);
            // Only hit1 ... hit7 exist; later counts stay silent.
            if (col.QuintorCount() <= 7)
                m_Host.PlaySound(QStringLiteral("hit%1").arg(col.QuintorCount()), true);
        }
        value = col.Rows(row).MoveValue;
    } else {
        m_Host.PlaySound(QStringLiteral("strike"), false);
        value = row <= Row::Sixes ? 0 : m_Rules.RuleValue(Row::StruckField);
        col.Rows(row).Struck = true;
    }
    col.Enter(row, value);
    m_Host.ShowFieldValue(column, row);

    if (!m_Rules.AllowRedo() || !ask) {
        CompleteEntry(col, true);
        return;
    }
    m_Host.MarkFieldPending(column, row);
    m_Host.PlaySound(QStringLiteral("choose"), false);
    if (AskConfirmation(QString())) {
        CompleteEntry(col, false);
        return;
    }
    // Take-back: the same player goes on with the same throws; a strike's
    // mark and a counted five of a kind stay.
    col.Reopen(row);
    m_Host.ReopenField(column, row);
    if (m_Observer)
        m_Observer->FieldTakenBack(*this, column, row);
    if (m_Phase != TurnPhase::AwaitThrow)
        EvaluateThrow();
}

void TTurnEngine::CompleteEntry(const TTavolex &column, bool pauseAfterChoose)
{
    RefreshSums(m_CurrentPlayer);
    // Six hits right after this entry's refresh: the bonus applies for the first time.
    const bool firstBonus = column.BonusHits() == SumFieldsPerColumn;
    NextPlayer();
    if (firstBonus) {
        m_Host.PlaySound(QStringLiteral("Boni"), true);
    } else if (pauseAfterChoose) {
        m_Host.PlaySound(QStringLiteral("choose"), true);
        m_Host.Pause(500);
    }
    m_ThrowsUsed = 0;
    m_Host.ThrowsLeftChanged();
    RefreshSums(m_CurrentPlayer);
    m_Host.PlayThrowSound(QStringLiteral("IN"));
    EndOfTurnCheck();
}

void TTurnEngine::RefreshSums(int player)
{
    const auto refresh = [this](int p) {
        long long points = 0;
        for (int k = 0; k < ColumnsPerPlayer(); ++k) {
            TTavolex &column = PlayerColumn(p, k);
            column.UpdateSums(SumFieldsPerColumn);
            points += column.Rows(Row::GrandTotal).Value;
        }
        // Four columns of hand-edited rule values may pass the range of int.
        m_Players[p].SetPoints(static_cast<int>(std::clamp<long long>(
            points, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())));
        m_Host.ShowSums(p);
    };
    if (ColumnsPerPlayer() == 1) {
        for (int p = 0; p < m_Players.size(); ++p)
            refresh(p);
    } else if (player >= 0 && player < m_Players.size()) {
        refresh(player);
    }
}

int TTurnEngine::PlayersInGame() const
{
    return static_cast<int>(std::count_if(m_Players.begin(), m_Players.end(),
                                          [](const TPlayer &p) { return p.InGame(); }));
}

int TTurnEngine::NextInGameAfter(int player) const
{
    const int n = static_cast<int>(m_Players.size());
    for (int step = 1; step <= n; ++step) {
        const int candidate = (player + step) % n;
        if (m_Players[candidate].InGame())
            return candidate;
    }
    return player;
}

void TTurnEngine::NextPlayer()
{
    if (m_Players.isEmpty())
        return;
    m_CurrentPlayer = NextInGameAfter(m_CurrentPlayer);
    m_Host.ClearShownValues();
    m_MoveValuesOnBoard = false;
    m_MovesLeft = CountMovesLeft();
    m_Phase = TurnPhase::AwaitThrow;
    ResetDice();
    HighlightCurrentPlayer();
    m_Host.ShowBackgroundOf(m_CurrentPlayer, true);
    m_Host.ShowGiveUpIcon();
    if (ColumnsPerPlayer() > 1)
        m_Host.ShowPlayerColumns(m_CurrentPlayer);
}

void TTurnEngine::HighlightCurrentPlayer()
{
    int marked = m_CurrentPlayer;
    if (ColumnsPerPlayer() > 1) {
        if (!m_Players[marked].InGame())
            marked = NextInGameAfter(marked);
        RefreshSums(marked);
        for (int p = 0; p < m_Players.size(); ++p)
            if (p != marked)
                RefreshSums(p);
    }
    m_Host.HighlightCurrentPlayer(marked);
}

int TTurnEngine::CountMovesLeft() const
{
    int moves = 0;
    for (int p = 0; p < m_Players.size(); ++p) {
        if (!m_Players[p].InGame())
            continue;
        for (int k = 0; k < ColumnsPerPlayer(); ++k) {
            const TTavolex &column = PlayerColumn(p, k);
            for (int row = 1; row < Row::Count; ++row)
                moves += column.IsOpen(row) ? 1 : 0;
        }
    }
    return moves;
}

void TTurnEngine::EndOfTurnCheck()
{
    const auto first = std::find_if(m_Players.begin(), m_Players.end(),
                                    [](const TPlayer &p) { return p.InGame(); });
    if (first != m_Players.end() && first - m_Players.begin() == m_CurrentPlayer)
        ++m_Round;
    if (m_MovesLeft == 0) {
        m_GameOver = true;
        m_Host.StartCeremony();
    }
}

void TTurnEngine::GiveUp(int player)
{
    if (m_GameOver || player != m_CurrentPlayer || player < 0 || player >= m_Players.size())
        return;
    const int inGame = PlayersInGame();
    m_Host.PlaySound(QStringLiteral("wait"), false);
    const TPlayer &quitter = m_Players[player];
    const QString question = inGame == 1
        ? QStringLiteral("Wenn dieser Spieler gelöscht wird, endet das Spiel")
        : QStringLiteral("Will ") + quitter.Name() + QStringLiteral(" wirklich aufhören ?");
    if (!m_Host.AskGiveUp(question))
        return;

    m_Host.PlaySound(QStringLiteral("cancel"), false);
    // One arg call: chained ones would read a "%2" in the name as a place.
    m_EventLines << QStringLiteral("%1 hat das Spiel mit %2 Punkten in der %3. Runde abgebrochen.")
                        .arg(quitter.Name(), QString::number(quitter.Points()), QString::number(m_Round + 1));
    m_ThrowsUsed = 0;
    m_Host.ThrowsLeftChanged();
    m_Host.ShowInfoMarker(-1);
    if (inGame == 1) {
        m_Host.CloseGame(ModalResultLastPlayerGaveUp);
        return;
    }
    m_Players[player].SetInGame(false);
    m_Host.RemovePlayer(player);
    if (ColumnsPerPlayer() > 1)
        HighlightCurrentPlayer();
    m_Host.LayoutChanged();
    NextPlayer();
    EndOfTurnCheck();
}

void TTurnEngine::ViewPlayer(int player)
{
    if (ColumnsPerPlayer() == 1 || m_GameOver || player < 0 || player >= m_Players.size())
        return;
    m_Host.ClearShownValues();
    m_MoveValuesOnBoard = false;
    m_Host.ShowGiveUpIcon();
    if (player != m_CurrentPlayer) {
        m_Phase = TurnPhase::Viewing;
        m_Host.ResetCup(true);
        m_Host.ShowBackgroundOf(player, false);
        m_Host.ShowInfoMarker(player);
        m_Host.ShowPlayerColumns(player);
        RefreshSums(player);
        return;
    }
    m_Host.ResetCup(false);
    // A roll still under way stops where it is.
    for (TDice &die : m_Dice)
        if (die.State() == TDice::dsRolling)
            die.Settle();
    m_Phase = TurnPhase::Lying;
    m_ThrowEvaluated = true;
    m_Host.ShowInfoMarker(-1);
    m_Host.ShowPlayerColumns(m_CurrentPlayer);
    m_Host.ShowBackgroundOf(m_CurrentPlayer, true);
    RefreshSums(m_CurrentPlayer);
    EvaluateThrow();
}

bool TTurnEngine::AskConfirmation(const QString &question)
{
    return m_Host.AskConfirmation(question);
}
