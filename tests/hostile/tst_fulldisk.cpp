// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/WriteFaults.h"

#include "dialogs/uFormQuintorGameWaitForNextPlayer.h"
#include "dialogs/uFormQuintorMenu_EditPlayer.h"
#include "gamewindow/uFormQuintorGameMain.h"
#include "gamewindow/uGameStatusBar.h"
#include "gamewindow/uResultPanel.h"
#include "mainwindow/uFormQuintorMenu.h"
#include "rules/uTTavolex.h"
#include "storage/uIniFile.h"
#include "storage/uTMainApplication.h"
#include "storage/uTPlayer.h"
#include "storage/uTStatistics.h"
#include "storage/uTools.h"

#include <QApplication>
#include <QDir>
#include <QInputDialog>
#include <QLineEdit>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <optional>

// Every place that writes a file, run against a full disk (a real small
// tmpfs where mounting is allowed) and against each step of the write layer
// failing: the German message names the file, every file on disk keeps its
// bytes, and no empty or partial file is added.
namespace {

const QDateTime Finished(QDate(2007, 3, 14), QTime(19, 52));
const QString OldReport = QStringLiteral("Spiel_20070101_1200.html");
const QString NewReport = QStringLiteral("Spiel_20070314_1952.html");

// Name -> bytes of every file in the folder but the filler.
using TFolderSnapshot = QMap<QString, QByteArray>;

TFolderSnapshot Snapshot(const QString &folder)
{
    TFolderSnapshot files;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name == TSmallTmpfs::FillerName())
            continue;
        QFile file(dir.filePath(name));
        files.insert(name, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>"));
    }
    return files;
}

// The files of a data folder in use: two players who play, both templates'
// copy, the switches, one recorded game with its report.
void SeedDataFolder(const QString &folder)
{
    TMainApplication settings;
    settings.SetGamecount(2);
    settings.SetSound(1);
    settings.SetAnimateCup(3);
    settings.SetShowSplash(false);
    settings.SaveToFile(folder + QStringLiteral("Global.ini"));
    TTavolexSettings rules;
    QString ignored;
    rules.LoadFromFile(folder + QStringLiteral("Quintor.ini"), QStringLiteral("Settings"), ignored);
    QVERIFY(QFile::copy(folder + QStringLiteral("Quintor.ini"), folder + QStringLiteral("Settings.ini")));
    const QStringList names{QStringLiteral("Anna"), QStringLiteral("Bert")};
    for (int i = 0; i < names.size(); ++i) {
        TPlayer player;
        player.SetName(names[i]);
        player.SetPlays(true);
        player.SaveToFile(folder + QStringLiteral("Player%1.qtp").arg(i + 1));
    }
    TStatistics stats(folder);
    stats.SetGameNumber(1);
    stats.SetGameReport(OldReport);
    stats.SetPlayerEntries(0, QStringLiteral("\"Anna\",\"Player1.qtp\",\"99\",\"\""));
    stats.SaveGame();
    QFile report(folder + OldReport);
    QVERIFY(report.open(QIODevice::WriteOnly));
    report.write("<html>the first game</html>\r\n");
}

// Answers every modal window as it opens: the new player's name is typed,
// message boxes are read and closed, the abort question is confirmed, a
// game window is closed and any other dialog cancelled (both noted, since
// the test did not expect them).
class TModalAnswerer {
public:
    TModalAnswerer()
    {
        m_Timer.setInterval(1);
        QObject::connect(&m_Timer, &QTimer::timeout, &m_Timer, [this] { AnswerOpenWindow(); });
        m_Timer.start();
    }

    QStringList Messages;
    QStringList OtherDialogs;

private:
    void AnswerOpenWindow()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *input = qobject_cast<QInputDialog *>(modal)) {
            input->setTextValue(QStringLiteral("Carl"));
            input->accept();
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            Messages << box->text();
            box->accept();
        } else if (auto *question = qobject_cast<TFormQuintorGameWaitForNextPlayer *>(modal)) {
            question->done(TFormQuintorGameWaitForNextPlayer::ResultAccepted);
        } else if (auto *game = qobject_cast<TFormQuintorGameMain *>(modal)) {
            // A game that starts although its rules could not be stored.
            OtherDialogs << QStringLiteral("game window");
            game->CloseWith(TFormQuintorGameMain::ResultLastPlayerGaveUp);
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            OtherDialogs << QString::fromLatin1(dialog->metaObject()->className());
            dialog->reject();
        }
    }

    QTimer m_Timer;
};

