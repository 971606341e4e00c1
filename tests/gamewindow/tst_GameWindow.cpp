#include "gamewindow/uFormQuintorGameMain.h"
#include "gamewindow/uGameStatusBar.h"
#include "gamewindow/uPlayfield.h"
#include "gamewindow/uScoreBoard.h"
#include "gamewindow/uDrawSurface.h"
#include "play/uRandom.h"
#include "storage/uIniFile.h"
#include "storage/uTools.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {
// Answers the next modal dialog or message box with `result` and records its text.
struct ModalAnswers {
    QStringList Texts;
    QTimer Always;

    // Every question from now on is answered "&Ja" as soon as it shows.
    void AcceptAll()
    {
        Always.setInterval(1);
        QObject::connect(&Always, &QTimer::timeout, qApp, [] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->done(1);
        });
        Always.start();
    }

    void Answer(int result)
    {
        QTimer::singleShot(0, qApp, [this, result] { AnswerNow(result); });
    }

    void AnswerNow(int result)
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            QTimer::singleShot(5, qApp, [this, result] { AnswerNow(result); });
            return;
        }
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            Texts << box->text();
            box->accept();
            return;
        }
        if (auto *label = modal->findChild<QLabel *>(QStringLiteral("Label1")))
            Texts << label->text();
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->done(result);
    }
};

struct GameFixture {
    QTemporaryDir Data;
    QString Folder;
    std::unique_ptr<TFormQuintorGameMain> Window;
    ModalAnswers Modal;

    GameFixture() : Folder(Data.path() + QStringLiteral("/")) {}

    void WriteRules(int columns, bool allowRedo = false, bool showHint = true)
    {
        TTavolexSettings rules;
        QString error;
        rules.LoadFromFile(Folder + QStringLiteral("Quintor.ini"), QStringLiteral("Settings"), error);
        rules.SetGameCount(columns);
        rules.SetAllowRedo(allowRedo);
        rules.SetShowHint(showHint);
        rules.SaveToFile(Folder + QStringLiteral("Settings.ini"), QStringLiteral("Settings"));
    }

    void WritePlayers(const QStringList &names)
    {
        for (int i = 0; i < names.size(); ++i) {
            TPlayer player;
            player.SetName(names[i]);
            player.SetPlays(true);
            player.SetDiceType(i);
            player.SaveToFile(Folder + QStringLiteral("Player%1.qtp").arg(i + 1));
        }
    }

    // Sound off and the cup animation off unless asked for: the suite never waits for samples.
    void WriteGlobal(int sound = 1, int animateCup = 3)
    {
        TMainApplication settings;
        settings.SetSound(sound);
        settings.SetAnimateCup(animateCup);
        settings.SaveToFile(Folder + QStringLiteral("Global.ini"));
    }

    TFormQuintorGameMain &Open(const QStringList &names, int columns, bool allowRedo = false,
                               bool showHint = true)
    {
        WriteRules(columns, allowRedo, showHint);
        WritePlayers(names);
        if (!QFile::exists(Folder + QStringLiteral("Global.ini")))
            WriteGlobal();
        return OpenAsWritten();
    }

    TFormQuintorGameMain &OpenAsWritten()
    {
        Window = std::make_unique<TFormQuintorGameMain>(nullptr, Folder, QStringLiteral(QUINTOR_PROGRAM_DIR));
        Window->SetPause([](int) {});
        Window->SetStartTime(QStringLiteral("14:05"));
        Window->show();
        QCoreApplication::processEvents();
        return *Window;
    }

    TTurnEngine &Engine() { return *Window->Engine(); }
    TPlayfield &Playfield() { return *Window->Playfield(); }
    int SurfaceHeight() { return Window->Surface()->height(); }

    void Frame() { Playfield().DXTimerMainTimer(); }

    // A click in the cup band, then frames until the dice lie and are evaluated.
    void Throw()
    {
        Playfield().MouseDown(true, 20, SurfaceHeight() - 10);
        for (int i = 0; i < 2000 && (Engine().Phase() != TurnPhase::Lying || !Engine().ThrowEvaluated()); ++i)
            Frame();
    }

    QLabel *Field(int column, int row) { return Window->findChild<QLabel *>(QStringLiteral("DynScoreSubPanelField%1%2").arg(column).arg(row)); }

    void Click(QWidget *widget)
    {
        QVERIFY(widget);
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
    }

