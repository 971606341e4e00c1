// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QStyle>

#include <initializer_list>

// An icon of one picture file, decoded when it is first drawn or asked for a
// size: an icon made from a file decodes the whole picture at once, which
// for the buttons of pages not yet shown was work of the start. Null when
// the file does not exist.
QIcon LazyFileIcon(const QString &fileName);
// The same for one picture file per size, `pattern` with "%1" for the size.
QIcon LazyFileIcon(std::initializer_list<int> sizes, const QString &pattern);
// The same, decoded on a thread of its own from the moment it is made: for
// an icon that is needed soon after, as the window's is when the window is
// made, while the user-interface thread builds the window.
QIcon DecodingFileIcon(std::initializer_list<int> sizes, const QString &pattern);

// The style's standard icon for a small tool button, without its 128 px
// picture: the standard icon decodes every size it has when it is made,
// and the buttons draw at 16 px (32 px on a double-density screen).
QIcon SmallStandardIcon(const QStyle &style, QStyle::StandardPixmap which);
