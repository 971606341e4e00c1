// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/MenuFixture.h"
#include "mainwindow/ModalAnswer.h"

#include "dialogs/uFormQuintorGameWaitForNextPlayer.h"
#include "dialogs/uFormQuintorMenu_EditPlayer.h"
#include "dialogs/uFormQuintorSplash.h"
#include "mainwindow/uDesign.h"
#include "mainwindow/uExtValuesEditor.h"
#include "mainwindow/uFormCaption.h"
#include "mainwindow/uFormQuintorMenu.h"
#include "rules/uTTavolex.h"
#include "storage/uTMainApplication.h"
#include "storage/uTPlayer.h"
#include "storage/uTools.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTreeWidget>

#include <memory>

namespace {

// Changes a signed file behind the program's back.
void Tamper(const QString &path, const QByteArray &from, const QByteArray &to)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    QVERIFY(bytes.contains(from));
    bytes.replace(from, to);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QLineEdit *ValueField(const TFormQuintorMenu &menu, int position)
{
    return menu.ExtValues().Edit(position);
}

QString TemplateText(const TFormQuintorMenu &menu)
{
    return Child<QComboBox>(menu, "ComboBoxSettings")->currentText();
}

void Tick(const TFormQuintorMenu &menu, int row, bool ticked)
{
    Players(menu)->topLevelItem(row)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}

void ClickCount(const TFormQuintorMenu &menu, const char *name)
{
    Child<QAbstractButton>(menu, name)->click();
}

TTavolexSettings LoadRules(const QString &path, QString *tampered = nullptr)
{
    TTavolexSettings rules;
    QString error;
    rules.LoadFromFile(path, QStringLiteral("Settings"), error);
    if (tampered)
        *tampered = error;
    return rules;
}

void AnswerMessage(QString *text, QMessageBox::StandardButton button = QMessageBox::Ok)
{
    AnswerNext<QMessageBox>([text, button](QMessageBox *box) {
        *text = box->text();
        box->button(button)->click();
    });
}

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

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void firstStartWritesStandardTemplateSilently();
    void splashFollowsGlobalSetting();
    void tamperedProfileIsReportedOnceAndDeleted();
    void tamperedTemplateRemovesRuleFilesAndEndsProgram();
    void unwritableTemplateIsReportedOnce();
    void startButtonNeedsOneToFourTickedPlayers_data();
    void startButtonNeedsOneToFourTickedPlayers();
    void tickIsStoredInProfileAtOnce();
    void newPlayerKeepsTypedNameEvenWhenDialogIsCancelled();
    void newPlayerRefusesBlankAndUnstorableNames_data();
    void newPlayerRefusesBlankAndUnstorableNames();
    void editedPlayerIsListedUnderNewName();
    void deletingPlayerAsksAndRemovesOnlyTheProfile();
    void statisticsButtonComparesEveryRecordedPlayer();
    void columnClickTogglesSortDirection();
    void rosterShowsComputerPlayersAndSortsByStrength();
    void valueFieldChecksItsRange_data();
    void valueFieldChecksItsRange();
    void templateFollowsCountsAndValues();
    void escapeRestoresDefaultAndStandardTemplate();
    void arrowKeysMoveBetweenValueRows();
    void quitStoresThePageEverywhere();
    void userTemplateIsLoadedWithItsValues();
    void valuesOfAnUnseenPageReadAsShownOnes_data();
    void valuesOfAnUnseenPageReadAsShownOnes();
    void designSelectionStoresAndRebuildsRows();
    void designThatIsNoNumberSelectsStandard();
    void creationShowsTheTemplatesDesignBeforeTheFirstActivation_data();
    void creationShowsTheTemplatesDesignBeforeTheFirstActivation();
    void headShowsItsTitleFromTheFirstFrame();
    void infoPageIsFilledOnceAndFollowsSplashSetting();
    void printSheetOpensSelectedPicture();
    void f1OpensHelpPageOfCurrentContext();
    void f1InAModalWindowGivesAUsableViewer();
    void viewerOutlivesThePromptItWasOpenedFrom();
    void f1WithoutHelpSaysItIsNotInstalled();
};

void TestMainWindow::firstStartWritesStandardTemplateSilently()
{
    TDataFolder data;
    QFile::remove(data.Path + QStringLiteral("Global.ini"));
    SetHelpFolder(data.Path + QStringLiteral("no-help"));
    AnswerNext<TFormQuintorSplash>([](TFormQuintorSplash *splash) { splash->LabelFullnameClick(); });
    auto menu = OpenMenu(data);

    QVERIFY(data.Exists(QStringLiteral("Quintor.ini")));
    QString tampered;
    const TTavolexSettings rules = LoadRules(data.Path + QStringLiteral("Quintor.ini"), &tampered);
    QVERIFY(tampered.isEmpty());
    QCOMPARE(rules.DiceCount(), 3);
    QVERIFY(!data.Exists(QStringLiteral("Global.ini")));
    QVERIFY(!data.Exists(QStringLiteral("Settings.ini")));
    QCOMPARE(menu->windowTitle(), QStringLiteral("Quintor Hauptmenü"));
    QCOMPARE(TemplateText(*menu), QStringLiteral("Standard-Einstellungen"));
    QVERIFY(!StartButton(*menu)->isEnabled());
    const QList<QLabel *> panels = Child<QStatusBar>(*menu, "StatusBarMain")->findChildren<QLabel *>();
    QStringList texts;
    for (const QLabel *panel : panels)
        texts << panel->text();
    QVERIFY(texts.contains(QStringLiteral("Version: 3.1")));
    QVERIFY(texts.contains(QStringLiteral("(F1=Hilfe) steht in dieser Version nicht zur Verfügung      ")));
    QCOMPARE(ValueField(*menu, 1)->text(), QStringLiteral("63"));
    QCOMPARE(menu->ExtValues().Row(1)->findChild<QLabel *>()->text(), QStringLiteral("Bonus ab"));
    SetHelpFolder(QString());
}

