// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rules/uTTavolex.h"
#include "storage/uTools.h"

#include <QFile>
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

const QByteArray StandardLines = "[Settings]\r\nDesignName=0\r\nMultTavolex=1\r\nDiceCount=3\r\nGameCount=1\r\nName=Default\r\n"
                                 "ExtOptions=08|63,09|35,14|25,15|30,16|40,17|50,24|100,25|0\r\nAllowRedo=0\r\nShowHint=1\r\n";

QByteArray SignatureOf(const QByteArray &lines)
{
    QByteArray text = lines;
    return text.replace("\r\n", "");
}

}  // namespace

class TestRuleSetFiles : public QObject {
    Q_OBJECT

private slots:
    void firstLoadWritesTheStandardTemplate();
    void savedRuleSetReadsBackExceptTheDescription();
    void handEditedTemplateIsReportedWithTheValuesRead_data();
    void handEditedTemplateIsReportedWithTheValuesRead();
    void missingExtOptionsGiveTheStandardValues();
    void copyOfATemplateVerifiesLikeTheTemplate();
};

void TestRuleSetFiles::firstLoadWritesTheStandardTemplate()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Quintor.ini");
    TTavolexSettings rules;
    QString error;
    rules.LoadFromFile(path, "Settings", error);
    QCOMPARE(error, QString());
    QCOMPARE(ReadBytes(path), StandardLines + "Key=" + EncodeKey(SignatureOf(StandardLines)) + "\r\n");
    QVERIFY(VerifyKey(path, "Settings"));
    QCOMPARE(rules.DiceCount(), 3);
    QCOMPARE(rules.GameCount(), 1);
    QCOMPARE(rules.MultTavolex(), true);
    QCOMPARE(rules.ShowHint(), true);
    QCOMPARE(rules.AllowRedo(), false);
    QCOMPARE(rules.DesignName(), QString("0"));
    QCOMPARE(rules.Description(), QString("Default"));
    QCOMPARE(rules.ExtOptions(), TTavolexSettings::DefaultExtOptions);
}

void TestRuleSetFiles::savedRuleSetReadsBackExceptTheDescription()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("User.ini");
    TTavolexSettings saved;
    saved.SetDesignName("2");
    saved.SetMultTavolex(false);
    saved.SetDiceCount(6);
    saved.SetGameCount(4);
    saved.SetDescription(QString::fromUtf8("Meine Würfelrunde"));
    saved.SetExtOptions("8|70,9|35,14|25,15|30,16|40,17|50,24|100,25|-50,");
    saved.SetAllowRedo(true);
    saved.SetShowHint(false);
    saved.SaveToFile(path, "Settings");
    saved.SaveToFile(path, "Settings");  // a second save re-signs in place

    TTavolexSettings read;
    QString error;
    read.LoadFromFile(path, "Settings", error);
    QCOMPARE(error, QString());
    QCOMPARE(read.DesignName(), QString("2"));
    QCOMPARE(read.MultTavolex(), false);
    QCOMPARE(read.DiceCount(), 6);
    QCOMPARE(read.GameCount(), 4);
    QCOMPARE(read.ExtOptions(), saved.ExtOptions());
    QCOMPARE(read.AllowRedo(), true);
    QCOMPARE(read.ShowHint(), false);
    // Written under "Name", read from "Description".
    QCOMPARE(read.Description(), QString("Default"));
    QCOMPARE(ReadBytes(path).count("Key="), 1);
}

void TestRuleSetFiles::handEditedTemplateIsReportedWithTheValuesRead_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<int>("diceCount");
    QTest::newRow("value changed") << QByteArray("DiceCount=3") << QByteArray("DiceCount=6") << 6;
    QTest::newRow("not a number") << QByteArray("DiceCount=3") << QByteArray("DiceCount=drei") << 3;
    QTest::newRow("other section added") << QByteArray("ShowHint=1\r\n") << QByteArray("ShowHint=1\r\n[Extra]\r\nA=1\r\n") << 3;
    QTest::newRow("key line removed") << QByteArray("Key=") << QByteArray("Kex=") << 3;
}

void TestRuleSetFiles::handEditedTemplateIsReportedWithTheValuesRead()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(int, diceCount);
    QTemporaryDir dir;
    const QString path = dir.filePath("Quintor.ini");
    TTavolexSettings rules;
    QString error;
    rules.LoadFromFile(path, "Settings", error);
    QByteArray bytes = ReadBytes(path);
    bytes.replace(from, to);
    WriteBytes(path, bytes);

    rules.LoadFromFile(path, "Settings", error);
    QCOMPARE(error, path);
    QCOMPARE(rules.DiceCount(), diceCount);
    QCOMPARE(ReadBytes(path), bytes);  // loading an existing file never rewrites it
}

void TestRuleSetFiles::missingExtOptionsGiveTheStandardValues()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Settings.ini");
    WriteBytes(path, "[Settings]\r\nDiceCount=2\r\n");
    TTavolexSettings rules;
    QString error;
    rules.LoadFromFile(path, "Settings", error);
    QCOMPARE(error, path);
    QCOMPARE(rules.DiceCount(), 2);
    QCOMPARE(rules.ExtOptions(), TTavolexSettings::DefaultExtOptions);
}

void TestRuleSetFiles::copyOfATemplateVerifiesLikeTheTemplate()
{
    QTemporaryDir dir;
    TTavolexSettings rules;
    QString error;
    rules.LoadFromFile(dir.filePath("User.ini"), "Settings", error);
    QVERIFY(QFile::copy(dir.filePath("User.ini"), dir.filePath("Settings.ini")));
    rules.LoadFromFile(dir.filePath("Settings.ini"), "Settings", error);
    QCOMPARE(error, QString());
}

QTEST_GUILESS_MAIN(TestRuleSetFiles)
#include "tst_rulesetfiles.moc"
