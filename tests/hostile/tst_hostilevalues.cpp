// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HostileFiles.h"

#include "rules/uTTavolex.h"
#include "storage/uIniFile.h"
#include "storage/uTMainApplication.h"
#include "storage/uTPlayer.h"
#include "storage/uTStatistics.h"
#include "storage/uTools.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

// Hand-edited and hostile values in every stored record: each reads as its
// default or round-trips intact, and no value can open a line of its own.
namespace {

QString FolderOf(const QTemporaryDir &dir)
{
    return dir.path() + QLatin1Char('/');
}

// Replaces the value of `key` in a file the program wrote.
void SetRawValue(const QString &path, const QByteArray &key, const QByteArray &value)
{
    QList<QByteArray> lines = HostileFiles::Lines(HostileFiles::Read(path));
    bool found = false;
    for (QByteArray &line : lines) {
        if (line.startsWith(key + '=')) {
            line = key + '=' + value;
            found = true;
        }
    }
    if (!found)
        lines.insert(1, key + '=' + value);
    HostileFiles::Write(path, HostileFiles::Joined(lines));
}

// Writes a record with non-default values, so that a default read back is
// the reader's doing; then reads back the one field named by the row.
using TReadBack = std::function<int(const QString &folder)>;

int ProfileField(const QString &folder, const std::function<int(const TPlayer &)> &field)
{
    TPlayer player;
    QString error;
    player.LoadFromFile(folder + QStringLiteral("Player1.qtp"), error);
    return field(player);
}

int TemplateField(const QString &folder, const std::function<int(const TTavolexSettings &)> &field)
{
    TTavolexSettings rules;
    QString error;
    rules.LoadFromFile(folder + QStringLiteral("Quintor.ini"), QStringLiteral("Settings"), error);
    return field(rules);
}

int GlobalField(const QString &folder, const std::function<int(const TMainApplication &)> &field)
{
    TMainApplication application;
    application.LoadFromFile(folder + QStringLiteral("Global.ini"));
    return field(application);
}

int StatsField(const QString &folder, const std::function<int(const RPlayerStatistics &)> &field)
{
    TStatistics stats(folder);
    stats.LoadForPlayer(QStringLiteral("Player1.qtp"));
    return stats.Count() == 1 ? field(stats.Items().first()) : -1000;
}

void WriteEveryRecord(const QString &folder)
{
    TPlayer player;
    player.SetName(QStringLiteral("Anna"));
    player.SetMatchesWon(7);
    player.SetPlays(true);
    player.SetBackgroundType(1);
    player.SetDiceType(3);
    player.SaveToFile(folder + QStringLiteral("Player1.qtp"));

    TTavolexSettings rules;
    rules.SetMultTavolex(false);
    rules.SetDiceCount(5);
    rules.SetGameCount(2);
    rules.SetAllowRedo(true);
    rules.SetShowHint(false);
    rules.SetExtOptions(TTavolexSettings::DefaultExtOptions);
    rules.SaveToFile(folder + QStringLiteral("Quintor.ini"), QStringLiteral("Settings"));

    TMainApplication application;
    application.SetGamecount(9);
    application.SetSound(1);
    application.SetAnimateCup(3);
    application.SetAnimateDice(5);
    application.SetShowSplash(false);
    application.SaveToFile(folder + QStringLiteral("Global.ini"));

    TStatistics stats(folder);
    stats.SetGameNumber(4);
    stats.SetDiceCount(5);
    stats.SetGameCount(2);
    stats.SetPlayerEntries(0, QStringLiteral("\"Anna\",\"Player1.qtp\",\"231\",\"0|\""));
    stats.SaveGame();
}

}  // namespace

Q_DECLARE_METATYPE(TReadBack)

class TestHostileValues : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { WriteEveryRecord(FolderOf(m_Records)); }
    void badNumberReadsAsTheDefault_data();
    void badNumberReadsAsTheDefault();
    void statisticsWithBadNumbersSkipTheGame_data();
    void statisticsWithBadNumbersSkipTheGame();
    void hugeRuleCountsAreClampedForPlay();
    void hostileNameRoundTripsThroughProfileAndStatistics_data();
    void hostileNameRoundTripsThroughProfileAndStatistics();
    void lineBreaksNeverOpenALineOrSection_data();
    void lineBreaksNeverOpenALineOrSection();
    void loadedRuleValuesAreTheOnesInTheFile();
    void hugeStatisticsFileIsReadAndExtendedQuickly();
    void reportIsListableOnlyAsPlainHtmlFileInTheFolder_data();
    void reportIsListableOnlyAsPlainHtmlFileInTheFolder();