void TestMainWindow::splashFollowsGlobalSetting()
{
    {
        TDataFolder quiet(false);
        bool shown = false;
        QTimer *answer = AnswerNext<TFormQuintorSplash>([&shown](TFormQuintorSplash *splash) {
            shown = true;
            splash->LabelFullnameClick();
        });
        TFormQuintorMenu menu(quiet.Path);
        QCoreApplication::processEvents();
        delete answer;
        QVERIFY(!shown);
    }
    TDataFolder loud(true);
    QStringList captions;
    AnswerNext<TFormQuintorSplash>([&captions](TFormQuintorSplash *splash) {
        captions << splash->LabelApplicationShortName()->text() << splash->LabelVersion()->text()
                 << splash->LabelFullname()->text();
        splash->LabelFullnameClick();
    });
    TFormQuintorMenu menu(loud.Path);
    QCOMPARE(captions, (QStringList{QStringLiteral("Quintor"), QStringLiteral("Version 3.1"),
                                    QStringLiteral("Frei konfigurierbarer\nTavolex - Clone")}));
}

void TestMainWindow::tamperedProfileIsReportedOnceAndDeleted()
{
    TDataFolder data;
    data.AddPlayer(QStringLiteral("Anna"));
    const QString tampered = data.AddPlayer(QStringLiteral("Bert"));
    Tamper(tampered, "Name=Bert", "Name=Berta");
    TFormQuintorMenu menu(data.Path);

    int boxes = 0;
    QString text;
    AnswerNext<QMessageBox>([&](QMessageBox *box) {
        ++boxes;
        text = box->text();
        // The box closing activates the window again; that must not restart loading.
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&menu, &activate);
        box->button(QMessageBox::Ok)->click();
    });
    menu.FormActivate();
    QCoreApplication::processEvents();

    QCOMPARE(boxes, 1);
    QCOMPARE(text, QStringLiteral("Die Spielerdaten von \"Berta\" konnten nicht geladen werden.\n\n"
                                  "Aufgrund ungültiger Quintor Einstellungen wird dieser Spieler gelöscht."));
    QVERIFY(!QFile::exists(tampered));
    QCOMPARE(Players(menu)->topLevelItemCount(), 1);
    QCOMPARE(Players(menu)->topLevelItem(0)->text(0), QStringLiteral("Anna"));
}

void TestMainWindow::tamperedTemplateRemovesRuleFilesAndEndsProgram()
{
    TDataFolder data;
    TTavolexSettings rules = LoadRules(data.Path + QStringLiteral("Quintor.ini"));
    rules.SaveToFile(data.Path + QStringLiteral("User.ini"), QStringLiteral("Settings"));
    QFile::copy(data.Path + QStringLiteral("Quintor.ini"), data.Path + QStringLiteral("Settings.ini"));
    Tamper(data.Path + QStringLiteral("Quintor.ini"), "DiceCount=3", "DiceCount=6");

    TFormQuintorMenu menu(data.Path);
    QSignalSpy quit(&menu, &TFormQuintorMenu::QuitRequested);
    QString text;
    AnswerMessage(&text);
    menu.FormActivate();

    QCOMPARE(text, QStringLiteral("Die Einstellungen in Quintor.ini\nkonnten aufgrund ungültiger Einstellungen nicht "
                                  "geladen werden.\n\nAlle Einstellungen werden gelöscht und die Anwendung beendet."));
    for (const char *file : {"Quintor.ini", "User.ini", "Settings.ini"})
        QVERIFY2(!data.Exists(QLatin1String(file)), file);
    QCOMPARE(quit.count(), 1);
    // Later activations until the program ends write nothing back.
    menu.FormActivate();
    QVERIFY(!data.Exists(QStringLiteral("Quintor.ini")));
}

void TestMainWindow::unwritableTemplateIsReportedOnce()
{
    const QString unwritable = QStringLiteral("/proc/quintor-test/");  // not even root may write here
    QString folderText;
    AnswerNext<QMessageBox>([&](QMessageBox *box) {
        folderText = box->text();
        box->accept();
    });
    AnswerNext<TFormQuintorSplash>([](TFormQuintorSplash *splash) { splash->LabelFullnameClick(); });
    TFormQuintorMenu menu(unwritable);
    // Said once at the start, before anything tries to write there.
    QCOMPARE(folderText, QStringLiteral("Der Datenordner %1 kann nicht angelegt werden.").arg(unwritable));
    int boxes = 0;
    QString text;
    AnswerNext<QMessageBox>([&](QMessageBox *box) {
        ++boxes;
        text = box->text();
        box->accept();
    });
    menu.FormActivate();
    QCOMPARE(boxes, 1);
    QVERIFY2(text.contains(QStringLiteral("Quintor.ini")), qUtf8Printable(text));
    // The box closing activates the window again: no second box, no endless loop.
    QTimer *answer = AnswerNext<QMessageBox>([&boxes](QMessageBox *box) {
        ++boxes;
        box->accept();
    });
    menu.FormActivate();
    QCoreApplication::processEvents();
    delete answer;
    QCOMPARE(boxes, 1);
    QCOMPARE(ValueField(menu, 1)->text(), QStringLiteral("63"));
}

