// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "mainwindow/uFormQuintorMenu.h"
#include "storage/uTMainApplication.h"
#include "storage/uTPlayer.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <memory>

// A data folder of its own for each test.
struct TDataFolder {
    QTemporaryDir Dir;
    QString Path = Dir.path() + QLatin1Char('/');

    // Sound 1 is off: no test waits for samples.
    explicit TDataFolder(bool showSplash = false, int sound = 0)
    {
        TMainApplication settings;
        settings.SetShowSplash(showSplash);
        settings.SetSound(sound);
        settings.SaveToFile(Path + QStringLiteral("Global.ini"));
    }

    QString AddPlayer(const QString &name, bool plays = false, const QString &file = {}, int computer = 0) const
    {
        static int counter = 0;
        const QString path = Path + (file.isEmpty() ? QStringLiteral("Player%1.qtp").arg(++counter) : file);
        TPlayer player;
        player.SetName(name);
        player.SetPlays(plays);
        player.SetComputer(computer);
        player.SaveToFile(path);
        return path;
    }

    [[nodiscard]] QByteArray Read(const QString &name) const
    {
        QFile file(Path + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    [[nodiscard]] bool Exists(const QString &name) const { return QFile::exists(Path + name); }
};

inline std::unique_ptr<TFormQuintorMenu> OpenMenu(const TDataFolder &data)
{
    auto menu = std::make_unique<TFormQuintorMenu>(data.Path);
    menu->FormActivate();
    return menu;
}

template <typename T>
T *Child(const QWidget &window, const char *name)
{
    T *child = window.findChild<T *>(QLatin1String(name));
    if (!child)
        qFatal("no control %s", name);
    return child;
}

inline QTreeWidget *Players(const TFormQuintorMenu &menu)
{
    return Child<QTreeWidget>(menu, "ListViewPlayers");
}

inline QPushButton *StartButton(const TFormQuintorMenu &menu)
{
    return Child<QPushButton>(menu, "ButtonStart");
}