    // The first open field of the player on turn, clicked on the board.
    void ClickFirstOpenField()
    {
        const int p = Engine().CurrentPlayer();
        for (int k = 0; k < Engine().ColumnsPerPlayer(); ++k)
            for (int row : {1, 2, 3, 4, 5, 6, 12, 13, 14, 15, 16, 17, 18})
                if (Engine().PlayerColumn(p, k).IsOpen(row)) {
                    Click(Field(Engine().BoardColumn(p, k), row));
                    return;
                }
    }
};

QColor Background(QLabel *field)
{
    return field->palette().color(QPalette::Window);
}
}  // namespace

class TestGameWindow : public QObject {
    Q_OBJECT

private slots:
    void init() { RandSeed(99); }

    void creationLoadsInOrderAndLaysOutTheBoard_data()
    {
        QTest::addColumn<int>("players");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("boardLeft");
        QTest::addColumn<int>("columnWidth");
        QTest::addColumn<int>("playLeft");
        QTest::newRow("one player, one column") << 1 << 1 << 10 << 387 << 520;
        QTest::newRow("three players, one column") << 3 << 1 << 10 << 129 << 520;
        QTest::newRow("two players, four columns") << 2 << 4 << 152 << 71 << 562;
    }

    void creationLoadsInOrderAndLaysOutTheBoard()
    {
        QFETCH(int, players);
        QFETCH(int, columns);
        QFETCH(int, boardLeft);
        QFETCH(int, columnWidth);
        QFETCH(int, playLeft);
        GameFixture game;
        TFormQuintorGameMain &window = game.Open(QStringList{"Anna", "Bert", "Carl"}.mid(0, players), columns);
        QCOMPARE(window.LoadingMessages(),
                 (QStringList{"Anwendung wird initilisiert.", "Einstellungen werden geladen.",
                              "Grafiken werden geladen.", "Sounds werden geladen."}));
        QCOMPARE(window.windowTitle(), QStringLiteral("Quintor Spiel"));
        QCOMPARE(window.findChild<QWidget *>("PanelScoreboard")->x(), boardLeft);
        QCOMPARE(window.findChild<QWidget *>("PanelDXPlayField")->x(), playLeft);
        QCOMPARE(game.Field(0, 1)->width(), columnWidth);
        QVERIFY(game.Field(columns > 1 ? columns - 1 : players - 1, 18));
        QCOMPARE(game.Field(0, 8)->text(), QStringLiteral("0"));
        QCOMPARE(window.BackgroundSelector()->count(), 7);
        QCOMPARE(window.StatusBar()->PanelText(6), QStringLiteral("F1 Hilfe      "));
        QCOMPARE(window.StatusBar()->PanelText(1), QStringLiteral("Version: 3.1"));
    }

    void throwOffersValuesAndAClickEntersOne()
    {
        GameFixture game;
        game.Open({"Anna", "Bert"}, 1);
        game.Throw();
        QCOMPARE(game.Engine().ThrowsUsed(), 1);
        const TTavolex &column = game.Engine().PlayerColumn(0, 0);
        QLabel *chance = game.Field(0, Row::Chance);
        QCOMPARE(chance->text(), QString::number(column.Rows(Row::Chance).MoveValue));
        QCOMPARE(Background(chance), TScoreBoard::LightYellow);
        const int offered = column.Rows(Row::Chance).MoveValue;
        game.Click(chance);
        QCOMPARE(column.Rows(Row::Chance).Value, offered);
        QVERIFY(chance->font().bold());
        QCOMPARE(game.Engine().CurrentPlayer(), 1);
        QVERIFY(!game.Field(0, 1)->isEnabled());
        QVERIFY(game.Field(1, 1)->isEnabled());
        QCOMPARE(game.Field(0, Row::GrandTotal)->text(), QString::number(offered));
    }

    void hiddenHintsStillEnterTheValue()
    {
        GameFixture game;
        game.Open({"Anna"}, 1, false, false);
        game.Throw();
        QLabel *chance = game.Field(0, Row::Chance);
        QCOMPARE(chance->palette().color(QPalette::WindowText), QColor(Qt::white));
        const int offered = game.Engine().PlayerColumn(0, 0).Rows(Row::Chance).MoveValue;
        game.Click(chance);
        QCOMPARE(game.Engine().PlayerColumn(0, 0).Rows(Row::Chance).Value, offered);
    }

    void clickingADieHoldsAndReleasesIt()
    {
        GameFixture game;
        game.Open({"Anna"}, 1);
        game.Throw();
        const TDice &die = game.Engine().Dice()[2];
        game.Playfield().MouseDown(true, die.X(), die.Y());
        QCOMPARE(die.State(), int(TDice::dsHeld));
        game.Frame();
        game.Playfield().MouseDown(true, die.X(), die.Y());
        QCOMPARE(die.State(), int(TDice::dsLying));
    }

