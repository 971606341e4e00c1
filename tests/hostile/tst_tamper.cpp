// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HostileFiles.h"

#include "rules/uTTavolex.h"
#include "storage/uTPlayer.h"

#include <QTemporaryDir>
#include <QTest>

#include <functional>

// Every single-line change to a signed file, and whether loading must notice.
// Lines containing "Key" are outside the signature; the Key line itself holds
// it, so changing or removing that line is noticed.
namespace {

using HostileFiles::Lines;

enum class Kind { Template, Profile };

QByteArray SignedFile(Kind kind, const QString &path)
{
    if (kind == Kind::Template) {
        TTavolexSettings rules;
        rules.SetExtOptions(TTavolexSettings::DefaultExtOptions);
        rules.SetDiceCount(3);
        rules.SetGameCount(1);
        rules.SetDescription(QStringLiteral("Default"));
        rules.SetDesignName(QStringLiteral("0"));
        rules.SaveToFile(path, QStringLiteral("Settings"));
    } else {
        TPlayer player;
        player.SetName(QStringLiteral("Keyser"));  // an unsigned line
        player.SetPlays(true);
        player.SetBackground(QStringLiteral("/home/anna/Bilder/Tisch.jpg"));
        player.SetDiceType(2);
        player.SaveToFile(path);
    }
    return HostileFiles::Read(path);
}

// True when the loader reports the file as edited outside the program.
bool Detected(Kind kind, const QString &path)
{
    QString error;
    if (kind == Kind::Template) {
        TTavolexSettings rules;
        rules.LoadFromFile(path, QStringLiteral("Settings"), error);
    } else {
        TPlayer player;
        player.LoadFromFile(path, error);
    }
    return !error.isEmpty();
}

bool Signed(const QByteArray &line)
{
    return !line.contains("Key");
}

bool IsKeyLine(const QByteArray &line)
{
    return line.startsWith("Key=");
}

QByteArray Edited(const QByteArray &line)
{
    return line + '0';
}

struct TCase {
    QByteArray Name;
    QList<QByteArray> Lines;
    bool Detected;
};

void AddSingleLineCases(const QByteArray &prefix, const QList<QByteArray> &lines, std::vector<TCase> &cases)
{
    const qsizetype n = lines.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QByteArray &line = lines[i];
        const QByteArray at = prefix + " line " + QByteArray::number(i) + " (" + line.left(12) + ")";

        QList<QByteArray> edited = lines;
        edited[i] = Edited(line);
        cases.push_back({at + " edited", edited, Signed(line) || IsKeyLine(line)});

        QList<QByteArray> deleted = lines;
        deleted.removeAt(i);
        cases.push_back({at + " deleted", deleted, Signed(line) || IsKeyLine(line)});

        // The first Key line is the one read, so a copy of it changes nothing.
        QList<QByteArray> doubled = lines;
        doubled.insert(i, line);
        cases.push_back({at + " duplicated", doubled, Signed(line)});

        for (const QByteArray &extra : {QByteArray("Extra=1"), QByteArray("Keyboard=1"), QByteArray()}) {
            QList<QByteArray> added = lines;
            added.insert(i, extra);
            // Empty lines add nothing to the signed text.
            cases.push_back({at + " preceded by '" + extra + "'", added, !extra.isEmpty() && Signed(extra)});
        }

        if (i + 1 < n) {
            QList<QByteArray> swapped = lines;
            swapped.swapItemsAt(i, i + 1);
            // Only the order of signed lines counts.
            const bool bothSigned = Signed(line) && Signed(lines[i + 1]) && line != lines[i + 1];
            cases.push_back({at + " swapped with the next", swapped, bothSigned});
        }
    }
    QList<QByteArray> ends = lines;
    ends.swapItemsAt(0, n - 1);
    cases.push_back({prefix + " header and Key line swapped", ends, true});
    QList<QByteArray> appended = lines;
    appended.append("Extra=1");
    cases.push_back({prefix + " line appended at the end", appended, true});
    QList<QByteArray> keyAppended = lines;
    keyAppended.append("Keyboard=1");
    cases.push_back({prefix + " Key line appended at the end", keyAppended, false});
}

}  // namespace

class TestTamper : public QObject {
    Q_OBJECT

private slots:
    void singleLineChangeIsDetectedExactlyWhenSigned_data();
    void singleLineChangeIsDetectedExactlyWhenSigned();
    void rewritingAValueWithItselfIsNoChange_data();
    void rewritingAValueWithItselfIsNoChange();
    void keyLineOfAnotherFileIsDetected();

private:
    QTemporaryDir m_Dir;
};

void TestTamper::singleLineChangeIsDetectedExactlyWhenSigned_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("detected");
    for (const Kind kind : {Kind::Template, Kind::Profile}) {
        const QString path = m_Dir.filePath(kind == Kind::Template ? "Quintor.ini" : "Player1.qtp");
        const QList<QByteArray> lines = Lines(SignedFile(kind, path));
        std::vector<TCase> cases;
        AddSingleLineCases(kind == Kind::Template ? "template" : "profile", lines, cases);
        for (const TCase &c : cases)
            QTest::newRow(c.Name.constData()) << static_cast<int>(kind) << HostileFiles::Joined(c.Lines) << c.Detected;
    }
}

void TestTamper::singleLineChangeIsDetectedExactlyWhenSigned()
{
    QFETCH(int, kind);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, detected);
    const QString path = m_Dir.filePath("Tampered.ini");
    QVERIFY(HostileFiles::Write(path, bytes));
    QCOMPARE(Detected(static_cast<Kind>(kind), path), detected);
}

void TestTamper::rewritingAValueWithItselfIsNoChange_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("template DiceCount") << static_cast<int>(Kind::Template) << QByteArray("DiceCount=3");
    QTest::newRow("template ExtOptions") << static_cast<int>(Kind::Template)
                                         << QByteArray("ExtOptions=08|63,09|35,14|25,15|30,16|40,17|50,24|100,25|0");
    QTest::newRow("profile DiceType") << static_cast<int>(Kind::Profile) << QByteArray("DiceType=2");
}

void TestTamper::rewritingAValueWithItselfIsNoChange()
{
    QFETCH(int, kind);
    QFETCH(QByteArray, line);
    const QString path = m_Dir.filePath("Same.ini");
    const QByteArray before = SignedFile(static_cast<Kind>(kind), path);
    QByteArray after = before;
    const qsizetype at = after.indexOf(line);
    QVERIFY(at >= 0);
    after.replace(at, line.size(), line);
    QVERIFY(HostileFiles::Write(path, after));
    QCOMPARE(HostileFiles::Read(path), before);
    QVERIFY(!Detected(static_cast<Kind>(kind), path));
}

void TestTamper::keyLineOfAnotherFileIsDetected()
{
    // A valid Key copied from another profile must not bless this one.
    const QString first = m_Dir.filePath("Player1.qtp");
    const QString second = m_Dir.filePath("Player2.qtp");
    SignedFile(Kind::Profile, first);
    TPlayer other;
    other.SetName(QStringLiteral("Anna"));
    other.SaveToFile(second);
    QList<QByteArray> lines = Lines(HostileFiles::Read(first));
    const QList<QByteArray> foreign = Lines(HostileFiles::Read(second));
    lines.last() = foreign.last();
    QVERIFY(IsKeyLine(lines.last()));
    QVERIFY(HostileFiles::Write(first, HostileFiles::Joined(lines)));
    QVERIFY(Detected(Kind::Profile, first));
}

QTEST_GUILESS_MAIN(TestTamper)
#include "tst_tamper.moc"
