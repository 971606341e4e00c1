// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/uTMainApplication.h"

#include "storage/uIniFile.h"
#include "storage/uTools.h"

namespace {
const QString Section = QStringLiteral("GLOBAL");
}

void TMainApplication::LoadFromFile(const QString &fileName)
{
    const TIniFile ini(fileName);
    m_Gamecount = ini.ReadInteger(Section, QStringLiteral("Gamecount"), 0);
    m_Name = ini.ReadString(Section, QStringLiteral("Name"), GetLocalComputerName());
    m_Sound = ini.ReadInteger(Section, QStringLiteral("Sound"), 0);
    m_AnimateCup = ini.ReadInteger(Section, QStringLiteral("AnimateCup"), 2);
    m_AnimateDice = ini.ReadInteger(Section, QStringLiteral("AnimateDice"), 4);
    m_ShowSplash = ini.ReadBool(Section, QStringLiteral("ShowSplash"), true);
}

void TMainApplication::SaveToFile(const QString &fileName) const
{
    TIniFile ini(fileName);
    ini.BeginUpdate();
    ini.WriteInteger(Section, QStringLiteral("Gamecount"), m_Gamecount);
    ini.WriteString(Section, QStringLiteral("Name"), m_Name);
    ini.WriteInteger(Section, QStringLiteral("Sound"), m_Sound);
    ini.WriteInteger(Section, QStringLiteral("AnimateCup"), m_AnimateCup);
    ini.WriteInteger(Section, QStringLiteral("AnimateDice"), m_AnimateDice);
    ini.WriteBool(Section, QStringLiteral("ShowSplash"), m_ShowSplash);
    ini.EndUpdate();
}
