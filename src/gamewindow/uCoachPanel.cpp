// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uCoachPanel.h"

#include "gamewindow/uPlayfield.h"
#include "gamewindow/uScoreBoard.h"
#include "play/uTTurnEngine.h"
#include "strategy/uTStrategy.h"

#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

namespace {
constexpr int ButtonWidth = 60;
constexpr int ButtonHeight = 25;
constexpr int HeadTitleWidth = 193;  // LabelHead and its margin at the right of the head
}  // namespace

TCoachHint CoachHint(const TAdvice &advice, const TTurnSituation &situation)
{
    TCoachHint hint;
    if (advice.Choices.empty()) {
        hint.Text = QStringLiteral("Jetzt gibt es keinen Tipp: die Würfel rollen noch, "
                                   "oder ein anderer Spieler wird gezeigt.");
        return hint;
    }
    hint.Text = AdviceText(advice, 3);
    const TTurnChoice &best = advice.Choices.front();
    if (best.What == TTurnChoice::Kind::Field) {
        hint.Column = best.Column;
        hint.Row = best.Row;
    } else if (situation.DiceLying) {
        hint.KeepDice = best.Hold;
    }
    return hint;
}

TCoachPanel::TCoachPanel(const TTurnEngine &engine, TScoreBoard &board, TPlayfield &playfield, QWidget *head,
                         QWidget *window)
    : QObject(window), m_Engine(engine), m_Board(board), m_Playfield(playfield)
{
    m_Button = new QPushButton(QStringLiteral("Tipp"), head);
    m_Button->setObjectName(QStringLiteral("ButtonHint"));
    m_Button->setToolTip(QStringLiteral("Tipp für den nächsten Zug (Taste T)"));
    m_Button->setAutoDefault(false);
    m_Button->setFocusPolicy(Qt::NoFocus);
    m_Button->hide();
    connect(m_Button, &QPushButton::clicked, this, &TCoachPanel::ShowHint);
    m_Label = new QLabel(head);
    m_Label->setObjectName(QStringLiteral("LabelHint"));
    m_Label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Four lines (three choices and the note on estimates) fit the head.
    QFont small = m_Label->font();
    small.setPixelSize(10);
    m_Label->setFont(small);
    m_Label->hide();
    m_FieldMark = new QFrame(window);
    m_FieldMark->setObjectName(QStringLiteral("FrameHintField"));
    m_FieldMark->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_FieldMark->setStyleSheet(QStringLiteral("#FrameHintField { border: 3px solid #2e9e3e; background: transparent; }"));
    m_FieldMark->hide();
    // A shortcut of its own, apart from the keys of play, so both stay simple.
    auto *key = new QShortcut(QKeySequence(Qt::Key_T), window);
    key->setContext(Qt::WindowShortcut);
    connect(key, &QShortcut::activated, this, [this] {
        SetOffered(true);
        ShowHint();
    });
}

TCoachPanel::~TCoachPanel() = default;

void TCoachPanel::SetStrategy(const std::shared_ptr<const TStrategy> &strategy)
{
    m_Strategy = strategy;
    m_Advisor = strategy ? std::make_unique<TAdvisor>(*strategy) : nullptr;
}

void TCoachPanel::SetOffered(bool offered)
{
    m_Button->setVisible(offered);
    m_Label->setVisible(offered);
}

void TCoachPanel::Place(int headWidth, int headHeight)
{
    m_Button->setGeometry(10, (headHeight - ButtonHeight) / 2, ButtonWidth, ButtonHeight);
    const int left = 10 + ButtonWidth + 10;
    m_Label->setGeometry(left, 1, std::max(1, headWidth - left - HeadTitleWidth), headHeight - 2);
}

QString TCoachPanel::SituationKey() const
{
    QString key = QStringLiteral("%1/%2/%3/%4/%5/")
                      .arg(m_Engine.CurrentPlayer())
                      .arg(m_Engine.Round())
                      .arg(m_Engine.ThrowsUsed())
                      .arg(static_cast<int>(m_Engine.Phase()))
                      .arg(m_Engine.MovesLeft());
    for (const TDice &die : m_Engine.Dice())
        key += die.State() == TDice::dsHeld ? QLatin1Char('h') : QLatin1Char('-');
    return key;
}

QString TCoachPanel::NoHintReason() const
{
    if (m_Engine.GameOver())
        return QStringLiteral("Das Spiel ist vorbei.");
    if (m_ComputerOnTurn)
        return QStringLiteral("Tipps gibt es für Menschen: jetzt ist ein Computer am Zug.");
    if (!m_Advisor)
        return QStringLiteral("Der Tipp wird noch berechnet, bitte gleich noch einmal.");
    return {};
}

void TCoachPanel::ShowHint()
{
    Clear();
    m_Shown = true;
    m_Key = SituationKey();
    const QString reason = NoHintReason();
    if (!reason.isEmpty()) {
        ShowText(reason);
        return;
    }
    const TTurnSituation situation = SituationOf(m_Engine);
    const TCoachHint hint = CoachHint(m_Advisor->Advise(situation), situation);
    ShowText(hint.Text);
    m_Playfield.SetHintDice(hint.KeepDice);
    if (hint.Column >= 0)
        MarkField(hint.Column, hint.Row);
}

void TCoachPanel::ShowText(const QString &text)
{
    m_Label->setText(text);
    m_Label->setToolTip(text);
    m_Label->show();
}

void TCoachPanel::MarkField(int column, int row)
{
    m_Column = column;
    m_Row = row;
    Frame();
}

void TCoachPanel::Clear()
{
    m_Shown = false;
    m_Label->clear();
    m_Label->setToolTip(QString());
    m_Playfield.SetHintDice({});
    m_Column = m_Row = -1;
    m_FieldMark->hide();
}

void TCoachPanel::Frame()
{
    if (!m_Shown)
        return;
    if (SituationKey() != m_Key) {
        Clear();
        return;
    }
    QLabel *field = m_Column >= 0 ? m_Board.Field(m_Column, m_Row) : nullptr;
    if (!field || !field->isVisible()) {
        m_FieldMark->hide();
        return;
    }
    auto *window = m_FieldMark->parentWidget();
    const QRect place(field->mapTo(window, QPoint(0, 0)), field->size());
    if (m_FieldMark->geometry() != place)
        m_FieldMark->setGeometry(place);
    m_FieldMark->show();
    m_FieldMark->raise();
}

QString TCoachPanel::Text() const
{
    return m_Label->text();
}
