// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Installation-wide settings, section "GLOBAL" of Global.ini (no signature).
class TMainApplication {
public:
    [[nodiscard]] int Gamecount() const noexcept { return m_Gamecount; }
    [[nodiscard]] const QString &Name() const noexcept { return m_Name; }
    [[nodiscard]] int Sound() const noexcept { return m_Sound; }           // 0 on, 1 off
    [[nodiscard]] int AnimateCup() const noexcept { return m_AnimateCup; } // 2 on, 3 off
    [[nodiscard]] int AnimateDice() const noexcept { return m_AnimateDice; } // 4 on, 5 off
    [[nodiscard]] bool ShowSplash() const noexcept { return m_ShowSplash; }

    void SetGamecount(int v) noexcept { m_Gamecount = v; }
    void SetName(const QString &v) { m_Name = v; }
    void SetSound(int v) noexcept { m_Sound = v; }
    void SetAnimateCup(int v) noexcept { m_AnimateCup = v; }
    void SetAnimateDice(int v) noexcept { m_AnimateDice = v; }
    void SetShowSplash(bool v) noexcept { m_ShowSplash = v; }

    // Missing file or keys give the defaults; nothing is created.
    void LoadFromFile(const QString &fileName);
    // Throws EWriteError.
    void SaveToFile(const QString &fileName) const;

private:
    int m_Gamecount = 0;
    QString m_Name;
    int m_Sound = 0;
    int m_AnimateCup = 2;
    int m_AnimateDice = 4;
    bool m_ShowSplash = true;
};
