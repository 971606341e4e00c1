// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uFormQuintorGameMain.h"

#include "dialogs/uFormQuintorGameWaitForNextPlayer.h"
#include "dialogs/uFormQuintorTempSettings.h"
#include "dialogs/uFormQuintorWait.h"
#include "gamewindow/uDesigns.h"
#include "gamewindow/uDrawSurface.h"
#include "gamewindow/uGameKeys.h"
#include "gamewindow/uGameAssist.h"
#include "gamewindow/uGameReport.h"
#include "gamewindow/uGameStatusBar.h"
#include "gamewindow/uMissingFiles.h"
#include "gamewindow/uPlayfield.h"
#include "gamewindow/uProgramFiles.h"
#include "gamewindow/uResultPanel.h"
#include "gamewindow/uScoreBoard.h"
#include "gamewindow/uSoundCatalogue.h"
#include "mainwindow/uFormCaption.h"
#include "play/uRandom.h"
#include "storage/uIniFile.h"
#include "storage/uTStatistics.h"
#include "storage/uTools.h"
#include "strategy/uTRulesScoring.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QUrl>
#include <QWheelEvent>

#include <climits>
#include <exception>

namespace {
constexpr int HeadHeight = 49;
constexpr int SelectorTop = HeadHeight + 6;
constexpr int SelectorHeight = 22;
constexpr int Margin = 10;
constexpr int BoardRows = 24;
constexpr int CaptionWidth = 100;

struct TBoardPlace {
    int Left;
    int Width;
};
// One column per player: a wide board at the left; several: room for the
// player panels left of the board.
constexpr TBoardPlace OneColumnBoard{10, 500};
constexpr TBoardPlace ManyColumnBoard{152, 400};
}  // namespace

TFormQuintorGameMain::TFormQuintorGameMain(QWidget *owner, const QString &dataFolder,
                                           const QString &programFolder)
    : QDialog(owner)
    , m_DataFolder(dataFolder)
    , m_ProgramFolder(programFolder)
    , m_Pause([](int ms) { QThread::msleep(static_cast<unsigned long>(ms)); })
    , m_Now([] { return QDateTime::currentDateTime(); })
    , m_OpenReport([](const QString &file) { (void)QDesktopServices::openUrl(QUrl::fromLocalFile(file)); })
{
    setObjectName(QStringLiteral("FormQuintorGameMain"));
    FormCreate();
}

TFormQuintorGameMain::~TFormQuintorGameMain() = default;

bool TFormQuintorGameMain::MultiColumn() const
{
    return m_Rules.GameCount() > 1;
}

void TFormQuintorGameMain::Message(const QString &text)
{
    m_LoadingMessages << text;
    if (m_Wait)
        m_Wait->SetText(text);
}

