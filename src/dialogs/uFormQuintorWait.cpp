// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/uFormQuintorWait.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

TFormQuintorWait::TFormQuintorWait(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_Label(new QLabel(this))
{
    setObjectName(QStringLiteral("FormQuintorWait"));
    setWindowTitle(QStringLiteral("Bitte warten..."));
    setFixedSize(376, 67);
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("PanelMain"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(rect());
    m_Label->setParent(panel);
    m_Label->setObjectName(QStringLiteral("sLabelFX1"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    m_Label->setFont(font);
    m_Label->setAlignment(Qt::AlignCenter);
    m_Label->setGeometry(panel->rect());
    m_Label->setText(QStringLiteral("Bitte warten, Anwendung wird initialisiert."));
}

void TFormQuintorWait::SetText(const QString &text)
{
    m_Label->setText(text);
    m_Label->repaint();
}

QString TFormQuintorWait::Text() const
{
    return m_Label->text();
}
