// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the program folder's sounds, dice, backgrounds and print sheets and
// the pictures compiled into the windows. Every run writes the same bytes.

#include "backgrounds.h"
#include "contactsheet.h"
#include "dice.h"
#include "pictures.h"
#include "sheets.h"
#include "sounds.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

int Fail(const QString &message)
{
    std::fprintf(stderr, "quintor_assetgen: %s\n", qPrintable(message));
    return 1;
}

// "16,32,256" into whole sizes of 1 to 1024 pixels; false on anything else.
bool ParseSizes(const QString &list, std::vector<int> &sizes)
{
    for (const QString &item : list.split(QLatin1Char(','))) {
        bool ok = false;
        const int size = item.trimmed().toInt(&ok);
        if (!ok || size < 1 || size > 1024)
            return false;
        sizes.push_back(size);
    }
    return true;
}

struct Step
{
    QString folder;
    std::function<QString(const QString &)> write;  // returns the path that failed, empty on success
};

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption programDir(QStringLiteral("program-dir"), QStringLiteral("Folder of the program; Bin/ goes below it."), QStringLiteral("dir"));
    const QCommandLineOption resourceDir(QStringLiteral("resource-dir"), QStringLiteral("Folder for the window pictures."), QStringLiteral("dir"));
    const QCommandLineOption contactSheet(QStringLiteral("contact-sheet"), QStringLiteral("Also write an overview picture."), QStringLiteral("file"));
    const QCommandLineOption iconDir(QStringLiteral("icon-dir"), QStringLiteral("Also write the desktop icon, <n>x<n>.png per size."), QStringLiteral("dir"));
    const QCommandLineOption iconSizes(QStringLiteral("icon-sizes"), QStringLiteral("Sizes of the desktop icon, separated by commas."), QStringLiteral("list"));
    parser.addOptions({programDir, resourceDir, contactSheet, iconDir, iconSizes});
    parser.process(app);
    if (!parser.isSet(programDir) || !parser.isSet(resourceDir))
        return Fail(QStringLiteral("--program-dir und --resource-dir fehlen"));

    const QString bin = QDir(parser.value(programDir)).filePath(QStringLiteral("Bin"));
    std::vector<Step> steps = {
        {bin + QStringLiteral("/Sounds"), sounds::WriteAll},
        {bin + QStringLiteral("/Dices"), dice::WriteAll},
        {bin + QStringLiteral("/Backgrounds"), backgrounds::WriteAll},
        {bin, sheets::WriteAll},
        {parser.value(resourceDir), pictures::WriteAll},
    };
    if (parser.isSet(iconDir)) {
        std::vector<int> sizes;
        if (!ParseSizes(parser.value(iconSizes), sizes))
            return Fail(QStringLiteral("--icon-sizes braucht Größen wie 16,32,256: ") + parser.value(iconSizes));
        steps.push_back({parser.value(iconDir), [sizes](const QString &folder) { return pictures::WriteIcons(folder, sizes); }});
    }
    for (const Step &step : steps) {
        if (!QDir().mkpath(step.folder))
            return Fail(QStringLiteral("Ordner kann nicht angelegt werden: ") + step.folder);
        if (const QString failed = step.write(step.folder); !failed.isEmpty())
            return Fail(QStringLiteral("Datei kann nicht geschrieben werden: ") + failed);
    }
    if (parser.isSet(contactSheet) &&
        !contactsheet::Write(parser.value(programDir), parser.value(resourceDir), parser.value(contactSheet)))
        return Fail(QStringLiteral("Datei kann nicht geschrieben werden: ") + parser.value(contactSheet));
    return 0;
}
