// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/uIniFile.h"
#include "storage/uTools.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestIniFile : public QObject {
    Q_OBJECT

private slots:
    void readsValuesWhateverTheLineEnds_data();
    void readsValuesWhateverTheLineEnds();
    void readsStringsWithOuterQuotesRemoved_data();
    void readsStringsWithOuterQuotesRemoved();
    void readsNumbersOrTheDefault_data();
    void readsNumbersOrTheDefault();
    void readingAMissingFileGivesDefaultsAndCreatesNothing();
    void writingCreatesFileAndSectionWithCrLf();
    void existingKeyKeepsItsPlace();
    void newKeyGoesToTheEndOfItsSection();
    void umlautsAreSingleBytesAndForeignCharactersQuestionMarks();
    void lineBreaksInAValueNeverOpenALine();
    void sectionsAreListedInFileOrder();
    void batchWritesOnceAtTheEnd();
    void unwritableFileThrowsAndKeepsTheOldContent();
    void unreadableFileIsNotOverwritten();
};

void TestIniFile::readsValuesWhateverTheLineEnds_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("CR LF") << QByteArray("[Game]\r\nA=1\r\nB=two\r\n");
    QTest::newRow("LF") << QByteArray("[Game]\nA=1\nB=two\n");
    QTest::newRow("CR") << QByteArray("[Game]\rA=1\rB=two");
    QTest::newRow("mixed, names in other case") << QByteArray("[gAME]\r\na=1\rb=two\n");
}

void TestIniFile::readsValuesWhateverTheLineEnds()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ini");
    WriteBytes(path, content);
    const TIniFile ini(path);
    QCOMPARE(ini.ReadInteger("GAME", "A", 0), 1);
    QCOMPARE(ini.ReadString("game", "b", {}), QString("two"));
}

void TestIniFile::readsStringsWithOuterQuotesRemoved_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("read");
    QTest::newRow("plain") << QByteArray("Anna") << QString("Anna");
    QTest::newRow("enclosed") << QByteArray("\"Anna\"") << QString("Anna");
    QTest::newRow("entry with inner quotes") << QByteArray("\"A\",\"B\"") << QString("A\",\"B");
    QTest::newRow("quote at start only") << QByteArray("\"Anna") << QString("\"Anna");
    QTest::newRow("lone quote") << QByteArray("\"") << QString("\"");
    QTest::newRow("blanks kept") << QByteArray(" Anna ") << QString(" Anna ");
    QTest::newRow("empty") << QByteArray("") << QString("");
}

void TestIniFile::readsStringsWithOuterQuotesRemoved()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, read);
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ini");
    WriteBytes(path, "[S]\r\nV=" + stored + "\r\n");
    QCOMPARE(TIniFile(path).ReadString("S", "V", "default"), read);
}

void TestIniFile::readsNumbersOrTheDefault_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("read");
    QTest::newRow("positive") << QByteArray("42") << 42;
    QTest::newRow("negative") << QByteArray("-5000") << -5000;
    QTest::newRow("blanks around") << QByteArray(" 7 ") << 7;
    QTest::newRow("empty") << QByteArray("") << -1;
    QTest::newRow("letters") << QByteArray("abc") << -1;
    QTest::newRow("trailing letters") << QByteArray("12abc") << -1;
    QTest::newRow("beyond int") << QByteArray("99999999999") << -1;
    QTest::newRow("decimal point") << QByteArray("1.5") << -1;
}

void TestIniFile::readsNumbersOrTheDefault()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, read);
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ini");
    WriteBytes(path, "[S]\r\nV=" + stored + "\r\n");
    QCOMPARE(TIniFile(path).ReadInteger("S", "V", -1), read);
}

void TestIniFile::readingAMissingFileGivesDefaultsAndCreatesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("missing.ini");
    const TIniFile ini(path);
    QCOMPARE(ini.ReadString("S", "V", "d"), QString("d"));
    QCOMPARE(ini.ReadInteger("S", "V", 3), 3);
    QCOMPARE(ini.ReadBool("S", "V", true), true);
    QVERIFY(!ini.SectionExists("S"));
    QVERIFY(!QFile::exists(path));
}

void TestIniFile::writingCreatesFileAndSectionWithCrLf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("new.ini");
    TIniFile ini(path);
    ini.WriteInteger("GLOBAL", "Gamecount", -3);
    ini.WriteBool("GLOBAL", "ShowSplash", true);
    ini.WriteString("Other", "Name", "x");
    QCOMPARE(ReadBytes(path), QByteArray("[GLOBAL]\r\nGamecount=-3\r\nShowSplash=1\r\n[Other]\r\nName=x\r\n"));
    QVERIFY(TIniFile(path).ReadBool("global", "showsplash", false));
}

