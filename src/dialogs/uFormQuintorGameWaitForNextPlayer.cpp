// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/uFormQuintorGameWaitForNextPlayer.h"

#include <QCursor>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {
constexpr int ClientHeight = 89;
}

TFormQuintorGameWaitForNextPlayer::TFormQuintorGameWaitForNextPlayer(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_Label1(new QLabel(this))
    , m_ProgressBarMain(new QProgressBar(this))
    , m_ButtonNo(new QPushButton(QStringLiteral("&Nein"), this))
    , m_ButtonCancel(new QPushButton(QStringLiteral("&Ja"), this))
    , m_TimerAnimate(new QTimer(this))
{
    setObjectName(QStringLiteral("FormQuintorGameWaitForNextPlayer"));
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPixelSize(11);
    setFont(font);
    setWindowTitle(QStringLiteral("Zugrücknahme"));

    m_Label1->setObjectName(QStringLiteral("Label1"));
    m_Label1->setText(QStringLiteral("Ergebnis eintragen ?"));
    m_Label1->installEventFilter(this);
    m_ProgressBarMain->setObjectName(QStringLiteral("ProgressBarMain"));
    m_ProgressBarMain->setRange(0, ProgressMaximum);
    m_ProgressBarMain->setValue(1);
    m_ProgressBarMain->setTextVisible(false);
    m_ProgressBarMain->setStyleSheet(QStringLiteral(
        "QProgressBar { border: none; background: #d8d8d8; } QProgressBar::chunk { background: #008000; }"));
    m_ButtonNo->setObjectName(QStringLiteral("ButtonNo"));
    m_ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    m_ButtonCancel->setDefault(true);
    connect(m_ButtonNo, &QPushButton::clicked, this, [this] { done(ResultDeclined); });
    connect(m_ButtonCancel, &QPushButton::clicked, this, [this] { done(ResultAccepted); });
    // J and N answer like the buttons' accelerators, without Alt, wherever the focus is.
    for (QObject *watched : {static_cast<QObject *>(this), static_cast<QObject *>(m_ButtonNo),
                             static_cast<QObject *>(m_ButtonCancel)})
        watched->installEventFilter(this);

    m_TimerAnimate->setObjectName(QStringLiteral("TimerAnimate"));
    m_TimerAnimate->setInterval(95);
    connect(m_TimerAnimate, &QTimer::timeout, this, &TFormQuintorGameWaitForNextPlayer::TimerAnimateTimer);
    m_TimerAnimate->start();
    SetDialogWidth(346);
}

void TFormQuintorGameWaitForNextPlayer::LayOut()
{
    const int w = width();
    m_Label1->setGeometry(8, 8, w - 16, 20);
    m_ProgressBarMain->setGeometry(8, 32, w - 17, 17);
    m_ButtonNo->setGeometry(w - 146, 56, 65, 25);
    m_ButtonCancel->setGeometry(w - 74, 56, 65, 25);
}

void TFormQuintorGameWaitForNextPlayer::SetQuestion(const QString &text)
{
    m_Label1->setText(text);
}

void TFormQuintorGameWaitForNextPlayer::SetTimerInterval(int milliseconds)
{
    m_TimerAnimate->setInterval(milliseconds);
}

void TFormQuintorGameWaitForNextPlayer::HideProgress()
{
    m_ProgressBarMain->hide();
}

void TFormQuintorGameWaitForNextPlayer::SetTag(int tag)
{
    m_Tag = tag;
    m_ButtonCancel->setDefault(tag == 0);
    m_ButtonNo->setDefault(tag != 0);
}

void TFormQuintorGameWaitForNextPlayer::SetDialogWidth(int width)
{
    setFixedSize(width, ClientHeight);
    LayOut();
}

void TFormQuintorGameWaitForNextPlayer::CentreOn(const QRect &area)
{
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void TFormQuintorGameWaitForNextPlayer::TimerAnimateTimer()
{
    // The progress keeps counting while hidden, so every question ends by itself.
    m_ProgressBarMain->setValue(m_ProgressBarMain->value() + 1);
    if (m_ProgressBarMain->value() >= ProgressMaximum)
        done(ResultAccepted);
}

void TFormQuintorGameWaitForNextPlayer::reject()
{
    done(ResultClosed);
}

void TFormQuintorGameWaitForNextPlayer::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    QPushButton *target = m_Tag != 0 ? m_ButtonNo : m_ButtonCancel;
    target->setFocus();
    QCursor::setPos(target->mapToGlobal(target->rect().center()));
}

void TFormQuintorGameWaitForNextPlayer::keyPressEvent(QKeyEvent *event)
{
    // QDialog would reject on Escape, which an entry with take-back counts as
    // accepted: the value would be entered with no way back.
    if (event->key() == Qt::Key_Escape || event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TFormQuintorGameWaitForNextPlayer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_Label1 && event->type() == QEvent::MouseButtonRelease) {
        done(ResultDeclined);
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        QPushButton *answer = key->key() == Qt::Key_J ? m_ButtonCancel : key->key() == Qt::Key_N ? m_ButtonNo : nullptr;
        if (answer && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            answer->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
