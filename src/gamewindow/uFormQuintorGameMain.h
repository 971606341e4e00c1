// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "gamewindow/uWinners.h"
#include "play/uTTurnEngine.h"
#include "storage/uTMainApplication.h"

#include <QDateTime>
#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <stdexcept>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class TDesigns;
class TDrawSurface;
class TGameKeys;
class TFormQuintorTempSettings;
class TFormQuintorWait;
class TGameAssist;
class TGameStatusBar;
class TPlayfield;
class TResultPanel;
class TScoreBoard;
class TSoundCatalogue;
class TStatistics;

// The game window could not be set up; Message() says why, in German.
class EGameStartError : public std::runtime_error {
public:
    explicit EGameStartError(const QString &message)
        : std::runtime_error(message.toStdString()), m_Message(message) {}
    [[nodiscard]] const QString &Message() const noexcept { return m_Message; }

private:
    QString m_Message;
};

// The game window: runs one game and closes with a modal result
// (1 main menu, 2 closed, 3 quit, 4 play again, 7 the last player gave up).
// It owns the controls and forwards their events; the rules are the turn
// engine's, the drawing the playfield's, the board the score board's.
class TFormQuintorGameMain : public QDialog, public ITurnHost {
    Q_OBJECT

public:
    static constexpr int ResultMainMenu = 1;
    static constexpr int ResultClosed = 2;
    static constexpr int ResultQuit = 3;
    static constexpr int ResultPlayAgain = 4;
    static constexpr int ResultLastPlayerGaveUp = 7;

    // Reads Settings.ini, the players and Global.ini from `dataFolder`, the
    // pictures and sounds from `programFolder` (Bin/ lies there). Throws
    // EGameStartError when the data folder cannot be created.
    TFormQuintorGameMain(QWidget *owner, const QString &dataFolder, const QString &programFolder);
    ~TFormQuintorGameMain() override;

    // "HH:MM", set by the main window before the window is shown.
    void SetStartTime(const QString &startTime) { m_StartTime = startTime; }
    [[nodiscard]] const QString &StartTime() const noexcept { return m_StartTime; }
    // "HH:MM" taken by the ceremony; empty before.
    [[nodiscard]] const QString &EndTime() const noexcept { return m_EndTime; }

    // The window answers a close request with these rules (bookkeeping or
    // the abort question) and closes with `result` when allowed.
    void CloseWith(int result);

    [[nodiscard]] TTurnEngine *Engine() const noexcept { return m_Engine.get(); }
    [[nodiscard]] TPlayfield *Playfield() const noexcept { return m_Playfield.get(); }
    [[nodiscard]] TScoreBoard *ScoreBoard() const noexcept { return m_ScoreBoard; }
    [[nodiscard]] TDrawSurface *Surface() const noexcept { return m_Surface; }
    [[nodiscard]] TSoundCatalogue *Sounds() const noexcept { return m_Sounds.get(); }
    [[nodiscard]] const TDesigns *Designs() const noexcept { return m_Designs.get(); }
    [[nodiscard]] TMainApplication &Settings() noexcept { return m_Settings; }
    [[nodiscard]] TGameStatusBar *StatusBar() const noexcept { return m_StatusBarMain; }
    [[nodiscard]] QComboBox *BackgroundSelector() const noexcept { return m_ComboBoxTable; }
    [[nodiscard]] TFormQuintorTempSettings *ValueTable() const noexcept { return m_ValueTable; }
    [[nodiscard]] TGameKeys *Keys() const noexcept { return m_Keys; }
    // The computer players, the coach and the analysis.
    [[nodiscard]] TGameAssist *Assist() const noexcept { return m_Assist.get(); }
    // The messages of the wait window shown while the window was created.
    [[nodiscard]] const QStringList &LoadingMessages() const noexcept { return m_LoadingMessages; }

    [[nodiscard]] TResultPanel *ResultPanel() const noexcept { return m_PanelResultMain; }
    // The ranking of the ceremony; before it one unranked record per player.
    [[nodiscard]] const QList<RWinnerList> &Winners() const noexcept { return m_Winners; }
    // Full path of the latest report; empty until the first is written.
    [[nodiscard]] const QString &ReportFileName() const noexcept { return m_ReportFileName; }

    // The blocking pause after an entry; tests replace it so they never sleep.
    void SetPause(std::function<void(int)> pause) { m_Pause = std::move(pause); }
    // The local clock for the report and the statistics, and the desktop's
    // opening of a report; tests replace both.
    void SetClock(std::function<QDateTime()> clock) { m_Now = std::move(clock); }
    void SetReportOpener(std::function<void(const QString &)> opener) { m_OpenReport = std::move(opener); }

