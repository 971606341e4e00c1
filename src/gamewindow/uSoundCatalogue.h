// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "gamewindow/uSoundLayer.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class TMainApplication;

// The game window's samples: the fixed list of names, each loaded from
// `<sound folder><name>.wav`, and the choice of throw samples. Every play
// honours the "Sound" switch of the settings (0 on, 1 off).
class TSoundCatalogue {
public:
    // Called once per file that is missing or cannot be decoded, with its
    // full path; the caller collects them into one message.
    using TProblem = std::function<void(const QString &path)>;

    // Plays through `layer`, or through SDL when none is given.
    explicit TSoundCatalogue(const TMainApplication &settings, std::unique_ptr<ISoundLayer> layer = nullptr);

    // The 166 catalogue names in load order.
    [[nodiscard]] static QStringList Names();

    // Loads every name from `soundFolder` (names matched ignoring case).
    void LoadSounds(const QString &soundFolder, const TProblem &problem);

    // Plays (or with `stop`, stops) the sample `name`, letter case ignored;
    // silent for an absent name. repeat > 0 plays repeat + 1 times, each to
    // its end; a negative repeat plays nothing.
    void PlaySound(const QString &name, int repeat, bool wait, bool stop);
    // Chooses a throw sample for "SHAKE", "IN" or "ROLL" and `diceInCup`
    // dice not held, unless a sample is already selected or the sound is off.
    // A name missing from the catalogue selects index 0; with an empty
    // catalogue nothing (-1) is selected.
    void SelectSound(const QString &event, int diceInCup);
    // Plays the selected sample unless it is already playing.
    void PlaySelectedSound(bool wait);
    void StopAllSounds();

    // Catalogue index of the selected throw sample, -1 for none.
    [[nodiscard]] int SelectedSound() const noexcept { return m_SelectedSound; }
    void SetSelectedSound(int index) noexcept { m_SelectedSound = index; }
    // True while the selected sample plays; false when none is selected or
    // the index names no sample.
    [[nodiscard]] bool SelectedSoundPlaying() const;

    [[nodiscard]] ISoundLayer &Layer() noexcept { return m_Layer; }
    [[nodiscard]] const ISoundLayer &Layer() const noexcept { return m_Layer; }

private:
    [[nodiscard]] bool SoundOff() const;
    [[nodiscard]] static QString ThrowSampleName(const QString &event, int diceInCup);

    const TMainApplication &m_Settings;
    std::unique_ptr<ISoundLayer> m_OwnedLayer;
    ISoundLayer &m_Layer;
    int m_SelectedSound = 0;
};
