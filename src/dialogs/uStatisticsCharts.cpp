// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/uStatisticsCharts.h"

#include <QCoreApplication>
#include <QLibrary>

namespace {

struct RLoadedCharts {
    const RStatisticsCharts *Charts = nullptr;
    QString Problem;
};

RLoadedCharts Load()
{
    QString path = qEnvironmentVariable("QUINTOR_CHARTS_MODULE");
    if (path.isEmpty())
        path = QCoreApplication::applicationDirPath() + QStringLiteral("/quintor_charts.so");
    // Kept loaded while the program runs: the views it made live on.
    static QLibrary module;
    module.setFileName(path);
    using TEntry = const RStatisticsCharts *(*)();
    const auto entry = reinterpret_cast<TEntry>(module.resolve("QuintorStatisticsCharts"));
    if (!entry)
        return {nullptr, QStringLiteral("Die Diagramme können nicht gezeigt werden: \"%1\" ließ sich nicht laden.\n%2")
                             .arg(path, module.errorString())};
    return {entry(), QString()};
}

}  // namespace

const RStatisticsCharts *LoadStatisticsCharts(QString &problem)
{
    static const RLoadedCharts loaded = Load();
    problem = loaded.Problem;
    return loaded.Charts;
}
