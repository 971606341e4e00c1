// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "rules/uTTavolex.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

class QThread;
class TStrategy;

// Solves (or reads from the cache) the strategy of a game's rule set on a
// thread of its own, so that the window never waits for it. Ready() is
// emitted on the thread that owns the worker once the strategy can be used.
class TStrategyWorker : public QObject {
    Q_OBJECT
public:
    TStrategyWorker(const TTavolexSettings &rules, const QString &cacheFolder, QObject *parent = nullptr);
    // Stops a solve still running and waits for its thread.
    ~TStrategyWorker() override;

    void Start();
    // Null until Ready(); afterwards the solved strategy.
    [[nodiscard]] const std::shared_ptr<const TStrategy> &Strategy() const noexcept { return m_Strategy; }
    [[nodiscard]] bool IsReady() const noexcept { return m_Strategy != nullptr; }

signals:
    void Ready();

private:
    void Finished(std::shared_ptr<const TStrategy> strategy);

    TTavolexSettings m_Rules;
    QString m_CacheFolder;
    std::atomic<bool> m_Cancel{false};
    QThread *m_Thread = nullptr;
    std::shared_ptr<const TStrategy> m_Strategy;
};
