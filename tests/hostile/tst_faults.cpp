// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HostileFiles.h"
#include "support/WriteFaults.h"

#include "rules/uTTavolex.h"
#include "storage/uTMainApplication.h"
#include "storage/uTPlayer.h"
#include "storage/uTStatistics.h"
#include "storage/uTools.h"

#include <QDir>
#include <QScopeGuard>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <array>
#include <optional>
#include <csignal>
#include <functional>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Storage under faults: a writer killed mid-save, a full disk, a folder that
// cannot be written or created. Afterwards every file is one the program
// wrote in full, and nothing stored before is lost.
namespace {

const std::array<QString, 4> StoredFiles = {
    QStringLiteral("Player1.qtp"), QStringLiteral("Stats.ini"),
    QStringLiteral("Global.ini"), QStringLiteral("Quintor.ini")};

// Version `v` of every record; `padding` makes the files large enough that a
// kill or a small limit lands inside a write.
void SaveVersion(const QString &folder, int v, int padding = 2000)
{
    const QString fill(padding, QLatin1Char('x'));
    TPlayer player;
    player.SetName(QStringLiteral("Spieler %1 ").arg(v) + fill);
    player.SetMatchesWon(v);
    player.SaveToFile(folder + StoredFiles[0]);

    TStatistics stats(folder);
    stats.SetGameNumber(v % 7 + 1);
    stats.SetDiceCount(v);
    stats.SetGameReport(QStringLiteral("Spiel_%1.html").arg(v));
    stats.SetPlayerEntries(0, QStringLiteral("\"%1\",\"Player1.qtp\",\"%2\"").arg(fill).arg(v));
    stats.SaveGame();

    TMainApplication application;
    application.SetGamecount(v);
    application.SetName(fill);
    application.SaveToFile(folder + StoredFiles[2]);

    TTavolexSettings rules;
    rules.SetDiceCount(v);
    rules.SetDescription(fill);
    rules.SetExtOptions(TTavolexSettings::DefaultExtOptions);
    rules.SaveToFile(folder + StoredFiles[3], QStringLiteral("Settings"));
}

using TSnapshot = std::array<QByteArray, 4>;

TSnapshot Snapshot(const QString &folder)
{
    TSnapshot files;
    for (std::size_t i = 0; i < StoredFiles.size(); ++i)
        files[i] = HostileFiles::Read(folder + StoredFiles[i]);
    return files;
}

// Runs a writer in a child that reports each finished version with one byte,
// kills it after `versionsBeforeKill` versions and returns how many finished.
int KillWriterAfter(const QString &folder, int versionsBeforeKill)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        for (int v = 0; v < 100000; ++v) {
            SaveVersion(folder, v);
            if (write(pipeEnds[1], "v", 1) != 1)
                break;
        }
        _exit(0);
    }
    close(pipeEnds[1]);
    int finished = 0;
    char byte = 0;
    while (finished < versionsBeforeKill && read(pipeEnds[0], &byte, 1) == 1)
        ++finished;
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    while (read(pipeEnds[0], &byte, 1) == 1)
        ++finished;
    close(pipeEnds[0]);
    return finished;
}

QString WithSlash(const QString &path)
{
    return path + QLatin1Char('/');
}

// Lowers the file size limit for one scope, as a nearly full disk would:
// writes beyond it fail with EFBIG instead of the signal.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_Saved);
        m_OldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_Saved;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_Saved);
        std::signal(SIGXFSZ, m_OldHandler);
    }
    TFileSizeLimit(const TFileSizeLimit &) = delete;
    TFileSizeLimit &operator=(const TFileSizeLimit &) = delete;

private:
    rlimit m_Saved{};
    void (*m_OldHandler)(int) = nullptr;
};

using TSave = std::function<void(const QString &folder)>;

