// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

class QWidget;
class TCoachPanel;
class TComputerPacer;
class TGameAnalysis;
class TGameStatusBar;
class TMainApplication;
class TPlayfield;
class TScoreBoard;
class TStrategy;
class TStrategyWorker;
class TTurnEngine;

// Everything of the game window that draws on the rule set's strategy: the
// strategy solved in the background, the computer players' turns, the coach
// and the analysis of the people's decisions for the report. A game of
// people only looks and plays as without it until someone asks for a hint.
// Owned by the window, destroyed before the engine it observes.
class TGameAssist : public QObject {
    Q_OBJECT
public:
    static constexpr int StatusPanel = 2;  // the status bar panel that tells what the computer does

    TGameAssist(TTurnEngine &engine, TScoreBoard &board, TPlayfield &playfield, TGameStatusBar &statusBar,
                const TMainApplication &settings, QWidget *head, QWidget *window);
    ~TGameAssist() override;

    // Starts solving the strategy (from the cache folder when it holds it).
    void Start(const QString &cacheFolder);
    // Every frame, after the playfield's: the computer's next action when due.
    void Frame(int width, int height);
    // Clicks on the board and the playfield are not for a computer's turn.
    [[nodiscard]] bool IgnoresClicks() const;
    // The "Spielanalyse" table appended to the report's lines when the
    // strategy is ready and a person made a decision.
    void AppendAnalysis(QStringList &lines) const;
    void Place(int headWidth, int headHeight);

    [[nodiscard]] bool StrategyReady() const;
    // Null until ready.
    [[nodiscard]] std::shared_ptr<const TStrategy> Strategy() const;
    [[nodiscard]] TCoachPanel *Coach() const noexcept { return m_Coach; }
    [[nodiscard]] TComputerPacer *Pacer() const noexcept { return m_Pacer.get(); }
    [[nodiscard]] const TGameAnalysis &Analysis() const noexcept { return *m_Analysis; }

signals:
    void StrategyReadied();

private:
    void StrategyArrived();
    void ShowStatus();

    TTurnEngine &m_Engine;
    TGameStatusBar &m_StatusBar;
    std::unique_ptr<TStrategyWorker> m_Worker;
    std::unique_ptr<TComputerPacer> m_Pacer;
    std::unique_ptr<TGameAnalysis> m_Analysis;
    TCoachPanel *m_Coach = nullptr;
    QString m_Status;  // what panel 2 shows; it stays untouched in a game of people
};