// One data folder under one kind of fault.
class TFaultyDisk {
public:
    explicit TFaultyDisk(TWriteFault fault) : m_Fault(fault)
    {
        m_Folder = fault == TWriteFault::FullDisk ? m_Tmpfs.Folder() : m_Dir.path() + QLatin1Char('/');
    }

    [[nodiscard]] bool Usable() const { return m_Fault != TWriteFault::FullDisk || m_Tmpfs.Mounted(); }
    [[nodiscard]] const QString &Folder() const { return m_Folder; }

    // From now on saves of `fileName` fail (on a full disk: every save).
    bool Break(const QString &fileName)
    {
        if (m_Fault == TWriteFault::FullDisk)
            return m_Tmpfs.Fill();
        m_Steps.emplace(m_Fault, fileName);
        return true;
    }

    void Mend()
    {
        m_Tmpfs.Free();
        m_Steps.reset();
    }

    // A broken step was met (a full disk is met by every save).
    [[nodiscard]] bool FaultWasMet() const { return !m_Steps || m_Steps->Hits() > 0; }

private:
    TWriteFault m_Fault;
    TSmallTmpfs m_Tmpfs;
    QTemporaryDir m_Dir;
    QString m_Folder;
    std::optional<TFaultyWriteSteps> m_Steps;
};

std::unique_ptr<TFormQuintorGameMain> OpenGame(const QString &folder)
{
    auto window = std::make_unique<TFormQuintorGameMain>(nullptr, folder, QStringLiteral(QUINTOR_PROGRAM_DIR));
    window->SetPause([](int) {});
    window->SetClock([] { return Finished; });
    window->SetReportOpener([](const QString &) {});
    window->SetStartTime(QStringLiteral("19:30"));
    window->show();
    QCoreApplication::processEvents();
    return window;
}

// Every open field entered, then the turn passes and the ceremony runs.
void FinishGame(TFormQuintorGameMain &window)
{
    TTurnEngine &engine = *window.Engine();
    for (int p = 0; p < engine.Players().size(); ++p) {
        TTavolex &column = engine.PlayerColumn(p, 0);
        for (int row : {1, 2, 3, 4, 5, 6, 12, 13, 14, 15, 16, 17, 18})
            if (column.IsOpen(row))
                column.Enter(row, row == Row::Chance ? 20 + p : 0);
        engine.RefreshSums(p);
    }
    engine.NextPlayer();
    engine.EndOfTurnCheck();
}

void ClickMainMenu(TFormQuintorGameMain &window)
{
    QTest::mouseClick(window.ResultPanel()->ButtonMainMenue(), Qt::LeftButton);
}

// What happens before the fault (the state the files must keep) and the
// write that meets it.
struct TWriteSite {
    std::function<void(const QString &folder)> Prepare;
    std::function<void(const QString &folder)> Write;
};

// The windows a site uses live until the test has looked at the files.
struct TSiteWindows {
    std::unique_ptr<TFormQuintorMenu> Menu;
    std::unique_ptr<TFormQuintorGameMain> Game;
    std::unique_ptr<TFormQuintorMenu_EditPlayer> EditPlayer;
    TPlayer Profile;
};

TSiteWindows *Windows = nullptr;

TFormQuintorMenu &OpenMenu(const QString &folder)
{
    Windows->Menu = std::make_unique<TFormQuintorMenu>(folder);
    Windows->Menu->FormActivate();
    return *Windows->Menu;
}

const QMap<QString, TWriteSite> &WriteSites()
{
    static const QMap<QString, TWriteSite> sites{
        {QStringLiteral("new player"),
         {[](const QString &folder) { OpenMenu(folder); },
          [](const QString &) { Windows->Menu->SpeedButtonNewPlayerClick(); }}},
        {QStringLiteral("ticked player"),
         {[](const QString &folder) { OpenMenu(folder); },
          [](const QString &) {
              QTreeWidget *list = Windows->Menu->findChild<QTreeWidget *>(QStringLiteral("ListViewPlayers"));
              list->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
          }}},
        {QStringLiteral("edited player"),
         {[](const QString &folder) {
              QString ignored;
              Windows->Profile.LoadFromFile(folder + QStringLiteral("Player1.qtp"), ignored);
              Windows->EditPlayer = std::make_unique<TFormQuintorMenu_EditPlayer>(
                  Windows->Profile, folder, folder + QStringLiteral("Player1.qtp"));
              Windows->EditPlayer->show();
              QCoreApplication::processEvents();
          },
          [](const QString &) {
              Windows->EditPlayer->findChild<QLineEdit *>(QStringLiteral("EditPlayerName"))
                  ->setText(QStringLiteral("Anna Maria"));
              Windows->EditPlayer->ButtonOkClick();
          }}},
        {QStringLiteral("rules stored at game start"),
         {[](const QString &folder) { OpenMenu(folder); },
          [](const QString &) { Windows->Menu->ButtonStartClick(); }}},
        {QStringLiteral("Global.ini after muting"),
         {[](const QString &folder) {
              Windows->Game = OpenGame(folder);
              QTest::mouseClick(Windows->Game->StatusBar(), Qt::LeftButton, Qt::NoModifier, QPoint(3 * 120 + 10, 5));
          },
          [](const QString &) { Windows->Game->close(); }}},
        {QStringLiteral("close-time bookkeeping"),
         {[](const QString &folder) {
              Windows->Game = OpenGame(folder);
              FinishGame(*Windows->Game);
          },
          [](const QString &) { ClickMainMenu(*Windows->Game); }}},
        {QStringLiteral("report at the ceremony"),
         {[](const QString &folder) { Windows->Game = OpenGame(folder); },
          [](const QString &) { FinishGame(*Windows->Game); }}},
    };
    return sites;
}