void TestMainWindow::startButtonNeedsOneToFourTickedPlayers_data()
{
    QTest::addColumn<int>("ticked");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("nobody") << 0 << false;
    QTest::newRow("one") << 1 << true;
    QTest::newRow("four") << 4 << true;
    QTest::newRow("five") << 5 << false;
}

void TestMainWindow::startButtonNeedsOneToFourTickedPlayers()
{
    QFETCH(int, ticked);
    QFETCH(bool, enabled);
    TDataFolder data;
    for (const char *name : {"Anna", "Bert", "Carla", "Dirk", "Emil"})
        data.AddPlayer(QLatin1String(name));
    auto menu = OpenMenu(data);
    for (int row = 0; row < ticked; ++row)
        Tick(*menu, row, true);
    QCOMPARE(StartButton(*menu)->isEnabled(), enabled);

    // The same holds after reading the ticks back from the files.
    menu->FormActivate();
    QCOMPARE(StartButton(*menu)->isEnabled(), enabled);
}

void TestMainWindow::tickIsStoredInProfileAtOnce()
{
    TDataFolder data;
    const QString path = data.AddPlayer(QStringLiteral("Anna"));
    auto menu = OpenMenu(data);
    Tick(*menu, 0, true);

    TPlayer stored;
    QString tampered;
    stored.LoadFromFile(path, tampered);
    QVERIFY(tampered.isEmpty());
    QVERIFY(stored.Plays());
    Tick(*menu, 0, false);
    stored.LoadFromFile(path, tampered);
    QVERIFY(!stored.Plays());
}

void TestMainWindow::newPlayerKeepsTypedNameEvenWhenDialogIsCancelled()
{
    TDataFolder data;
    auto menu = OpenMenu(data);
    AnswerNext<QInputDialog>([](QInputDialog *input) {
        QCOMPARE(input->windowTitle(), QStringLiteral("Neuer Spieler"));
        QCOMPARE(input->labelText(), QStringLiteral("Wie soll der neue Spieler heißen ?"));
        AnswerNext<TFormQuintorMenu_EditPlayer>([](TFormQuintorMenu_EditPlayer *dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Spielerdaten bearbeiten"));
            dialog->findChild<QPushButton *>(QStringLiteral("ButtonCancel"))->click();
        });
        input->setTextValue(QStringLiteral(" Bob "));
        input->accept();
    });
    Child<QAbstractButton>(*menu, "SpeedButtonNewPlayer")->click();

    QCOMPARE(Players(*menu)->topLevelItemCount(), 1);
    QTreeWidgetItem *row = Players(*menu)->topLevelItem(0);
    QCOMPARE(row->text(0), QStringLiteral(" Bob "));
    QCOMPARE(row->checkState(0), Qt::Unchecked);
    QVERIFY(QFile::exists(row->text(1)));
    QVERIFY(!StartButton(*menu)->isEnabled());
}

void TestMainWindow::newPlayerRefusesBlankAndUnstorableNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("message");
    QTest::newRow("blanks only") << QStringLiteral("   ") << false;
    QTest::newRow("outside Windows-1252") << QStringLiteral("Łukasz 😀") << true;
}

void TestMainWindow::newPlayerRefusesBlankAndUnstorableNames()
{
    QFETCH(QString, name);
    QFETCH(bool, message);
    TDataFolder data;
    auto menu = OpenMenu(data);
    QString text;
    AnswerNext<QInputDialog>([&](QInputDialog *input) {
        if (message)
            AnswerMessage(&text);
        input->setTextValue(name);
        input->accept();
    });
    Child<QAbstractButton>(*menu, "SpeedButtonNewPlayer")->click();

    QCOMPARE(Players(*menu)->topLevelItemCount(), 0);
    QVERIFY(QDir(data.Path).entryList({QStringLiteral("*.qtp")}).isEmpty());
    if (message)
        QVERIFY2(text.contains(QStringLiteral("Ł")), qUtf8Printable(text));
}

void TestMainWindow::editedPlayerIsListedUnderNewName()
{
    TDataFolder data;
    data.AddPlayer(QStringLiteral("Anna"));
    auto menu = OpenMenu(data);
    Players(*menu)->topLevelItem(0)->setSelected(true);
    QVERIFY(Child<QAbstractButton>(*menu, "SpeedButtonEditPlayer")->isEnabled());
    AnswerNext<TFormQuintorMenu_EditPlayer>([](TFormQuintorMenu_EditPlayer *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Quintor Spielerdaten bearbeiten"));
        dialog->findChild<QLineEdit *>(QStringLiteral("EditPlayerName"))->setText(QStringLiteral("Annika"));
        dialog->findChild<QPushButton *>(QStringLiteral("ButtonOk"))->click();
    });
    Child<QAbstractButton>(*menu, "SpeedButtonEditPlayer")->click();
    QCOMPARE(Players(*menu)->topLevelItem(0)->text(0), QStringLiteral("Annika"));
    QVERIFY(!Child<QAbstractButton>(*menu, "SpeedButtonEditPlayer")->isEnabled());
}