// Each of the four records saved with a name of `length` characters (20000:
// bigger than before and than any write buffer).
void AddSaves(qsizetype length, const char *suffix = "")
{
    const QString big(length, QLatin1Char('y'));
    QTest::addRow("profile%s", suffix) << StoredFiles[0] << TSave([big](const QString &folder) {
        TPlayer player;
        player.SetName(big);
        player.SaveToFile(folder + StoredFiles[0]);
    });
    QTest::addRow("statistics%s", suffix) << StoredFiles[1] << TSave([big](const QString &folder) {
        TStatistics stats(folder);
        stats.SetGameNumber(2);
        stats.SetPlayerEntries(0, big);
        stats.SaveGame();
    });
    QTest::addRow("application settings%s", suffix) << StoredFiles[2] << TSave([big](const QString &folder) {
        TMainApplication application;
        application.SetName(big);
        application.SaveToFile(folder + StoredFiles[2]);
    });
    QTest::addRow("rule template%s", suffix) << StoredFiles[3] << TSave([big](const QString &folder) {
        TTavolexSettings rules;
        rules.SetDescription(big);
        rules.SaveToFile(folder + StoredFiles[3], QStringLiteral("Settings"));
    });
}

void AddSaveColumns()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<TSave>("save");
}

void AddGrowingSaves()
{
    AddSaveColumns();
    AddSaves(20000);
}

void AddSmallSaves()
{
    AddSaveColumns();
    AddSaves(5);
}

// The save fails with the German message naming the file and changes nothing.
void ExpectRefusedWrite(const QString &folder, const QString &file, const TSave &save,
                        const std::function<void()> &inject)
{
    const TSnapshot before = Snapshot(folder);
    QString message;
    try {
        inject();
        save(folder);
    } catch (const EWriteError &error) {
        message = error.Message();
    }
    QCOMPARE(message, QStringLiteral("In %1 kann nicht geschrieben werden").arg(folder + file));
    QCOMPARE(Snapshot(folder), before);
}

bool IsRoot()
{
    return geteuid() == 0;
}

}  // namespace

Q_DECLARE_METATYPE(TSave)

class TestFaults : public QObject {
    Q_OBJECT

private slots:
    void killedWriterLeavesOldOrNewVersion_data();
    void killedWriterLeavesOldOrNewVersion();
    void fullDiskKeepsWhatWasStored_data() { AddGrowingSaves(); }
    void fullDiskKeepsWhatWasStored();
    void fullTmpfsKeepsWhatWasStored_data();
    void fullTmpfsKeepsWhatWasStored();
    void failingWriteStepKeepsWhatWasStored_data() { AddSmallSaves(); }
    void failingWriteStepKeepsWhatWasStored();
    void unwritableTargetKeepsWhatWasStored_data() { AddGrowingSaves(); }
    void unwritableTargetKeepsWhatWasStored();
    void readOnlyFolderKeepsWhatWasStored_data() { AddGrowingSaves(); }
    void readOnlyFolderKeepsWhatWasStored();
    void dataFolderThatCannotBeCreatedIsReported();
    void dataFolderIsCreatedWithItsParents();
};

void TestFaults::killedWriterLeavesOldOrNewVersion_data()
{
    QTest::addColumn<int>("versionsBeforeKill");
    QTest::newRow("during the first version") << 0;
    for (int round = 0; round < 6; ++round) {
        const int versions = QRandomGenerator::global()->bounded(1, 12);
        QTest::addRow("after %d versions, round %d", versions, round) << versions;
    }
}

void TestFaults::killedWriterLeavesOldOrNewVersion()
{
    QFETCH(int, versionsBeforeKill);
    QTemporaryDir dir;
    const QString folder = WithSlash(dir.path());
    const int finished = KillWriterAfter(folder, versionsBeforeKill);
    QVERIFY(finished >= versionsBeforeKill);

    // The versions the killed writer was between, replayed in full.
    QTemporaryDir replay;
    const QString replayFolder = WithSlash(replay.path());
    for (int v = 0; v < finished; ++v)
        SaveVersion(replayFolder, v);
    const TSnapshot old = Snapshot(replayFolder);
    SaveVersion(replayFolder, finished);
    const TSnapshot next = Snapshot(replayFolder);

    const TSnapshot found = Snapshot(folder);
    for (std::size_t i = 0; i < StoredFiles.size(); ++i) {
        const QByteArray name = StoredFiles[i].toLatin1();
        QVERIFY2(found[i] == old[i] || found[i] == next[i], name.constData());
    }
    if (QFile::exists(folder + StoredFiles[0]))
        QVERIFY(VerifyKey(folder + StoredFiles[0], QStringLiteral("PLAYER")));
    if (QFile::exists(folder + StoredFiles[3]))
        QVERIFY(VerifyKey(folder + StoredFiles[3], QStringLiteral("Settings")));
    // No half-written companions are left among the records either.
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    for (const QString &entry : entries)
        QVERIFY2(std::find(StoredFiles.begin(), StoredFiles.end(), entry) != StoredFiles.end(), qPrintable(entry));
}