void TFormQuintorGameMain::FormCreate()
{
    m_Wait = new TFormQuintorWait(this);
    m_Wait->show();
    Message(QStringLiteral("Anwendung wird initilisiert."));
    try {
        m_LayoutGuard = true;
        Randomize();
        CreateControls();
        QString folderProblem;
        if (!EnsureDataFolder(m_DataFolder, folderProblem))
            throw EGameStartError(folderProblem);
        Message(QStringLiteral("Einstellungen werden geladen."));
        LoadRulesAndPlayers();
        PlaceStaticPanels();
        m_Engine = std::make_unique<TTurnEngine>(*this, m_Rules, LoadGamePlayers(m_DataFolder),
                                                 m_Surface->width(), m_Surface->height());
        m_ScoreBoard = new TScoreBoard(*m_Engine, m_PanelScoreboardInfo, m_PanelScores, this, this);
        m_ScoreBoard->BuildBoard();
        connect(m_ScoreBoard, &TScoreBoard::FieldClicked, this, &TFormQuintorGameMain::PanelScoresClick);
        connect(m_ScoreBoard, &TScoreBoard::GiveUpClicked, this, &TFormQuintorGameMain::ImageInfoClick);
        connect(m_ScoreBoard, &TScoreBoard::PlayerClicked, this, &TFormQuintorGameMain::ShowPlayer);
        SetFormCaption(this, QStringLiteral("Spiel"));
        SetFormHelpContext(this, MultiColumn() ? 40200 : 40100);
        m_Engine->StartGame();
        for (const TPlayer &player : m_Engine->Players())
            m_Winners.append(RWinnerList{0, player.Name(), -1, 0});
        m_Statistics = std::make_unique<TStatistics>(m_DataFolder);

        Message(QStringLiteral("Grafiken werden geladen."));
        m_Designs = std::make_unique<TDesigns>();
        std::vector<TPlayer *> players;
        for (TPlayer &player : m_Engine->Players())
            players.push_back(&player);
        const QString &program = m_ProgramFolder;
        const int first = m_Designs->LoadBackgrounds(FindFolderIgnoringCase(program, QStringLiteral("Bin/Backgrounds")), players);
        m_Designs->LoadDiceImages(FindFolderIgnoringCase(program, QStringLiteral("Bin/Dices")));
        NoteDiceProblems();
        m_Designs->LoadFixedPictures();
        m_ComboBoxTable->addItems(m_Designs->BackgroundCaptions());
        m_ComboBoxTableIX->addItems(m_Designs->BackgroundPaths());
        m_ComboBoxTable->setCurrentIndex(first);
        m_ComboBoxTableIX->setCurrentIndex(first);

        Message(QStringLiteral("Sounds werden geladen."));
        m_Sounds = std::make_unique<TSoundCatalogue>(m_Settings);
        QStringList missingSounds;
        m_Sounds->LoadSounds(FindFolderIgnoringCase(program, QStringLiteral("Bin/Sounds")),
                             [&missingSounds](const QString &path) { missingSounds << path; });
        if (!missingSounds.isEmpty()) {
            m_MissingFiles << missingSounds;
            m_MissingConsequences << QStringLiteral("Ohne diese Klänge bleibt das Spiel an den betreffenden Stellen stumm.");
        }
        m_Playfield = std::make_unique<TPlayfield>(*m_Engine, *m_Surface, *m_Designs, *m_Sounds, m_Settings);
        m_Playfield->SetBackgroundIndex(first);
        CreateKeys();
        CreateAssist();

        ThrowsLeftChanged();
        m_Engine->HighlightCurrentPlayer();
        m_ValueTable = new TFormQuintorTempSettings(this);
        m_ValueTable->FillValueTable(m_Rules);
        m_ValueTable->hide();
        m_Settings.LoadFromFile(m_DataFolder + QStringLiteral("Global.ini"));
        m_StatusBarMain->SetPanelText(6, QStringLiteral("F1 Hilfe      "));
    } catch (...) {
        delete m_Wait;
        m_Wait = nullptr;
        m_LayoutGuard = false;
        throw;
    }
    delete m_Wait;
    m_Wait = nullptr;
    m_LayoutGuard = false;
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this] { UpdateFrameTimer(); });
    if (!m_MissingFiles.isEmpty())
        ShowMissingProgramFiles(this, m_MissingConsequences, m_MissingFiles);
}

void TFormQuintorGameMain::NoteDiceProblems()
{
    if (m_Designs->DiceProblems().isEmpty())
        return;
    m_MissingFiles << m_Designs->DiceProblems();
    if (!m_Designs->AnyDiceSetComplete()) {
        m_Refused = true;
        m_MissingConsequences << QStringLiteral("Ohne Würfelbilder kann das Spiel nicht beginnen.");
        return;
    }
    // Adjectives after "mit", by "DiceType".
    static const QStringList colours{QStringLiteral("weißen"),    QStringLiteral("roten"),
                                     QStringLiteral("blauen"),    QStringLiteral("schwarzen"),
                                     QStringLiteral("grünen"),    QStringLiteral("grauen")};
    for (const TPlayer &player : m_Engine->Players()) {
        const int own = std::clamp(player.DiceType(), 0, 5);
        const int drawn = m_Designs->DrawnDiceType(own);
        if (drawn != own)
            m_MissingConsequences << QStringLiteral("%1 spielt in diesem Spiel mit %2 statt mit %3 Würfeln.")
                                         .arg(player.Name(), colours[drawn], colours[own]);
    }
}

int TFormQuintorGameMain::exec()
{
    // A game that could not draw its dice is not played: the message has said why.
    return m_Refused ? ResultClosed : QDialog::exec();
}

void TFormQuintorGameMain::CreateAssist()
{
    m_Assist = std::make_unique<TGameAssist>(*m_Engine, *m_ScoreBoard, *m_Playfield, *m_StatusBarMain, m_Settings,
                                             m_PanelHead, this);
    m_Assist->Place(m_PanelHead->width(), HeadHeight);
    m_Assist->Start(StrategyCacheFolder());
}

