// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/MenuFixture.h"
#include "mainwindow/ModalAnswer.h"

#include "dialogs/uFormQuintorGameWaitForNextPlayer.h"
#include "gamewindow/uFormQuintorGameMain.h"
#include "mainwindow/uFormQuintorMenu.h"
#include "storage/uTMainApplication.h"

#include <QDir>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include <csignal>
#include <functional>

namespace {

constexpr int AbortQuestion = 2;
constexpr int LastPlayerGaveUp = 7;

// What the test saw while a game window was open.
struct TGameSeen {
    int Games = 0;
    bool MenuShownDuringGame = false;
    bool GameWasModal = true;
    QStringList StartTimes;
    QByteArray SettingsCopy;
    bool TerminationHandlerKept = true;
};

using TSignalHandler = void (*)(int);

TSignalHandler TerminationHandler()
{
    struct sigaction current {};
    sigaction(SIGTERM, nullptr, &current);
    return current.sa_handler;
}

// A data folder with one ticked player and no sound, and its menu shown on
// the "Einstellungen" page so that the return to "Spieler" is visible.
struct TStartFixture {
    TDataFolder Data{false, 1};
    std::unique_ptr<TFormQuintorMenu> Menu;

    TStartFixture()
    {
        Data.AddPlayer(QStringLiteral("Anna"), true);
        Menu = OpenMenu(Data);
        Menu->show();
        Menu->findChild<QTabWidget *>()->setCurrentIndex(1);
    }

    [[nodiscard]] int StoredGamecount() const
    {
        TMainApplication stored;
        stored.LoadFromFile(Data.Path + QStringLiteral("Global.ini"));
        return stored.Gamecount();
    }
};

// Answers the game windows one after another: `close` gets the number of the
// game (from 1) and closes it; every game is recorded in `seen`.
void AnswerGames(TStartFixture &fixture, TGameSeen &seen, std::function<void(TFormQuintorGameMain *, int)> close)
{
    const TSignalHandler handlerBefore = TerminationHandler();
    AnswerNext<TFormQuintorGameMain>([&fixture, &seen, close, handlerBefore](TFormQuintorGameMain *game) {
        ++seen.Games;
        seen.MenuShownDuringGame = seen.MenuShownDuringGame || fixture.Menu->isVisible();
        seen.GameWasModal = seen.GameWasModal && game->isModal();
        seen.StartTimes << game->StartTime();
        seen.SettingsCopy = fixture.Data.Read(QStringLiteral("Settings.ini"));
        // The sound library must not take SIGTERM over while a game is open,
        // or the program could no longer be ended from outside.
        seen.TerminationHandlerKept = seen.TerminationHandlerKept && TerminationHandler() == handlerBefore;
        close(game, seen.Games);
    });
}

void CloseWithResult(TFormQuintorGameMain *game, int result)
{
    if (result == AbortQuestion) {
        AnswerNext<TFormQuintorGameWaitForNextPlayer>(
            [](TFormQuintorGameWaitForNextPlayer *question) { question->done(TFormQuintorGameWaitForNextPlayer::ResultAccepted); });
        game->CloseWith(result);
    } else if (result == LastPlayerGaveUp) {
        static_cast<ITurnHost *>(game)->CloseGame(result);
    } else {
        game->CloseWith(result);
    }
}

}  // namespace

class TestStartGame : public QObject {
    Q_OBJECT
private slots:
    void startHandsRulesOverAndRunsGameModally();
    void modalResultDecidesWhatFollows_data();
    void modalResultDecidesWhatFollows();
    void playAgainRunsNextGamesWithoutShowingMenu();
    void unwritableRuleCopyStartsNoGame();
};

