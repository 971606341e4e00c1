// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers the next modal window of type T as soon as it is open: `answer`
// runs once with it from a timer inside the window's own event loop. Delete
// the returned timer to withdraw an answer that was never needed.
template <typename T>
QTimer *AnswerNext(std::function<void(T *)> answer)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
        T *window = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!window)
            return;
        timer->stop();
        timer->deleteLater();
        answer(window);
    });
    timer->start();
    return timer;
}