bool TFormQuintorGameMain::ComputerOnTurn() const
{
    return m_Assist && m_Assist->IgnoresClicks();
}

void TFormQuintorGameMain::FrameTimer()
{
    Absorb([this] {
        m_Playfield->DXTimerMainTimer();
        // A question of the window (abort, give-up) holds the computer too.
        const QWidget *modal = QApplication::activeModalWidget();
        if (m_Assist && (!modal || modal == this))
            m_Assist->Frame(m_Surface->width(), m_Surface->height());
    });
}

void TFormQuintorGameMain::CreateControls()
{
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPixelSize(11);
    setFont(font);
    resize(900, 600);
    setMinimumSize(800, 600);
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    m_PanelHead = new QFrame(this);
    m_PanelHead->setObjectName(QStringLiteral("PanelHead"));
    m_PanelHead->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_LabelHead = new QLabel(m_PanelHead);
    m_LabelHead->setObjectName(QStringLiteral("LabelHead"));
    QFont head(QStringLiteral("Comic Sans MS"));
    head.setPixelSize(27);
    head.setItalic(true);
    m_LabelHead->setFont(head);
    m_LabelHead->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *shadow = new QGraphicsDropShadowEffect(m_LabelHead);
    shadow->setOffset(3, 3);
    shadow->setBlurRadius(2);
    m_LabelHead->setGraphicsEffect(shadow);

    m_PanelScoreboard = new QFrame(this);
    m_PanelScoreboard->setObjectName(QStringLiteral("PanelScoreboard"));
    // The player panels lie behind the board; its own background hides them.
    m_PanelScoreboard->setAutoFillBackground(true);
    m_PanelScoreboardInfo = new QFrame(m_PanelScoreboard);
    m_PanelScoreboardInfo->setObjectName(QStringLiteral("PanelScoreboardInfo"));
    m_PanelScores = new QFrame(m_PanelScoreboard);
    m_PanelScores->setObjectName(QStringLiteral("PanelScores"));

    m_PanelDXPlayField = new QFrame(this);
    m_PanelDXPlayField->setObjectName(QStringLiteral("PanelDXPlayField"));
    m_PanelDXPlayField->setFocusPolicy(Qt::StrongFocus);
    m_Surface = new TDrawSurface(m_PanelDXPlayField);
    m_Surface->setObjectName(QStringLiteral("DXDrawPlayfield"));
    connect(m_Surface, &TDrawSurface::Timer, this, [this] { FrameTimer(); });
    connect(m_Surface, &TDrawSurface::MouseDown, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
                if (!ComputerOnTurn())
                    Absorb([&] { m_Playfield->MouseDown(button == Qt::LeftButton, x, y); });
            });
    CreateResultPanel();

    m_LabelDesign = new QLabel(QStringLiteral("Spielfeld:"), this);
    m_LabelDesign->setObjectName(QStringLiteral("LabelDesign"));
    m_ComboBoxTable = new QComboBox(this);
    m_ComboBoxTable->setObjectName(QStringLiteral("ComboBoxTable"));
    m_ComboBoxTable->setToolTip(QStringLiteral("Wählen Sie hier den\nHintergrund des Spielfeldes"));
    m_ComboBoxTable->installEventFilter(this);
    connect(m_ComboBoxTable, &QComboBox::activated, this, [this](int index) {
        Absorb([&] { ComboBoxTableSelect(index); });
    });
    m_ComboBoxTableIX = new QComboBox(this);
    m_ComboBoxTableIX->setObjectName(QStringLiteral("ComboBoxTableIX"));
    m_ComboBoxTableIX->hide();
    m_ButtonSettings = new QPushButton(QStringLiteral("?"), this);
    m_ButtonSettings->setObjectName(QStringLiteral("ButtonSettings"));
    m_ButtonSettings->setToolTip(QStringLiteral("Wertetabelle anzeigen"));
    m_ButtonSettings->setAutoDefault(false);
    connect(m_ButtonSettings, &QPushButton::clicked, this, [this] { ButtonSettingsClick(); });
    m_LabelRollsLeft = new QLabel(this);
    m_LabelRollsLeft->setObjectName(QStringLiteral("LabelRollsLeft"));
    m_LabelRollsLeft->setToolTip(QStringLiteral("Übrige Würfe"));
    m_LabelRollsLeft->hide();

    m_StatusBarMain = new TGameStatusBar(m_Settings, this);
    connect(m_StatusBarMain, &TGameStatusBar::Switched, this, [this](int panel) { StatusBarSwitched(panel); });
}

