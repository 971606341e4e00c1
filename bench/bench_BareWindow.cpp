// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor for start-up and memory: a Qt program that shows one empty
// window of the main window's size and nothing else. Built with the same
// flags as the program; the harness measures both alike.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(726, 619);
    window.show();
    window.activateWindow();
    return QApplication::exec();
}
