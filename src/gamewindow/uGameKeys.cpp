// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uGameKeys.h"

#include "gamewindow/uPlayfield.h"
#include "gamewindow/uScoreBoard.h"
#include "play/uTTurnEngine.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>
#include <array>

namespace {
constexpr std::array<int, 15> GameKeys{
    Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_1,   Qt::Key_2,    Qt::Key_3,
    Qt::Key_4,     Qt::Key_5,      Qt::Key_Up,    Qt::Key_Down, Qt::Key_Left, Qt::Key_Right,
    Qt::Key_Tab,   Qt::Key_Backtab, Qt::Key_Delete};
}  // namespace

TGameKeys::TGameKeys(QWidget &window, const TTurnEngine &engine, TPlayfield &playfield, TScoreBoard &board,
                     TActions actions)
    : QObject(&window)
    , m_Window(window)
    , m_Engine(engine)
    , m_Playfield(playfield)
    , m_Board(board)
    , m_Actions(std::move(actions))
    , m_Cursor(engine)
{
    // Watched application-wide: the keys must reach the game whichever
    // control of the window has the focus (a focused button takes Space).
    qApp->installEventFilter(this);
}

TGameKeys::~TGameKeys()
{
    qApp->removeEventFilter(this);
}

bool TGameKeys::FieldSelected() const
{
    // While the dice roll or another sheet is shown the old frame offers nothing to enter.
    const TurnPhase phase = m_Engine.Phase();
    return m_Cursor.Placed() && (phase == TurnPhase::AwaitThrow || phase == TurnPhase::Lying);
}

void TGameKeys::ThrowEvaluated()
{
    m_Cursor.FollowThrow();
    Refresh();
}

void TGameKeys::Refresh()
{
    if (m_InUse && FieldSelected() && m_Actions.Playing())
        m_Board.ShowFocusFrame(m_Cursor.Column(), m_Cursor.Row());
    else
        m_Board.HideFocusFrame();
}

void TGameKeys::SetInUse(bool inUse)
{
    if (m_InUse == inUse)
        return;
    m_InUse = inUse;
    m_Playfield.SetShowDiceNumbers(inUse);
    Refresh();
}

bool TGameKeys::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::MouseButtonPress)
        return QObject::eventFilter(watched, event);
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != &m_Window)
        return QObject::eventFilter(watched, event);
    if (type == QEvent::MouseButtonPress) {
        SetInUse(false);
        return QObject::eventFilter(watched, event);
    }
    return KeyPress(*static_cast<QKeyEvent *>(event));
}

bool TGameKeys::KeyPress(const QKeyEvent &event)
{
    // Keypad digits count as digits, Shift+Tab arrives as Backtab; any
    // other modifier leaves the key to accelerators and shortcuts.
    const Qt::KeyboardModifiers others = event.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    const int key = event.key();
    if (others != Qt::NoModifier || !m_Actions.Playing()
        || std::find(GameKeys.begin(), GameKeys.end(), key) == GameKeys.end())
        return false;
    // Shown before the action, so that a prompt it opens has the frame on its field.
    SetInUse(true);
    Dispatch(key, event.isAutoRepeat());
    Refresh();
    return true;
}

void TGameKeys::Dispatch(int key, bool repeated)
{
    // A held key throws, toggles or enters once; only the frame moves on repeating.
    switch (key) {
    case Qt::Key_Space:
        if (!repeated)
            m_Actions.Throw();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!repeated)
            EnterOrThrow();
        break;
    case Qt::Key_1:
    case Qt::Key_2:
    case Qt::Key_3:
    case Qt::Key_4:
    case Qt::Key_5:
        if (!repeated)
            m_Actions.Die(key - Qt::Key_0);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right: {
        using Direction = TFieldCursor::Direction;
        const Direction direction = key == Qt::Key_Up     ? Direction::Up
                                    : key == Qt::Key_Down ? Direction::Down
                                    : key == Qt::Key_Left ? Direction::Left
                                                          : Direction::Right;
        const TurnPhase phase = m_Engine.Phase();
        if (phase == TurnPhase::AwaitThrow || phase == TurnPhase::Lying)
            m_Cursor.Move(direction);
        break;
    }
    case Qt::Key_Tab:
        WalkPlayers(1);
        break;
    case Qt::Key_Backtab:
        WalkPlayers(-1);
        break;
    case Qt::Key_Delete:
        if (!repeated)
            m_Actions.GiveUp(m_Engine.CurrentPlayer());
        break;
    default:
        break;
    }
}

void TGameKeys::EnterOrThrow()
{
    if (FieldSelected())
        m_Actions.ChooseField(m_Cursor.Column(), m_Cursor.Row());
    else
        m_Actions.Throw();
}

void TGameKeys::WalkPlayers(int step)
{
    // Only several-column games have player panels to click.
    const int count = static_cast<int>(m_Engine.Players().size());
    if (m_Engine.ColumnsPerPlayer() == 1 || count == 0)
        return;
    int player = m_Board.ShownPlayer();
    for (int i = 0; i < count; ++i) {
        player = (player + step + count) % count;
        if (m_Engine.Players()[player].InGame()) {
            m_Actions.ShowPlayer(player);
            return;
        }
    }
}