void TestMainWindow::deletingPlayerAsksAndRemovesOnlyTheProfile()
{
    TDataFolder data;
    data.AddPlayer(QStringLiteral("Anna"));
    const QString bert = data.AddPlayer(QStringLiteral("Bert"));
    QFile stats(data.Path + QStringLiteral("Stats.ini"));
    QVERIFY(stats.open(QIODevice::WriteOnly));
    stats.write("[0]\n");
    stats.close();
    auto menu = OpenMenu(data);
    Players(*menu)->topLevelItem(1)->setSelected(true);

    QString text;
    AnswerMessage(&text, QMessageBox::No);
    Child<QAbstractButton>(*menu, "SpeedButtonDeletePlayer")->click();
    QVERIFY(QFile::exists(bert));

    AnswerMessage(&text, QMessageBox::Yes);
    Child<QAbstractButton>(*menu, "SpeedButtonDeletePlayer")->click();
    QCOMPARE(text, QStringLiteral("Soll der Spieler Bert\nunwiderruflich gelöscht werden ?"));
    QVERIFY(!QFile::exists(bert));
    QVERIFY(data.Exists(QStringLiteral("Stats.ini")));
    QCOMPARE(Players(*menu)->topLevelItemCount(), 1);
}

void TestMainWindow::statisticsButtonComparesEveryRecordedPlayer()
{
    TDataFolder data;
    data.AddPlayer(QStringLiteral("Anna"), false, QStringLiteral("Player1.qtp"));
    QFile stats(data.Path + QStringLiteral("Stats.ini"));
    QVERIFY(stats.open(QIODevice::WriteOnly));
    // Bert's profile is gone; his games still count.
    stats.write("[1]\r\nDiceCount=3\r\nGameCount=1\r\nGameReport=Spiel_1.html\r\n"
                "Player0=\"Anna\",\"Player1.qtp\",\"120\",\"\"\r\nPlayer1=\"Bert\",\"Player2.qtp\",\"150\",\"\"\r\n");
    stats.close();
    auto menu = OpenMenu(data);
    QStringList players;
    QStringList pairs;
    int help = 0;
    AnswerNext<QDialog>([&](QDialog *view) {
        help = FormHelpContext(view);
        auto *combo = view->findChild<QComboBox *>(QStringLiteral("ComboBoxPlayer"));
        for (int i = 0; i < combo->count(); ++i)
            players << combo->itemText(i);
        view->findChild<QTabWidget *>(QStringLiteral("PageControlStatistics"))->setCurrentIndex(3);
        QTreeWidgetItem *row = view->findChild<QTreeWidget *>(QStringLiteral("ListViewHeadToHead"))->topLevelItem(0);
        for (int c = 0; row && c < 5; ++c)
            pairs << row->text(c);
        view->accept();
    });
    Child<QAbstractButton>(*menu, "SpeedButtonStatistics")->click();
    QCOMPARE(help, 30500);
    QCOMPARE(players, (QStringList{"Anna", "Bert"}));
    QCOMPARE(pairs, (QStringList{"Anna", "Bert", "1", "0", "1"}));
}

void TestMainWindow::columnClickTogglesSortDirection()
{
    TDataFolder data;
    for (const char *name : {"Bert", "Anna", "Carla"})
        data.AddPlayer(QLatin1String(name));
    auto menu = OpenMenu(data);
    const auto order = [&menu] {
        QStringList names;
        for (int i = 0; i < Players(*menu)->topLevelItemCount(); ++i)
            names << Players(*menu)->topLevelItem(i)->text(0);
        return names;
    };
    const QStringList ascending{QStringLiteral("Anna"), QStringLiteral("Bert"), QStringLiteral("Carla")};
    QCOMPARE(order(), ascending);
    menu->ListViewPlayersColumnClick(0);
    QCOMPARE(order(), (QStringList{QStringLiteral("Carla"), QStringLiteral("Bert"), QStringLiteral("Anna")}));
    menu->ListViewPlayersColumnClick(0);
    QCOMPARE(order(), ascending);
}

void TestMainWindow::rosterShowsComputerPlayersAndSortsByStrength()
{
    TDataFolder data;
    data.AddPlayer(QStringLiteral("Anna"));
    data.AddPlayer(QStringLiteral("Bert"), false, {}, 3);
    data.AddPlayer(QStringLiteral("Carla"), false, {}, 1);
    auto menu = OpenMenu(data);
    const auto rows = [&menu] {
        QStringList texts;
        for (int i = 0; i < Players(*menu)->topLevelItemCount(); ++i)
            texts << Players(*menu)->topLevelItem(i)->text(0) + QLatin1Char('/') + Players(*menu)->topLevelItem(i)->text(2);
        return texts;
    };
    QCOMPARE(rows(), (QStringList{"Anna/", "Bert/Profi", "Carla/Anfänger"}));
    QVERIFY(!Players(*menu)->isColumnHidden(2));
    // As text, not as a number: every strength would read as 0.
    menu->ListViewPlayersColumnClick(2);
    QCOMPARE(rows().first(), QStringLiteral("Bert/Profi"));
    menu->ListViewPlayersColumnClick(2);
    QCOMPARE(rows(), (QStringList{"Anna/", "Carla/Anfänger", "Bert/Profi"}));
}

void TestMainWindow::valueFieldChecksItsRange_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("bonus from 9 is too low") << 1 << "9" << false;
    QTest::newRow("bonus from 10") << 1 << "10" << true;
    QTest::newRow("bonus from 99") << 1 << "99" << true;
    QTest::newRow("bonus from 100 is too high") << 1 << "100" << false;
    QTest::newRow("struck field 0") << 8 << "0" << true;
    QTest::newRow("struck field -5000") << 8 << "-5000" << true;
    QTest::newRow("struck field 1 is too high") << 8 << "1" << false;
    QTest::newRow("leading blanks and sign") << 3 << "  +25" << true;
    QTest::newRow("trailing blank") << 3 << "25 " << false;
    QTest::newRow("no number") << 3 << "abc" << false;
    QTest::newRow("empty") << 3 << "" << false;
    QTest::newRow("beyond whole numbers") << 3 << "99999999999" << false;
}