private:
    QTemporaryDir m_Dir;
    QTemporaryDir m_Records;
};

void TestHostileValues::badNumberReadsAsTheDefault_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<TReadBack>("read");
    QTest::addColumn<int>("def");
    QTest::addColumn<QByteArray>("value");
    const auto profile = [](auto field) { return TReadBack([field](const QString &f) { return ProfileField(f, field); }); };
    const auto rules = [](auto field) { return TReadBack([field](const QString &f) { return TemplateField(f, field); }); };
    const auto global = [](auto field) { return TReadBack([field](const QString &f) { return GlobalField(f, field); }); };
    const auto stats = [](auto field) { return TReadBack([field](const QString &f) { return StatsField(f, field); }); };
    const struct {
        const char *File;
        const char *Key;
        TReadBack Read;
        int Default;
    } keys[] = {
        {"Player1.qtp", "MatchesWon", profile([](const TPlayer &p) { return p.MatchesWon(); }), 0},
        {"Player1.qtp", "Plays", profile([](const TPlayer &p) { return int(p.Plays()); }), 0},
        {"Player1.qtp", "BackgroundType", profile([](const TPlayer &p) { return p.BackgroundType(); }), 0},
        {"Player1.qtp", "DiceType", profile([](const TPlayer &p) { return p.DiceType(); }), 0},
        {"Quintor.ini", "MultTavolex", rules([](const TTavolexSettings &r) { return int(r.MultTavolex()); }), 1},
        {"Quintor.ini", "DiceCount", rules([](const TTavolexSettings &r) { return r.DiceCount(); }), 3},
        {"Quintor.ini", "GameCount", rules([](const TTavolexSettings &r) { return r.GameCount(); }), 1},
        {"Quintor.ini", "AllowRedo", rules([](const TTavolexSettings &r) { return int(r.AllowRedo()); }), 0},
        {"Quintor.ini", "ShowHint", rules([](const TTavolexSettings &r) { return int(r.ShowHint()); }), 1},
        {"Global.ini", "Gamecount", global([](const TMainApplication &a) { return a.Gamecount(); }), 0},
        {"Global.ini", "Sound", global([](const TMainApplication &a) { return a.Sound(); }), 0},
        {"Global.ini", "AnimateCup", global([](const TMainApplication &a) { return a.AnimateCup(); }), 2},
        {"Global.ini", "AnimateDice", global([](const TMainApplication &a) { return a.AnimateDice(); }), 4},
        {"Global.ini", "ShowSplash", global([](const TMainApplication &a) { return int(a.ShowSplash()); }), 1},
        {"Stats.ini", "DiceCount", stats([](const RPlayerStatistics &s) { return s.DiceCount; }), 0},
        {"Stats.ini", "GameCount", stats([](const RPlayerStatistics &s) { return s.GameCount; }), 0},
    };
    const struct {
        const char *Name;
        QByteArray Bytes;
    } values[] = {{"letters", "abc"}, {"trailing letters", "12abc"}, {"huge", "99999999999999999999"},
                  {"below int", "-2147483649"}, {"hexadecimal", "0x10"}, {"empty", ""},
                  {"exponent", "1e3"}, {"high bytes", "\xff\xfe"}};
    for (const auto &k : keys) {
        for (const auto &v : values) {
            QTest::addRow("%s %s %s", k.File, k.Key, v.Name)
                << QString::fromLatin1(k.File) << QByteArray(k.Key) << k.Read << k.Default << v.Bytes;
        }
    }
}