void TFormQuintorGameMain::LoadRulesAndPlayers()
{
    QString error;
    m_Rules.LoadFromFile(m_DataFolder + QStringLiteral("Settings.ini"), QStringLiteral("Settings"), error);
    if (!error.isEmpty())
        QMessageBox::information(this, QStringLiteral("Quintor"), QStringLiteral("Schummler"));
    // A hand-edited rule set plays on, within what the 4 x 4 table can hold.
    m_Rules.ClampForPlay();
}

void TFormQuintorGameMain::PlaceStaticPanels()
{
    const int w = width();
    const int h = height();
    m_PanelHead->setGeometry(0, 0, w, HeadHeight);
    m_LabelHead->setGeometry(w - 183 - Margin, 0, 183, HeadHeight);
    if (m_Assist)
        m_Assist->Place(w, HeadHeight);
    m_StatusBarMain->setGeometry(0, h - m_StatusBarMain->height(), w, m_StatusBarMain->height());

    const TBoardPlace board = MultiColumn() ? ManyColumnBoard : OneColumnBoard;
    const int playTop = SelectorTop + SelectorHeight + 5;
    const int playLeft = board.Left + board.Width + Margin;
    const int playHeight = std::max(1, h - m_StatusBarMain->height() - 5 - playTop);
    const int playWidth = std::max(1, w - playLeft - Margin);
    m_PanelDXPlayField->setGeometry(playLeft, playTop, playWidth, playHeight);
    m_Surface->setGeometry(0, 0, playWidth, playHeight);
    m_PanelResultMain->setGeometry(0, 0, playWidth, playHeight);

    m_PanelScoreboard->setGeometry(board.Left, SelectorTop, board.Width, playHeight + SelectorHeight + 5);
    m_PanelScoreboardInfo->setGeometry(0, 0, CaptionWidth, m_PanelScoreboard->height());
    m_PanelScores->setGeometry(CaptionWidth, 0, board.Width - CaptionWidth, m_PanelScoreboard->height());

    m_LabelDesign->adjustSize();
    m_LabelDesign->move(playLeft, SelectorTop + (SelectorHeight - m_LabelDesign->height()) / 2);
    const int comboLeft = playLeft + m_LabelDesign->width() + 10;
    const int buttonWidth = 25;
    m_ComboBoxTable->setGeometry(comboLeft, SelectorTop, std::max(60, playWidth - buttonWidth - 75), SelectorHeight);
    m_ButtonSettings->setGeometry(m_ComboBoxTable->geometry().right() + 8, SelectorTop, buttonWidth, SelectorHeight);
    if (m_ResultShown) {
        // The ceremony: with the head hidden the playfield takes the client area.
        m_PanelDXPlayField->setGeometry(0, 0, w, std::max(1, h - m_StatusBarMain->height()));
        m_PanelResultMain->setGeometry(m_PanelDXPlayField->rect());
    }
}

void TFormQuintorGameMain::CreateResultPanel()
{
    m_PanelResultMain = new TResultPanel(m_PanelDXPlayField);
    connect(m_PanelResultMain->ButtonReplay(), &QPushButton::clicked, this, [this] { CloseWith(ResultPlayAgain); });
    connect(m_PanelResultMain->ButtonPrint(), &QPushButton::clicked, this, [this] { ButtonPrintClick(); });
    connect(m_PanelResultMain->ButtonQuit(), &QPushButton::clicked, this, [this] { CloseWith(ResultQuit); });
    connect(m_PanelResultMain->ButtonMainMenue(), &QPushButton::clicked, this, [this] { CloseWith(ResultMainMenu); });
}

void TFormQuintorGameMain::FormActivate()
{
    if (!m_Engine)
        return;
    m_Engine->SetGameOver(false);
    UpdateFrameTimer();
}

void TFormQuintorGameMain::UpdateFrameTimer()
{
    if (!m_Engine)
        return;
    const bool active = QGuiApplication::applicationState() == Qt::ApplicationActive;
    m_Surface->SetTimerEnabled(active && !m_LayoutGuard && !m_Closing && m_Surface->isVisible());
}

