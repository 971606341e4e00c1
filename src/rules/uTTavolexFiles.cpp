// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rules/uTTavolex.h"

#include "storage/uIniFile.h"
#include "storage/uTools.h"

void TTavolexSettings::LoadFromFile(const QString &fileName, const QString &section, QString &error)
{
    const TIniFile ini(fileName);
    m_DesignName = ini.ReadString(section, QStringLiteral("DesignName"), QStringLiteral("0"));
    m_MultTavolex = ini.ReadBool(section, QStringLiteral("MultTavolex"), true);
    m_DiceCount = ini.ReadInteger(section, QStringLiteral("DiceCount"), 3);
    m_GameCount = ini.ReadInteger(section, QStringLiteral("GameCount"), 1);
    m_Description = ini.ReadString(section, QStringLiteral("Description"), QStringLiteral("Default"));
    // Through the setter: RuleValue answers from a cache of the list.
    SetExtOptions(ini.ReadString(section, QStringLiteral("ExtOptions"), DefaultExtOptions));
    m_AllowRedo = ini.ReadBool(section, QStringLiteral("AllowRedo"), false);
    m_ShowHint = ini.ReadBool(section, QStringLiteral("ShowHint"), true);
    if (!VerifyKey(ini, section))
        error = fileName;
    if (!ini.Exists())
        SaveToFile(fileName, QStringLiteral("Settings"));
}

void TTavolexSettings::SaveToFile(const QString &fileName, const QString &section) const
{
    TIniFile ini(fileName);
    ini.BeginUpdate();
    ini.WriteString(section, QStringLiteral("DesignName"), m_DesignName);
    ini.WriteBool(section, QStringLiteral("MultTavolex"), m_MultTavolex);
    ini.WriteInteger(section, QStringLiteral("DiceCount"), m_DiceCount);
    ini.WriteInteger(section, QStringLiteral("GameCount"), m_GameCount);
    // Read as "Description", written as "Name": files keep the old key pair.
    ini.WriteString(section, QStringLiteral("Name"), m_Description);
    ini.WriteString(section, QStringLiteral("ExtOptions"), m_ExtOptions);
    ini.WriteBool(section, QStringLiteral("AllowRedo"), m_AllowRedo);
    ini.WriteBool(section, QStringLiteral("ShowHint"), m_ShowHint);
    WriteKey(ini, section);
    ini.EndUpdate();
}