void TestStartGame::startHandsRulesOverAndRunsGameModally()
{
    TStartFixture fixture;
    TGameSeen seen;
    // As in the program: the test library's own handler would keep SDL's out.
    struct sigaction testHandler {};
    struct sigaction plain {};
    plain.sa_handler = SIG_DFL;
    sigaction(SIGTERM, &plain, &testHandler);
    AnswerGames(fixture, seen, [](TFormQuintorGameMain *game, int) { game->CloseWith(TFormQuintorGameMain::ResultMainMenu); });
    QTest::keyClick(StartButton(*fixture.Menu), Qt::Key_Space);
    sigaction(SIGTERM, &testHandler, nullptr);

    QCOMPARE(seen.Games, 1);
    QVERIFY(seen.GameWasModal);
    QVERIFY(!seen.MenuShownDuringGame);
    QVERIFY(!seen.SettingsCopy.isEmpty());
    QCOMPARE(seen.SettingsCopy, fixture.Data.Read(QStringLiteral("Quintor.ini")));
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d$")).match(seen.StartTimes.value(0)).hasMatch(),
             qPrintable(seen.StartTimes.value(0)));
    QVERIFY(fixture.Menu->isVisible());
    QCOMPARE(fixture.Menu->findChild<QTabWidget *>()->currentIndex(), 0);
    QVERIFY(fixture.Menu->findChildren<TFormQuintorGameMain *>().isEmpty());
    QVERIFY(seen.TerminationHandlerKept);
}

void TestStartGame::modalResultDecidesWhatFollows_data()
{
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("recorded");
    QTest::addColumn<bool>("quits");
    QTest::newRow("1 main menu") << 1 << true << false;
    QTest::newRow("2 closed after a confirmed abort") << AbortQuestion << false << false;
    QTest::newRow("3 quit") << 3 << true << true;
    QTest::newRow("7 last player gave up") << LastPlayerGaveUp << false << false;
}

void TestStartGame::modalResultDecidesWhatFollows()
{
    QFETCH(int, result);
    QFETCH(bool, recorded);
    QFETCH(bool, quits);
    TStartFixture fixture;
    const int gamecountBefore = fixture.StoredGamecount();
    QSignalSpy quit(fixture.Menu.get(), &TFormQuintorMenu::QuitRequested);
    TGameSeen seen;
    AnswerGames(fixture, seen, [result](TFormQuintorGameMain *game, int) { CloseWithResult(game, result); });
    fixture.Menu->ButtonStartClick();

    QCOMPARE(seen.Games, 1);
    QCOMPARE(quit.count(), quits ? 1 : 0);
    QCOMPARE(fixture.Menu->isVisible(), !quits);
    QCOMPARE(fixture.StoredGamecount() != gamecountBefore, recorded);
    // The menu reads back what the game window wrote.
    QCOMPARE(fixture.Menu->Application().Gamecount(), fixture.StoredGamecount());
}

void TestStartGame::playAgainRunsNextGamesWithoutShowingMenu()
{
    TStartFixture fixture;
    TGameSeen seen;
    std::function<void(TFormQuintorGameMain *, int)> close = [&](TFormQuintorGameMain *game, int number) {
        if (number == 4) {
            game->CloseWith(TFormQuintorGameMain::ResultMainMenu);
            return;
        }
        AnswerGames(fixture, seen, close);
        game->CloseWith(TFormQuintorGameMain::ResultPlayAgain);
    };
    AnswerGames(fixture, seen, close);
    fixture.Menu->ButtonStartClick();

    QCOMPARE(seen.Games, 4);
    QVERIFY(!seen.MenuShownDuringGame);
    QVERIFY(fixture.Menu->isVisible());
    QCOMPARE(fixture.Menu->findChild<QTabWidget *>()->currentIndex(), 0);
    QCOMPARE(fixture.Menu->Application().Gamecount(), 5);
}

void TestStartGame::unwritableRuleCopyStartsNoGame()
{
    TStartFixture fixture;
    QVERIFY(QDir().mkpath(fixture.Data.Path + QStringLiteral("Settings.ini")));
    TGameSeen seen;
    const QPointer<QTimer> gameAnswer = AnswerNext<TFormQuintorGameMain>([&seen](TFormQuintorGameMain *game) {
        ++seen.Games;
        game->CloseWith(TFormQuintorGameMain::ResultMainMenu);
    });
    QString message;
    AnswerNext<QMessageBox>([&message](QMessageBox *box) {
        message = box->text();
        box->accept();
    });
    fixture.Menu->ButtonStartClick();
    delete gameAnswer;

    QCOMPARE(seen.Games, 0);
    QVERIFY2(message.contains(QStringLiteral("Settings.ini")), qPrintable(message));
    QVERIFY(fixture.Menu->isVisible());
}

QTEST_MAIN(TestStartGame)
#include "tst_startgame.moc"