void TFormQuintorGameMain::FormResize()
{
    if (m_LayoutGuard || !m_Engine)
        return;
    m_LayoutGuard = true;
    PlaceStaticPanels();
    const int rowHeight = m_PanelScoreboard->height() / BoardRows;
    const bool boardVisible = !m_PanelScoreboard->isHidden();
    const bool surfaceVisible = !m_Surface->isHidden();
    m_PanelScoreboard->hide();
    m_Surface->SetTimerEnabled(false);
    const int inGame = m_Engine->PlayersInGame();
    if (inGame == 0) {
        // Nothing to record and nothing to play: back to the main window.
        m_LayoutGuard = false;
        QDialog::done(ResultClosed);
        return;
    }
    const int columns = MultiColumn() ? m_Rules.GameCount() : inGame;
    const int columnWidth = (m_PanelScoreboard->width() - m_PanelScoreboardInfo->width() - 13) / columns;
    m_ScoreBoard->Layout(rowHeight, columnWidth, m_PanelScoreboard->y());
    m_Engine->RepositionDice(m_Surface->width(), m_Surface->height());
    m_PanelScoreboard->setVisible(boardVisible);
    m_Surface->setVisible(surfaceVisible);
    m_LayoutGuard = false;
    UpdateFrameTimer();
    m_Surface->update();
    m_StatusBarMain->SetPanelText(1, QStringLiteral("Version: 3.1"));
    m_StatusBarMain->SetPanelText(0, QStringLiteral("Quintor"));
}

void TFormQuintorGameMain::Absorb(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (...) {
        // Errors during play pass without a message; a new layout repairs the look.
        resize(width() + 1, height());
    }
}

bool TFormQuintorGameMain::event(QEvent *event)
{
    // Another window of the program taking the focus leaves the timer
    // running; only the application's state stops it.
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(event);
}

