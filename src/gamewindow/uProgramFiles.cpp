// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uProgramFiles.h"

#include <QDir>

TFolderIndex::TFolderIndex(const QString &folder)
    : m_Folder(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'))
{
    const QStringList names =
        QDir(m_Folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString &name : names)
        m_Names.insert(name.toLower(), name);
}

QString TFolderIndex::Path(const QString &name) const
{
    return m_Folder + m_Names.value(name.toLower(), name);
}

bool TFolderIndex::Exists(const QString &name) const
{
    return m_Names.contains(name.toLower());
}

QString FindFolderIgnoringCase(const QString &base, const QString &relative)
{
    QString folder = base.endsWith(QLatin1Char('/')) ? base : base + QLatin1Char('/');
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts)
        folder = TFolderIndex(folder).Path(part) + QLatin1Char('/');
    return folder;
}
