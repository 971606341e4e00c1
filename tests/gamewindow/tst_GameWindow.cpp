// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/uFormQuintorGameWaitForNextPlayer.h"
#include "dialogs/uFormQuintorTempSettings.h"
#include "gamewindow/uFormQuintorGameMain.h"
#include "gamewindow/uGameKeys.h"
#include "gamewindow/uGameStatusBar.h"
#include "gamewindow/uPlayfield.h"
#include "gamewindow/uResultPanel.h"
#include "gamewindow/uScoreBoard.h"
#include "gamewindow/uDrawSurface.h"
#include "gamewindow/uSoundCatalogue.h"
#include "mainwindow/uFormCaption.h"
#include "play/uRandom.h"
#include "play/uTKeyboardPlay.h"
#include "storage/uIniFile.h"
#include "storage/uTStatistics.h"
#include "storage/uTools.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <functional>
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

    // Every question from now on is answered by pressing `key` in it.
    void PressAll(Qt::Key key)
    {
        Always.setInterval(1);
        QObject::connect(&Always, &QTimer::timeout, qApp, [this, key] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                PressIn(dialog, key);
        });
        Always.start();
    }

    // The next question is answered by pressing `key` in it.
    void Press(Qt::Key key)
    {
        QTimer::singleShot(0, qApp, [this, key] { PressNow(key); });
    }

    void PressNow(Qt::Key key)
    {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            QTimer::singleShot(5, qApp, [this, key] { PressNow(key); });
            return;
        }
        PressIn(dialog, key);
    }

    void PressIn(QDialog *dialog, Qt::Key key)
    {
        if (auto *label = dialog->findChild<QLabel *>(QStringLiteral("Label1")))
            Texts << label->text();
        QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, key);
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

// Where the text of `label` is drawn, in its own coordinates: the label is
// rendered alone (no children over it) with and without its text.
QRect NameBounds(QLabel *label)
{
    const auto render = [label] {
        QImage image(label->size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        label->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        return image;
    };
    const QImage with = render();
    const QString text = label->text();
    label->setText(QString());
    const QImage without = render();
    label->setText(text);
    QRect bounds;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

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

    TFormQuintorGameMain &OpenAsWritten(QWidget *owner = nullptr)
    {
        Window = std::make_unique<TFormQuintorGameMain>(owner, Folder, QStringLiteral(QUINTOR_PROGRAM_DIR));
        Window->SetPause([](int) {});
        Window->SetStartTime(QStringLiteral("14:05"));
        Window->show();
        QCoreApplication::processEvents();
        return *Window;
    }

    TTurnEngine &Engine() { return *Window->Engine(); }
    TResultPanel &Result() { return *Window->ResultPanel(); }

    // Ends the game through the engine: every open field is entered, with
    // `points` in the Chance of each player's first column and `others` in
    // the Chance of the further columns.
    void Finish(const QList<int> &points, int others = 0)
    {
        for (int p = 0; p < Engine().Players().size(); ++p) {
            for (int k = 0; k < Engine().ColumnsPerPlayer(); ++k) {
                TTavolex &column = Engine().PlayerColumn(p, k);
                for (int row : {1, 2, 3, 4, 5, 6, 12, 13, 14, 15, 16, 17, 18})
                    if (column.IsOpen(row))
                        column.Enter(row, row == Row::Chance ? (k == 0 ? points.value(p) : others) : 0);
            }
            Engine().RefreshSums(p);
        }
        Engine().NextPlayer();
        Engine().EndOfTurnCheck();
    }

    QString Stat(const QString &section, const QString &key)
    {
        return TIniFile(Folder + "Stats.ini").ReadString(section, key, QStringLiteral("<none>"));
    }

    int Gamecount()
    {
        TMainApplication settings;
        settings.LoadFromFile(Folder + "Global.ini");
        return settings.Gamecount();
    }

    QString ReportText()
    {
        QFile file(Window->ReportFileName());
        return file.open(QIODevice::ReadOnly) ? FromAnsi(file.readAll()) : QString();
    }
    TPlayfield &Playfield() { return *Window->Playfield(); }
    int SurfaceHeight() { return Window->Surface()->height(); }

    void Frame() { Playfield().DXTimerMainTimer(); }

    // Frames until the dice lie and are evaluated.
    void Settle()
    {
        for (int i = 0; i < 2000 && (Engine().Phase() != TurnPhase::Lying || !Engine().ThrowEvaluated()); ++i)
            Frame();
    }

    // A key pressed where a player's key goes: the window's focused control.
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *target = QApplication::focusWidget();
        if (!target || target->window() != Window.get())
            target = Window.get();
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    }

    // Keys by letter: S Space and settle, s Space alone, R Return, 1-5 the dice.
    void Keys(const QString &keys)
    {
        for (const QChar c : keys) {
            if (c == QLatin1Char('S') || c == QLatin1Char('s'))
                Key(Qt::Key_Space);
            else if (c == QLatin1Char('R'))
                Key(Qt::Key_Return);
            else
                Key(Qt::Key_0 + c.digitValue());
            if (c == QLatin1Char('S'))
                Settle();
        }
    }

    TGameKeys &GameKeys() { return *Window->Keys(); }
    [[nodiscard]] bool FrameOn(int column, int row)
    {
        QFrame *frame = Window->ScoreBoard()->FocusFrame();
        return frame && frame->isVisible() && frame->parentWidget() == Field(column, row)->parentWidget();
    }
    [[nodiscard]] bool FrameShown()
    {
        QFrame *frame = Window->ScoreBoard()->FocusFrame();
        return frame && frame->isVisible();
    }

    // The sample names playing now.
    QStringList Playing()
    {
        QStringList names;
        const ISoundLayer &layer = Window->Sounds()->Layer();
        for (int i = 0; i < layer.Count(); ++i)
            if (layer.Playing(i))
                names << layer.Name(i);
        return names;
    }

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

using TPrompt = TFormQuintorGameWaitForNextPlayer;

// Runs `inside` in the event loop of the next prompt, once it is the active
// window; `inside` must end the prompt.
void InsideNextPrompt(std::function<void(TPrompt *)> inside)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(1);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, inside] {
        auto *prompt = qobject_cast<TPrompt *>(QApplication::activeModalWidget());
        if (!prompt || !prompt->isActiveWindow())
            return;
        timer->stop();
        timer->deleteLater();
        inside(prompt);
    });
    timer->start();
}

