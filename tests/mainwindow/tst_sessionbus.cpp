// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/uSessionBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

constexpr char ChildVariable[] = "QUINTOR_SESSIONBUS_CHILD";

// What a program started with this environment sees: whether the shortcut
// took over, the bus's error, and the address once taken back.
int RunChild()
{
    TSessionBusShortcut shortcut;
    const bool active = shortcut.Active();
    const QByteArray address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    static int argc = 1;
    static char name[] = "child";
    static char *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    const QDBusConnection bus = QDBusConnection::sessionBus();
    shortcut.Restore();
    std::printf("active=%d\naddress=%s\nconnected=%d\nerror=%s\nafter=%d\n", active, address.constData(),
                bus.isConnected(), qPrintable(bus.lastError().message()),
                qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"));
    return 0;
}

}  // namespace

class TestSessionBus : public QObject {
    Q_OBJECT

private slots:
    void busCanBeFound_data()
    {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("found");
        const QStringList noFiles;
        const QString path = QStringLiteral("PATH=/opt/tools/bin::/usr/local/bin");
        QTest::newRow("nothing anywhere") << QStringList{path} << noFiles << false;
        QTest::newRow("an address") << QStringList{QStringLiteral("DBUS_SESSION_BUS_ADDRESS=unix:path=/run/b"), path}
                                    << noFiles << true;
        QTest::newRow("an empty address is the user's too")
            << QStringList{QStringLiteral("DBUS_SESSION_BUS_ADDRESS="), path} << noFiles << true;
        QTest::newRow("the user bus") << QStringList{QStringLiteral("XDG_RUNTIME_DIR=/run/user/1000"), path}
                                      << QStringList{QStringLiteral("/run/user/1000/bus")} << true;
        QTest::newRow("a runtime folder without a bus")
            << QStringList{QStringLiteral("XDG_RUNTIME_DIR=/run/user/1000"), path} << noFiles << false;
        QTest::newRow("dbus-launch in its own folder")
            << QStringList{path} << QStringList{QStringLiteral("/usr/bin/dbus-launch")} << true;
        QTest::newRow("dbus-launch along the PATH")
            << QStringList{path} << QStringList{QStringLiteral("/usr/local/bin/dbus-launch")} << true;
        QTest::newRow("no PATH at all") << QStringList{} << noFiles << false;
    }

    void busCanBeFound()
    {
        QFETCH(QStringList, variables);
        QFETCH(QStringList, files);
        QFETCH(bool, found);
        QProcessEnvironment environment;
        for (const QString &variable : variables)
            environment.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
        const QSet<QString> present(files.cbegin(), files.cend());
        QSet<QString> asked;
        const bool seen = TSessionBusShortcut::BusCanBeFound(environment, [&](const QString &file) {
            asked << file;
            return present.contains(file);
        });
        QCOMPARE(seen, found);
        // An empty folder of the PATH is not the root.
        QVERIFY(!asked.contains(QStringLiteral("/dbus-launch")));
    }

    // The real library, in a program of its own each time (the bus is asked
    // for once per program): a dbus-launch along the PATH is run as before,
    // and without one the bus fails at the shortcut's address, which the
    // program's children then no longer see.
    void theLibraryLooksWhereTheShortcutDoes()
    {
        QTemporaryDir tools;
        QVERIFY(tools.isValid());
        const QString marker = tools.filePath(QStringLiteral("ran"));
        QFile launcher(tools.filePath(QStringLiteral("dbus-launch")));
        QVERIFY(launcher.open(QIODevice::WriteOnly));
        launcher.write("#!/bin/sh\n: > '" + marker.toUtf8() + "'\nexit 1\n");
        launcher.close();
        launcher.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        const QByteArray withLauncher = RunAsChild(tools.path());
        QVERIFY2(withLauncher.contains("active=0\n"), withLauncher);
        QVERIFY2(QFile::exists(marker), withLauncher);

        QFile::remove(marker);
        QVERIFY(launcher.remove());
        const QByteArray without = RunAsChild(tools.path());
        QVERIFY2(without.contains("active=1\naddress=unix:path=/dev/null/no-session-bus\nconnected=0\n"), without);
        QVERIFY2(without.contains("/dev/null/no-session-bus"), without);
        QVERIFY2(without.contains("after=0\n"), without);
        QVERIFY(!QFile::exists(marker));
    }

private:
    static QByteArray RunAsChild(const QString &path)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        environment.insert(QStringLiteral("PATH"), path);
        // libdbus only looks for dbus-launch with a display to look on.
        environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":97"));
        environment.insert(QLatin1String(ChildVariable), QStringLiteral("1"));
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        if (!child.waitForFinished(30000))
            child.kill();
        return child.readAllStandardOutput() + child.readAllStandardError();
    }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(ChildVariable))
        return RunChild();
    QCoreApplication app(argc, argv);
    TestSessionBus test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sessionbus.moc"
