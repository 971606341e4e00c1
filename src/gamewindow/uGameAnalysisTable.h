// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "strategy/uTGameAnalysis.h"

#include <QList>
#include <QStringList>

// "12,3": points with one decimal, German style.
[[nodiscard]] QString AnalysisPoints(double points);

// The report's "Spielanalyse" table after the other tables (before the
// closing "</body>" of `lines`): per person the decisions, the points given
// away against optimal play and the costliest decision. Nothing is added
// without rows, so a report without analysis stays as it always was.
void AppendGameAnalysis(QStringList &lines, const QList<TPlayerAnalysis> &rows);