void TestMainWindow::valueFieldChecksItsRange()
{
    QFETCH(int, position);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    TDataFolder data;
    data.AddPlayer(QStringLiteral("Anna"), true);
    auto menu = OpenMenu(data);
    QVERIFY(StartButton(*menu)->isEnabled());

    ValueField(*menu, position)->setText(QStringLiteral("x"));  // so that the text below is a change
    ValueField(*menu, position)->setText(text);
    QCOMPARE(menu->ExtValues().Row(position)->property("Valid").toInt(), valid ? 1 : -1);
    QCOMPARE(ValueField(*menu, position)->property("invalid").toBool(), !valid);
    QCOMPARE(StartButton(*menu)->isEnabled(), valid);
}

void TestMainWindow::templateFollowsCountsAndValues()
{
    TDataFolder data;
    auto menu = OpenMenu(data);
    const QString user = QStringLiteral("Benutzerdefinierte Einstellungen");
    const QString standard = QStringLiteral("Standard-Einstellungen");

    ClickCount(*menu, "GameCount2");
    QCOMPARE(TemplateText(*menu), user);
    QCOMPARE(menu->CurrentTemplateFile(), data.Path + QStringLiteral("User.ini"));
    ClickCount(*menu, "GameCount1");
    QCOMPARE(TemplateText(*menu), standard);
    QCOMPARE(menu->CurrentTemplateFile(), data.Path + QStringLiteral("Quintor.ini"));

    // The decision compares the joined texts, not the numbers.
    ValueField(*menu, 1)->setText(QStringLiteral("063"));
    QCOMPARE(TemplateText(*menu), user);
    ValueField(*menu, 1)->setText(QStringLiteral("63"));
    ValueField(*menu, 7)->setText(QStringLiteral("10"));
    ValueField(*menu, 8)->setText(QStringLiteral("00"));
    QCOMPARE(TemplateText(*menu), standard);
}

void TestMainWindow::escapeRestoresDefaultAndStandardTemplate()
{
    TDataFolder data;
    auto menu = OpenMenu(data);
    QLineEdit *field = ValueField(*menu, 4);
    field->setText(QStringLiteral("abc"));
    QCOMPARE(TemplateText(*menu), QStringLiteral("Benutzerdefinierte Einstellungen"));
    QTest::keyClick(field, Qt::Key_Escape);
    QCOMPARE(field->text(), QStringLiteral("30"));
    QCOMPARE(menu->ExtValues().Row(4)->property("Valid").toInt(), 1);
    QCOMPARE(TemplateText(*menu), QStringLiteral("Standard-Einstellungen"));
}

void TestMainWindow::arrowKeysMoveBetweenValueRows()
{
    TDataFolder data;
    auto menu = OpenMenu(data);
    menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(menu.get()));
    menu->findChild<QTabWidget *>()->setCurrentIndex(1);
    Child<QCheckBox>(*menu, "CheckBoxMultiQuintor")->setChecked(false);
    QVERIFY(menu->ExtValues().Row(7)->isHidden());

    ValueField(*menu, 1)->setFocus();
    QTest::keyClick(ValueField(*menu, 1), Qt::Key_Up);
    QCOMPARE(menu->focusWidget(), ValueField(*menu, 1));
    QTest::keyClick(ValueField(*menu, 1), Qt::Key_Down);
    QCOMPARE(menu->focusWidget(), ValueField(*menu, 2));
    // The hidden further-Quintor row is stepped over.
    ValueField(*menu, 6)->setFocus();
    QTest::keyClick(ValueField(*menu, 6), Qt::Key_Down);
    QCOMPARE(menu->focusWidget(), ValueField(*menu, 8));
    QTest::keyClick(ValueField(*menu, 8), Qt::Key_Down);
    QCOMPARE(menu->focusWidget(), ValueField(*menu, 8));
    QTest::keyClick(ValueField(*menu, 8), Qt::Key_Up);
    QCOMPARE(menu->focusWidget(), ValueField(*menu, 6));
}

void TestMainWindow::quitStoresThePageEverywhere()
{
    TDataFolder data;
    auto menu = OpenMenu(data);
    QSignalSpy quit(menu.get(), &TFormQuintorMenu::QuitRequested);
    ClickCount(*menu, "DiceCount5");
    Child<QCheckBox>(*menu, "CheckBoxDoRedo")->setChecked(true);
    Child<QCheckBox>(*menu, "CheckBoxShowSplash")->setChecked(false);
    Child<QCheckBox>(*menu, "CheckBoxMultiQuintor")->setChecked(false);
    ValueField(*menu, 7)->setText(QStringLiteral("120"));  // hidden, still stored
    ValueField(*menu, 2)->setText(QStringLiteral("040"));
    Child<QAbstractButton>(*menu, "ButtonCancel")->click();

    QCOMPARE(quit.count(), 1);
    QString tampered;
    const TTavolexSettings stored = LoadRules(data.Path + QStringLiteral("User.ini"), &tampered);
    QVERIFY(tampered.isEmpty());
    QCOMPARE(stored.DiceCount(), 5);
    QCOMPARE(stored.GameCount(), 1);
    QVERIFY(stored.AllowRedo());
    QVERIFY(!stored.MultTavolex());
    QCOMPARE(stored.ExtOptions(), QStringLiteral("8|63,9|040,14|25,15|30,16|40,17|50,24|120,25|0,"));
    QCOMPARE(data.Read(QStringLiteral("Settings.ini")), data.Read(QStringLiteral("User.ini")));
    TMainApplication global;
    global.LoadFromFile(data.Path + QStringLiteral("Global.ini"));
    QVERIFY(!global.ShowSplash());
}