    void strikeQuestionDeclinedKeepsTheField()
    {
        GameFixture game;
        game.Open({"Anna"}, 1);
        game.Throw();
        int strikeRow = -1;
        for (int row : {1, 2, 3, 4, 5, 6})
            if (game.Engine().PlayerColumn(0, 0).Rows(row).MoveValue == 0)
                strikeRow = row;
        QVERIFY(strikeRow > 0);  // five dice show at most five faces
        game.Modal.Answer(7);
        game.Click(game.Field(0, strikeRow));
        QCOMPARE(game.Modal.Texts, QStringList{"Wollen Sie das Feld streichen ?"});
        QVERIFY(game.Engine().PlayerColumn(0, 0).IsOpen(strikeRow));
        QCOMPARE(Background(game.Field(0, strikeRow)), QColor(Qt::white));
    }

    void takeBackDeclinedShowsTheValuesAgain()
    {
        GameFixture game;
        game.Open({"Anna", "Bert"}, 1, true);
        game.Throw();
        QLabel *chance = game.Field(0, Row::Chance);
        game.Modal.Answer(7);
        game.Click(chance);
        QCOMPARE(game.Modal.Texts, QStringList{"Ergebnis eintragen ?"});
        QVERIFY(game.Engine().PlayerColumn(0, 0).IsOpen(Row::Chance));
        QCOMPARE(game.Engine().CurrentPlayer(), 0);
        QCOMPARE(Background(chance), TScoreBoard::LightYellow);
        QVERIFY(!chance->font().bold());
        game.Modal.Answer(1);
        game.Click(chance);
        QVERIFY(!game.Engine().PlayerColumn(0, 0).IsOpen(Row::Chance));
        QCOMPARE(game.Engine().CurrentPlayer(), 1);
    }

    void giveUpHidesTheColumnAndWidensTheOthers()
    {
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna", "Bert", "Carl"}, 1);
        game.Modal.Answer(1);
        game.Click(window.findChild<QLabel *>("DynImageDelete0"));
        QCOMPARE(game.Modal.Texts, QStringList{"Will Anna wirklich aufhören ?"});
        QVERIFY(window.findChild<QWidget *>("DynScorePanel0")->isHidden());
        QCOMPARE(game.Field(1, 1)->width(), (500 - 113) / 2);
        QCOMPARE(game.Engine().CurrentPlayer(), 1);
        QVERIFY(window.findChild<QLabel *>("DynImageDelete1")->isVisible());
    }

    void lastPlayerGivingUpClosesWithSeven()
    {
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna"}, 2);
        game.Modal.Answer(1);
        game.Click(window.findChild<QLabel *>("DynImageDelete0"));
        QCOMPARE(game.Modal.Texts, QStringList{"Wenn dieser Spieler gelöscht wird, endet das Spiel"});
        QCOMPARE(window.result(), 7);
        QVERIFY(!window.isVisible());
    }

    void viewingAnotherPlayersSheet()
    {
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna", "Bert"}, 2);
        game.Throw();
        game.Click(window.findChild<QWidget *>("PanelPlayerB1"));
        QCOMPARE(game.Engine().Phase(), TurnPhase::Viewing);
        QVERIFY(!game.Field(0, 1)->isEnabled());
        QCOMPARE(Background(game.Field(0, 1)), TScoreBoard::Silver);
        QVERIFY(window.findChild<QLabel *>("ImageInfo")->isVisible());
        QVERIFY(!window.BackgroundSelector()->isEnabled());
        game.Click(window.findChild<QWidget *>("PanelPlayerB0"));
        QCOMPARE(game.Engine().Phase(), TurnPhase::Lying);
        QVERIFY(game.Field(0, 1)->isEnabled());
        QVERIFY(!window.findChild<QLabel *>("ImageInfo")->isVisible());
    }

    void resizingKeepsValuesAndOffers()
    {
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna", "Bert"}, 1);
        game.Throw();
        game.ClickFirstOpenField();
        game.Throw();
        const QString entered = game.Field(0, 1)->text();
        const QString offered = game.Field(1, Row::Chance)->text();
        window.resize(1200, 800);
        QCoreApplication::processEvents();
        QCOMPARE(game.Field(0, 1)->text(), entered);
        QCOMPARE(game.Field(1, Row::Chance)->text(), offered);
        QCOMPARE(game.Field(1, 1)->height(), window.findChild<QWidget *>("PanelScoreboard")->height() / 24);
    }

