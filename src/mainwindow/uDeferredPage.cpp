// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/uDeferredPage.h"

#include <QEvent>
#include <QVBoxLayout>

TDeferredPage::TDeferredPage(QWidget *content, QWidget *parent)
    : QWidget(parent), m_Content(content)
{
    setObjectName(content->objectName() + QStringLiteral("Deferred"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    content->setParent(this);
    content->hide();
}

bool TDeferredPage::event(QEvent *event)
{
    // ShowToParent comes with every show, also while the window is hidden:
    // a page chosen before the window appears is laid out as a shown page is.
    if (event->type() == QEvent::ShowToParent && !m_LaidOut) {
        m_LaidOut = true;
        emit FirstShown();
        layout()->addWidget(m_Content);
        m_Content->show();
        layout()->activate();
    }
    return QWidget::event(event);
}
