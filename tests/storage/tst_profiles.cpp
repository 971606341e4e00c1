// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "play/uRandom.h"
#include "storage/uIniFile.h"
#include "storage/uTMainApplication.h"
#include "storage/uTPlayer.h"
#include "storage/uTools.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void SaveProfile(const QString &path, const QString &name, bool plays = false)
{
    TPlayer player;
    player.SetName(name);
    player.SetPlays(plays);
    player.SaveToFile(path);
}

}  // namespace

class TestProfiles : public QObject {
    Q_OBJECT

private slots:
    void profileReadsBackWhatWasSaved();
    void profileFileHoldsTheKeysInOrderAndSignedLast();
    void profileWithoutComputerKeyIsAPersonAndGetsTheKeyWhenWritten();
    void handEditedProfileReportsTheNameRead_data();
    void handEditedProfileReportsTheNameRead();
    void missingProfileLeavesTheFieldsAlone();
    void sortByNameOrdersFilesByStoredNames_data();
    void sortByNameOrdersFilesByStoredNames();
    void newFileNameAvoidsNamesInAnyCase();
    void gamePlayersAreThePlayingOnesInNameOrderAtMostFour();
    void applicationSettingsDefaultWithoutFile();
    void applicationSettingsWrittenInOrder();
    void applicationSettingsKeepHandWrittenNumbers();
};

void TestProfiles::profileReadsBackWhatWasSaved()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Player4711.qtp");
    TPlayer saved;
    saved.SetMatchesWon(-7);
    saved.SetName(QString::fromUtf8(" Jürgen Müller "));
    saved.SetPlays(true);
    saved.SetBackground("/home/j/Bilder/tisch.jpg");
    saved.SetBackgroundType(1);
    saved.SetDiceType(5);
    saved.SetComputer(3);
    saved.SaveToFile(path);

    TPlayer read;
    QString error = "stale";
    read.LoadFromFile(path, error);
    QCOMPARE(error, QString());
    QCOMPARE(read.MatchesWon(), -7);
    QCOMPARE(read.Name(), saved.Name());
    QCOMPARE(read.Plays(), true);
    QCOMPARE(read.Background(), saved.Background());
    QCOMPARE(read.BackgroundType(), 1);
    QCOMPARE(read.DiceType(), 5);
    QCOMPARE(read.Computer(), 3);
}

void TestProfiles::profileFileHoldsTheKeysInOrderAndSignedLast()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Player1.qtp");
    TPlayer player;
    player.SetMatchesWon(2);
    player.SetName("Anna");
    player.SetPlays(true);
    player.SetDiceType(1);
    player.SetComputer(2);
    player.SaveToFile(path);
    const QByteArray text = "[PLAYER]MatchesWon=2Name=AnnaPlays=1Background=BackgroundType=0DiceType=1Computer=2";
    QCOMPARE(ReadBytes(path), "[PLAYER]\r\nMatchesWon=2\r\nName=Anna\r\nPlays=1\r\nBackground=\r\nBackgroundType=0\r\nDiceType=1"
                              "\r\nComputer=2\r\nKey=" + EncodeKey(text) + "\r\n");
    // Saving again over the signed file keeps one Key line at the end.
    player.SetName("Berta");
    player.SaveToFile(path);
    QCOMPARE(ReadBytes(path).count("Key="), 1);
    QVERIFY(VerifyKey(path, "PLAYER"));
}

void TestProfiles::profileWithoutComputerKeyIsAPersonAndGetsTheKeyWhenWritten()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Player1.qtp");
    // Written before computer players existed: signed without the key.
    const QByteArray text = "[PLAYER]MatchesWon=0Name=AnnaPlays=1Background=BackgroundType=0DiceType=4";
    WriteBytes(path, "[PLAYER]\r\nMatchesWon=0\r\nName=Anna\r\nPlays=1\r\nBackground=\r\nBackgroundType=0\r\n"
                     "DiceType=4\r\nKey=" + EncodeKey(text) + "\r\n");
    TPlayer player;
    player.SetComputer(3);  // a reused scratch profile: the missing key means a person
    QString error = "stale";
    player.LoadFromFile(path, error);
    QCOMPARE(error, QString());
    QCOMPARE(player.Computer(), 0);
    QCOMPARE(player.DiceType(), 4);

    player.SetComputer(1);
    player.SaveToFile(path);
    // The file's own lines stay where they are; the new key joins the section, signed.
    QVERIFY(ReadBytes(path).startsWith("[PLAYER]\r\nMatchesWon=0\r\nName=Anna\r\nPlays=1\r\nBackground=\r\n"
                                       "BackgroundType=0\r\nDiceType=4\r\n"));
    QCOMPARE(ReadBytes(path).count("Computer=1\r\n"), 1);
    QVERIFY(VerifyKey(path, "PLAYER"));
    TPlayer reread;
    reread.LoadFromFile(path, error);
    QCOMPARE(error, QString());
    QCOMPARE(reread.Computer(), 1);
}

void TestProfiles::handEditedProfileReportsTheNameRead_data()
{
    QTest::addColumn<QByteArray>("newName");
    QTest::addColumn<QString>("error");
    QTest::newRow("name changed") << QByteArray("Bernd") << QString("Bernd");
    QTest::newRow("name with Key is not signed") << QByteArray("Keyser") << QString();
}

