// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The charts module: everything of the statistics view that needs Qt Charts.
#include "dialogs/uStatisticsCharts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>

namespace {

QWidget *NewView(const QString &objectName, QWidget *parent)
{
    auto *chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto *view = new QChartView(chart, parent);
    view->setObjectName(objectName);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

// The view's chart, emptied for new figures.
QChart *ClearedChart(QWidget *view, const QString &title)
{
    QChart *chart = static_cast<QChartView *>(view)->chart();
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    chart->setTitle(title);
    return chart;
}

// Drawn in the design's own colours: the plot area like an input field,
// text and grid in the design's text and border colours.
void StyleChart(QChart *chart, const RChartColours &colours, const QFont &font)
{
    chart->setBackgroundBrush(colours.Panel);
    chart->setBackgroundPen(QPen(colours.Border));
    chart->setPlotAreaBackgroundBrush(colours.Input);
    chart->setPlotAreaBackgroundVisible(true);
    chart->setTitleBrush(colours.Text);
    chart->legend()->setLabelColor(colours.Text);
    chart->legend()->setFont(font);
    for (QAbstractAxis *axis : chart->axes()) {
        axis->setLabelsBrush(colours.Text);
        axis->setLabelsFont(font);
        axis->setTitleBrush(colours.Text);
        axis->setTitleFont(font);
        axis->setLinePenColor(colours.Border);
        axis->setGridLineColor(colours.Border);
        axis->setMinorGridLineVisible(false);
    }
}

QValueAxis *NewValueAxis(const QString &title, double low, double high)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setRange(low, high);
    axis->setLabelFormat(QStringLiteral("%d"));
    return axis;
}

void Attach(QChart *chart, QAbstractSeries *series, QAbstractAxis *x, QAbstractAxis *y)
{
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

void DrawLines(QWidget *view, const RLineChart &lines, const RChartColours &colours, const QFont &font)
{
    QChart *chart = ClearedChart(view, lines.Title);
    auto *x = NewValueAxis(lines.XTitle, lines.XLow, lines.XHigh);
    auto *y = NewValueAxis(lines.YTitle, lines.YLow, lines.YHigh);
    y->applyNiceNumbers();
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (const RChartLine &line : lines.Lines) {
        auto *series = new QLineSeries;
        series->setName(line.Name);
        series->setPen(QPen(line.Colour, line.Width));
        series->replace(line.Points);
        Attach(chart, series, x, y);
    }
    StyleChart(chart, colours, font);
}

void DrawBars(QWidget *view, const RBarChart &bars, const RChartColours &colours, const QFont &font)
{
    QChart *chart = ClearedChart(view, bars.Title);
    auto *set = new QBarSet(bars.SetName);
    set->setColor(bars.Colour);
    set->setBorderColor(bars.BorderColour);
    for (const int count : bars.Counts)
        *set << count;
    auto *series = new QBarSeries;
    series->append(set);
    series->setBarWidth(0.9);
    auto *x = new QBarCategoryAxis;
    x->setTitleText(bars.XTitle);
    x->append(bars.Labels);
    // Narrow bins get slanted labels, so that none is cut short.
    if (bars.Labels.size() > 6)
        x->setLabelsAngle(-45);
    auto *y = NewValueAxis(bars.YTitle, 0, bars.YHigh);
    y->applyNiceNumbers();
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    Attach(chart, series, x, y);
    chart->legend()->setVisible(false);
    StyleChart(chart, colours, font);
}

}  // namespace

extern "C" Q_DECL_EXPORT const RStatisticsCharts *QuintorStatisticsCharts()
{
    static const RStatisticsCharts charts{NewView, DrawLines, DrawBars};
    return &charts;
}