void TestMainWindow::userTemplateIsLoadedWithItsValues()
{
    TDataFolder data;
    TTavolexSettings rules = LoadRules(data.Path + QStringLiteral("User.ini"));
    rules.SetGameCount(3);
    rules.SetDiceCount(2);
    rules.SetExtOptions(QStringLiteral("8|70,14|abc,"));
    rules.SaveToFile(data.Path + QStringLiteral("User.ini"), QStringLiteral("Settings"));
    auto menu = OpenMenu(data);

    auto *templates = Child<QComboBox>(*menu, "ComboBoxSettings");
    templates->setCurrentIndex(1);
    menu->ComboBoxSettingsSelect(1);
    QVERIFY(Child<QAbstractButton>(*menu, "GameCount3")->isChecked());
    QVERIFY(Child<QAbstractButton>(*menu, "DiceCount2")->isChecked());
    QCOMPARE(ValueField(*menu, 1)->text(), QStringLiteral("70"));
    QCOMPARE(ValueField(*menu, 3)->text(), QStringLiteral("25"));

    // Back on the standard template the page shows the standard rules.
    templates->setCurrentIndex(0);
    menu->ComboBoxSettingsSelect(0);
    QVERIFY(Child<QAbstractButton>(*menu, "GameCount1")->isChecked());
    QVERIFY(Child<QAbstractButton>(*menu, "DiceCount3")->isChecked());
    QCOMPARE(ValueField(*menu, 1)->text(), QStringLiteral("63"));
}

void TestMainWindow::valuesOfAnUnseenPageReadAsShownOnes_data()
{
    QTest::addColumn<bool>("pageSeen");
    QTest::newRow("settings page seen first") << true;
    QTest::newRow("settings page not seen") << false;
}

// The settings page builds its value rows when first shown; until then the
// window reads, stores and shows the template's values as if they were built.
void TestMainWindow::valuesOfAnUnseenPageReadAsShownOnes()
{
    QFETCH(bool, pageSeen);
    TDataFolder data;
    TTavolexSettings rules = LoadRules(data.Path + QStringLiteral("User.ini"));
    rules.SetExtOptions(QStringLiteral("8|70,24|120,"));
    rules.SetMultTavolex(false);
    rules.SaveToFile(data.Path + QStringLiteral("User.ini"), QStringLiteral("Settings"));
    auto menu = OpenMenu(data);
    auto *pages = Child<QTabWidget>(*menu, "PageControlMainMenu");
    if (pageSeen)
        pages->setCurrentIndex(1);
    Child<QComboBox>(*menu, "ComboBoxSettings")->setCurrentIndex(1);
    menu->ComboBoxSettingsSelect(1);
    QCOMPARE(menu->findChild<QLineEdit *>(QStringLiteral("DynExtValue1Edt")) != nullptr, pageSeen);
    QVERIFY(menu->AllValuesValid());

    QCOMPARE(menu->ExtValues().CollectExtOptions(), QStringLiteral("8|70,9|35,14|25,15|30,16|40,17|50,24|120,25|0,"));
    QCOMPARE(ValueField(*menu, 1)->text(), QStringLiteral("70"));
    QVERIFY(menu->ExtValues().Row(7)->isHidden());
    pages->setCurrentIndex(1);
    QVERIFY(menu->ExtValues().Row(6)->isVisibleTo(menu.get()));
    QVERIFY(!menu->ExtValues().Row(7)->isVisibleTo(menu.get()));
    // Once the page was seen, every activation builds its rows at once.
    menu->FormActivate();
    QVERIFY(menu->findChild<QLineEdit *>(QStringLiteral("DynExtValue1Edt")));
}

void TestMainWindow::designSelectionStoresAndRebuildsRows()
{
    TDataFolder data;
    auto menu = OpenMenu(data);
    const QString standardSheet = qApp->styleSheet();
    ValueField(*menu, 1)->setText(QStringLiteral("063"));
    ValueField(*menu, 3)->setText(QStringLiteral("abc"));
    auto *designs = Child<QComboBox>(*menu, "ComboBoxDesign");
    QCOMPARE(designs->count(), 5);
    designs->setCurrentIndex(3);
    menu->ComboBoxDesignSelect(3);

    QVERIFY(qApp->styleSheet() != standardSheet);
    QCOMPARE(LoadRules(data.Path + QStringLiteral("User.ini")).DesignName(), QStringLiteral("3"));
    QVERIFY(data.Exists(QStringLiteral("Global.ini")));
    QCOMPARE(ValueField(*menu, 1)->text(), QStringLiteral("63"));
    QCOMPARE(ValueField(*menu, 3)->text(), QStringLiteral("25"));
    QVERIFY(menu->AllValuesValid());

    menu->FormActivate();
    QCOMPARE(designs->currentText(), QStringLiteral("DarkGlass (internal)"));
    designs->setCurrentIndex(0);
    menu->ComboBoxDesignSelect(0);
    QCOMPARE(qApp->styleSheet(), standardSheet);
}