void TestProfiles::handEditedProfileReportsTheNameRead()
{
    QFETCH(QByteArray, newName);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const QString path = dir.filePath("Player1.qtp");
    SaveProfile(path, "Keyla");  // unsigned line from the start
    QByteArray bytes = ReadBytes(path);
    bytes.replace("Name=Keyla", "Name=" + newName);
    WriteBytes(path, bytes);
    TPlayer player;
    QString reported = "stale";
    player.LoadFromFile(path, reported);
    QCOMPARE(reported, error);
    QCOMPARE(player.Name(), QString::fromLatin1(newName));
}

void TestProfiles::missingProfileLeavesTheFieldsAlone()
{
    QTemporaryDir dir;
    TPlayer player;
    player.SetName("Anna");
    player.SetDiceType(3);
    QString error = "stale";
    player.LoadFromFile(dir.filePath("Player1.qtp"), error);
    QCOMPARE(error, QString());
    QCOMPARE(player.Name(), QString("Anna"));
    QCOMPARE(player.DiceType(), 3);
    QVERIFY(!QFile::exists(dir.filePath("Player1.qtp")));
}

void TestProfiles::sortByNameOrdersFilesByStoredNames_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("by name, case ignored")
        << QStringList{"Player1.qtp", "Player2.qtp", "Player3.qtp"} << QStringList{"zora", "Anna", "bernd"}
        << QStringList{"Player2.qtp", "Player3.qtp", "Player1.qtp"};
    QTest::newRow("name with bar") << QStringList{"Player1.qtp", "Player2.qtp"} << QStringList{"B", "A|B"}
                                   << QStringList{"Player2.qtp", "Player1.qtp"};
    QTest::newRow("equal names by file name")
        << QStringList{"Player9.qtp", "Player10.qtp", "Player5.qtp"} << QStringList{"Anna", "Anna", "Anna"}
        << QStringList{"Player10.qtp", "Player5.qtp", "Player9.qtp"};
}

void TestProfiles::sortByNameOrdersFilesByStoredNames()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, names);
    QFETCH(QStringList, sorted);
    QTemporaryDir dir;
    for (qsizetype i = 0; i < files.size(); ++i)
        SaveProfile(dir.filePath(files[i]), names[i]);
    TPlayerFiles list;
    list.Scan(dir.path());
    list.SortByName(dir.path());
    QCOMPARE(list.Files, sorted);
}

void TestProfiles::newFileNameAvoidsNamesInAnyCase()
{
    RandSeed(17);
    const QString first = QStringLiteral("Player%1.qtp").arg(Random(100000));
    TPlayerFiles list;
    list.Files = QStringList{first.toUpper()};
    RandSeed(17);
    const QString name = list.NewFileName();
    QVERIFY(name.compare(first, Qt::CaseInsensitive) != 0);
    QVERIFY(QRegularExpression("^Player(0|[1-9][0-9]{0,4})\\.qtp$").match(name).hasMatch());
    QCOMPARE(list.Files, QStringList{first.toUpper()});
}

void TestProfiles::gamePlayersAreThePlayingOnesInNameOrderAtMostFour()
{
    QTemporaryDir dir;
    const QStringList names = {"Emil", "Dora", "Carl", "Bert", "Anna", "Fritz"};
    for (qsizetype i = 0; i < names.size(); ++i)
        SaveProfile(dir.filePath(QStringLiteral("Player%1.qtp").arg(i)), names[i], names[i] != "Bert");
    const QList<TPlayer> players = LoadGamePlayers(dir.path() + "/");
    QStringList playing;
    for (const TPlayer &p : players) {
        playing << p.Name();
        QVERIFY(p.InGame());
        QCOMPARE(p.Points(), 0);
    }
    QCOMPARE(playing, (QStringList{"Anna", "Carl", "Dora", "Emil"}));
    QCOMPARE(players.first().FileName(), dir.path() + "/Player4.qtp");
}

void TestProfiles::applicationSettingsDefaultWithoutFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Global.ini");
    TMainApplication app;
    app.SetGamecount(9);
    app.SetShowSplash(false);
    app.LoadFromFile(path);
    QCOMPARE(app.Gamecount(), 0);
    QCOMPARE(app.Name(), GetLocalComputerName());
    QCOMPARE(app.Sound(), 0);
    QCOMPARE(app.AnimateCup(), 2);
    QCOMPARE(app.AnimateDice(), 4);
    QCOMPARE(app.ShowSplash(), true);
    QVERIFY(!QFile::exists(path));
}

void TestProfiles::applicationSettingsWrittenInOrder()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Global.ini");
    TMainApplication app;
    app.LoadFromFile(path);
    app.SetName("SPIELPC");
    app.SaveToFile(path);
    QCOMPARE(ReadBytes(path),
             QByteArray("[GLOBAL]\r\nGamecount=0\r\nName=SPIELPC\r\nSound=0\r\nAnimateCup=2\r\nAnimateDice=4\r\nShowSplash=1\r\n"));
}

void TestProfiles::applicationSettingsKeepHandWrittenNumbers()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Global.ini");
    WriteBytes(path, "[global]\r\ngamecount=5\r\nSound=7\r\nAnimateCup=x\r\nShowSplash=0\r\n");
    TMainApplication app;
    app.LoadFromFile(path);
    QCOMPARE(app.Gamecount(), 5);
    QCOMPARE(app.Sound(), 7);
    QCOMPARE(app.AnimateCup(), 2);
    QCOMPARE(app.ShowSplash(), false);
    QCOMPARE(app.Name(), GetLocalComputerName());
}

QTEST_GUILESS_MAIN(TestProfiles)
#include "tst_profiles.moc"