// A key as the window system delivers it, accelerators included.
void Press(QWidget &window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(window.windowHandle(), key, modifiers);
}

void Activate(QWidget &window)
{
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

// Rows 0-24 of a column whose only value is `chance` (Chance, both sums and the total).
QString EntryRows(int chance)
{
    const QString c = QString::number(chance) + "|";
    return QString("0|").repeated(18) + c + "0|" + c + "0|0|" + c + "0|";
}

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
        QVERIFY(!QFile::exists(game.Folder + "Stats.ini"));
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

    // The name in a top strip starts right of its marker pictures, also while
    // "Nur zur Info" sits in the strip of the viewed player.
    void markersOfTheTopStripLeaveTheNameFree()
    {
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna", "Bert"}, 2);
        game.Click(window.findChild<QWidget *>("PanelPlayerB1"));
        for (const char *name : {"PanelPlayerT0", "PanelPlayerT1"}) {
            auto *strip = window.findChild<QLabel *>(name);
            const QRect text = NameBounds(strip);
            QVERIFY2(!text.isEmpty(), name);
            for (const QLabel *marker : strip->findChildren<QLabel *>())
                if (marker->isVisible() && !marker->pixmap().isNull())
                    QVERIFY2(!marker->geometry().intersects(text),
                             qPrintable(QStringLiteral("%1 covers the name in %2").arg(marker->objectName(), name)));
        }
        QCOMPARE(window.findChild<QLabel *>("ImageInfo")->parentWidget()->objectName(), QString("PanelPlayerT1"));
    }

    // The panels of the players not on turn reach under the board; the board
    // hides them, its caption column included.
    void playerPanelsStayBehindTheBoard()
    {
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna", "Bert", "Carl"}, 2);
        auto *board = window.findChild<QWidget *>("PanelScoreboard");
        const QRect area = board->geometry();
        QVERIFY(window.findChild<QWidget *>("PanelPlayer1")->geometry().intersects(area));
        const QImage shown = window.grab(area).toImage();
        for (int i = 0; i < 3; ++i)
            window.findChild<QWidget *>(QStringLiteral("PanelPlayer%1").arg(i))->hide();
        QCOMPARE(window.grab(area).toImage(), shown);
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
        QVERIFY(TGameStatusBar::PanelHint(TGameStatusBar::KeysPanel).startsWith("Tastatur: Leertaste würfeln"));
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
        game.Playfield().DXTimerMainTimer();
        const QRgb felt = window.Surface()->Frame().pixel(2, 2);
        // The pine is decoded only now, and the next frame shows it.
        window.BackgroundSelector()->setCurrentIndex(6);
        emit window.BackgroundSelector()->activated(6);
        QCOMPARE(game.Engine().Players()[0].BackgroundIndex(), 6);
        game.Playfield().DXTimerMainTimer();
        const QRgb pine = window.Surface()->Frame().pixel(2, 2);
        QVERIFY2(pine != felt && qGray(pine) > 20, qPrintable(QString::number(pine, 16)));
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
        QVERIFY(!QFile::exists(game.Folder + "Stats.ini"));
        QCOMPARE(game.Gamecount(), 0);
    }

    // Another window of the program taking the focus must not freeze the playfield.
    void frameTimerRunsWhileAPromptIsOpen()
    {
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna", "Bert"}, 1, true);
        Activate(window);
        game.Throw();
        QVERIFY(window.Surface()->TimerEnabled());
        bool runningDuringPrompt = false;
        int framesDuringPrompt = 0;
        InsideNextPrompt([&](TPrompt *prompt) {
            runningDuringPrompt = window.Surface()->TimerEnabled();
            const int before = game.Playfield().FrameCounter();
            QTRY_VERIFY(game.Playfield().FrameCounter() > before + 2);
            framesDuringPrompt = game.Playfield().FrameCounter() - before;
            prompt->done(TPrompt::ResultDeclined);
        });
        game.Click(game.Field(0, Row::Chance));
        QVERIFY(runningDuringPrompt);
        QVERIFY(framesDuringPrompt > 2);
        QVERIFY(window.Surface()->TimerEnabled());
    }

    void frameTimerStopsForTheCeremony()
    {
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna"}, 1);
        Activate(window);
        QVERIFY(window.Surface()->TimerEnabled());
        game.Finish({40});
        QVERIFY(!window.Surface()->TimerEnabled());
        emit qApp->applicationStateChanged(Qt::ApplicationActive);
        window.resize(window.width() + 10, window.height());
        QVERIFY(!window.Surface()->TimerEnabled());
    }

    // Escape at "Ergebnis eintragen ?" once entered the value with no way back.
    void escapeAtTheTakeBackPromptKeepsItOpen()
    {
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna", "Bert"}, 1, true);
        Activate(window);
        game.Throw();
        bool openAfterEscape = false;
        InsideNextPrompt([&](TPrompt *prompt) {
            Press(*prompt, Qt::Key_Escape);
            openAfterEscape = prompt->isVisible();
            prompt->ButtonNo()->click();
        });
        game.Click(game.Field(0, Row::Chance));
        QVERIFY(openAfterEscape);
        QVERIFY(game.Engine().PlayerColumn(0, 0).IsOpen(Row::Chance));
        QCOMPARE(game.Engine().CurrentPlayer(), 0);
    }

    void keysInTheGameWindow_data()
    {
        QTest::addColumn<bool>("ended");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("result");  // 0: the window stays open
        const int none = Qt::NoModifier;
        QTest::newRow("during play: Escape asks nothing") << false << int(Qt::Key_Escape) << none << 0;
        QTest::newRow("during play: Return does nothing") << false << int(Qt::Key_Return) << none << 0;
        QTest::newRow("after the end: Escape does nothing") << true << int(Qt::Key_Escape) << none << 0;
        QTest::newRow("after the end: Return is Hauptmenü") << true << int(Qt::Key_Return) << none << 1;
        QTest::newRow("after the end: Alt+H is Hauptmenü") << true << int(Qt::Key_H) << int(Qt::AltModifier) << 1;
        QTest::newRow("after the end: Alt+N plays again") << true << int(Qt::Key_N) << int(Qt::AltModifier) << 4;
        QTest::newRow("after the end: Alt+E quits") << true << int(Qt::Key_E) << int(Qt::AltModifier) << 3;
    }

    void keysInTheGameWindow()
    {
        QFETCH(bool, ended);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, result);
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna"}, 1);
        window.SetReportOpener([](const QString &) {});
        Activate(window);
        if (ended)
            game.Finish({40});
        QStringList asked;  // any question the key raises is declined
        QTimer watch;
        watch.setInterval(1);
        connect(&watch, &QTimer::timeout, this, [&asked, &window] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (dialog && dialog != &window) {
                asked << dialog->windowTitle();
                dialog->done(TPrompt::ResultDeclined);
            }
        });
        watch.start();
        Press(window, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        if (result != 0)
            QTRY_VERIFY(!window.isVisible());
        QCOMPARE(asked, QStringList());
        QCOMPARE(window.isVisible(), result == 0);
        QCOMPARE(window.result(), result);
    }

    void promptsAreSetUpForTheirUse_data()
    {
        QTest::addColumn<QString>("use");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("progressShown");
        QTest::addColumn<int>("interval");
        QTest::addColumn<QString>("defaultButton");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("helpContext");
        QTest::addColumn<QString>("centredOn");
        QTest::newRow("take-back") << "take-back" << 346 << true << 95 << "ButtonCancel" << "Quintor Zugrücknahme" << 0 << "playfield";
        QTest::newRow("give-up") << "give-up" << 500 << false << 10000 << "ButtonNo" << "Quintor Spieler mag nicht mehr" << 41030 << "window";
        QTest::newRow("abort") << "abort" << 346 << false << 10000 << "ButtonCancel" << "Quintor Spielabbruch" << 41020 << "playfield";
    }

    void promptsAreSetUpForTheirUse()
    {
        QFETCH(QString, use);
        QFETCH(int, width);
        QFETCH(bool, progressShown);
        QFETCH(int, interval);
        QFETCH(QString, defaultButton);
        QFETCH(QString, caption);
        QFETCH(int, helpContext);
        QFETCH(QString, centredOn);
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna", "Bert"}, 1, true);
        Activate(window);
        game.Throw();
        const QWidget *playfield = window.findChild<QWidget *>(QStringLiteral("PanelDXPlayField"));
        QVERIFY(playfield);
        const QPoint expectedCentre = centredOn == "window"
            ? window.frameGeometry().center()
            : QRect(playfield->mapToGlobal(QPoint(0, 0)), playfield->size()).center();
        QStringList seen;
        InsideNextPrompt([&](TPrompt *prompt) {
            const QPushButton *defaults = prompt->ButtonNo()->isDefault() ? prompt->ButtonNo() : prompt->ButtonCancel();
            seen << QString::number(prompt->width()) << QVariant(prompt->ProgressBarMain()->isVisible()).toString()
                 << QString::number(prompt->TimerAnimate()->interval()) << defaults->objectName() << prompt->windowTitle()
                 << QString::number(FormHelpContext(prompt));
            const QPoint offset = prompt->frameGeometry().center() - expectedCentre;
            seen << (offset.manhattanLength() <= 4 ? QStringLiteral("centred") : QStringLiteral("off by %1, %2").arg(offset.x()).arg(offset.y()));
            prompt->done(TPrompt::ResultDeclined);
        });
        if (use == "take-back")
            game.Click(game.Field(0, Row::Chance));
        else if (use == "give-up")
            game.Click(window.findChild<QLabel *>("DynImageDelete0"));
        else
            window.close();
        QCOMPARE(seen, (QStringList{QString::number(width), QVariant(progressShown).toString(), QString::number(interval),
                                    defaultButton, caption, QString::number(helpContext), "centred"}));
    }

    void valueTableOpensCentredOnTheMainWindow()
    {
        QWidget mainWindow;  // hidden while the game runs, as the real one
        mainWindow.setGeometry(300, 200, 726, 619);
        GameFixture game;
        game.WriteRules(1);
        game.WritePlayers({"Anna"});
        game.WriteGlobal();
        TFormQuintorGameMain &window = game.OpenAsWritten(&mainWindow);
        window.move(20, 20);
        game.Click(window.findChild<QPushButton *>(QStringLiteral("ButtonSettings")));
        const QWidget *table = window.ValueTable();
        QVERIFY(table->isVisible());
        QCOMPARE(FormHelpContext(table), 41040);
        const QPoint offset = table->frameGeometry().center() - mainWindow.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 4, qPrintable(QStringLiteral("%1, %2").arg(offset.x()).arg(offset.y())));
    }

    void wheelAnywhereInTheWindowSizesTheDice_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("playfield") << "DXDrawPlayfield";
        QTest::newRow("score field") << "DynScoreSubPanelField01";
        QTest::newRow("background selector") << "ComboBoxTable";
        QTest::newRow("value table button") << "ButtonSettings";
    }

    void wheelAnywhereInTheWindowSizesTheDice()
    {
        QFETCH(QString, control);
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna", "Bert"}, 1);
        QWidget *target = window.findChild<QWidget *>(control);
        QVERIFY(target);
        const int size = game.Engine().Dice()[0].Size();
        const int background = window.BackgroundSelector()->currentIndex();
        const QPointF at = target->rect().center();
        QWheelEvent down(at, target->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&down);  // only the mouse's own wheel events travel up to the window
        qApp->notify(target, &down);
        QCOMPARE(game.Engine().Dice()[0].Size(), size - 3);
        QCOMPARE(window.BackgroundSelector()->currentIndex(), background);
    }

    void dataFolderThatCannotBeCreatedRefusesTheStart()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath("Dokumente"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString folder = dir.filePath("Dokumente/Quintor/");
        try {
            TFormQuintorGameMain window(nullptr, folder, QStringLiteral(QUINTOR_PROGRAM_DIR));
            QFAIL("the window was created");
        } catch (const EGameStartError &error) {
            QCOMPARE(error.Message(), QStringLiteral("Der Datenordner %1 kann nicht angelegt werden.").arg(folder));
        }
        for (const QWidget *top : QApplication::topLevelWidgets())
            QVERIFY2(!top->isVisible(), qPrintable(top->objectName()));
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
        while (!game.Result().isVisible() && entries < 1000) {
            game.Throw();
            game.ClickFirstOpenField();
            ++entries;
        }
        QCOMPARE(entries, 13 * players * columns);
        QVERIFY(game.Engine().GameOver());
        QVERIFY(game.Result().isVisible());
        QVERIFY(QFile::exists(window.ReportFileName()));
        game.Click(game.Result().ButtonMainMenue());
        QCOMPARE(window.result(), 1);
        QCOMPARE(game.Stat("1", "GameReport"), QFileInfo(window.ReportFileName()).fileName());
        QCOMPARE(game.Gamecount(), 2);
    }

    // Space, the dice keys, the arrows and Return only: no click from start to ceremony.
    void wholeGamesArePlayedWithTheKeyboard_data()
    {
        QTest::addColumn<int>("players");
        QTest::addColumn<int>("columns");
        QTest::newRow("two players, one column") << 2 << 1;
        QTest::newRow("one player, two columns") << 1 << 2;
    }

    void wholeGamesArePlayedWithTheKeyboard()
    {
        QFETCH(int, players);
        QFETCH(int, columns);
        GameFixture game;
        TFormQuintorGameMain &window = game.Open(QStringList{"Anna", "Bert"}.mid(0, players), columns);
        game.Modal.PressAll(Qt::Key_J);  // strike questions
        int turns = 0;
        while (!game.Result().isVisible() && turns < 200) {
            game.Keys(QStringLiteral("S1S"));  // two throws, the leftmost die held
            // Nothing offered: the first arrow selects the first open field;
            // otherwise it moves the frame off the best offer, in alternate turns into the next column.
            game.Key(turns % 2 ? Qt::Key_Right : Qt::Key_Down);
            QVERIFY(game.GameKeys().FieldSelected());
            game.Key(Qt::Key_Return);
            ++turns;
        }
        QCOMPARE(turns, 13 * players * columns);
        QVERIFY(game.Engine().GameOver());
        QVERIFY(QFile::exists(window.ReportFileName()));
        // From the ceremony on the keys are the result panel's own: Return is "&Hauptmenü".
        game.Key(Qt::Key_Return);
        QCOMPARE(window.result(), 1);
        QCOMPARE(game.Gamecount(), 2);
    }

    // Each key does what a click does, sample included; "" means silence.
    void keysSoundAndActLikeTheirClicks_data()
    {
        QTest::addColumn<QString>("before");  // keys pressed with the sound off
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("sample");
        QTest::addColumn<int>("throwsUsed");
        QTest::addColumn<int>("held");
        QTest::newRow("die key before the first throw") << "" << int(Qt::Key_1) << "False_Game" << 0 << 0;
        QTest::newRow("die key on a lying die") << "S" << int(Qt::Key_3) << "KlickDice" << 1 << 1;
        QTest::newRow("die key on a held die") << "S3" << int(Qt::Key_3) << "KlickDice" << 1 << 0;
        QTest::newRow("die key while the dice roll") << "s" << int(Qt::Key_2) << "False_Game" << 1 << 0;
        QTest::newRow("Space while the dice roll") << "s" << int(Qt::Key_Space) << "False_Game" << 1 << 0;
        QTest::newRow("Space with all dice held") << "S12345" << int(Qt::Key_Space) << "" << 1 << 5;
        QTest::newRow("Space with no throw left") << "SSS" << int(Qt::Key_Space) << "False_Game" << 3 << 0;
        QTest::newRow("Return with no throw left and no offer framed") << "SSS" << int(Qt::Key_Return) << "False_Game" << 3 << 0;
    }

    void keysSoundAndActLikeTheirClicks()
    {
        QFETCH(QString, before);
        QFETCH(int, key);
        QFETCH(QString, sample);
        QFETCH(int, throwsUsed);
        QFETCH(int, held);
        GameFixture game;
        // Without hints no frame is placed, so Return is the throw.
        TFormQuintorGameMain &window = game.Open({"Anna"}, 1, false, false);
        game.Keys(before);
        window.Settings().SetSound(0);
        game.Key(key);
        QCOMPARE(game.Playing(), sample.isEmpty() ? QStringList{} : QStringList{sample});
        QCOMPARE(game.Engine().ThrowsUsed(), throwsUsed);
        QCOMPARE(5 - game.Engine().DiceInCup(), held);
        window.Settings().SetSound(1);
        game.Window->Sounds()->StopAllSounds();
    }

    void diceKeysCountFromTheLeftAsTheDiceLie()
    {
        GameFixture game;
        game.Open({"Anna"}, 1);
        game.Keys(QStringLiteral("S"));
        const auto &dice = game.Engine().Dice();
        int lastX = -1;
        for (int n = 1; n <= 5; ++n) {
            std::array<int, 5> before{};
            for (std::size_t i = 0; i < 5; ++i)
                before[i] = dice[i].State();
            game.Key(Qt::Key_0 + n);
            int held = -1;
            for (std::size_t i = 0; i < 5; ++i)
                if (dice[i].State() != before[i]) {
                    QCOMPARE(held, -1);  // one die per key
                    QCOMPARE(dice[i].State(), int(TDice::dsHeld));
                    held = static_cast<int>(i);
                }
            QVERIFY(held >= 0);
            QVERIFY2(dice[static_cast<std::size_t>(held)].X() >= lastX, "keys count from the left");
            lastX = dice[static_cast<std::size_t>(held)].X();
        }
        QVERIFY(game.Engine().AllDiceHeld());
    }

    void diceNumbersShowBesideTheDiceOnlyWhileTheKeyboardIsUsed()
    {
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna"}, 1);
        game.Throw();  // by mouse: no numbers
        game.Frame();
        const QImage plain = window.Surface()->Frame().copy();
        game.Key(Qt::Key_Up);
        QVERIFY(game.Playfield().ShowDiceNumbers());
        game.Frame();
        const QImage numbered = window.Surface()->Frame().copy();
        // Every changed pixel lies in a number's place right of a die's top right corner.
        int changed = 0;
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x) {
                if (plain.pixel(x, y) == numbered.pixel(x, y))
                    continue;
                ++changed;
                bool besideADie = false;
                for (const TDice &die : game.Engine().Dice())
                    besideADie = besideADie || QRect(die.X() + die.Size() / 2 + 2, die.Y() - die.Size() / 2, 14, 18).contains(x, y);
                QVERIFY2(besideADie, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
        QVERIFY(changed > 5 * 20);
        // A mouse press gives the table back its mouse look.
        QTest::mousePress(window.Surface(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QVERIFY(!game.GameKeys().InUse());
        game.Frame();
        QCOMPARE(window.Surface()->Frame(), plain);
    }

    void focusFrameStartsOnTheBestOfferAndWalksOpenFields()
    {
        GameFixture game;
        game.Open({"Anna", "Bert"}, 1);
        game.Throw();  // by mouse
        QVERIFY(!game.FrameShown());  // not before the keyboard is used
        const TTavolex &column = game.Engine().PlayerColumn(0, 0);
        int best = -1;  // the first of the highest on the board
        for (int row : {1, 2, 3, 4, 5, 6, 12, 13, 14, 15, 16, 17, 18})
            if (best < 0 || column.Rows(row).MoveValue > column.Rows(best).MoveValue)
                best = row;
        game.Key(Qt::Key_Left);  // one column: no move, but the keyboard is in use
        QVERIFY(game.FrameOn(0, best));
        for (int i = 0; i < 13; ++i)
            game.Key(Qt::Key_Up);
        QVERIFY(game.FrameOn(0, 1));
        for (int i = 0; i < 6; ++i)
            game.Key(Qt::Key_Down);
        QVERIFY2(game.FrameOn(0, Row::ThreeOfAKind), "sums and lines are skipped");
        // Return enters like a click on the field.
        const int offered = column.Rows(Row::ThreeOfAKind).MoveValue;
        game.Modal.Press(Qt::Key_J);  // a strike question if nothing is offered
        game.Key(Qt::Key_Return);
        QCOMPARE(column.Rows(Row::ThreeOfAKind).Value, offered);
        QCOMPARE(game.Modal.Texts.size(), offered == 0 ? 1 : 0);
        QCOMPARE(game.Engine().CurrentPlayer(), 1);
        QVERIFY2(!game.FrameShown(), "a new turn starts without a selection");
        // The next player's frame skips the field filled before.
        game.Keys(QStringLiteral("S"));
        game.Key(Qt::Key_Up);
        QCOMPARE(game.GameKeys().Cursor().Column(), 1);
    }

    void promptsAnswerToJAndN_data()
    {
        QTest::addColumn<bool>("allowRedo");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("entered");
        QTest::addColumn<QString>("question");
        QTest::newRow("strike question, N") << false << int(Qt::Key_N) << false << "Wollen Sie das Feld streichen ?";
        QTest::newRow("strike question, J") << false << int(Qt::Key_J) << true << "Wollen Sie das Feld streichen ?";
        QTest::newRow("take-back, N") << true << int(Qt::Key_N) << false << "Ergebnis eintragen ?";
        QTest::newRow("take-back, J") << true << int(Qt::Key_J) << true << "Ergebnis eintragen ?";
    }

    void promptsAnswerToJAndN()
    {
        QFETCH(bool, allowRedo);
        QFETCH(int, key);
        QFETCH(bool, entered);
        QFETCH(QString, question);
        GameFixture game;
        game.Open({"Anna", "Bert"}, 1, allowRedo);
        game.Keys(QStringLiteral("S"));
        const TTavolex &column = game.Engine().PlayerColumn(0, 0);
        // A field the throw offers nothing for: clicked, it asks to strike (or to confirm).
        int row = 1;
        while (column.Rows(row).MoveValue != 0)
            ++row;
        for (int i = 0; i < 13; ++i)
            game.Key(Qt::Key_Up);
        while (game.GameKeys().Cursor().Row() < row)
            game.Key(Qt::Key_Down);
        QCOMPARE(game.GameKeys().Cursor().Row(), row);
        game.Modal.Press(static_cast<Qt::Key>(key));
        game.Key(Qt::Key_Return);
        QCOMPARE(game.Modal.Texts, QStringList{question});
        QCOMPARE(column.IsOpen(row), !entered);
        QCOMPARE(game.Engine().CurrentPlayer(), entered ? 1 : 0);
        QCOMPARE(game.FrameOn(0, row), !entered);
    }

    void deleteAsksTheGiveUpQuestion()
    {
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna", "Bert", "Carl"}, 1);
        game.Modal.Press(Qt::Key_N);
        game.Key(Qt::Key_Delete);
        QCOMPARE(game.Modal.Texts, QStringList{"Will Anna wirklich aufhören ?"});
        QVERIFY(game.Engine().Players()[0].InGame());
        game.Modal.Press(Qt::Key_J);
        game.Key(Qt::Key_Delete);
        QVERIFY(!game.Engine().Players()[0].InGame());
        QVERIFY(window.findChild<QWidget *>("DynScorePanel0")->isHidden());
        QCOMPARE(game.Engine().CurrentPlayer(), 1);
    }

    void abortQuestionAnswersToJAndN()
    {
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna"}, 1);
        game.Keys(QStringLiteral("S"));
        game.Modal.Press(Qt::Key_N);
        window.close();
        QCOMPARE(game.Modal.Texts.size(), 1);
        QVERIFY(game.Modal.Texts[0].startsWith("Wollen Sie dieses Spiel abbrechen ?"));
        QVERIFY(window.isVisible());
        game.Modal.Press(Qt::Key_J);
        window.close();
        QCOMPARE(window.result(), 2);
        QVERIFY(!QFile::exists(game.Folder + "Stats.ini"));
    }

    void tabWalksThePlayerPanelsLikeClicks()
    {
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna", "Bert", "Carl"}, 2);
        game.Keys(QStringLiteral("S"));
        game.Key(Qt::Key_Down);
        QVERIFY(game.FrameShown());
        const QList<int> walk{1, 2, 0, 2};
        for (int i = 0; i < walk.size(); ++i) {
            game.Key(i < 3 ? Qt::Key_Tab : Qt::Key_Backtab, i < 3 ? Qt::NoModifier : Qt::ShiftModifier);
            QCOMPARE(window.ScoreBoard()->ShownPlayer(), walk[i]);
            const bool own = walk[i] == 0;
            QCOMPARE(game.Engine().Phase(), own ? TurnPhase::Lying : TurnPhase::Viewing);
            QCOMPARE(window.findChild<QLabel *>("ImageInfo")->isVisible(), !own);
            QCOMPARE(game.FrameShown(), own);  // another player's sheet offers nothing to enter
        }
        // Viewing: Space is the silent cup band, Return enters nothing.
        game.Key(Qt::Key_Return);
        QCOMPARE(game.Engine().ThrowsUsed(), 1);
        QCOMPARE(game.Engine().CurrentPlayer(), 0);
    }

    void ceremonyRanksThePlayersOnItsPanels_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<int>>("points");
        QTest::addColumn<bool>("firstGivesUp");
        QTest::addColumn<QStringList>("panels");  // texts of panels 1-4, "" for a hidden one
        QTest::addColumn<int>("diceOnPanelOne");  // pictures at each side
        QTest::newRow("250 250 180") << QStringList{"Anna", "Bert", "Carl"} << QList<int>{250, 250, 180} << false
                                     << QStringList{"1. mit jeweils 250 Punkten \r\nBert, Anna", "",
                                                    "3. mit 180 Punkten \r\nCarl", ""}
                                     << 2;
        QTest::newRow("single player") << QStringList{"Anna"} << QList<int>{17} << false
                                       << QStringList{"1. mit 17 Punkten \r\nAnna", "", "", ""} << 1;
        QTest::newRow("four equal") << QStringList{"Anna", "Bert", "Carl", "Dora"} << QList<int>{99, 99, 99, 99}
                                    << false
                                    << QStringList{"1. mit jeweils 99 Punkten \r\nDora, Carl, Bert, Anna", "", "", ""}
                                    << 4;
        QTest::newRow("a player who gave up is not ranked")
            << QStringList{"Anna", "Bert", "Carl"} << QList<int>{300, 120, 140} << true
            << QStringList{"1. mit 140 Punkten \r\nCarl", "2. mit 120 Punkten \r\nBert", "", ""} << 1;
    }

    void ceremonyRanksThePlayersOnItsPanels()
    {
        QFETCH(QStringList, names);
        QFETCH(QList<int>, points);
        QFETCH(bool, firstGivesUp);
        QFETCH(QStringList, panels);
        QFETCH(int, diceOnPanelOne);
        GameFixture game;
        TFormQuintorGameMain &window = game.Open(names, 1);
        if (firstGivesUp) {
            game.Modal.Answer(1);
            game.Click(window.findChild<QLabel *>("DynImageDelete0"));
        }
        game.Finish(points);
        for (int rank = 1; rank <= 4; ++rank) {
            QCOMPARE(game.Result().WinnerPanel(rank)->isVisible(), !panels[rank - 1].isEmpty());
            if (!panels[rank - 1].isEmpty())
                QCOMPARE(game.Result().WinnerText(rank), panels[rank - 1]);
        }
        for (const char *side : {"WinnerDiceLeft1", "WinnerDiceRight1"}) {
            const QList<QLabel *> dice = game.Result().WinnerPanel(1)->findChildren<QLabel *>(side);
            QCOMPARE(dice.size(), diceOnPanelOne);
            for (QLabel *die : dice)
                QVERIFY(die->isVisible() && !die->pixmap().isNull());
        }
        QCOMPARE(FormHelpContext(&window), 40300);
        QCOMPARE(window.EndTime().size(), 5);
        QVERIFY(game.ReportText().contains("<H4>Endstand:</H4>"));
        QCOMPARE(game.ReportText().contains("<H4>Bericht:</H4>"), firstGivesUp);

        game.Click(game.Result().ButtonMainMenue());
        QCOMPARE(window.result(), 1);
        // Whoever gave up is left out of the ranking, not out of the statistics.
        QVERIFY(game.Stat("1", "Player0").startsWith("Anna\""));
    }

    void resultPanelStaysInFrontOnResize()
    {
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna", "Bert"}, 2);
        game.Finish({10, 20});
        window.resize(1100, 750);
        QCoreApplication::processEvents();
        auto *playField = window.findChild<QWidget *>("PanelDXPlayField");
        QVERIFY(game.Result().isVisible());
        QCOMPARE(game.Result().geometry(), playField->rect());
        QCOMPARE(playField->geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(playField->width(), window.width());
        QVERIFY(window.findChild<QWidget *>("PanelScoreboard")->isHidden());
        QVERIFY(window.findChild<QWidget *>("PanelHead")->isHidden());
        QVERIFY(window.Surface()->isHidden());
        QVERIFY(window.BackgroundSelector()->isHidden());
    }

    void closingAfterTheEndRecordsTheGame_data()
    {
        QTest::addColumn<QString>("button");  // empty: the window's close button
        QTest::addColumn<int>("result");
        QTest::newRow("Hauptmenü") << "ButtonMainMenue" << 1;
        QTest::newRow("Quintor beenden") << "ButtonQuit" << 3;
        QTest::newRow("Nochmal spielen") << "ButtonReplay" << 4;
        QTest::newRow("close button after the end") << "" << 2;
    }

    void closingAfterTheEndRecordsTheGame()
    {
        QFETCH(QString, button);
        QFETCH(int, result);
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna", "Bert"}, 1);
        QVERIFY(QFile::remove(game.Folder + "Player2.qtp"));
        game.Finish({40, 30});
        if (button.isEmpty())
            window.close();
        else
            game.Click(window.findChild<QPushButton *>(button));
        QCOMPARE(window.result(), result);
        QVERIFY(!window.isVisible());
        QCOMPARE(game.Stat("1", "DiceCount"), QStringLiteral("3"));
        QCOMPARE(game.Stat("1", "GameCount"), QStringLiteral("1"));
        QVERIFY(QRegularExpression("^\\d{12}$").match(game.Stat("1", "GameDate")).hasMatch());
        QCOMPARE(game.Stat("1", "Scores"), game.Engine().Rules().ExtOptions());
        QCOMPARE(game.Stat("1", "GameReport"), QFileInfo(window.ReportFileName()).fileName());
        QCOMPARE(game.Stat("1", "Player0"), "Anna\",\"Player1.qtp\",\"40\",\"" + EntryRows(40));
        QCOMPARE(game.Stat("1", "Player1"), "Bert\",\"Player2.qtp\",\"30\",\"" + EntryRows(30));
        QCOMPARE(game.Stat("1", "Player2"), QStringLiteral("NIL"));
        QCOMPARE(game.Stat("1", "Player3"), QStringLiteral("NIL"));
        QCOMPARE(game.Gamecount(), 2);
        QVERIFY(VerifyKey(game.Folder + "Player2.qtp", "PLAYER"));
        QVERIFY(game.ReportText().contains("<td align = center width = 200 >1</td>"));
    }

    void twoRecordedGamesAreNumberedOneAndTwo()
    {
        GameFixture game;
        game.Open({"Anna", "Bert"}, 1);
        game.Finish({40, 30});
        game.Click(game.Result().ButtonMainMenue());
        // The second game has two columns; an entry describes the player's first one.
        game.WriteRules(2);
        game.OpenAsWritten();
        game.Finish({40, 30}, 5);
        game.Click(game.Result().ButtonReplay());
        QCOMPARE(TIniFile(game.Folder + "Stats.ini").ReadSections(), (QStringList{"1", "2"}));
        QCOMPARE(game.Stat("2", "GameCount"), QStringLiteral("2"));
        QCOMPARE(game.Stat("2", "Player1"), "Bert\",\"Player2.qtp\",\"35\",\"" + EntryRows(30));
        QCOMPARE(game.Gamecount(), 3);
        TStatistics statistics(game.Folder);
        statistics.LoadForPlayer("Player2.qtp");
        QCOMPARE(statistics.Count(), 2);
        QCOMPARE(statistics.Items()[1].Points, 35);
    }

    void aReusedGameNumberIsFiledAboveTheHighest()
    {
        GameFixture game;
        TIniFile stats(game.Folder + "Stats.ini");
        stats.WriteString("1", "Player0", "kept");
        stats.WriteString("5", "Player0", "kept too");
        game.WriteGlobal();
        TIniFile(game.Folder + "Global.ini").WriteInteger("GLOBAL", "Gamecount", 1);
        game.Open({"Anna"}, 1);
        game.Finish({40});
        QVERIFY(game.ReportText().contains("<td align = center width = 200 >6</td>"));
        game.Click(game.Result().ButtonMainMenue());
        QCOMPARE(game.Stat("1", "Player0"), QStringLiteral("kept"));
        QCOMPARE(game.Stat("5", "Player0"), QStringLiteral("kept too"));
        QVERIFY(game.Stat("6", "Player0").startsWith("Anna"));
        QCOMPARE(game.Gamecount(), 7);
    }

    void afterReactivationTheCloseButtonAsksAndRecordsNothing()
    {
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna"}, 1);
        game.Finish({40});
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&window, &activate);
        game.Modal.Answer(1);
        window.close();
        QCOMPARE(game.Modal.Texts.size(), 1);
        QVERIFY(game.Modal.Texts[0].startsWith("Wollen Sie dieses Spiel abbrechen ?"));
        QCOMPARE(window.result(), 2);
        QVERIFY(!QFile::exists(game.Folder + "Stats.ini"));
    }

    void aWriteFailureKeepsTheWindowOpenUntilItSucceeds()
    {
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna"}, 1);
        QVERIFY(QDir(game.Folder).mkdir("Stats.ini"));
        game.Finish({40});
        game.Modal.Answer(0);
        game.Click(game.Result().ButtonMainMenue());
        QCOMPARE(game.Modal.Texts.size(), 1);
        QVERIFY(game.Modal.Texts[0].contains("Stats.ini"));
        QVERIFY(window.isVisible());
        QCOMPARE(game.Gamecount(), 0);
        QVERIFY(QDir(game.Folder).rmdir("Stats.ini"));
        game.Click(game.Result().ButtonMainMenue());
        QCOMPARE(window.result(), 1);
        QVERIFY(game.Stat("1", "Player0").startsWith("Anna"));
        QCOMPARE(game.Gamecount(), 2);
    }

    void twoGamesFinishedInOneMinuteKeepTheirOwnReports()
    {
        // Two windows at once, as two quick games or two running programs give.
        GameFixture game;
        const QDateTime now(QDate(2007, 3, 14), QTime(19, 52));
        TFormQuintorGameMain &first = game.Open({"Anna"}, 1);
        first.SetClock([now] { return now; });
        game.Finish({40});
        QFile written(first.ReportFileName());
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray firstReport = written.readAll();
        game.Click(game.Result().ButtonMainMenue());
        auto firstWindow = std::move(game.Window);

        TFormQuintorGameMain &second = game.OpenAsWritten();
        second.SetClock([now] { return now; });
        QStringList opened;
        second.SetReportOpener([&opened](const QString &file) { opened << file; });
        game.Finish({30});
        game.Click(game.Result().ButtonPrint());  // written again in the same minute
        game.Click(game.Result().ButtonMainMenue());

        QCOMPARE(game.Stat("1", "GameReport"), QStringLiteral("Spiel_20070314_1952.html"));
        QCOMPARE(game.Stat("2", "GameReport"), QStringLiteral("Spiel_20070314_1952_2.html"));
        QCOMPARE(opened, QStringList{game.Folder + "Spiel_20070314_1952_2.html"});
        QFile kept(game.Folder + "Spiel_20070314_1952.html");
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), firstReport);
        QVERIFY(game.ReportText().contains("<td align = center width = 200 >2</td>"));
        QCOMPARE(QDir(game.Folder).entryList({"Spiel_*"}).size(), 2);
    }

    void reportButtonWritesTheReportAgainAndOpensIt()
    {
        GameFixture game;
        TFormQuintorGameMain &window = game.Open({"Anna"}, 1);
        QDateTime now(QDate(2007, 3, 14), QTime(19, 52));
        window.SetClock([&now] { return now; });
        QStringList opened;
        window.SetReportOpener([&opened](const QString &file) { opened << file; });
        game.Finish({40});
        const QString first = window.ReportFileName();
        QCOMPARE(QFileInfo(first).fileName(), QStringLiteral("Spiel_20070314_1952.html"));
        now = now.addSecs(60);
        game.Click(game.Result().ButtonPrint());
        QCOMPARE(opened, QStringList{game.Folder + "Spiel_20070314_1953.html"});
        QCOMPARE(window.ReportFileName(), opened[0]);
        QVERIFY(QFile::exists(first));
        QVERIFY(game.ReportText().contains("<title>Quintor 20070314_1953</title>"));
        game.Click(game.Result().ButtonMainMenue());
        QCOMPARE(game.Stat("1", "GameReport"), QStringLiteral("Spiel_20070314_1953.html"));
        QCOMPARE(game.Stat("1", "GameDate"), QStringLiteral("200703141953"));
    }
};

QTEST_MAIN(TestGameWindow)
#include "tst_GameWindow.moc"
