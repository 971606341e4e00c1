// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "gamewindow/uPictureList.h"

#include <QString>
#include <QStringList>

#include <array>
#include <future>
#include <vector>

class TPlayer;

// Reads a BMP, JPEG or PNG file. Null when the file is no readable picture
// or is too large to hold (more than 16384 pixels a side or 64 megapixels).
[[nodiscard]] QImage ReadPicture(const QString &fileName);

// The pictures of the playfield: backgrounds, the six dice colour sets, the
// hold marks and the cups. The three background lists (pictures, captions,
// full paths) run in parallel: entry i of each is the same background.
class TDesigns {
public:
    static constexpr int DiceSlots = 24;  // 6 faces x 4 variants
    static constexpr int HeldDiceOpacity = 190;

    TDesigns();

    // Standard backgrounds from `backgroundFolder`, then every player's own
    // picture; sets each player's BackgroundIndex. Returns player 0's index
    // (0 without players), the entry the selector starts with. Only the
    // entries the players start with are decoded now, on other threads; the
    // others when PrepareBackground first asks for them.
    int LoadBackgrounds(const QString &backgroundFolder, const std::vector<TPlayer *> &players);
    // The six colour sets from `diceFolder`; each set ends at its first file
    // that is missing or cannot be decoded. Every such file of a set is
    // listed in DiceProblems(), and each incomplete set is drawn with the
    // first complete one (white first), so no die is ever drawn as nothing.
    void LoadDiceImages(const QString &diceFolder);
    // Full paths of the dice pictures that are missing or damaged.
    [[nodiscard]] const QStringList &DiceProblems() const noexcept { return m_DiceProblems; }
    // True when the set of "DiceType" `diceType` (0..5) was loaded whole.
    [[nodiscard]] bool DiceSetComplete(int diceType) const;
    // True when at least one set is complete: without one no game can be drawn.
    [[nodiscard]] bool AnyDiceSetComplete() const;
    // The "DiceType" whose pictures draw `diceType`: itself when its set is
    // complete, else the first complete one (itself when there is none).
    [[nodiscard]] int DrawnDiceType(int diceType) const;
    // Hold marks and cups stored with the program; a missing one stays empty.
    void LoadFixedPictures();

    // Waits for pictures still being decoded, the first time after a load.
    // An entry not prepared yet has no picture.
    [[nodiscard]] const TPictureList &Backgrounds() const;
    // Decodes entry `slot` now unless it is done; other values are ignored.
    // Called when a background is chosen, never from a frame.
    void PrepareBackground(int slot) const;
    [[nodiscard]] const QStringList &BackgroundCaptions() const noexcept { return m_Captions; }
    [[nodiscard]] const QStringList &BackgroundPaths() const noexcept { return m_Paths; }
    // The colour set drawn for a player's "DiceType" 0..5 (see DrawnDiceType);
    // other values give white's.
    [[nodiscard]] const TPictureList &DiceSet(int diceType) const;
    // File letter of a "DiceType" ("w" for values out of range).
    [[nodiscard]] static QString DiceLetter(int diceType);
    [[nodiscard]] const TPictureList &HoldMarks() const noexcept { return m_HoldMarks; }
    [[nodiscard]] const TPictureList &Cups() const noexcept { return m_Cups; }

private:
    // Where a background entry comes from, until its picture is set.
    struct TSource {
        QString File;
        QRgb Key = 0;
        QString CacheKey;
        bool Pending = true;
        std::future<QImage> Keyed;  // valid while decoded on another thread
    };
    // Adds `file` unless its header shows it is no picture or too large.
    void AddBackground(const QString &caption, const QString &file);
    // Starts decoding entry `slot` on another thread (at once without one).
    void DecodeAhead(int slot);
    void SetBackground(int slot, const QImage &keyed) const;
    // Loads one set; false when a picture is missing or damaged.
    bool LoadDiceSet(const QString &letter, TPictureList &list, const QString &diceFolder);
    [[nodiscard]] static int DiceSetIndex(int diceType) noexcept;

    // Filled in by Backgrounds() and PrepareBackground() as the decodes
    // finish, hence mutable. One source per background entry.
    mutable TPictureList m_Backgrounds;
    mutable std::vector<TSource> m_Sources;
    QStringList m_Captions;
    QStringList m_Paths;
    std::array<TPictureList, 6> m_DiceSets;
    std::array<bool, 6> m_DiceComplete{};
    QStringList m_DiceProblems;
    TPictureList m_HoldMarks;
    TPictureList m_Cups;
};
