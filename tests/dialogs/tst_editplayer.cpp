// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/ModalAnswer.h"

#include "dialogs/uFormQuintorMenu_EditPlayer.h"
#include "storage/uTPlayer.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>


namespace {

// The data folder lies one level below the temporary folder, so that a
// report name may point beside it.
struct TProfileFixture {
    QTemporaryDir Dir;
    QString Folder = Dir.path() + QStringLiteral("/data/");
    QString File = Folder + QStringLiteral("Player7.qtp");
    TPlayer Profile;

    TProfileFixture()
    {
        QDir().mkpath(Folder);
        Profile.SetName(QStringLiteral("Anna"));
        Profile.SetBackground(QStringLiteral("/bilder/tisch.jpg"));
        Profile.SetBackgroundType(1);
        Profile.SetDiceType(3);
        Profile.SetComputer(2);
        Profile.SaveToFile(File);
    }

    [[nodiscard]] QByteArray Stored() const
    {
        QFile file(File);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    [[nodiscard]] TPlayer Reload() const
    {
        TPlayer player;
        QString tampered;
        player.LoadFromFile(File, tampered);
        if (!tampered.isEmpty())
            qFatal("profile signature broken");
        return player;
    }
};

// One recorded game as Stats.ini holds it.
struct TGame {
    int Number = 1;
    int Dice = 3;
    int Columns = 1;
    QString Date = QStringLiteral("202612091530");
    int Points = 100;
    QString Report;
    QString Profile = QStringLiteral("Player7.qtp");
};

QByteArray StatsSection(const TGame &game)
{
    return QStringLiteral("[%1]\r\nDiceCount=%2\r\nGameCount=%3\r\nGameDate=%4\r\nScores=\r\nGameReport=%5\r\n"
                          "Player0=\"Anna\",\"%6\",\"%7\",\"0|0|0|\"\r\nPlayer1=NIL\r\nPlayer2=NIL\r\nPlayer3=NIL\r\n")
        .arg(game.Number)
        .arg(game.Dice)
        .arg(game.Columns)
        .arg(game.Date, game.Report, game.Profile)
        .arg(game.Points)
        .toLatin1();
}

void Touch(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot create %s", qPrintable(path));
    file.write("<html></html>");
}

// A profile with recorded games; each game's report is created unless
// its name is in `withoutReport`.
struct TStatsFixture : TProfileFixture {
    explicit TStatsFixture(const QList<TGame> &games, const QStringList &withoutReport = {})
    {
        QByteArray stats;
        for (const TGame &game : games) {
            stats += StatsSection(game);
            if (!withoutReport.contains(game.Report) && !game.Report.contains(QLatin1Char('/')))
                Touch(Folder + game.Report);
        }
        QFile file(Folder + QStringLiteral("Stats.ini"));
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write Stats.ini");
        file.write(stats);
    }
};

// Records the files handed to the desktop's "open".
class TOpenedFiles : public QObject {
    Q_OBJECT
public:
    TOpenedFiles() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
    ~TOpenedFiles() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QStringList Files;
public slots:
    void Open(const QUrl &url) { Files.append(url.toLocalFile()); }
};

template <typename T>
T *Child(const QWidget &window, const char *name)
{
    T *child = window.findChild<T *>(QLatin1String(name));
    if (!child)
        qFatal("no control %s", name);
    return child;
}

QStringList ColumnTexts(const QTreeWidget *list, int column)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

QStringList ComboTexts(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

void SelectGameType(QComboBox *combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

}  // namespace

class TestEditPlayer : public QObject {
    Q_OBJECT
private slots:
    void showsTheProfile();
    void okNeedsANameAndBlanksCount();
    void okStoresAndSignsTheProfile();
    void cancelWritesNothing();
    void ownerReusingTheProfileMeanwhileDoesNotLeakIn();
    void unstorableNameIsRefusedAndDialogStays();
    void chosenPictureSelectsPictureAndSurvivesStandardColour();
    void pictureFilterListsPairs();
    void gameTypeFilterListsOnlyThatType();
    void evaluationOpensThisPlayersFiguresForTheChosenType();
    void onlyPlainReportsInTheDataFolderAreListed_data();
    void onlyPlainReportsInTheDataFolderAreListed();
    void columnClickSortsThenReverses_data();
    void columnClickSortsThenReverses();
    void reportOpensByButtonAndDoubleClickWhileItIsThere();
    void fiveThousandGamesAreAllListed();
    void keysInTheDialog_data();
    void keysInTheDialog();
};

void TestEditPlayer::showsTheProfile()
{
    TProfileFixture fixture;
    TFormQuintorMenu_EditPlayer dialog(fixture.Profile, fixture.Folder, fixture.File);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Quintor Spielerdaten bearbeiten"));
    QCOMPARE(Child<QLineEdit>(dialog, "EditPlayerName")->text(), QStringLiteral("Anna"));
    QVERIFY(Child<QRadioButton>(dialog, "RadioButtonFile")->isChecked());
    QCOMPARE(Child<QLineEdit>(dialog, "EditBackgroundPicture")->text(), QStringLiteral("/bilder/tisch.jpg"));
    QVERIFY(Child<QAbstractButton>(dialog, "SpeedButtonDarkBlack")->isChecked());
    QCOMPARE(Child<QComboBox>(dialog, "ComboBoxComputer")->currentText(), QStringLiteral("Computer: Fortgeschritten"));
    QVERIFY(Child<QPushButton>(dialog, "ButtonOk")->isEnabled());
}

void TestEditPlayer::okNeedsANameAndBlanksCount()
{
    TProfileFixture fixture;
    TFormQuintorMenu_EditPlayer dialog(fixture.Profile, fixture.Folder, fixture.File);
    dialog.show();
    auto *name = Child<QLineEdit>(dialog, "EditPlayerName");
    auto *ok = Child<QPushButton>(dialog, "ButtonOk");
    name->clear();
    QVERIFY(!ok->isEnabled());
    name->setText(QStringLiteral(" "));
    QVERIFY(ok->isEnabled());
    ok->click();
    QCOMPARE(dialog.result(), int(TFormQuintorMenu_EditPlayer::ResultOk));
    QCOMPARE(fixture.Reload().Name(), QStringLiteral(" "));
}

void TestEditPlayer::okStoresAndSignsTheProfile()
{
    TProfileFixture fixture;
    TFormQuintorMenu_EditPlayer dialog(fixture.Profile, fixture.Folder, fixture.File);
    dialog.show();
    Child<QLineEdit>(dialog, "EditPlayerName")->setText(QStringLiteral("Änne"));
    Child<QRadioButton>(dialog, "RadioButtonColor")->setChecked(true);
    Child<QAbstractButton>(dialog, "SpeedButtonGreen")->click();
    auto *kind = Child<QComboBox>(dialog, "ComboBoxComputer");
    QCOMPARE(ComboTexts(kind), (QStringList{"Mensch", "Computer: Anfänger", "Computer: Fortgeschritten", "Computer: Profi"}));
    kind->setCurrentIndex(3);
    Child<QPushButton>(dialog, "ButtonOk")->click();

    const TPlayer stored = fixture.Reload();
    QCOMPARE(stored.Computer(), 3);
    QCOMPARE(stored.Name(), QStringLiteral("Änne"));
    QCOMPARE(stored.BackgroundType(), 0);
    QCOMPARE(stored.DiceType(), 4);
    QCOMPARE(stored.Background(), QStringLiteral("/bilder/tisch.jpg"));
    QCOMPARE(fixture.Profile.Name(), QStringLiteral("Änne"));
}

void TestEditPlayer::cancelWritesNothing()
{
    TProfileFixture fixture;
    const QByteArray before = fixture.Stored();
    TFormQuintorMenu_EditPlayer dialog(fixture.Profile, fixture.Folder, fixture.File);
    dialog.show();
    Child<QLineEdit>(dialog, "EditPlayerName")->setText(QStringLiteral("Bert"));
    Child<QAbstractButton>(dialog, "SpeedButtonRed")->click();
    Child<QComboBox>(dialog, "ComboBoxComputer")->setCurrentIndex(0);
    Child<QPushButton>(dialog, "ButtonCancel")->click();
    QCOMPARE(dialog.result(), int(TFormQuintorMenu_EditPlayer::ResultCancel));
    QCOMPARE(fixture.Stored(), before);
    QCOMPARE(fixture.Profile.Name(), QStringLiteral("Anna"));
    QCOMPARE(fixture.Profile.DiceType(), 3);
    QCOMPARE(fixture.Profile.Computer(), 2);
}

void TestEditPlayer::ownerReusingTheProfileMeanwhileDoesNotLeakIn()
{
    TProfileFixture fixture;
    fixture.Profile.SetMatchesWon(7);
    TFormQuintorMenu_EditPlayer dialog(fixture.Profile, fixture.Folder, fixture.File);
    dialog.show();
    // The main window reloads its one working profile on every activation.
    fixture.Profile.SetName(QStringLiteral("-1"));
    fixture.Profile.SetMatchesWon(0);
    Child<QPushButton>(dialog, "ButtonOk")->click();
    const TPlayer stored = fixture.Reload();
    QCOMPARE(stored.Name(), QStringLiteral("Anna"));
    QCOMPARE(stored.MatchesWon(), 7);
}

void TestEditPlayer::unstorableNameIsRefusedAndDialogStays()
{
    TProfileFixture fixture;
    const QByteArray before = fixture.Stored();
    TFormQuintorMenu_EditPlayer dialog(fixture.Profile, fixture.Folder, fixture.File);
    dialog.show();
    Child<QLineEdit>(dialog, "EditPlayerName")->setText(QStringLiteral("Вася"));
    QString text;
    AnswerNext<QMessageBox>([&text](QMessageBox *box) {
        text = box->text();
        box->accept();
    });
    Child<QPushButton>(dialog, "ButtonOk")->click();
    QVERIFY2(text.contains(QStringLiteral("nicht speichern")), qPrintable(text));
    QVERIFY(dialog.isVisible());
    QCOMPARE(fixture.Stored(), before);
    QCOMPARE(fixture.Profile.Name(), QStringLiteral("Anna"));
}

void TestEditPlayer::chosenPictureSelectsPictureAndSurvivesStandardColour()
{
    TProfileFixture fixture;
    fixture.Profile.SetBackgroundType(0);
    const QString picture = fixture.Folder + QStringLiteral("wiese.png");
    QImage(8, 8, QImage::Format_RGB32).save(picture);
    TFormQuintorMenu_EditPlayer dialog(fixture.Profile, fixture.Folder, fixture.File);
    dialog.show();
    QVERIFY(Child<QRadioButton>(dialog, "RadioButtonColor")->isChecked());

    AnswerNext<QFileDialog>([&picture](QFileDialog *files) {
        files->selectFile(picture);
        static_cast<QDialog *>(files)->accept();
    });
    Child<QPushButton>(dialog, "ButtonBrowse")->click();
    QCOMPARE(Child<QLineEdit>(dialog, "EditBackgroundPicture")->text(), picture);
    QVERIFY(Child<QRadioButton>(dialog, "RadioButtonFile")->isChecked());

    Child<QRadioButton>(dialog, "RadioButtonColor")->setChecked(true);
    Child<QPushButton>(dialog, "ButtonOk")->click();
    const TPlayer stored = fixture.Reload();
    QCOMPARE(stored.BackgroundType(), 0);
    QCOMPARE(stored.Background(), picture);
}

void TestEditPlayer::pictureFilterListsPairs()
{
    const QStringList filters = PictureFilters();
    QCOMPARE(filters.size(), 5);
    QCOMPARE(filters.first(), QStringLiteral("Alle (*.png *.jpg *.jpeg *.bmp)"));
    QCOMPARE(filters.at(1), QStringLiteral("Portable network graphics (AlphaControls) (*.png)"));
}

void TestEditPlayer::gameTypeFilterListsOnlyThatType()
{
    TStatsFixture fixture({{.Number = 1, .Dice = 3, .Columns = 1, .Report = QStringLiteral("Spiel_1.html")},
                           {.Number = 2, .Dice = 2, .Columns = 4, .Report = QStringLiteral("Spiel_2.html")},
                           {.Number = 3, .Dice = 3, .Columns = 1, .Report = QStringLiteral("Spiel_3.html")},
                           {.Number = 4, .Dice = 1, .Columns = 2, .Report = QStringLiteral("Spiel_4.html"),
                            .Profile = QStringLiteral("Player8.qtp")}});
    TFormQuintorMenu_EditPlayer dialog(fixture.Profile, fixture.Folder, fixture.File);
    dialog.show();
    auto *list = Child<QTreeWidget>(dialog, "ListViewStats");
    auto *types = Child<QComboBox>(dialog, "ComboBoxGameType");
    QCOMPARE(ComboTexts(types), (QStringList{QStringLiteral("Alle"), QStringLiteral("3 Würfe, 1 Spalte"),
                                             QStringLiteral("2 Würfe, 4 Spalten")}));
    QCOMPARE(ColumnTexts(list, 0), (QStringList{"1", "2", "3"}));
    QCOMPARE(ColumnTexts(list, 3).value(1), QStringLiteral("2 Würfe, 4 Spalten"));

    SelectGameType(types, 2);
    QCOMPARE(ColumnTexts(list, 0), QStringList{"2"});
    SelectGameType(types, 1);
    QCOMPARE(ColumnTexts(list, 0), (QStringList{"1", "3"}));
    SelectGameType(types, 0);
    QCOMPARE(ColumnTexts(list, 0), (QStringList{"1", "2", "3"}));
    QCOMPARE(types->count(), 3);
}

void TestEditPlayer::evaluationOpensThisPlayersFiguresForTheChosenType()
{
    TStatsFixture fixture({{.Number = 1, .Dice = 3, .Columns = 1, .Report = QStringLiteral("Spiel_1.html")},
                           {.Number = 2, .Dice = 2, .Columns = 4, .Points = 300, .Report = QStringLiteral("Spiel_2.html")}});
    TFormQuintorMenu_EditPlayer dialog(fixture.Profile, fixture.Folder, fixture.File);
    dialog.show();
    Child<QLineEdit>(dialog, "EditPlayerName")->setText(QStringLiteral("Anna B."));
    SelectGameType(Child<QComboBox>(dialog, "ComboBoxGameType"), 2);
    QString title;
    QString games;
    AnswerNext<QDialog>([&](QDialog *view) {
        title = view->windowTitle();
        const QList<QTreeWidgetItem *> rows =
            view->findChild<QTreeWidget *>(QStringLiteral("ListViewFigures"))->findItems(QStringLiteral("Bestes Spiel"), Qt::MatchExactly);
        games = rows.isEmpty() ? QString() : rows.constFirst()->text(1);
        view->accept();
    });
    Child<QPushButton>(dialog, "ButtonStatisticsView")->click();
    QCOMPARE(title, QStringLiteral("Quintor Statistik von Anna B."));
    QCOMPARE(games, QStringLiteral("300 Punkte am 09.12.2026 (Spiel 2)"));
}

void TestEditPlayer::onlyPlainReportsInTheDataFolderAreListed_data()
{
    QTest::addColumn<QString>("report");
    QTest::newRow("missing report") << QStringLiteral("Spiel_fehlt.html");
    QTest::newRow("beside the data folder") << QStringLiteral("../x.html");
    QTest::newRow("in a sub-folder") << QStringLiteral("sub/x.html");
    QTest::newRow("no report extension") << QStringLiteral("x.txt");
    QTest::newRow("symbolic link") << QStringLiteral("link.html");
    QTest::newRow("folder named like a report") << QStringLiteral("ordner.html");
    QTest::newRow("absolute path") << QStringLiteral("/x.html");
}

void TestEditPlayer::onlyPlainReportsInTheDataFolderAreListed()
{
    QFETCH(QString, report);
    TStatsFixture fixture({{.Number = 1, .Report = QStringLiteral("Spiel_ok.html")}, {.Number = 2, .Report = report}},
                          {QStringLiteral("Spiel_fehlt.html"), QStringLiteral("link.html"), QStringLiteral("ordner.html")});
    const QString outside = fixture.Dir.path() + QStringLiteral("/x.html");
    Touch(outside);
    QDir().mkpath(fixture.Folder + QStringLiteral("sub"));
    Touch(fixture.Folder + QStringLiteral("sub/x.html"));
    QFile::link(outside, fixture.Folder + QStringLiteral("link.html"));
    QDir().mkpath(fixture.Folder + QStringLiteral("ordner.html"));
    TOpenedFiles opened;

    TFormQuintorMenu_EditPlayer dialog(fixture.Profile, fixture.Folder, fixture.File);
    dialog.show();
    auto *list = Child<QTreeWidget>(dialog, "ListViewStats");
    QCOMPARE(ColumnTexts(list, 0), QStringList{"1"});
    list->setCurrentItem(list->topLevelItem(0));
    dialog.ListViewStatsDblClick();
    QCOMPARE(opened.Files, QStringList{fixture.Folder + QStringLiteral("Spiel_ok.html")});
}

void TestEditPlayer::columnClickSortsThenReverses_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("firstClick");
    // Each row sorts its own column: the directions last for the whole run.
    QTest::newRow("Spielnummer highest first") << 0 << QStringList{"100", "10", "9"};
    QTest::newRow("Datum earliest first") << 1 << QStringList{"01.03.2026", "20.12.2026", "05.01.2027"};
    QTest::newRow("Ergebnis best first") << 2 << QStringList{"1000", "240", "95"};
    QTest::newRow("Spielart alphabetical")
        << 3 << QStringList{QStringLiteral("1 Würfe, 2 Spalten"), QStringLiteral("2 Würfe, 4 Spalten"),
                            QStringLiteral("3 Würfe, 1 Spalte")};
}

void TestEditPlayer::columnClickSortsThenReverses()
{
    QFETCH(int, column);
    QFETCH(QStringList, firstClick);
    TStatsFixture fixture(
        {{.Number = 10, .Dice = 3, .Columns = 1, .Date = QStringLiteral("202701051200"), .Points = 240,
          .Report = QStringLiteral("a.html")},
         {.Number = 9, .Dice = 2, .Columns = 4, .Date = QStringLiteral("202612201200"), .Points = 1000,
          .Report = QStringLiteral("b.html")},
         {.Number = 100, .Dice = 1, .Columns = 2, .Date = QStringLiteral("202603011200"), .Points = 95,
          .Report = QStringLiteral("c.html")}});
    TFormQuintorMenu_EditPlayer dialog(fixture.Profile, fixture.Folder, fixture.File);
    dialog.show();
    auto *list = Child<QTreeWidget>(dialog, "ListViewStats");
    emit list->header()->sectionClicked(column);
    QCOMPARE(ColumnTexts(list, column), firstClick);
    emit list->header()->sectionClicked(column);
    std::reverse(firstClick.begin(), firstClick.end());
    QCOMPARE(ColumnTexts(list, column), firstClick);
}

void TestEditPlayer::reportOpensByButtonAndDoubleClickWhileItIsThere()
{
    TStatsFixture fixture({{.Number = 1, .Report = QStringLiteral("Spiel_1.html")},
                           {.Number = 2, .Report = QStringLiteral("Spiel_2.html")}});
    TOpenedFiles opened;
    TFormQuintorMenu_EditPlayer dialog(fixture.Profile, fixture.Folder, fixture.File);
    dialog.show();
    auto *list = Child<QTreeWidget>(dialog, "ListViewStats");
    auto *button = Child<QAbstractButton>(dialog, "SpeedButtonShowReport");
    QVERIFY(!button->isVisible());
    list->setCurrentItem(list->topLevelItem(1));
    QVERIFY(button->isVisible());
    button->click();
    emit list->itemDoubleClicked(list->topLevelItem(1), 0);
    const QString report = fixture.Folder + QStringLiteral("Spiel_2.html");
    QCOMPARE(opened.Files, (QStringList{report, report}));

    // Gone, or swapped for a link, after the list was filled: nothing opens.
    QFile::remove(report);
    list->setCurrentItem(list->topLevelItem(0));
    list->setCurrentItem(list->topLevelItem(1));
    QVERIFY(!button->isVisible());
    dialog.ListViewStatsDblClick();
    QFile::link(fixture.Folder + QStringLiteral("Spiel_1.html"), report);
    dialog.ListViewStatsDblClick();
    QCOMPARE(opened.Files.size(), 2);
}

// How fast the list fills is a benchmark figure (make bench), not a test.
void TestEditPlayer::fiveThousandGamesAreAllListed()
{
    QList<TGame> games;
    for (int number = 1; number <= 5000; ++number)
        games.append({.Number = number, .Dice = 1 + number % 3, .Points = number % 400,
                      .Report = QStringLiteral("Spiel_%1.html").arg(number)});
    TStatsFixture fixture(games);
    TFormQuintorMenu_EditPlayer dialog(fixture.Profile, fixture.Folder, fixture.File);
    dialog.show();
    QCOMPARE(Child<QTreeWidget>(dialog, "ListViewStats")->topLevelItemCount(), 5000);
}

void TestEditPlayer::keysInTheDialog_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("name");  // typed into the name field first
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("result");  // -1: still open
    const int none = Qt::NoModifier;
    const int ok = TFormQuintorMenu_EditPlayer::ResultOk;
    QTest::newRow("name field: Return is Ok") << "EditPlayerName" << "Bert" << int(Qt::Key_Return) << none << ok;
    QTest::newRow("name field: keypad Enter is Ok") << "EditPlayerName" << "Bert" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << ok;
    QTest::newRow("games list: Return is Ok") << "ListViewStats" << "Bert" << int(Qt::Key_Return) << none << ok;
    QTest::newRow("empty name: Return does nothing") << "EditPlayerName" << "" << int(Qt::Key_Return) << none << -1;
    QTest::newRow("Escape closes without writing") << "EditPlayerName" << "Bert" << int(Qt::Key_Escape) << none << 0;
    QTest::newRow("Alt+O is Ok") << "ListViewStats" << "Bert" << int(Qt::Key_O) << int(Qt::AltModifier) << ok;
    QTest::newRow("Alt+B is Abbruch") << "EditPlayerName" << "Bert" << int(Qt::Key_B) << int(Qt::AltModifier)
                                    << int(TFormQuintorMenu_EditPlayer::ResultCancel);
}

void TestEditPlayer::keysInTheDialog()
{
    QFETCH(QString, focus);
    QFETCH(QString, name);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, result);
    TProfileFixture fixture;
    TFormQuintorMenu_EditPlayer dialog(fixture.Profile, fixture.Folder, fixture.File);
    dialog.open();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    Child<QLineEdit>(dialog, "EditPlayerName")->setText(name);
    Child<QWidget>(dialog, qPrintable(focus))->setFocus();
    QTest::keyClick(dialog.windowHandle(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    if (modifiers & Qt::AltModifier)  // an accelerator clicks a moment later
        QTRY_VERIFY(!dialog.isVisible());
    QCOMPARE(dialog.isVisible(), result == -1);
    if (result >= 0)
        QCOMPARE(dialog.result(), result);
    QCOMPARE(fixture.Reload().Name(), result == TFormQuintorMenu_EditPlayer::ResultOk ? name : QStringLiteral("Anna"));
}

QTEST_MAIN(TestEditPlayer)
#include "tst_editplayer.moc"
