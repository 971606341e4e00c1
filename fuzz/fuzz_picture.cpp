// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FuzzSupport.h"

#include "gamewindow/uDesigns.h"
#include "storage/uTPlayer.h"

#include <QGuiApplication>

// Any bytes as a player's background picture, loaded as the game window does.
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = Fuzz::Bytes(data, size);
    // The reader goes by content, the name only breaks ties: try each kind.
    for (const char *name : {"Tisch.png", "Tisch.jpg", "Tisch.bmp"}) {
        const QString path = Fuzz::WriteInput(QString::fromLatin1(name), bytes);
        const QImage picture = ReadPicture(path);
        FUZZ_CHECK(picture.isNull() || (picture.width() <= 16384 && picture.height() <= 16384));
    }
    TPlayer player;
    player.SetBackground(Fuzz::Folder() + QStringLiteral("Tisch.png"));
    player.SetBackgroundType(1);
    std::vector<TPlayer *> players{&player};
    TDesigns designs;
    designs.LoadBackgrounds(Fuzz::Folder() + QStringLiteral("no-backgrounds"), players);
    FUZZ_CHECK(designs.Backgrounds().Count() <= 1);
    FUZZ_CHECK(designs.BackgroundPaths().size() == designs.Backgrounds().Count());
    return 0;
}
