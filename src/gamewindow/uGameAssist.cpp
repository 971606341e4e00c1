// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uGameAssist.h"

#include "gamewindow/uCoachPanel.h"
#include "gamewindow/uComputerPacer.h"
#include "gamewindow/uGameAnalysisTable.h"
#include "gamewindow/uGameStatusBar.h"
#include "gamewindow/uStrategyWorker.h"
#include "play/uTTurnEngine.h"
#include "strategy/uTComputerPlayer.h"
#include "strategy/uTGameAnalysis.h"
#include "strategy/uTStrategy.h"

TGameAssist::TGameAssist(TTurnEngine &engine, TScoreBoard &board, TPlayfield &playfield, TGameStatusBar &statusBar,
                         const TMainApplication &settings, QWidget *head, QWidget *window)
    : m_Engine(engine)
    , m_StatusBar(statusBar)
    , m_Pacer(std::make_unique<TComputerPacer>(engine, settings))
    , m_Analysis(std::make_unique<TGameAnalysis>())
{
    m_Coach = new TCoachPanel(engine, board, playfield, head, window);
    for (int p = 0; p < engine.Players().size(); ++p) {
        if (StrengthOf(engine.Players()[p].Computer()) != TStrength::Person)
            m_Analysis->SetRecorded(p, false);
    }
    engine.SetObserver(m_Analysis.get());
    // People who play against the computer are offered the coach from the start.
    m_Coach->SetOffered(m_Pacer->HasComputers() && m_Pacer->HasPeople());
}

TGameAssist::~TGameAssist()
{
    m_Engine.SetObserver(nullptr);
}

void TGameAssist::Start(const QString &cacheFolder)
{
    m_Worker = std::make_unique<TStrategyWorker>(m_Engine.Rules(), cacheFolder);
    connect(m_Worker.get(), &TStrategyWorker::Ready, this, &TGameAssist::StrategyArrived);
    m_Worker->Start();
    ShowStatus();
}

bool TGameAssist::StrategyReady() const
{
    return m_Worker && m_Worker->IsReady();
}

std::shared_ptr<const TStrategy> TGameAssist::Strategy() const
{
    return m_Worker ? m_Worker->Strategy() : nullptr;
}

void TGameAssist::StrategyArrived()
{
    m_Pacer->SetStrategy(m_Worker->Strategy());
    m_Coach->SetStrategy(m_Worker->Strategy());
    emit StrategyReadied();
}

void TGameAssist::Frame(int width, int height)
{
    m_Coach->SetComputerOnTurn(m_Pacer->ComputerOnTurn());
    m_Coach->Frame();
    // After the action too: the entry that ends the game stops the frames.
    ShowStatus();
    if (m_Pacer->Frame(width, height))
        ShowStatus();
}

bool TGameAssist::IgnoresClicks() const
{
    return m_Pacer->ComputerOnTurn();
}

void TGameAssist::ShowStatus()
{
    QString status;
    if (m_Pacer->Waiting())
        status = QStringLiteral("Computer rechnet …");
    else if (m_Pacer->ComputerOnTurn())
        status = QStringLiteral("Computer am Zug");
    if (status == m_Status)
        return;
    m_Status = status;
    m_StatusBar.SetPanelText(StatusPanel, status);
}

void TGameAssist::AppendAnalysis(QStringList &lines) const
{
    if (!StrategyReady())
        return;
    QStringList names;
    for (const TPlayer &player : m_Engine.Players())
        names << player.Name();
    AppendGameAnalysis(lines, m_Analysis->Evaluate(*m_Worker->Strategy(), names));
}

void TGameAssist::Place(int headWidth, int headHeight)
{
    m_Coach->Place(headWidth, headHeight);
}