    // ITurnHost: the board, the playfield, the samples, the prompts.
    void ClearShownValues() override;
    void ShowMoveValues() override;
    void ShowFieldValue(int column, int row) override;
    void MarkFieldPending(int column, int row) override;
    void ReopenField(int column, int row) override;
    void ShowSums(int player) override;
    void HighlightCurrentPlayer(int markedPlayer) override;
    void ShowGiveUpIcon() override;
    void RemovePlayer(int player) override;
    void ShowPlayerColumns(int player) override;
    void ShowInfoMarker(int player) override;
    void ShowBackgroundOf(int player, bool selectorEnabled) override;
    void ThrowsLeftChanged() override;
    void ResetCup(bool hidden) override;
    void LayoutChanged() override;
    void PlaySound(const QString &name, bool wait) override;
    void StopSound(const QString &name) override;
    void StopAllSounds() override;
    void PlayThrowSound(const QString &event) override;
    void CupThrowing() override;
    void DieClicked(int die) override;
    bool AskConfirmation(const QString &question) override;
    bool AskGiveUp(const QString &text) override;
    void Pause(int milliseconds) override;
    void StartCeremony() override;
    void CloseGame(int modalResult) override;

    // Without a complete set of dice pictures the game is refused: returns
    // ResultClosed at once, without showing the window.
    int exec() override;
    [[nodiscard]] bool Refused() const noexcept { return m_Refused; }

public slots:
    void reject() override;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void FormCreate();
    // Lists missing or damaged dice pictures for the one message, with what
    // the game does instead, or refuses the game when no set is complete.
    void NoteDiceProblems();
    void CreateControls();
    void LoadRulesAndPlayers();
    void PlaceStaticPanels();
    void FormActivate();
    void FormResize();
    // The frame timer runs while the application is active and the surface
    // shows, except during a layout and after the window began to close.
    void UpdateFrameTimer();
    [[nodiscard]] bool FormCloseQuery(int result);
    // True when the user confirms abandoning the running game.
    [[nodiscard]] bool AskAbort();
    // Profiles, the Stats.ini section, the next game number; false (after a
    // message) when a file cannot be written, so the window stays open.
    [[nodiscard]] bool RecordGame();
    // The number this game is filed under, fixed at its first use: Gamecount
    // (at least 1), or above the highest recorded game when Stats.ini already
    // holds that number, so no earlier record is overwritten.
    int ResolveGameNumber();
    void CreateResultPanel();
    void ShowCeremony();
    void ShowWinners();
    // Writes the report under a name no other game's report holds and names
    // it in ReportFileName. Throws EWriteError, leaving ReportFileName alone.
    void WriteGameReport();
    // The same; a failure is shown in a German message and answered false.
    bool WriteGameReportReporting();
    void ButtonPrintClick();
    void Message(const QString &text);
    void CreateAssist();
    // One frame of the frame timer: the playfield, then a computer's action.
    void FrameTimer();
    void ComboBoxTableSelect(int index);
    // The board's click handlers, also run by their keys.
    void PanelScoresClick(int column, int row);
    void ImageInfoClick(int player);
    void ShowPlayer(int player);
    void CreateKeys();
    void ButtonSettingsClick();
    void StatusBarSwitched(int panel);
    // Runs a handler of the game; an error it raises is absorbed without a
    // message, and the window lays itself out anew.
    void Absorb(const std::function<void()> &handler);
    [[nodiscard]] bool MultiColumn() const;
    // A computer player's turn: the board and the playfield ignore clicks.
    [[nodiscard]] bool ComputerOnTurn() const;

    QString m_DataFolder;
    QString m_ProgramFolder;
    QString m_StartTime;
    QString m_EndTime;
    TMainApplication m_Settings;
    TTavolexSettings m_Rules;
    std::unique_ptr<TTurnEngine> m_Engine;
    std::unique_ptr<TDesigns> m_Designs;
    std::unique_ptr<TSoundCatalogue> m_Sounds;
    std::unique_ptr<TPlayfield> m_Playfield;
    std::unique_ptr<TStatistics> m_Statistics;
    std::unique_ptr<TGameAssist> m_Assist;  // after the engine and the playfield: goes first
    std::function<void(int)> m_Pause;
    std::function<QDateTime()> m_Now;
    std::function<void(const QString &)> m_OpenReport;
    QList<RWinnerList> m_Winners;
    QString m_ReportFileName;
    int m_GameNumber = 0;  // 0 until resolved
    bool m_ResultShown = false;
    bool m_Refused = false;
    QStringList m_MissingFiles;
    QStringList m_MissingConsequences;
    QStringList m_LoadingMessages;
    bool m_LayoutGuard = true;
    bool m_Closing = false;

    TFormQuintorWait *m_Wait = nullptr;
    QFrame *m_PanelHead = nullptr;
    QLabel *m_LabelHead = nullptr;
    QFrame *m_PanelScoreboard = nullptr;
    QFrame *m_PanelScoreboardInfo = nullptr;
    QFrame *m_PanelScores = nullptr;
    QFrame *m_PanelDXPlayField = nullptr;
    TDrawSurface *m_Surface = nullptr;
    TResultPanel *m_PanelResultMain = nullptr;
    QLabel *m_LabelDesign = nullptr;
    QComboBox *m_ComboBoxTable = nullptr;
    QComboBox *m_ComboBoxTableIX = nullptr;
    QPushButton *m_ButtonSettings = nullptr;
    QLabel *m_LabelRollsLeft = nullptr;
    TGameStatusBar *m_StatusBarMain = nullptr;
    TScoreBoard *m_ScoreBoard = nullptr;
    TFormQuintorTempSettings *m_ValueTable = nullptr;
    TGameKeys *m_Keys = nullptr;
};
