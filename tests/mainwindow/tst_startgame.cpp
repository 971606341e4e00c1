// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/MenuFixture.h"
#include "mainwindow/ModalAnswer.h"

#include "dialogs/uFormQuintorGameWaitForNextPlayer.h"
#include "gamewindow/uFormQuintorGameMain.h"
#include "mainwindow/uExtValuesEditor.h"
#include "mainwindow/uFormQuintorMenu.h"
#include "storage/uTMainApplication.h"

#include <QDir>
#include <QLineEdit>
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
// game (from 1) and closes it; every game is recorded in `seen`. Delete the
// timer returned to withdraw the answer to a game that never opened.
QTimer *AnswerGames(TStartFixture &fixture, TGameSeen &seen, std::function<void(TFormQuintorGameMain *, int)> close)
{
    const TSignalHandler handlerBefore = TerminationHandler();
    return AnswerNext<TFormQuintorGameMain>([&fixture, &seen, close, handlerBefore](TFormQuintorGameMain *game) {
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
    void unwritableFileStartsNoGameAndSaysWhy_data();
    void unwritableFileStartsNoGameAndSaysWhy();
    void keysInTheMainWindow_data();
    void keysInTheMainWindow();
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

void TestStartGame::unwritableFileStartsNoGameAndSaysWhy_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("rule copy") << "Settings.ini";
    QTest::newRow("application settings") << "Global.ini";
    QTest::newRow("rule template") << "Quintor.ini";
}

void TestStartGame::unwritableFileStartsNoGameAndSaysWhy()
{
    QFETCH(QString, file);
    TStartFixture fixture;
    QFile::remove(fixture.Data.Path + file);
    QVERIFY(QDir().mkpath(fixture.Data.Path + file));
    TGameSeen seen;
    const QPointer<QTimer> gameAnswer = AnswerNext<TFormQuintorGameMain>([&seen](TFormQuintorGameMain *game) {
        ++seen.Games;
        game->CloseWith(TFormQuintorGameMain::ResultMainMenu);
    });
    QStringList messages;
    const QPointer<QTimer> boxAnswer = AnswerNext<QMessageBox>([&messages](QMessageBox *box) {
        messages << box->text();
        box->accept();
    });
    fixture.Menu->ButtonStartClick();
    delete gameAnswer;
    delete boxAnswer;

    QCOMPARE(seen.Games, 0);
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].startsWith(QStringLiteral("Das Spiel konnte nicht gestartet werden.\n\n")), qPrintable(messages[0]));
    QVERIFY2(messages[0].contains(file + QStringLiteral(" kann nicht geschrieben werden")), qPrintable(messages[0]));
    QVERIFY(fixture.Menu->isVisible());
}

void TestStartGame::keysInTheMainWindow_data()
{
    QTest::addColumn<QString>("focus");  // a control's name, or "value field"
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QString>("effect");
    const int none = Qt::NoModifier;
    const int ret = Qt::Key_Return;
    QTest::newRow("roster: Return starts") << "ListViewPlayers" << ret << none << true << "game";
    QTest::newRow("roster: keypad Enter starts") << "ListViewPlayers" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true << "game";
    QTest::newRow("roster: Return without a ticked player") << "ListViewPlayers" << ret << none << false << "nothing";
    QTest::newRow("roster: Ctrl+Return") << "ListViewPlayers" << ret << int(Qt::ControlModifier) << true << "nothing";
    QTest::newRow("roster: Escape") << "ListViewPlayers" << int(Qt::Key_Escape) << none << true << "nothing";
    QTest::newRow("start button: Return starts") << "ButtonStart" << ret << none << true << "game";
    QTest::newRow("quit button takes its Return") << "ButtonCancel" << ret << none << true << "quit";
    QTest::newRow("settings check box: Return starts") << "CheckBoxDoRedo" << ret << none << true << "game";
    QTest::newRow("template list: Return starts") << "ComboBoxSettings" << ret << none << true << "game";
    QTest::newRow("rule value field keeps its Return") << "value field" << ret << none << true << "nothing";
    QTest::newRow("rule value field: Escape restores the default") << "value field" << int(Qt::Key_Escape) << none << true << "default";
    QTest::newRow("Alt+S starts") << "ListViewPlayers" << int(Qt::Key_S) << int(Qt::AltModifier) << true << "game";
}

void TestStartGame::keysInTheMainWindow()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, ticked);
    QFETCH(QString, effect);
    TStartFixture fixture;
    TFormQuintorMenu &menu = *fixture.Menu;
    if (!ticked)
        Players(menu)->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    // Activation reloads the pages and rebuilds the value rows: look up after it.
    menu.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&menu));
    const QPointer<QLineEdit> valueField = menu.ExtValues().Edit(1);
    QWidget *target = focus == QLatin1String("value field") ? valueField.data() : menu.findChild<QWidget *>(focus);
    QVERIFY(target);
    auto *pages = menu.findChild<QTabWidget *>();
    for (int page = 0; page < pages->count(); ++page)
        if (pages->widget(page)->isAncestorOf(target))
            pages->setCurrentIndex(page);
    target->setFocus();
    QCOMPARE(QApplication::focusWidget(), target);
    valueField->setText(QStringLiteral("70"));

    TGameSeen seen;
    const QPointer<QTimer> gameAnswer = AnswerGames(fixture, seen, [](TFormQuintorGameMain *game, int) {
        game->CloseWith(TFormQuintorGameMain::ResultMainMenu);
    });
    QSignalSpy quit(&menu, &TFormQuintorMenu::QuitRequested);
    QTest::keyClick(menu.windowHandle(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    if (modifiers & Qt::AltModifier)  // an accelerator clicks a moment later
        QTRY_COMPARE(seen.Games, 1);
    delete gameAnswer;

    QCOMPARE(seen.Games, effect == QLatin1String("game") ? 1 : 0);
    QCOMPARE(quit.count(), effect == QLatin1String("quit") ? 1 : 0);
    if (seen.Games == 0)  // after a game the menu has rebuilt its rows
        QCOMPARE(valueField->text(), effect == QLatin1String("default") ? QStringLiteral("63") : QStringLiteral("70"));
}

QTEST_MAIN(TestStartGame)
#include "tst_startgame.moc"