    void handEditedRulesSayCheaterAndPlayOn()
    {
        GameFixture game;
        game.WriteRules(1);
        game.WritePlayers({"Anna"});
        game.WriteGlobal();
        TIniFile(game.Folder + "Settings.ini").WriteInteger("Settings", "DiceCount", 6);
        game.Modal.Answer(0);
        game.OpenAsWritten();
        QCOMPARE(game.Modal.Texts, QStringList{"Schummler"});
        QCOMPARE(game.Engine().Rules().DiceCount(), 6);
    }

    void cupShakesThirtyFramesWithoutSoundThenTipsInThree()
    {
        GameFixture game;
        game.WriteGlobal(1, 2);
        game.Open({"Anna"}, 1);
        game.Playfield().MouseDown(true, 20, game.SurfaceHeight() - 10);
        QCOMPARE(game.Playfield().Phase(), int(TPlayfield::CupShaking));
        int frames = 0;
        while (game.Playfield().Phase() == TPlayfield::CupShaking && frames < 100) {
            game.Frame();
            ++frames;
        }
        QCOMPARE(frames, 30);
        game.Frame();
        game.Frame();
        QCOMPARE(game.Playfield().Phase(), int(TPlayfield::CupTipping));
        game.Frame();
        QCOMPARE(game.Playfield().Phase(), int(TPlayfield::CupIdle));
        QCOMPARE(game.Engine().Phase(), TurnPhase::Rolling);
    }

    // With sound on the shake lasts as long as its sample, far longer than 30 frames drawn at once.
    void cupShakesAsLongAsTheSampleWithSound()
    {
        GameFixture game;
        game.WriteGlobal(0, 2);
        game.Open({"Anna"}, 1);
        game.Playfield().MouseDown(true, 20, game.SurfaceHeight() - 10);
        for (int i = 0; i < 40; ++i)
            game.Frame();
        QCOMPARE(game.Playfield().Phase(), int(TPlayfield::CupShaking));
    }

    void statusBarSwitchesAndWheel()
    {
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna"}, 1);
        TGameStatusBar *bar = window.StatusBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(4 * 120 + 10, 5));
        QCOMPARE(window.Settings().AnimateCup(), 2);
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(4 * 120 + 10, 5));
        QCOMPARE(window.Settings().AnimateCup(), 3);
        QCOMPARE(TGameStatusBar::PanelHint(5).count('\n'), 1);
        for (int i = 0; i < 9; ++i)
            game.Playfield().FormMouseWheel(-120);
        QCOMPARE(game.Engine().Dice()[0].Size(), 39);
        game.Playfield().FormMouseWheel(120);
        QCOMPARE(game.Engine().Dice()[0].Size(), 42);
    }

    void backgroundChoiceLastsForThePlayersTurns()
    {
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna", "Bert"}, 1);
        window.BackgroundSelector()->setCurrentIndex(6);
        emit window.BackgroundSelector()->activated(6);
        QCOMPARE(game.Engine().Players()[0].BackgroundIndex(), 6);
        game.ClickFirstOpenField();
        QCOMPARE(window.BackgroundSelector()->currentIndex(), 0);
        game.ClickFirstOpenField();
        QCOMPARE(window.BackgroundSelector()->currentIndex(), 6);
    }

    void abortQuestionOnClose()
    {
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna"}, 1);
        QFile::remove(game.Folder + "Global.ini");
        game.Modal.Answer(7);
        window.close();
        QVERIFY(window.isVisible());
        game.Modal.Answer(1);
        window.close();
        QVERIFY(!window.isVisible());
        QCOMPARE(window.result(), 2);
        QVERIFY(QFile::exists(game.Folder + "Global.ini"));
    }

    void wholeGamesArePlayedOnScreen_data()
    {
        QTest::addColumn<int>("players");
        QTest::addColumn<int>("columns");
        QTest::newRow("three players, one column") << 3 << 1;
        QTest::newRow("two players, two columns") << 2 << 2;
        QTest::newRow("four players, four columns") << 4 << 4;
    }

    void wholeGamesArePlayedOnScreen()
    {
        QFETCH(int, players);
        QFETCH(int, columns);
        GameFixture game;
        TFormQuintorGameMain &window = game.Open(QStringList{"Anna", "Bert", "Carl", "Dora"}.mid(0, players), columns);
        game.Modal.AcceptAll();  // strike questions
        int entries = 0;
        while (window.isVisible() && entries < 1000) {
            game.Throw();
            game.ClickFirstOpenField();
            ++entries;
        }
        QCOMPARE(entries, 13 * players * columns);
        QVERIFY(game.Engine().GameOver() || !window.isVisible());
    }
};

QTEST_MAIN(TestGameWindow)
#include "tst_GameWindow.moc"
