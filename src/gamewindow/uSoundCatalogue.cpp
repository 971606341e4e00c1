// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uSoundCatalogue.h"

#include "gamewindow/uProgramFiles.h"
#include "play/uRandom.h"
#include "storage/uTMainApplication.h"

namespace {

// n + stem + v with v right-aligned in two places, every space then made "0".
QString SampleName(int n, const QString &stem, int v)
{
    QString name = QString::number(n) + stem + QStringLiteral("%1").arg(v, 2);
    return name.replace(QLatin1Char(' '), QLatin1Char('0'));
}

}  // namespace

TSoundCatalogue::TSoundCatalogue(const TMainApplication &settings, std::unique_ptr<ISoundLayer> layer)
    : m_Settings(settings)
    , m_OwnedLayer(layer ? std::move(layer) : std::make_unique<TSoundLayer>())
    , m_Layer(*m_OwnedLayer)
{
}

QStringList TSoundCatalogue::Names()
{
    QStringList names;
    names.reserve(166);
    for (int n = 1; n <= 5; ++n)
        for (int v = 1; v <= 12; ++v)
            names << SampleName(n, QStringLiteral("w"), v);
    for (const char *family : {"wda", "wdr", "wds", "wka", "wkr", "wks"})
        for (int n = 1; n <= 5; ++n)
            for (int v = 1; v <= 3; ++v)
                names << SampleName(n, QLatin1String(family), v);
    names << QStringLiteral("hit1") << QStringLiteral("hit2") << QStringLiteral("hit3")
          << QStringLiteral("hit4") << QStringLiteral("hit5") << QStringLiteral("hit6")
          << QStringLiteral("hit7") << QStringLiteral("strike") << QStringLiteral("KlickDice")
          << QStringLiteral("choose") << QStringLiteral("cancel") << QStringLiteral("hero")
          << QStringLiteral("False_Game") << QStringLiteral("False_Set") << QStringLiteral("Boni")
          << QStringLiteral("Wait");
    return names;
}

void TSoundCatalogue::LoadSounds(const QString &soundFolder, const TProblem &problem)
{
    const TFolderIndex folder(soundFolder);
    for (const QString &name : Names()) {
        const QString file = name + QStringLiteral(".wav");
        const QString path = folder.Path(file);
        if (!folder.Exists(file)) {
            if (problem)
                problem(path);
            continue;
        }
        if (m_Layer.Add(name, path) < 0 && problem && m_Layer.IsOpen())
            problem(path);
    }
}

bool TSoundCatalogue::SoundOff() const
{
    return m_Settings.Sound() == 1;
}

void TSoundCatalogue::PlaySound(const QString &name, int repeat, bool wait, bool stop)
{
    if (SoundOff())
        return;
    const int index = m_Layer.IndexOf(name);
    if (index < 0)
        return;
    if (stop) {
        m_Layer.Stop(index);
        return;
    }
    if (repeat == 0) {
        m_Layer.Play(index, wait);
        return;
    }
    for (int i = 0; i <= repeat; ++i)
        m_Layer.Play(index, true);
}

QString TSoundCatalogue::ThrowSampleName(const QString &event, int diceInCup)
{
    if (event == QLatin1String("SHAKE"))
        return SampleName(diceInCup, QStringLiteral("w"), Random(12) + 1);
    const bool in = event == QLatin1String("IN");
    if (!in && event != QLatin1String("ROLL"))
        return QString();
    const int v = Random(3) + 1;
    const bool coin = Random(2) == 1;
    if (in)
        return SampleName(diceInCup, coin ? QStringLiteral("wdr") : QStringLiteral("wkr"), v);
    return SampleName(diceInCup, coin ? QStringLiteral("wka") : QStringLiteral("wks"), v);
}

void TSoundCatalogue::SelectSound(const QString &event, int diceInCup)
{
    if (SoundOff() || m_SelectedSound != -1)
        return;
    const int index = m_Layer.IndexOf(ThrowSampleName(event, diceInCup));
    // An empty catalogue selects nothing, so shake and roll run by frames.
    m_SelectedSound = index >= 0 ? index : (m_Layer.Count() > 0 ? 0 : -1);
}

void TSoundCatalogue::PlaySelectedSound(bool wait)
{
    if (SoundOff())
        m_SelectedSound = -1;
    if (m_SelectedSound != -1 && !m_Layer.Playing(m_SelectedSound))
        m_Layer.Play(m_SelectedSound, wait);
}

void TSoundCatalogue::StopAllSounds()
{
    m_Layer.StopAll();
}

bool TSoundCatalogue::SelectedSoundPlaying() const
{
    return m_Layer.Playing(m_SelectedSound);
}