void TestMainWindow::designThatIsNoNumberSelectsStandard()
{
    TDataFolder data;
    TTavolexSettings rules = LoadRules(data.Path + QStringLiteral("Quintor.ini"));
    rules.SetDesignName(QStringLiteral("Elegant"));
    rules.SaveToFile(data.Path + QStringLiteral("Quintor.ini"), QStringLiteral("Settings"));
    auto menu = OpenMenu(data);
    QCOMPARE(Child<QComboBox>(*menu, "ComboBoxDesign")->currentIndex(), 0);
}

void TestMainWindow::creationShowsTheTemplatesDesignBeforeTheFirstActivation_data()
{
    QTest::addColumn<QString>("designName");
    QTest::addColumn<int>("design");
    QTest::newRow("DarkGlass") << QStringLiteral("3") << 3;
    QTest::newRow("GrayPlastic") << QStringLiteral("4") << 4;
    QTest::newRow("no number") << QStringLiteral("Elegant") << 0;
    QTest::newRow("no such design") << QStringLiteral("9") << 0;
    QTest::newRow("no template yet") << QString() << 0;
}

// The activation applies the template's design; when creation has already
// applied it, the shown window is not restyled as a whole a moment later.
void TestMainWindow::creationShowsTheTemplatesDesignBeforeTheFirstActivation()
{
    QFETCH(QString, designName);
    QFETCH(int, design);
    TDataFolder data;
    if (!designName.isNull()) {
        TTavolexSettings rules = LoadRules(data.Path + QStringLiteral("Quintor.ini"));
        rules.SetDesignName(designName);
        rules.SaveToFile(data.Path + QStringLiteral("Quintor.ini"), QStringLiteral("Settings"));
    }
    // Another design in use before, as after an earlier window.
    ApplyProgramDesign(design == 1 ? 2 : 1);
    TFormQuintorMenu menu(data.Path);
    QCOMPARE(qApp->property("QuintorDesign").toInt(), design);
    const QString created = qApp->styleSheet();

    menu.FormActivate();
    QCOMPARE(Child<QComboBox>(menu, "ComboBoxDesign")->currentIndex(), design);
    QCOMPARE(qApp->styleSheet(), created);
}

// The first frame is drawn before the first activation; the head is complete
// in it. The caption follows with the activation, which scripts wait for.
void TestMainWindow::headShowsItsTitleFromTheFirstFrame()
{
    TDataFolder data;
    TFormQuintorMenu menu(data.Path);
    auto *head = Child<QLabel>(menu, "LabelHead");
    QCOMPARE(head->text(), QStringLiteral("Quintor  "));
    QVERIFY(menu.windowTitle().isEmpty());
    menu.FormActivate();
    QCOMPARE(head->text(), QStringLiteral("Quintor  "));
    QCOMPARE(menu.windowTitle(), QStringLiteral("Quintor Hauptmenü"));
}

void TestMainWindow::infoPageIsFilledOnceAndFollowsSplashSetting()
{
    TDataFolder data(true);
    AnswerNext<TFormQuintorSplash>([](TFormQuintorSplash *splash) { splash->LabelFullnameClick(); });
    auto menu = OpenMenu(data);
    auto *memo = Child<QTextEdit>(*menu, "MemoInfo");
    const QString text = memo->toPlainText();
    QVERIFY(text.startsWith(QStringLiteral("\nQuintor (3.1) \nFrei konfigurierbarer\nTavolex - Clone\n")));
    QVERIFY(!text.contains(QLatin1Char('%')));
    QVERIFY(text.contains(QStringLiteral("GNU General Public License, Version 3 oder später")));
    QVERIFY(Child<QCheckBox>(*menu, "CheckBoxShowSplash")->isChecked());

    TMainApplication global;
    global.SetShowSplash(false);
    global.SaveToFile(data.Path + QStringLiteral("Global.ini"));
    menu->FormActivate();
    QCOMPARE(memo->toPlainText(), text);
    QVERIFY(!Child<QCheckBox>(*menu, "CheckBoxShowSplash")->isChecked());
}

void TestMainWindow::printSheetOpensSelectedPicture()
{
    TDataFolder data;
    auto menu = OpenMenu(data);
    TOpenedFiles opened;
    auto *sheets = Child<QComboBox>(*menu, "ComboBoxBlock");
    auto *button = Child<QAbstractButton>(*menu, "BitBtnCreateSheet");
    sheets->setCurrentIndex(1);
    button->click();
    QVERIFY2(opened.Files.isEmpty(), "no sheet folder beside the program: nothing opens");

    // The sheet folder is found whatever the letter case of its name.
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/BIN");
    QVERIFY(QDir().mkpath(folder));
    const auto cleanup = qScopeGuard([folder] { QDir(folder).removeRecursively(); });
    QFile sheet(folder + QStringLiteral("/Druckvorlage1.jpg"));
    QVERIFY(sheet.open(QIODevice::WriteOnly));
    sheet.close();
    button->click();
    QCOMPARE(opened.Files, QStringList{sheet.fileName()});
    sheets->setCurrentIndex(2);
    button->click();
    QCOMPARE(opened.Files.size(), 1);
}