void TestIniFile::existingKeyKeepsItsPlace()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ini");
    WriteBytes(path, "; note\r\n[A]\r\nOne=1\r\nTwo=2\r\n\r\n[B]\r\nOne=b\r\n");
    TIniFile(path).WriteString("a", "ONE", "first");
    QCOMPARE(ReadBytes(path), QByteArray("; note\r\n[A]\r\nONE=first\r\nTwo=2\r\n\r\n[B]\r\nOne=b\r\n"));
}

void TestIniFile::newKeyGoesToTheEndOfItsSection()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ini");
    WriteBytes(path, "[A]\r\nOne=1\r\n\r\n[B]\r\nOne=b\r\n");
    TIniFile(path).WriteString("A", "Two", "2");
    QCOMPARE(ReadBytes(path), QByteArray("[A]\r\nOne=1\r\nTwo=2\r\n\r\n[B]\r\nOne=b\r\n"));
}

void TestIniFile::umlautsAreSingleBytesAndForeignCharactersQuestionMarks()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ini");
    TIniFile(path).WriteString("S", "Name", QString::fromUtf8("Jürgen €5 Ω 😀"));
    QCOMPARE(ReadBytes(path), QByteArray("[S]\r\nName=J\xfcrgen \x80" "5 ? ?\r\n"));
    QCOMPARE(TIniFile(path).ReadString("S", "Name", {}), QString::fromUtf8("Jürgen €5 ? ?"));
}

void TestIniFile::lineBreaksInAValueNeverOpenALine()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ini");
    TIniFile ini(path);
    ini.WriteString("S", "Name", "Anna\r\n[Evil]\nKey=1\rX");
    const TIniFile back(path);
    QCOMPARE(back.ReadSections(), QStringList{"S"});
    QCOMPARE(back.ReadString("S", "Name", {}), QString("Anna [Evil] Key=1 X"));
    QVERIFY(!back.ValueExists("S", "Key"));
}

void TestIniFile::sectionsAreListedInFileOrder()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ini");
    WriteBytes(path, "[12]\r\nA=1\r\n[3]\r\n[ 100 ]\r\nA=2\r\n[3]\r\nA=dup\r\n");
    const TIniFile ini(path);
    QCOMPARE(ini.ReadSections(), (QStringList{"12", "3", "100"}));
    QCOMPARE(ini.ReadString("100", "A", {}), QString("2"));
    QCOMPARE(ini.ReadString("3", "A", "first section wins"), QString("first section wins"));
    QCOMPARE(ini.ReadSection("12"), QStringList{"A"});
}

void TestIniFile::batchWritesOnceAtTheEnd()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ini");
    TIniFile ini(path);
    ini.BeginUpdate();
    ini.WriteInteger("S", "A", 1);
    ini.WriteInteger("S", "B", 2);
    QVERIFY(!QFile::exists(path));
    QCOMPARE(ini.ReadInteger("S", "B", 0), 2);
    ini.EndUpdate();
    QCOMPARE(ReadBytes(path), QByteArray("[S]\r\nA=1\r\nB=2\r\n"));
}

void TestIniFile::unwritableFileThrowsAndKeepsTheOldContent()
{
    QTemporaryDir dir;
    // A folder in place of the file: no user, root included, can write it.
    QVERIFY(QDir(dir.path()).mkdir("folder.ini"));
    TIniFile blocked(dir.filePath("folder.ini"));
    QVERIFY_THROWS_EXCEPTION(EWriteError, blocked.WriteString("S", "A", "1"));

    const QString inMissingFolder = dir.filePath("gone/x.ini");
    try {
        TIniFile(inMissingFolder).WriteString("S", "A", "1");
        QFAIL("no error raised");
    } catch (const EWriteError &e) {
        QCOMPARE(e.Message(), QString("In %1 kann nicht geschrieben werden").arg(inMissingFolder));
        QCOMPARE(QString::fromStdString(e.what()), e.Message());
    }

    if (geteuid() == 0)
        return;  // root writes into read-only folders; the cases above suffice
    const QString path = dir.filePath("kept.ini");
    WriteBytes(path, "[S]\r\nA=old\r\n");
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QVERIFY_THROWS_EXCEPTION(EWriteError, TIniFile(path).WriteString("S", "A", "new"));
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(ReadBytes(path), QByteArray("[S]\r\nA=old\r\n"));
}

void TestIniFile::unreadableFileIsNotOverwritten()
{
    if (geteuid() == 0)
        QSKIP("root reads every file");
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ini");
    WriteBytes(path, "[S]\r\nA=old\r\n");
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    TIniFile ini(path);
    QVERIFY_THROWS_EXCEPTION(EWriteError, ini.WriteString("S", "B", "new"));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(ReadBytes(path), QByteArray("[S]\r\nA=old\r\n"));
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
