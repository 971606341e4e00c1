// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QString>

// Files below the program folder are found ignoring letter case, as the
// names of the asset tree were given on a system that ignores it.

// `relative` ("Bin/Sounds") below `base`, each part matched ignoring case,
// with a trailing "/". When a part is missing the rest is appended as given.
[[nodiscard]] QString FindFolderIgnoringCase(const QString &base, const QString &relative);

// The names of one folder, read once, for lookups ignoring case.
class TFolderIndex {
public:
    explicit TFolderIndex(const QString &folder);
    // Full path of the entry `name`; the path as given when there is none,
    // so that messages name the file that was looked for.
    [[nodiscard]] QString Path(const QString &name) const;
    [[nodiscard]] bool Exists(const QString &name) const;

private:
    QString m_Folder;
    QHash<QString, QString> m_Names;  // lower case -> name on disk
};
