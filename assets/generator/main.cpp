// Writes the program folder's sounds, dice, backgrounds and print sheets and
// the pictures compiled into the windows. Every run writes the same bytes.

#include "sounds.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>

#include <cstdio>

namespace {

int Fail(const QString &message)
{
    std::fprintf(stderr, "quintor_assetgen: %s\n", qPrintable(message));
    return 1;
}

QString MakeFolder(const QString &path)
{
    return QDir().mkpath(path) ? QString() : path;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption programDir(QStringLiteral("program-dir"), QStringLiteral("Folder of the program; Bin/ goes below it."), QStringLiteral("dir"));
    const QCommandLineOption resourceDir(QStringLiteral("resource-dir"), QStringLiteral("Folder for the window pictures."), QStringLiteral("dir"));
    const QCommandLineOption contactSheet(QStringLiteral("contact-sheet"), QStringLiteral("Also write an overview picture."), QStringLiteral("file"));
    parser.addOptions({programDir, resourceDir, contactSheet});
    parser.process(app);
    if (!parser.isSet(programDir))
        return Fail(QStringLiteral("--program-dir is required"));

    const QString bin = QDir(parser.value(programDir)).filePath(QStringLiteral("Bin"));
    const QString soundDir = bin + QStringLiteral("/Sounds");
    if (QString failed = MakeFolder(soundDir); !failed.isEmpty())
        return Fail(QStringLiteral("cannot create ") + failed);
    if (QString failed = sounds::WriteAll(soundDir); !failed.isEmpty())
        return Fail(QStringLiteral("cannot write ") + failed);
    return 0;
}
