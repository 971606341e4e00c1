// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HostileFiles.h"

#include "storage/uIniFile.h"
#include "storage/uTools.h"

#include <QTemporaryDir>
#include <QTest>

// Inputs the fuzz targets found, kept so that the faults stay mended.
class TestFuzzFindings : public QObject {
    Q_OBJECT

private slots:
    void signingAFileWithoutTheSectionVerifies_data();
    void signingAFileWithoutTheSectionVerifies();
    void keyStreamSurvivesHighBytes();
    void signingRenamesAKeyLineSpeltOtherwise();
};

void TestFuzzFindings::signingAFileWithoutTheSectionVerifies_data()
{
    // The section header that signing adds is itself a signed line.
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("other section only") << QByteArray("[GLOBAL]\r\nSound=1\r\n");
    QTest::newRow("lines before any header") << QByteArray("Name=Anna\r\n");
    QTest::newRow("blank lines") << QByteArray("\r\n\r\n");
}

void TestFuzzFindings::signingAFileWithoutTheSectionVerifies()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath("Player1.qtp");
    QVERIFY(HostileFiles::Write(path, bytes));
    WriteKey(path, QStringLiteral("PLAYER"));
    QVERIFY(VerifyKey(path, QStringLiteral("PLAYER")));
    QVERIFY(HostileFiles::Read(path).contains("[PLAYER]\r\nKey="));
}

void TestFuzzFindings::keyStreamSurvivesHighBytes()
{
    // The key update once overflowed int for large keys and bytes (caught by
    // the undefined-behaviour checks of the sanitizer build).
    const QByteArray text(300, '\xff');
    for (const std::uint16_t start : {std::uint16_t(0xffff), std::uint16_t(0x8000), KeyStartKey}) {
        QCOMPARE(XorDecode(XorEncode(text, start), start), text);
        QCOMPARE(DecodeKey(EncodeKey(text)), text);
    }
    QCOMPARE(XorEncode(QByteArray("\xff\xff", 2), 0xffff), QByteArray("\x00\x75", 2));
}

// A hand-written "KEy" line holds no "Key", so it was signed and then
// renamed by the write: the file never verified again.
void TestFuzzFindings::signingRenamesAKeyLineSpeltOtherwise()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Player1.qtp");
    QVERIFY(HostileFiles::Write(path, "[PLAYER]\r\nMatchesWon=2\r\nKEy=abc\r\nName=Anna\r\n"));
    WriteKey(path, QStringLiteral("PLAYER"));
    QVERIFY(VerifyKey(path, QStringLiteral("PLAYER")));
    QVERIFY(!HostileFiles::Read(path).contains("KEy"));
}

QTEST_GUILESS_MAIN(TestFuzzFindings)
#include "tst_fuzzfindings.moc"
