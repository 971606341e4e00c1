// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/uIniFile.h"
#include "storage/uTools.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A signed player-like file with the lines given, the Key line last.
QByteArray Signed(const QList<QByteArray> &lines)
{
    QByteArray text;
    QByteArray content;
    for (const QByteArray &line : lines) {
        if (!line.contains("Key"))
            text += line;
        content += line + "\r\n";
    }
    return content + "Key=" + EncodeKey(text) + "\r\n";
}

const QList<QByteArray> PlayerLines = {"[PLAYER]", "MatchesWon=2", "Name=Anna", "Plays=1",
                                       "Background=", "BackgroundType=0", "DiceType=1"};

}  // namespace

class TestSignature : public QObject {
    Q_OBJECT

private slots:
    void sextetEncodingPutsLowBitsFirstWithoutPadding_data();
    void sextetEncodingPutsLowBitsFirstWithoutPadding();
    void encodedLengthFollowsTheGroupRule();
    void decodeKeyUndoesEncodeKeyForAnyBytes_data();
    void decodeKeyUndoesEncodeKeyForAnyBytes();
    void xorFeedsTheScrambledByteIntoTheKey();
    void signatureTextLeavesOutEveryLineContainingKey();
    void keyOfAFileWrittenByWriteKeyVerifies();
    void editsOfSignedLinesFailVerification_data();
    void editsOfSignedLinesFailVerification();
    void emptyAndMissingFilesVerify();
    void aOneCharacterTailIsNoEncoding();
};

void TestSignature::sextetEncodingPutsLowBitsFirstWithoutPadding_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("code");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("a") << QByteArray("a") << QByteArray("hB");
    QTest::newRow("ab") << QByteArray("ab") << QByteArray("hJG");
    QTest::newRow("abc") << QByteArray("abc") << QByteArray("hJ2Y");
    QTest::newRow("abcd") << QByteArray("abcd") << QByteArray("hJ2YkB");
    QTest::newRow("high bytes") << QByteArray("\xff\xff\xff") << QByteArray("////");
}

void TestSignature::sextetEncodingPutsLowBitsFirstWithoutPadding()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, code);
    QCOMPARE(SextetEncode(text), code);
    QCOMPARE(SextetDecode(code), text);
}

void TestSignature::encodedLengthFollowsTheGroupRule()
{
    for (int n = 0; n <= 10; ++n) {
        const QByteArray text(n, 'x');
        const int expected = 4 * (n / 3) + (n % 3 == 0 ? 0 : n % 3 + 1);
        QCOMPARE(EncodeKey(text).size(), expected);
    }
}

void TestSignature::decodeKeyUndoesEncodeKeyForAnyBytes_data()
{
    QTest::addColumn<QByteArray>("text");
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    QTest::newRow("every byte value") << all;
    QTest::newRow("line breaks") << QByteArray("[PLAYER]\r\nName=A\nB\r");
    QTest::newRow("umlauts") << QByteArray("Name=J\xfcrgen M\xfcller \xdf");
    QTest::newRow("player text") << QByteArray("[PLAYER]MatchesWon=2Name=AnnaPlays=1Background=BackgroundType=0DiceType=1");
}

void TestSignature::decodeKeyUndoesEncodeKeyForAnyBytes()
{
    QFETCH(QByteArray, text);
    const QByteArray key = EncodeKey(text);
    QVERIFY(IsValidKeyEncoding(key));
    QCOMPARE(DecodeKey(key), text);
}

void TestSignature::xorFeedsTheScrambledByteIntoTheKey()
{
    // k starts at 0x209D, so 'a' (0x61) scrambles to 0x41; the next key is
    // built from that 0x41, not from the plain 'a'.
    const QByteArray scrambled = XorEncode("aa", KeyStartKey);
    QCOMPARE(static_cast<unsigned char>(scrambled[0]), 0x41);
    const std::uint16_t next = static_cast<std::uint16_t>((8349 + 0x41) * 52845 + 22719);
    QCOMPARE(static_cast<unsigned char>(scrambled[1]), static_cast<unsigned char>('a' ^ (next >> 8)));
    QCOMPARE(XorDecode(scrambled, KeyStartKey), QByteArray("aa"));
}

void TestSignature::signatureTextLeavesOutEveryLineContainingKey()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.qtp");
    WriteBytes(path, "[PLAYER]\r\nMonkey=1\r\nName=Keyser\r\n\r\nPlays=1\nKey=abc\r\n");
    QCOMPARE(SignatureText(path), QByteArray("[PLAYER]Monkey=1Plays=1"));
    QCOMPARE(SignatureText(dir.filePath("missing")), QByteArray());
}

