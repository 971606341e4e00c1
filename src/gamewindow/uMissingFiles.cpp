// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uMissingFiles.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// The text above the list: how many files, what the game does without them,
// how to get them back.
QString MissingProgramFilesText(const QStringList &consequences, qsizetype fileCount)
{
    QString text = fileCount == 1
                       ? QStringLiteral("Eine Datei von Quintor fehlt oder ist beschädigt (unten genannt).")
                       : QStringLiteral("%1 Dateien von Quintor fehlen oder sind beschädigt (unten aufgelistet).")
                             .arg(fileCount);
    for (const QString &line : consequences)
        text += QLatin1Char('\n') + line;
    text += QStringLiteral("\n\nBitte installieren Sie Quintor neu, damit die Dateien wiederhergestellt werden.");
    return text;
}

}  // namespace

void ShowMissingProgramFiles(QWidget *parent, const QStringList &consequences, const QStringList &files)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("FormQuintorMissingFiles"));
    dialog.setWindowTitle(QStringLiteral("Quintor"));
    dialog.resize(560, 360);
    auto *layout = new QVBoxLayout(&dialog);
    auto *head = new QHBoxLayout;
    auto *icon = new QLabel(&dialog);
    icon->setPixmap(dialog.style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    head->addWidget(icon);
    auto *text = new QLabel(MissingProgramFilesText(consequences, files.size()), &dialog);
    text->setObjectName(QStringLiteral("LabelMessage"));
    text->setWordWrap(true);
    text->setTextFormat(Qt::PlainText);
    head->addWidget(text, 1);
    layout->addLayout(head);
    auto *list = new QPlainTextEdit(files.join(QLatin1Char('\n')), &dialog);
    list->setObjectName(QStringLiteral("MemoFiles"));
    list->setReadOnly(true);
    list->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(list, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    layout->addWidget(buttons);
    dialog.exec();
}