void TestHostileValues::badNumberReadsAsTheDefault()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, key);
    QFETCH(TReadBack, read);
    QFETCH(int, def);
    QFETCH(QByteArray, value);
    QTemporaryDir dir;
    // Copies of records written once: each save waits for the disk.
    for (const QString &name : QDir(m_Records.path()).entryList(QDir::Files))
        QVERIFY(HostileFiles::Write(dir.filePath(name), HostileFiles::Read(m_Records.filePath(name))));
    QVERIFY(read(FolderOf(dir)) != def);
    SetRawValue(dir.filePath(file), key, value);
    QCOMPARE(read(FolderOf(dir)), def);
}

void TestHostileValues::statisticsWithBadNumbersSkipTheGame_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("points");
    QTest::newRow("section name no number") << QByteArray("[vier]") << QByteArray("231");
    QTest::newRow("section name beyond int") << QByteArray("[99999999999]") << QByteArray("231");
    QTest::newRow("points no number") << QByteArray("[4]") << QByteArray("viel");
    QTest::newRow("points beyond int") << QByteArray("[4]") << QByteArray("99999999999");
}

void TestHostileValues::statisticsWithBadNumbersSkipTheGame()
{
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, points);
    QTemporaryDir dir;
    const QByteArray good = "[1]\r\nGameReport=a.html\r\nPlayer0=\"Anna\",\"Player1.qtp\",\"5\",\"0|\"\r\n";
    const QByteArray bad = section + "\r\nPlayer0=\"Anna\",\"Player1.qtp\",\"" + points + "\",\"0|\"\r\n";
    QVERIFY(HostileFiles::Write(dir.filePath("Stats.ini"), good + bad + QByteArray(good).replace("[1]", "[2]")));
    TStatistics stats(FolderOf(dir));
    stats.LoadForPlayer(QStringLiteral("Player1.qtp"));
    QCOMPARE(stats.Count(), 2);
    QCOMPARE(stats.Items().at(0).GameNumber, 1);
    QCOMPARE(stats.Items().at(1).GameNumber, 2);
}

void TestHostileValues::hugeRuleCountsAreClampedForPlay()
{
    // A hand-edited "Settings.ini" only draws "Schummler": the game plays with
    // what was read, so the counts must be brought into range first.
    QTemporaryDir dir;
    const QString path = dir.filePath("Settings.ini");
    TTavolexSettings written;
    written.SaveToFile(path, QStringLiteral("Settings"));
    SetRawValue(path, "DiceCount", "2147483647");
    SetRawValue(path, "GameCount", "-2147483648");
    TTavolexSettings rules;
    QString error;
    rules.LoadFromFile(path, QStringLiteral("Settings"), error);
    QCOMPARE(error, path);
    rules.ClampForPlay();
    QCOMPARE(rules.DiceCount(), 6);
    QCOMPARE(rules.GameCount(), 1);
}

void TestHostileValues::hostileNameRoundTripsThroughProfileAndStatistics_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("10000 characters") << QString(10000, QLatin1Char('A'));
    QTest::newRow("10000 umlauts") << QString(10000, QChar(0x00FC));
    QString controls;
    for (char16_t c = 1; c < 32; ++c) {
        if (c != '\r' && c != '\n')
            controls.append(QChar(c));
    }
    QTest::newRow("control characters") << controls + QChar(0x7F) + QChar(0);
    QTest::newRow("quotes and commas") << QStringLiteral("\"Meier, \"\"Hans\"\"\",");
    QTest::newRow("brackets and equals") << QStringLiteral("[PLAYER]=Key=");
    QTest::newRow("blanks only") << QStringLiteral("   ");
}

void TestHostileValues::hostileNameRoundTripsThroughProfileAndStatistics()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString path = dir.filePath("Player1.qtp");
    TPlayer player;
    player.SetName(name);
    player.SetMatchesWon(3);
    player.SetDiceType(4);
    player.SaveToFile(path);
    TPlayer read;
    QString error;
    read.LoadFromFile(path, error);
    QCOMPARE(error, QString());
    QCOMPARE(read.Name(), name);
    QCOMPARE(read.DiceType(), 4);

    TTavolex column;
    TStatistics stats(FolderOf(dir));
    stats.SetGameNumber(1);
    stats.SetGameReport(QStringLiteral("Spiel.html"));
    stats.SetPlayerEntries(0, PlayerEntry(name, path, 187, column));
    stats.SaveGame();
    stats.LoadForPlayer(QStringLiteral("Player1.qtp"));
    QCOMPARE(stats.Count(), 1);
    QCOMPARE(stats.Items().first().Points, 187);
}