bool TFormQuintorGameMain::eventFilter(QObject *watched, QEvent *event)
{
    // The selector would turn the background; the wheel sizes the dice anywhere.
    if (watched == m_ComboBoxTable && event->type() == QEvent::Wheel) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        wheelEvent(wheel);
        wheel->accept();  // else it travels on to the window and sizes twice
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFormQuintorGameMain::keyPressEvent(QKeyEvent *event)
{
    // The window has no cancel button: Escape must not ask to abort the game.
    if (event->key() == Qt::Key_Escape || event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFormQuintorGameMain::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void TFormQuintorGameMain::wheelEvent(QWheelEvent *event)
{
    if (m_Playfield)
        m_Playfield->FormMouseWheel(event->angleDelta().y());
    event->ignore();
}

void TFormQuintorGameMain::ComboBoxTableSelect(int index)
{
    m_ComboBoxTableIX->setCurrentIndex(index);
    TPlayer &player = m_Engine->Players()[m_Engine->CurrentPlayer()];
    player.SetBackgroundIndex(index);
    m_Playfield->SetBackgroundIndex(index);
    m_PanelDXPlayField->setFocus();
}

void TFormQuintorGameMain::PanelScoresClick(int column, int row)
{
    if (!ComputerOnTurn())
        Absorb([&] { m_Engine->ChooseField(column, row); });
}

void TFormQuintorGameMain::ImageInfoClick(int player)
{
    if (!ComputerOnTurn())
        Absorb([&] { m_Engine->GiveUp(player); });
}

void TFormQuintorGameMain::ShowPlayer(int player)
{
    if (!ComputerOnTurn())
        Absorb([&] { m_Engine->ViewPlayer(player); });
}

void TFormQuintorGameMain::CreateKeys()
{
    TGameKeys::TActions actions;
    // A computer's turn ignores the keys as it ignores the mouse.
    actions.Throw = [this] {
        if (!ComputerOnTurn())
            Absorb([this] { m_Playfield->ThrowKey(); });
    };
    actions.Die = [this](int number) {
        if (!ComputerOnTurn())
            Absorb([&] { m_Playfield->DieKey(number); });
    };
    actions.ChooseField = [this](int column, int row) { PanelScoresClick(column, row); };
    actions.GiveUp = [this](int player) { ImageInfoClick(player); };
    actions.ShowPlayer = [this](int player) { ShowPlayer(player); };
    actions.Playing = [this] { return !m_ResultShown && !m_Closing; };
    m_Keys = new TGameKeys(*this, *m_Engine, *m_Playfield, *m_ScoreBoard, std::move(actions));
}

void TFormQuintorGameMain::ButtonSettingsClick()
{
    SetFormHelpContext(m_ValueTable, 41040);
    if (m_ValueTable->isHidden()) {
        // The owner is the main window, hidden while the game runs; a game
        // window opened on its own centres the table on itself.
        const QWidget *mainWindow = parentWidget() ? parentWidget()->window() : this;
        const QRect area = mainWindow->frameGeometry();
        m_ValueTable->move(area.center() - m_ValueTable->rect().center());
    }
    m_ValueTable->show();
    m_ValueTable->raise();
}

void TFormQuintorGameMain::StatusBarSwitched(int panel)
{
    if (panel == TGameStatusBar::SoundPanel)
        m_Playfield->SoundSwitched();
}

// The board.

void TFormQuintorGameMain::ClearShownValues() { m_ScoreBoard->ClearShownValues(); }
void TFormQuintorGameMain::ShowMoveValues()
{
    m_ScoreBoard->ShowMoveValues();
    if (m_Keys)
        m_Keys->ThrowEvaluated();
}
void TFormQuintorGameMain::ShowFieldValue(int column, int row) { m_ScoreBoard->ShowFieldValue(column, row); }
void TFormQuintorGameMain::MarkFieldPending(int column, int row) { m_ScoreBoard->MarkFieldPending(column, row); }
void TFormQuintorGameMain::ReopenField(int column, int row) { m_ScoreBoard->ReopenField(column, row); }
void TFormQuintorGameMain::ShowSums(int player) { m_ScoreBoard->ShowSums(player); }
void TFormQuintorGameMain::HighlightCurrentPlayer(int markedPlayer)
{
    m_ScoreBoard->HighlightCurrentPlayer(markedPlayer);
    if (m_Keys)
        m_Keys->Refresh();
}
void TFormQuintorGameMain::ShowGiveUpIcon() { m_ScoreBoard->ShowGiveUpIcon(); }
void TFormQuintorGameMain::RemovePlayer(int player) { m_ScoreBoard->RemovePlayer(player); }
void TFormQuintorGameMain::ShowPlayerColumns(int player)
{
    m_ScoreBoard->ShowPlayerColumns(player);
    if (m_Keys)
        m_Keys->Refresh();
}
void TFormQuintorGameMain::ShowInfoMarker(int player) { m_ScoreBoard->ShowInfoMarker(player); }

// The playfield.

void TFormQuintorGameMain::ShowBackgroundOf(int player, bool selectorEnabled)
{
    const int index = m_Engine->Players()[player].BackgroundIndex();
    m_ComboBoxTable->setCurrentIndex(index);
    m_ComboBoxTableIX->setCurrentIndex(index);
    m_ComboBoxTable->setEnabled(selectorEnabled);
    if (m_Playfield)
        m_Playfield->SetBackgroundIndex(index);
}

void TFormQuintorGameMain::ThrowsLeftChanged()
{
    if (!m_Playfield)
        return;
    (void)m_Playfield->UpdateThrowsLeft();
    m_LabelRollsLeft->setText(m_Playfield->ThrowsLeftText());
}

void TFormQuintorGameMain::ResetCup(bool hidden)
{
    m_Playfield->SetCupPhase(hidden ? TPlayfield::CupHidden : TPlayfield::CupIdle);
}

void TFormQuintorGameMain::LayoutChanged()
{
    FormResize();
}

// The samples.

void TFormQuintorGameMain::PlaySound(const QString &name, bool wait)
{
    if (m_Sounds)
        m_Sounds->PlaySound(name, 0, wait, false);
}

void TFormQuintorGameMain::StopSound(const QString &name)
{
    if (m_Sounds)
        m_Sounds->PlaySound(name, 0, false, true);
}

void TFormQuintorGameMain::StopAllSounds()
{
    if (m_Sounds)
        m_Sounds->StopAllSounds();
}

void TFormQuintorGameMain::CupThrowing()
{
    if (m_Playfield)
        m_Playfield->CupThrowing();
}

void TFormQuintorGameMain::DieClicked(int)
{
    if (m_Playfield)
        m_Playfield->DieClicked();
}

void TFormQuintorGameMain::PlayThrowSound(const QString &event)
{
    if (!m_Sounds)
        return;
    // All five dice go back into the cup.
    m_Sounds->SetSelectedSound(-1);
    m_Sounds->SelectSound(event, TTurnEngine::DiceInGame);
    m_Sounds->PlaySelectedSound(false);
    m_Sounds->SetSelectedSound(-1);
}

// The prompts.

bool TFormQuintorGameMain::AskConfirmation(const QString &question)
{
    PlaySound(QStringLiteral("Wait"), false);
    m_ScoreBoard->StartBlink();
    auto *dialog = new TFormQuintorGameWaitForNextPlayer(this);
    dialog->CentreOn(QRect(m_PanelDXPlayField->mapToGlobal(QPoint(0, 0)), m_PanelDXPlayField->size()));
    if (!question.isEmpty())
        dialog->SetQuestion(question);
    SetFormCaption(dialog, QStringLiteral("Zugrücknahme"));
    const int result = dialog->exec();
    StopSound(QStringLiteral("Wait"));
    m_ScoreBoard->StopBlink();
    delete dialog;
    m_Surface->update();
    return result != TFormQuintorGameWaitForNextPlayer::ResultDeclined;
}

bool TFormQuintorGameMain::AskGiveUp(const QString &text)
{
    auto *dialog = new TFormQuintorGameWaitForNextPlayer(this);
    SetFormHelpContext(dialog, 41030);
    dialog->SetDialogWidth(500);
    dialog->CentreOn(frameGeometry());
    dialog->HideProgress();
    dialog->SetTimerInterval(10000);
    dialog->SetTag(1);
    dialog->SetQuestion(text);
    SetFormCaption(dialog, QStringLiteral("Spieler mag nicht mehr"));
    const int result = dialog->exec();
    StopSound(QStringLiteral("Wait"));
    delete dialog;
    return result == TFormQuintorGameWaitForNextPlayer::ResultAccepted;
}

void TFormQuintorGameMain::Pause(int milliseconds)
{
    m_Pause(milliseconds);
}

// The end.

void TFormQuintorGameMain::StartCeremony()
{
    ShowCeremony();
}

void TFormQuintorGameMain::ShowCeremony()
{
    m_Engine->SetGameOver(true);
    m_Surface->SetTimerEnabled(false);
    m_PanelScoreboard->hide();
    m_ResultShown = true;
    PlaceStaticPanels();
    m_ComboBoxTable->hide();
    m_ButtonSettings->hide();
    SetFormHelpContext(this, 40300);
    m_PanelHead->hide();
    m_PanelScoreboard->setEnabled(false);
    m_Surface->hide();
    m_PanelDXPlayField->raise();  // over the selector's label
    m_PanelResultMain->show();

    m_Winners = CollectWinners(m_Engine->Players());
    SortWinners(m_Winners);
    RankWinners(m_Winners);
    for (const RWinnerList &winner : m_Winners)
        m_PanelResultMain->ShowWinnerPanel(winner.Rank);
    PlaySound(QStringLiteral("hero"), false);
    ShowWinners();
    m_EndTime = m_Now().time().toString(QStringLiteral("HH:mm"));
    Absorb([this] { WriteGameReportReporting(); });
}

void TFormQuintorGameMain::ShowWinners()
{
    const TFolderIndex dice(FindFolderIgnoringCase(m_ProgramFolder, QStringLiteral("Bin/Dices")));
    for (const RWinnerList &winner : m_Winners) {
        // A colour whose pictures are incomplete shows the colour the game drew instead.
        const QString letter = TDesigns::DiceLetter(m_Designs->DrawnDiceType(winner.DiceType));
        const QString picture = letter + QString::number(winner.Rank) + QStringLiteral("0.bmp");
        m_PanelResultMain->ShowWinner(winner.Rank, winner.Points, winner.Name, dice.Path(picture));
    }
}

int TFormQuintorGameMain::ResolveGameNumber()
{
    if (m_GameNumber > 0)
        return m_GameNumber;
    // A hand-edited Gamecount near the limit must still leave room for the next number.
    int number = std::clamp(m_Settings.Gamecount(), 1, INT_MAX - 1);
    if (TIniFile(m_Statistics->FileName()).SectionExists(QString::number(number)))
        number = std::min(m_Statistics->HighestGameNumber(), INT_MAX - 1) + 1;
    m_GameNumber = number;
    m_Settings.SetGamecount(number);
    return number;
}

void TFormQuintorGameMain::WriteGameReport()
{
    const QDateTime now = m_Now();
    const RGameReport report{now, ResolveGameNumber(), m_StartTime, m_EndTime, m_Winners};
    // Named only once written: the statistics must never name a missing file.
    QStringList lines = GameReportLines(*m_Engine, report);
    if (m_Assist)
        m_Assist->AppendAnalysis(lines);
    m_ReportFileName = SaveGameReport(m_DataFolder, now, m_ReportFileName, lines);
}

bool TFormQuintorGameMain::WriteGameReportReporting()
{
    try {
        WriteGameReport();
        return true;
    } catch (const EWriteError &error) {
        QMessageBox::critical(this, QStringLiteral("Quintor"), error.Message());
        return false;
    }
}

void TFormQuintorGameMain::ButtonPrintClick()
{
    // A report that cannot be written is said so and not opened.
    Absorb([this] {
        if (WriteGameReportReporting())
            m_OpenReport(m_ReportFileName);
    });
}

void TFormQuintorGameMain::CloseGame(int modalResult)
{
    CloseWith(modalResult);
}

void TFormQuintorGameMain::CloseWith(int result)
{
    if (m_Closing)
        return;
    if (!FormCloseQuery(result))
        return;
    m_Closing = true;
    m_Surface->SetTimerEnabled(false);
    StopAllSounds();
    QDialog::done(result);
}

bool TFormQuintorGameMain::FormCloseQuery(int result)
{
    if (result == ResultClosed && !m_Engine->GameOver())
        return AskAbort();
    if (result == ResultLastPlayerGaveUp)
        return true;
    return RecordGame();
}

bool TFormQuintorGameMain::AskAbort()
{
    PlaySound(QStringLiteral("Wait"), false);
    auto *dialog = new TFormQuintorGameWaitForNextPlayer(this);
    SetFormHelpContext(dialog, 41020);
    dialog->CentreOn(QRect(m_PanelDXPlayField->mapToGlobal(QPoint(0, 0)), m_PanelDXPlayField->size()));
    dialog->SetQuestion(QStringLiteral("Wollen Sie dieses Spiel abbrechen ?\nStatistiken werden nicht aktualisiert"));
    dialog->SetTimerInterval(10000);
    dialog->HideProgress();
    SetFormCaption(dialog, QStringLiteral("Spielabbruch"));
    const int answer = dialog->exec();
    StopSound(QStringLiteral("Wait"));
    delete dialog;
    if (answer != TFormQuintorGameWaitForNextPlayer::ResultAccepted)
        return false;
    try {
        m_Settings.SaveToFile(m_DataFolder + QStringLiteral("Global.ini"));
    } catch (const EWriteError &error) {
        QMessageBox::critical(this, QStringLiteral("Quintor"), error.Message());
    }
    return true;
}

bool TFormQuintorGameMain::RecordGame()
{
    try {
        const TTavolexSettings &rules = m_Engine->Rules();
        const int number = ResolveGameNumber();
        // A report the ceremony could not write (or one removed since) is
        // written now; the game is not recorded without it.
        if (m_ReportFileName.isEmpty() || !QFileInfo(m_ReportFileName).isFile())
            WriteGameReport();
        m_Statistics->SetGameNumber(number);
        m_Statistics->SetGameDate(m_Now().toString(QStringLiteral("yyyyMMddHHmm")));
        m_Statistics->SetDiceCount(rules.DiceCount());
        m_Statistics->SetGameCount(rules.GameCount());
        m_Statistics->SetGameReport(QFileInfo(m_ReportFileName).fileName());
        m_Statistics->SetScores(rules.ExtOptions());
        const QList<TPlayer> &players = m_Engine->Players();
        for (int i = 0; i < players.size() && i < TStatistics::MaxPlayers; ++i) {
            const TPlayer &player = players[i];
            player.SaveToFile(player.FileName());
            // The 25 values describe the player's first column: with one
            // column per player that is the player's only one, with several
            // it is a column the player filled (never an unused one).
            m_Statistics->SetPlayerEntries(
                i, PlayerEntry(player.Name(), player.FileName(), player.Points(), m_Engine->PlayerColumn(i, 0)));
        }
        m_Statistics->SaveGame();
        // Set, not added: a retry after a failed write must not skip a number.
        m_Settings.SetGamecount(number + 1);
        m_Settings.SaveToFile(m_DataFolder + QStringLiteral("Global.ini"));
    } catch (const EWriteError &error) {
        QMessageBox::critical(this, QStringLiteral("Quintor"), error.Message());
        return false;
    }
    return true;
}

void TFormQuintorGameMain::reject()
{
    CloseWith(ResultClosed);
}

void TFormQuintorGameMain::closeEvent(QCloseEvent *event)
{
    if (m_Closing) {
        event->accept();
        return;
    }
    event->ignore();
    CloseWith(ResultClosed);
}
