// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uStrategyWorker.h"

#include "strategy/uTRulesScoring.h"
#include "strategy/uTStrategy.h"

#include <QThread>

TStrategyWorker::TStrategyWorker(const TTavolexSettings &rules, const QString &cacheFolder, QObject *parent)
    : QObject(parent), m_Rules(rules), m_CacheFolder(cacheFolder)
{
}

TStrategyWorker::~TStrategyWorker()
{
    if (!m_Thread)
        return;
    m_Cancel = true;
    m_Thread->wait();
    delete m_Thread;
}

void TStrategyWorker::Start()
{
    if (m_Thread || m_Strategy)
        return;
    m_Thread = QThread::create([this] {
        TSolveControl control;
        control.Cancel = &m_Cancel;
        std::shared_ptr<const TStrategy> strategy;
        try {
            strategy = ObtainStrategy(m_Rules, m_CacheFolder, control);
        } catch (...) {
            // Without a strategy computers keep waiting and the coach stays silent;
            // the game itself goes on.
        }
        if (strategy && !m_Cancel)
            QMetaObject::invokeMethod(this, [this, strategy] { Finished(strategy); }, Qt::QueuedConnection);
    });
    // A solve must never take a core from the frame loop or the display
    // server: idle priority (SCHED_IDLE on Linux) runs it only on spare time.
    m_Thread->start(QThread::IdlePriority);
}

void TStrategyWorker::Finished(std::shared_ptr<const TStrategy> strategy)
{
    m_Strategy = std::move(strategy);
    emit Ready();
}