// Rows: each site under a full disk and under each failing step, with the
// file whose save fails; sites that write several files get a row for each.
void AddWriteSiteRows()
{
    QTest::addColumn<QString>("site");
    QTest::addColumn<TWriteFault>("fault");
    QTest::addColumn<QString>("file");  // a wildcard pattern
    QTest::addColumn<QStringList>("writtenBefore");  // saved in full before the failing one
    const QList<std::pair<QString, QStringList>> files{
        {QStringLiteral("new player"), {QStringLiteral("Player*.qtp")}},
        {QStringLiteral("ticked player"), {QStringLiteral("Player1.qtp")}},
        {QStringLiteral("edited player"), {QStringLiteral("Player1.qtp")}},
        {QStringLiteral("rules stored at game start"),
         {QStringLiteral("Global.ini"), QStringLiteral("Quintor.ini"), QStringLiteral("Settings.ini")}},
        {QStringLiteral("Global.ini after muting"), {QStringLiteral("Global.ini")}},
        {QStringLiteral("close-time bookkeeping"),
         {QStringLiteral("Player1.qtp"), QStringLiteral("Player2.qtp"), QStringLiteral("Stats.ini"),
          QStringLiteral("Global.ini")}},
        {QStringLiteral("report at the ceremony"), {NewReport}},
    };
    const QList<std::pair<const char *, TWriteFault>> faults{
        {"short write", TWriteFault::ShortWrite},
        {"failing flush", TWriteFault::FailingFlush},
        {"failing rename", TWriteFault::FailingRename}};
    for (const auto &[site, names] : files) {
        // A full disk fails the first save of the site.
        QTest::addRow("%s: full tmpfs", qPrintable(site)) << site << TWriteFault::FullDisk << names.first()
                                                          << QStringList();
        for (qsizetype k = 0; k < names.size(); ++k)
            for (const auto &[faultName, fault] : faults)
                QTest::addRow("%s: %s of %s", qPrintable(site), faultName, qPrintable(names[k]))
                    << site << fault << names[k] << names.mid(0, k);
    }
}

QString SeamFileName(const QString &pattern)
{
    // The new player's file name is drawn at random: every profile save fails.
    return pattern.contains(QLatin1Char('*')) ? QStringLiteral("*") : pattern;
}

bool NamesFile(const QString &message, const QString &folder, const QString &pattern)
{
    const QRegularExpression expected(
        QStringLiteral("(^|\n)") + QRegularExpression::escape(QStringLiteral("In ") + folder)
        + QRegularExpression::wildcardToRegularExpression(pattern, QRegularExpression::UnanchoredWildcardConversion)
        + QRegularExpression::escape(QStringLiteral(" kann nicht geschrieben werden")) + QLatin1Char('$'));
    return expected.match(message).hasMatch();
}

}  // namespace

Q_DECLARE_METATYPE(TWriteFault)

class TestFullDisk : public QObject {
    Q_OBJECT

private slots:
    void aFailedWriteSaysSoAndKeepsEveryFile_data() { AddWriteSiteRows(); }
    void aFailedWriteSaysSoAndKeepsEveryFile();
    void aReportThatFailedAtTheCeremonyIsWrittenWhenTheGameIsRecorded_data();
    void aReportThatFailedAtTheCeremonyIsWrittenWhenTheGameIsRecorded();
    void theReportButtonWritesAFailedReportAgain();
};