void TestMainWindow::f1OpensHelpPageOfCurrentContext()
{
    TDataFolder data;
    const QString help = data.Path + QStringLiteral("help");
    QDir().mkpath(help);
    for (const char *page : {"index.html", "20200.html"}) {
        QFile file(help + QLatin1Char('/') + QLatin1String(page));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html><body>Hilfe</body></html>");
    }
    SetHelpFolder(help);
    const auto cleanup = qScopeGuard([] { SetHelpFolder(QString()); });
    InstallHelpKey(qApp);
    auto menu = OpenMenu(data);
    QVERIFY(Child<QStatusBar>(*menu, "StatusBarMain")->findChildren<QLabel *>().last()->text()
                == QStringLiteral("F1 Hilfe      "));

    menu->findChild<QTabWidget *>()->setCurrentIndex(1);
    QTest::keyClick(menu.get(), Qt::Key_F1);
    QVERIFY(HelpViewer());
    QCOMPARE(HelpViewer()->source().fileName(), QStringLiteral("20200.html"));

    // A context without its own page shows the index.
    QTest::mouseMove(Child<QWidget>(*menu, "SpeedButtonNewPlayer"));
    QEvent move(QEvent::Enter);
    QCoreApplication::sendEvent(Child<QWidget>(*menu, "SpeedButtonNewPlayer"), &move);
    QCOMPARE(FormHelpContext(menu.get()), 30100);
    QTest::keyClick(menu.get(), Qt::Key_F1);
    QCOMPARE(HelpViewer()->source().fileName(), QStringLiteral("index.html"));
    HelpViewer()->window()->close();
}

namespace {

// Help pages for `contexts` and an index in a folder of `data`, set as the
// program's help until the returned guard ends.
auto InstallHelpPages(const TDataFolder &data, const QStringList &contexts)
{
    const QString help = data.Path + QStringLiteral("help");
    QDir().mkpath(help);
    for (const QString &page : contexts + QStringList{QStringLiteral("index")}) {
        QFile file(help + QLatin1Char('/') + page + QStringLiteral(".html"));
        if (file.open(QIODevice::WriteOnly))
            file.write("<html><body>Hilfe</body></html>");
    }
    SetHelpFolder(help);
    InstallHelpKey(qApp);
    return qScopeGuard([] {
        if (HelpViewer())
            delete HelpViewer()->window();
        SetHelpFolder(QString());
    });
}

// A key as the window system delivers it: a window blocked by a modal one never sees it.
void Press(QWidget *window, Qt::Key key)
{
    QTest::keyClick(window->windowHandle(), key);
}

bool ViewerShown()
{
    return HelpViewer() && HelpViewer()->window()->isVisible();
}

}  // namespace

void TestMainWindow::f1InAModalWindowGivesAUsableViewer()
{
    TDataFolder data;
    const auto help = InstallHelpPages(data, {QStringLiteral("30300")});
    TPlayer profile;
    profile.SetName(QStringLiteral("Anna"));
    TFormQuintorMenu_EditPlayer dialog(profile, data.Path, data.Path + QStringLiteral("Player1.qtp"));
    QString page;
    bool shown = false;
    bool closedByItsKey = false;
    bool dialogStillOpen = false;
    AnswerNext<TFormQuintorMenu_EditPlayer>([&](TFormQuintorMenu_EditPlayer *open) {
        Press(open, Qt::Key_F1);
        shown = ViewerShown();
        page = HelpViewer() ? HelpViewer()->source().fileName() : QString();
        if (shown)
            Press(HelpViewer()->window(), Qt::Key_Escape);
        closedByItsKey = !ViewerShown();
        dialogStillOpen = open->isVisible();
        open->reject();
    });
    dialog.exec();
    QVERIFY(shown);
    QCOMPARE(page, QStringLiteral("30300.html"));
    QVERIFY(closedByItsKey);
    QVERIFY(dialogStillOpen);
}

void TestMainWindow::viewerOutlivesThePromptItWasOpenedFrom()
{
    TDataFolder data;
    const auto help = InstallHelpPages(data, {QStringLiteral("41020")});
    QDialog game;  // a modal window with a prompt over it, as the game window
    bool shownAfterPrompt = false;
    bool closedByItsKey = false;
    AnswerNext<QDialog>([&](QDialog *) {
        auto *prompt = new TFormQuintorGameWaitForNextPlayer(&game);
        SetFormHelpContext(prompt, 41020);
        AnswerNext<TFormQuintorGameWaitForNextPlayer>([](TFormQuintorGameWaitForNextPlayer *open) {
            Press(open, Qt::Key_F1);
            open->ButtonNo()->click();
        });
        prompt->exec();
        delete prompt;
        shownAfterPrompt = ViewerShown() && HelpViewer()->source().fileName() == QStringLiteral("41020.html");
        if (shownAfterPrompt)
            Press(HelpViewer()->window(), Qt::Key_Escape);
        closedByItsKey = !ViewerShown();
        game.reject();
    });
    game.exec();
    QVERIFY(shownAfterPrompt);
    QVERIFY(closedByItsKey);
}

void TestMainWindow::f1WithoutHelpSaysItIsNotInstalled()
{
    TDataFolder data;
    const QString missing = data.Path + QStringLiteral("Quintor.help");
    SetHelpFolder(missing);
    const auto cleanup = qScopeGuard([] { SetHelpFolder(QString()); });
    InstallHelpKey(qApp);
    auto menu = OpenMenu(data);
    menu->show();
    QString text;
    AnswerNext<QMessageBox>([&text](QMessageBox *box) {
        text = box->text();
        box->accept();
    });
    QTest::keyClick(menu.get(), Qt::Key_F1);
    QCOMPARE(text, QStringLiteral("Die Hilfe ist nicht installiert: der Ordner %1 fehlt.\n\n"
                                  "Installieren Sie Quintor neu, um die Hilfe zu erhalten.").arg(missing));
    QVERIFY(!HelpViewer());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
