// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QObject;
class QTextBrowser;
class QWidget;

// Caption "Quintor " + text, and the head as SetHeadCaption sets it.
void SetFormCaption(QWidget *window, const QString &text);
// The head label "LabelHead" only: "Quintor  " when it carries a shadow, text
// + two blanks when it is plain; a head whose text changes is redrawn at once.
void SetHeadCaption(QWidget *window, const QString &text);

// The help topic F1 opens while `window` is active.
void SetFormHelpContext(QWidget *window, int context);
[[nodiscard]] int FormHelpContext(const QWidget *window);

// The folder of the help pages "<context>.html"; help exists while it exists.
[[nodiscard]] QString HelpFolder();
void SetHelpFolder(const QString &folder);
[[nodiscard]] bool HelpAvailable();

// Shows the page of `context` (index.html when that page is missing) in the
// one help viewer of the program, usable also when `from` (the window asking)
// is modal or belongs to a modal window. Without help pages a message owned
// by `from` says that the help is not installed.
void ShowHelpTopic(int context, QWidget *from = nullptr);
// The viewer shown last, or null when none was opened yet.
[[nodiscard]] QTextBrowser *HelpViewer();

// Makes F1 open the help topic of the active window, in every window.
void InstallHelpKey(QObject *application);
