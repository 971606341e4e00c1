// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

class QWidget;

// The statistics view's charts, drawn by a module of their own: Qt Charts
// and the OpenGL libraries under it are loaded when the view first shows a
// chart, not at every start of the program. Only Qt's types cross.

struct RChartColours {
    QColor Panel;
    QColor Border;
    QColor Input;
    QColor Text;
};

struct RChartLine {
    QString Name;
    QColor Colour;
    double Width = 1;
    QList<QPointF> Points;
};

struct RLineChart {
    QString Title;
    QString XTitle;
    QString YTitle;
    double XLow = 0;
    double XHigh = 1;
    double YLow = 0;
    double YHigh = 1;
    QList<RChartLine> Lines;
};

struct RBarChart {
    QString Title;
    QString SetName;
    QColor Colour;
    QColor BorderColour;
    QString XTitle;
    QStringList Labels;
    QList<int> Counts;
    QString YTitle;
    int YHigh = 1;
};

// What the module offers; the views it makes are Qt Charts' chart views.
struct RStatisticsCharts {
    QWidget *(*NewView)(const QString &objectName, QWidget *parent);
    void (*DrawLines)(QWidget *view, const RLineChart &chart, const RChartColours &colours, const QFont &font);
    void (*DrawBars)(QWidget *view, const RBarChart &chart, const RChartColours &colours, const QFont &font);
};

// The module's entry point, looked up by this name.
extern "C" const RStatisticsCharts *QuintorStatisticsCharts();

// The module beside the program (or the one QUINTOR_CHARTS_MODULE names,
// for tests and benchmarks), loaded at the first call; null with a German
// `problem` when it cannot be loaded.
const RStatisticsCharts *LoadStatisticsCharts(QString &problem);