void TestSignature::keyOfAFileWrittenByWriteKeyVerifies()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.qtp");
    WriteBytes(path, "[PLAYER]\r\nMatchesWon=2\r\nName=Anna\r\nPlays=1\r\nBackground=\r\nBackgroundType=0\r\nDiceType=1\r\n");
    WriteKey(path, "PLAYER");
    QVERIFY(VerifyKey(path, "player"));
    QCOMPARE(DecodeKey(ToAnsi(TIniFile(path).ReadString("PLAYER", "Key", {}))),
             QByteArray("[PLAYER]MatchesWon=2Name=AnnaPlays=1Background=BackgroundType=0DiceType=1"));
    QVERIFY(TIniFile(path).Content().endsWith("\r\nKey=" + EncodeKey(SignatureText(path)) + "\r\n"));
}

void TestSignature::editsOfSignedLinesFailVerification_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("verifies");
    const QByteArray good = Signed(PlayerLines);
    QByteArray changed = good;
    changed.replace("DiceType=1", "DiceType=2");
    QByteArray added = good;
    added.replace("Plays=1\r\n", "Plays=1\r\nExtra=1\r\n");
    QByteArray removed = good;
    removed.replace("Background=\r\n", "");
    QByteArray reordered = good;
    reordered.replace("Name=Anna\r\nPlays=1", "Plays=1\r\nName=Anna");
    QByteArray longerKey = good;
    longerKey.chop(2);
    longerKey += "A\r\n";
    QByteArray keyLineAdded = good;
    keyLineAdded.replace("Plays=1\r\n", "Plays=1\r\nKeyboard=1\r\n");
    QByteArray keyLineChanged = Signed(QList<QByteArray>(PlayerLines) << "Name2=Keyser");
    keyLineChanged.replace("Keyser", "Keyserling");
    QByteArray lineEndsChanged = good;
    lineEndsChanged.replace("\r\n", "\n");

    QTest::newRow("untouched") << good << true;
    QTest::newRow("value changed") << changed << false;
    QTest::newRow("line added") << added << false;
    QTest::newRow("line removed") << removed << false;
    QTest::newRow("lines reordered") << reordered << false;
    QTest::newRow("character appended to Key") << longerKey << false;
    QTest::newRow("line with Key added") << keyLineAdded << true;
    QTest::newRow("line with Key changed") << keyLineChanged << true;
    QTest::newRow("line ends changed") << lineEndsChanged << true;
}

void TestSignature::editsOfSignedLinesFailVerification()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, verifies);
    QTemporaryDir dir;
    const QString path = dir.filePath("Player1.qtp");
    WriteBytes(path, content);
    QCOMPARE(VerifyKey(path, "PLAYER"), verifies);
}

void TestSignature::emptyAndMissingFilesVerify()
{
    QTemporaryDir dir;
    QVERIFY(VerifyKey(dir.filePath("missing.ini"), "Settings"));
    const QString empty = dir.filePath("empty.ini");
    WriteBytes(empty, "");
    QVERIFY(VerifyKey(empty, "Settings"));
    const QString onlyKeys = dir.filePath("keys.ini");
    WriteBytes(onlyKeys, "Keyboard=1\r\n");
    QVERIFY(VerifyKey(onlyKeys, "Settings"));
    const QString unsigned_ = dir.filePath("unsigned.ini");
    WriteBytes(unsigned_, "[Settings]\r\nDiceCount=3\r\n");
    QVERIFY(!VerifyKey(unsigned_, "Settings"));
}

void TestSignature::aOneCharacterTailIsNoEncoding()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("s.ini");
    // 15 signed bytes give 20 characters; one more character decodes to no
    // byte at all, so only the length rule tells the appended "A".
    const QByteArray text = "[Settings]XY=12";
    WriteBytes(path, "[Settings]\r\nXY=12\r\nKey=" + EncodeKey(text) + "\r\n");
    QVERIFY(VerifyKey(path, "Settings"));
    WriteBytes(path, "[Settings]\r\nXY=12\r\nKey=" + EncodeKey(text) + "A\r\n");
    QVERIFY(!VerifyKey(path, "Settings"));
}

QTEST_GUILESS_MAIN(TestSignature)
#include "tst_signature.moc"