void TestHostileValues::lineBreaksNeverOpenALineOrSection_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("CR LF") << QStringLiteral("Anna\r\n[PLAYER]\r\nMatchesWon=99");
    QTest::newRow("LF") << QStringLiteral("Anna\n[Settings]\nDiceCount=6");
    QTest::newRow("CR") << QStringLiteral("Anna\rKey=\rGamecount=42");
    QTest::newRow("line separators") << QStringLiteral("Anna\u2028[1]\u2029Player0=x");
}

void TestHostileValues::lineBreaksNeverOpenALineOrSection()
{
    QFETCH(QString, value);
    QTemporaryDir dir;
    const QString folder = FolderOf(dir);
    TPlayer player;
    player.SetName(value);
    player.SetBackground(value);
    player.SaveToFile(folder + QStringLiteral("Player1.qtp"));
    TTavolexSettings rules;
    rules.SetDescription(value);
    rules.SetDesignName(value);
    rules.SetExtOptions(value);
    rules.SaveToFile(folder + QStringLiteral("Quintor.ini"), QStringLiteral("Settings"));
    TMainApplication application;
    application.SetName(value);
    application.SaveToFile(folder + QStringLiteral("Global.ini"));
    TStatistics stats(folder);
    stats.SetGameNumber(1);
    stats.SetGameDate(value);
    stats.SetScores(value);
    stats.SetGameReport(value);
    stats.SetPlayerEntries(0, value);
    stats.SaveGame();

    const struct {
        const char *File;
        int Lines;
    } expected[] = {{"Player1.qtp", 9}, {"Quintor.ini", 10}, {"Global.ini", 7}, {"Stats.ini", 10}};
    for (const auto &e : expected) {
        const TIniFile ini(folder + QLatin1String(e.File));
        QCOMPARE(ini.RawLines().size(), e.Lines);
        QCOMPARE(ini.ReadSections().size(), 1);
    }
    TPlayer read;
    QString error;
    read.LoadFromFile(folder + QStringLiteral("Player1.qtp"), error);
    QCOMPARE(error, QString());
    QCOMPARE(read.MatchesWon(), 0);
    QVERIFY(!read.Name().contains(QLatin1Char('\n')) && !read.Name().contains(QLatin1Char('\r')));
    TMainApplication readApplication;
    readApplication.LoadFromFile(folder + QStringLiteral("Global.ini"));
    QCOMPARE(readApplication.Gamecount(), 0);
}

void TestHostileValues::loadedRuleValuesAreTheOnesInTheFile()
{
    // The rule values answer from a cache; loading must refresh it.
    QTemporaryDir dir;
    const QString path = dir.filePath("Quintor.ini");
    TTavolexSettings written;
    written.SetExtOptions(QStringLiteral("08|70,09|40,14|99,"));
    written.SaveToFile(path, QStringLiteral("Settings"));
    TTavolexSettings rules;
    rules.SetExtOptions(TTavolexSettings::DefaultExtOptions);
    QString error;
    rules.LoadFromFile(path, QStringLiteral("Settings"), error);
    QCOMPARE(error, QString());
    QCOMPARE(rules.RuleValue(Row::FullHouse), 99);
    QCOMPARE(rules.RuleValue(Row::UpperBonus), 40);
    QCOMPARE(rules.RuleValue(Row::SmallStraight), DefaultRuleValue(Row::SmallStraight));
}

