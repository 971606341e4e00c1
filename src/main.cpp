// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/uFormCaption.h"
#include "mainwindow/uFontWarmup.h"
#include "mainwindow/uFormQuintorMenu.h"
#include "mainwindow/uSessionBus.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    // First of all: the font thread reads the environment.
    TSessionBusShortcut bus;
    // Started before the display connection, which leaves this core waiting
    // on the display server for most of its time.
    TFontWarmup fonts;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quintor"));
    // Wayland desktops match the window to its menu entry and icon by this id.
    QApplication::setDesktopFileName(QStringLiteral("de.quintor.Quintor"));

    // The program speaks German, including Qt's own buttons and dialogs.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    const QString family = QStringLiteral("Comic Sans MS");
    fonts.Resume(family);
    QFont font(family);
    font.setPixelSize(11);
    QApplication::setFont(font);
    InstallHelpKey(&app);

    TFormQuintorMenu window;
    QObject::connect(&window, &TFormQuintorMenu::QuitRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    window.show();
    // Without a window manager (kiosk sessions, Xvfb) nobody activates it.
    window.activateWindow();
    // The window has asked for the bus. Fontconfig reads the environment
    // without Qt's lock, so its thread ends before the address is taken back.
    fonts.Finish();
    bus.Restore();
    return QApplication::exec();
}
