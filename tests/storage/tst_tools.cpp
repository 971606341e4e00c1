// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/uTools.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void Touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

}  // namespace

class TestTools : public QObject {
    Q_OBJECT

private slots:
    void listFolderMatchesIgnoringCaseAndSortsByCollation();
    void listFolderSkipsDotNamesButKeepsFolders();
    void wildcardMatchesAsTheShellDoes_data();
    void wildcardMatchesAsTheShellDoes();
    void durationTextDescribesTheGame_data();
    void durationTextDescribesTheGame();
    void ansiTextKeepsEveryByteOnRoundTrip();
    void programPathFindsComponentsIgnoringCase();
    void dataFolderEndsInTheProgramName();
};

void TestTools::listFolderMatchesIgnoringCaseAndSortsByCollation()
{
    QTemporaryDir dir;
    for (const char *name : {"Player9.qtp", "player10.qtp", "Anna.QTP", "notes.txt", "x.qtp.bak"})
        Touch(dir.filePath(name));
    // Digits compare as characters: "1" before "9".
    QCOMPARE(ListFolder(dir.path() + "/*.qtp"), (QStringList{"Anna.QTP", "player10.qtp", "Player9.qtp"}));
    QCOMPARE(ListFolder(dir.path() + "/*.none"), QStringList());
}

void TestTools::listFolderSkipsDotNamesButKeepsFolders()
{
    QTemporaryDir dir;
    Touch(dir.filePath(".hidden.qtp"));
    QVERIFY(QDir(dir.path()).mkdir("Folder.qtp"));
    QCOMPARE(ListFolder(dir.path() + "/*"), QStringList{"Folder.qtp"});
}

void TestTools::wildcardMatchesAsTheShellDoes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matches");
    QTest::newRow("suffix") << "Player12.qtp" << "*.qtp" << true;
    QTest::newRow("suffix in other case") << "PLAYER1.QTP" << "*.qtp" << true;
    QTest::newRow("umlaut in other case") << "Übung.qtp" << "übung.*" << true;
    QTest::newRow("longer suffix") << "x.qtp.bak" << "*.qtp" << false;
    QTest::newRow("suffix twice") << "a.qtp.qtp" << "*.qtp" << true;
    QTest::newRow("star takes nothing") << ".qtp" << "*.qtp" << true;
    QTest::newRow("star alone") << "anything" << "*" << true;
    QTest::newRow("empty name, star") << "" << "*" << true;
    QTest::newRow("empty name, text") << "" << "a" << false;
    QTest::newRow("question mark is one") << "Player1.qtp" << "Player?.qtp" << true;
    QTest::newRow("question mark not two") << "Player10.qtp" << "Player?.qtp" << false;
    QTest::newRow("stars backtrack") << "aXbYbc" << "a*b*c" << true;
    QTest::newRow("stars find no end") << "aXbY" << "a*b*c" << false;
    QTest::newRow("no wildcard, same") << "Settings.ini" << "settings.INI" << true;
    QTest::newRow("no wildcard, prefix only") << "Settings.ini" << "Settings" << false;
    // Brackets are plain characters here, as no pattern of the program uses sets.
    QTest::newRow("brackets literal") << "[a].qtp" << "[a].qtp" << true;
}

void TestTools::wildcardMatchesAsTheShellDoes()
{
    QFETCH(QString, name);
    QFETCH(QString, pattern);
    QFETCH(bool, matches);
    QCOMPARE(MatchesWildcard(name, pattern), matches);
}

void TestTools::durationTextDescribesTheGame_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("text");
    QTest::newRow("equal times") << "14:00" << "14:00" << "< 1 Minute";
    QTest::newRow("one minute") << "14:00" << "14:01" << "1 Minute";
    QTest::newRow("minutes") << "14:00" << "14:25" << "25 Minuten";
    QTest::newRow("whole hour") << "14:00" << "15:00" << "1 Stunde(n) 0 Minute(n)";
    QTest::newRow("hours and minutes") << "09:55" << "12:00" << "2 Stunde(n) 5 Minute(n)";
    QTest::newRow("across midnight") << "23:50" << "00:10" << "20 Minuten";
}

void TestTools::durationTextDescribesTheGame()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, text);
    QCOMPARE(DurationText(start, end), text);
}

void TestTools::ansiTextKeepsEveryByteOnRoundTrip()
{
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(static_cast<char>(b));
    QCOMPARE(ToAnsi(FromAnsi(all)), all);
    QCOMPARE(FromAnsi("\x80\xe4\xdf"), QString::fromUtf8("€äß"));
    QVERIFY(IsAnsiRepresentable(QString::fromUtf8("Größe €")));
    QVERIFY(!IsAnsiRepresentable(QString::fromUtf8("Ω")));
}

void TestTools::programPathFindsComponentsIgnoringCase()
{
    QTemporaryDir dir(QCoreApplication::applicationDirPath() + "/progpathXXXXXX");
    const QString top = QDir(dir.path()).dirName();
    QVERIFY(QDir(dir.path()).mkpath("Bin/Sounds"));
    Touch(dir.filePath("Bin/Sounds/intro.WAV"));
    Touch(dir.filePath("Bin/Druckvorlage.jpg"));
    QCOMPARE(ProgramPath(top + "/bin/druckvorlage.JPG"), dir.filePath("Bin/Druckvorlage.jpg"));
    QCOMPARE(ProgramPath(top + "\\Bin\\Sounds\\intro.WAV"), dir.filePath("Bin/Sounds/intro.WAV"));
    QCOMPARE(ProgramPath(top + "/bin/Missing.jpg"), dir.path() + "/bin/Missing.jpg");
}

void TestTools::dataFolderEndsInTheProgramName()
{
    QCOMPARE(DataFolder(), GetSpecialFolderPath() + QCoreApplication::applicationName() + "/");
    QVERIFY(GetSpecialFolderPath().endsWith('/'));
    QVERIFY(!GetLocalComputerName().isEmpty());
}

QTEST_GUILESS_MAIN(TestTools)
#include "tst_tools.moc"