void TestHostileValues::hugeStatisticsFileIsReadAndExtendedQuickly()
{
    QTemporaryDir dir;
    const QString folder = FolderOf(dir);
    const QByteArray filler(1200, 'z');
    QByteArray bytes;
    bytes.reserve(52 * 1024 * 1024);
    int games = 0;
    while (bytes.size() < 50 * 1024 * 1024) {
        ++games;
        const QByteArray n = QByteArray::number(games);
        const QByteArray who = games % 10 == 0 ? "Player1.qtp" : "Player2.qtp";
        bytes += "[" + n + "]\r\nDiceCount=3\r\nGameCount=1\r\nGameDate=200703141952\r\nGameReport=Spiel_" + n
                 + ".html\r\nPlayer0=\"" + filler + "\",\"" + who + "\",\"" + n + "\",\"0|\"\r\nPlayer1=NIL\r\n";
    }
    QVERIFY(HostileFiles::Write(folder + QStringLiteral("Stats.ini"), bytes));

    QElapsedTimer clock;
    clock.start();
    TStatistics stats(folder);
    stats.LoadForPlayer(QStringLiteral("Player1.qtp"));
    QCOMPARE(stats.Count(), games / 10);
    QCOMPARE(stats.Items().last().Points, games / 10 * 10);

    stats.SetGameNumber(games + 1);
    stats.SetPlayerEntries(0, QStringLiteral("\"Anna\",\"Player1.qtp\",\"1\",\"0|\""));
    stats.SaveGame();
    stats.LoadForPlayer(QStringLiteral("Player1.qtp"));
    QCOMPARE(stats.Count(), games / 10 + 1);
    QVERIFY(HostileFiles::Read(folder + QStringLiteral("Stats.ini")).startsWith(bytes.left(1 << 20)));
    QVERIFY2(clock.elapsed() < 30000, qPrintable(QString::number(clock.elapsed())));
}

void TestHostileValues::reportIsListableOnlyAsPlainHtmlFileInTheFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("listable");
    QTest::newRow("report in the folder") << QStringLiteral("Spiel_200703141952.html") << true;
    QTest::newRow("extension in capitals") << QStringLiteral("Spiel_2.HTML") << true;
    QTest::newRow("missing report") << QStringLiteral("Spiel_3.html") << false;
    QTest::newRow("up and out") << QStringLiteral("../outside.html") << false;
    QTest::newRow("absolute path") << QStringLiteral("/etc/passwd") << false;
    QTest::newRow("absolute html") << (m_Dir.path() + QStringLiteral("/outside.html")) << false;
    QTest::newRow("backslash path") << QStringLiteral("..\\outside.html") << false;
    QTest::newRow("in a subfolder") << QStringLiteral("sub/inner.html") << false;
    QTest::newRow("folder named like a report") << QStringLiteral("folder.html") << false;
    QTest::newRow("other extension") << QStringLiteral("script.sh") << false;
    QTest::newRow("html inside the name") << QStringLiteral("Spiel.html.desktop") << false;
    QTest::newRow("link to a report") << QStringLiteral("link.html") << false;
    QTest::newRow("link to outside") << QStringLiteral("passwd.html") << false;
    QTest::newRow("dot name") << QStringLiteral(".html") << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("n.V.") << QStringLiteral("n.V.") << false;
    QTest::newRow("control character") << QStringLiteral("Spiel_200703141952.html\n") << false;
}

void TestHostileValues::reportIsListableOnlyAsPlainHtmlFileInTheFolder()
{
    QFETCH(QString, name);
    QFETCH(bool, listable);
    const QString data = m_Dir.filePath("Quintor");
    if (!QFileInfo::exists(data)) {
        QDir(m_Dir.path()).mkpath(QStringLiteral("Quintor/sub"));
        QDir(data).mkdir(QStringLiteral("folder.html"));
        for (const char *file : {"Spiel_200703141952.html", "Spiel_2.HTML", "script.sh", "Spiel.html.desktop", "sub/inner.html"})
            HostileFiles::Write(data + QLatin1Char('/') + QLatin1String(file), "<html/>");
        HostileFiles::Write(m_Dir.filePath("outside.html"), "<html/>");
        QFile::link(data + QStringLiteral("/Spiel_200703141952.html"), data + QStringLiteral("/link.html"));
        QFile::link(QStringLiteral("/etc/passwd"), data + QStringLiteral("/passwd.html"));
    }
    QCOMPARE(IsListableReport(data, name), listable);
    QCOMPARE(IsListableReport(data + QLatin1Char('/'), name), listable);
    // The one-listing form used for long game lists must agree.
    QCOMPARE(ListableReports(data).contains(name), listable);
}

QTEST_GUILESS_MAIN(TestHostileValues)
#include "tst_hostilevalues.moc"