void TestFaults::fullDiskKeepsWhatWasStored()
{
    QFETCH(QString, file);
    QFETCH(TSave, save);
    QTemporaryDir dir;
    const QString folder = WithSlash(dir.path());
    SaveVersion(folder, 1, 10);
    std::optional<TFileSizeLimit> limit;
    ExpectRefusedWrite(folder, file, save, [&limit] { limit.emplace(4096); });
}

void TestFaults::fullTmpfsKeepsWhatWasStored_data()
{
    AddSaveColumns();
    // A small save fits the write buffer: its refused write shows only in
    // the flush, which QSaveFile's commit lets pass.
    AddSaves(5, ", small");
    AddSaves(20000, ", large");
}

void TestFaults::fullTmpfsKeepsWhatWasStored()
{
    QFETCH(QString, file);
    QFETCH(TSave, save);
    const TSmallTmpfs disk;
    if (!disk.Mounted())
        QSKIP("a small tmpfs cannot be mounted here (root only); failingWriteStepKeepsWhatWasStored covers the saves");
    SaveVersion(disk.Folder(), 1, 10);
    ExpectRefusedWrite(disk.Folder(), file, save, [&disk] { QVERIFY(disk.Fill()); });
    QCOMPARE(QDir(disk.Folder()).entryList(QDir::Files | QDir::Hidden).size(), StoredFiles.size() + 1);
}

void TestFaults::failingWriteStepKeepsWhatWasStored()
{
    QFETCH(QString, file);
    QFETCH(TSave, save);
    for (const TWriteFault fault : {TWriteFault::ShortWrite, TWriteFault::FailingFlush, TWriteFault::FailingRename}) {
        QTemporaryDir dir;
        const QString folder = WithSlash(dir.path());
        SaveVersion(folder, 1, 10);
        std::optional<TFaultyWriteSteps> steps;
        ExpectRefusedWrite(folder, file, save, [&steps, fault] { steps.emplace(fault, QStringLiteral("*")); });
        QCOMPARE(steps->Hits(), 1);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), StoredFiles.size());
    }
}

void TestFaults::unwritableTargetKeepsWhatWasStored()
{
    // A folder where the file should be: no write can succeed, even as root.
    QFETCH(QString, file);
    QFETCH(TSave, save);
    QTemporaryDir dir;
    const QString folder = WithSlash(dir.path());
    QVERIFY(QDir(folder).mkdir(file));
    QVERIFY(HostileFiles::Write(folder + file + QStringLiteral("/inside"), "kept"));
    ExpectRefusedWrite(folder, file, save, [] {});
    QCOMPARE(HostileFiles::Read(folder + file + QStringLiteral("/inside")), QByteArray("kept"));
}

void TestFaults::readOnlyFolderKeepsWhatWasStored()
{
    if (IsRoot())
        QSKIP("permissions do not bind root");
    QFETCH(QString, file);
    QFETCH(TSave, save);
    QTemporaryDir dir;
    const QString folder = WithSlash(dir.path());
    SaveVersion(folder, 1, 10);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const auto restore = qScopeGuard([&dir] {
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    ExpectRefusedWrite(folder, file, save, [] {});
}

void TestFaults::dataFolderThatCannotBeCreatedIsReported()
{
    QTemporaryDir dir;
    QVERIFY(HostileFiles::Write(dir.filePath("Dokumente"), "a file, not a folder"));
    const QString folder = dir.filePath("Dokumente/Quintor/");
    QString message;
    QVERIFY(!EnsureDataFolder(folder, message));
    QCOMPARE(message, QStringLiteral("Der Datenordner %1 kann nicht angelegt werden.").arg(folder));
    QCOMPARE(HostileFiles::Read(dir.filePath("Dokumente")), QByteArray("a file, not a folder"));
}

void TestFaults::dataFolderIsCreatedWithItsParents()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("a/b/Quintor/");
    QString message = QStringLiteral("stale");
    QVERIFY(EnsureDataFolder(folder, message));
    QVERIFY(message.isEmpty());
    QVERIFY(QFileInfo(folder).isDir());
    QVERIFY(EnsureDataFolder(folder, message));
}

QTEST_GUILESS_MAIN(TestFaults)
#include "tst_faults.moc"