void TestFullDisk::aFailedWriteSaysSoAndKeepsEveryFile()
{
    QFETCH(QString, site);
    QFETCH(TWriteFault, fault);
    QFETCH(QString, file);
    QFETCH(QStringList, writtenBefore);
    TFaultyDisk disk(fault);
    if (!disk.Usable())
        QSKIP("a small tmpfs cannot be mounted here (root only); the failing steps of the write layer cover the same saves");
    SeedDataFolder(disk.Folder());
    TSiteWindows windows;
    Windows = &windows;
    const auto forget = qScopeGuard([] { Windows = nullptr; });
    TModalAnswerer answers;
    const TWriteSite &write = WriteSites()[site];
    write.Prepare(disk.Folder());
    answers.Messages.clear();
    const TFolderSnapshot before = Snapshot(disk.Folder());

    QVERIFY(disk.Break(SeamFileName(file)));
    write.Write(disk.Folder());
    QCoreApplication::processEvents();
    QVERIFY(disk.FaultWasMet());

    QVERIFY2(!answers.Messages.isEmpty(), "no message");
    QVERIFY2(NamesFile(answers.Messages.first(), disk.Folder(), file), qPrintable(answers.Messages.first()));
    const TFolderSnapshot after = Snapshot(disk.Folder());
    QCOMPARE(after.keys(), before.keys());  // nothing added, nothing lost
    for (const QString &name : before.keys()) {
        // A save that succeeded before the failing one holds its new content.
        if (writtenBefore.contains(name))
            QVERIFY2(!after[name].isEmpty() && after[name].endsWith("\r\n"), qPrintable(name));
        else
            QVERIFY2(after[name] == before[name], qPrintable(name + QStringLiteral(" changed")));
    }
    QCOMPARE(answers.OtherDialogs, QStringList());
}

void TestFullDisk::aReportThatFailedAtTheCeremonyIsWrittenWhenTheGameIsRecorded_data()
{
    QTest::addColumn<TWriteFault>("fault");
    QTest::newRow("full tmpfs") << TWriteFault::FullDisk;
    QTest::newRow("short write") << TWriteFault::ShortWrite;
    QTest::newRow("failing rename") << TWriteFault::FailingRename;
}

void TestFullDisk::aReportThatFailedAtTheCeremonyIsWrittenWhenTheGameIsRecorded()
{
    QFETCH(TWriteFault, fault);
    TFaultyDisk disk(fault);
    if (!disk.Usable())
        QSKIP("a small tmpfs cannot be mounted here (root only); the failing steps of the write layer cover the same saves");
    SeedDataFolder(disk.Folder());
    TModalAnswerer answers;
    const std::unique_ptr<TFormQuintorGameMain> window = OpenGame(disk.Folder());
    QVERIFY(disk.Break(NewReport));
    FinishGame(*window);
    QCoreApplication::processEvents();
    QCOMPARE(answers.Messages, QStringList{"In " + disk.Folder() + NewReport + " kann nicht geschrieben werden"});
    QVERIFY(window->ReportFileName().isEmpty());

    // Recording while the report still cannot be written records nothing.
    ClickMainMenu(*window);
    QVERIFY(window->isVisible());
    QCOMPARE(answers.Messages.size(), 2);
    QVERIFY(!TIniFile(disk.Folder() + "Stats.ini").SectionExists("2"));

    disk.Mend();
    ClickMainMenu(*window);
    QVERIFY(!window->isVisible());
    const QString recorded = TIniFile(disk.Folder() + "Stats.ini").ReadString("2", "GameReport", QString());
    QCOMPARE(recorded, NewReport);
    QVERIFY(QFileInfo(disk.Folder() + recorded).size() > 0);
    QVERIFY(IsListableReport(disk.Folder(), recorded));
}

void TestFullDisk::theReportButtonWritesAFailedReportAgain()
{
    TFaultyDisk disk(TWriteFault::FailingFlush);
    SeedDataFolder(disk.Folder());
    TModalAnswerer answers;
    const std::unique_ptr<TFormQuintorGameMain> window = OpenGame(disk.Folder());
    QStringList opened;
    window->SetReportOpener([&opened](const QString &file) { opened << file; });
    QVERIFY(disk.Break(NewReport));
    FinishGame(*window);
    QTest::mouseClick(window->ResultPanel()->ButtonPrint(), Qt::LeftButton);
    QCOMPARE(answers.Messages.size(), 2);  // the ceremony's and the button's
    QVERIFY(opened.isEmpty());

    disk.Mend();
    QTest::mouseClick(window->ResultPanel()->ButtonPrint(), Qt::LeftButton);
    QCOMPARE(opened, QStringList{disk.Folder() + NewReport});
    QVERIFY(QFileInfo(disk.Folder() + NewReport).size() > 0);
}

QTEST_MAIN(TestFullDisk)
#include "tst_fulldisk.moc"
