// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/uFormQuintorStatistics.h"

#include "dialogs/uStatisticsCharts.h"

#include "mainwindow/uDesign.h"
#include "mainwindow/uFormCaption.h"
#include "rules/uTTavolex.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

const QString AllTypes = QStringLiteral("Alle");

QLocale German()
{
    return QLocale(QLocale::German, QLocale::Germany);
}

QString Decimal(double value)
{
    return German().toString(value, 'f', 1);
}

QString Percent(double share)
{
    return Decimal(share * 100.0) + QStringLiteral(" %");
}

QString GameMark(const RGameMark &mark)
{
    return QStringLiteral("%1 Punkte am %2 (Spiel %3)").arg(mark.Points).arg(mark.DateText).arg(mark.GameNumber);
}

QString Games(int count)
{
    return count == 1 ? QStringLiteral("1 Spiel") : QStringLiteral("%1 Spiele").arg(count);
}

QTreeWidget *NewList(const QString &name, const QStringList &headers, QWidget *parent)
{
    auto *list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setUniformRowHeights(true);
    list->setHeaderLabels(headers);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->header()->setStretchLastSection(true);
    return list;
}

void AddRow(QTreeWidget *list, const QStringList &texts)
{
    auto *row = new QTreeWidgetItem(list, texts);
    for (int column = 1; column < texts.size(); ++column)
        row->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
}

QWidget *NewChartPage(const QString &name)
{
    auto *page = new QWidget;
    page->setObjectName(name);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    return page;
}

// The chart view of a chart page, made on first use; null, and the page
// saying why, when the charts module cannot be loaded.
QWidget *ChartViewOn(QWidget *page, QWidget *&view, const QString &name)
{
    if (view)
        return view;
    QString problem;
    if (const RStatisticsCharts *charts = LoadStatisticsCharts(problem)) {
        view = charts->NewView(name, page);
        page->layout()->addWidget(view);
    } else if (!page->findChild<QLabel *>(QStringLiteral("LabelChartsMissing"))) {
        auto *label = new QLabel(problem, page);
        label->setObjectName(QStringLiteral("LabelChartsMissing"));
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        page->layout()->addWidget(label);
    }
    return view;
}

const RStatisticsCharts &Charts()
{
    QString ignored;
    return *LoadStatisticsCharts(ignored);
}

RChartColours ChartColours(const TDesignColors &colors)
{
    return {colors.Panel, colors.Border, colors.Input, colors.Text};
}

}  // namespace

TFormQuintorStatistics::TFormQuintorStatistics(const QString &dataFolder, const QString &profileFile,
                                               const QString &playerName, const QString &gameType, QWidget *parent)
    : QDialog(parent), m_Records(dataFolder), m_AllPlayers(profileFile.isEmpty())
{
    setObjectName(QStringLiteral("FormQuintorStatistics"));
    resize(760, 560);
    setMinimumSize(600, 420);
    CreateControls();
    SetFormCaption(this, m_AllPlayers ? QStringLiteral("Statistik aller Spieler")
                                      : QStringLiteral("Statistik von %1").arg(playerName));
    SetFormHelpContext(this, m_AllPlayers ? HelpContextAllPlayers : HelpContextPlayer);
    m_Records.Load();
    m_Profiles = m_Records.Profiles();
    FillPlayerList(profileFile, playerName);
    FillGameTypeList(gameType);
    FillFigures();
}

TFormQuintorStatistics::~TFormQuintorStatistics() = default;

void TFormQuintorStatistics::CreateControls()
{
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    auto *playerLabel = new QLabel(QStringLiteral("Spie&ler:"), this);
    m_ComboBoxPlayer = new QComboBox(this);
    m_ComboBoxPlayer->setObjectName(QStringLiteral("ComboBoxPlayer"));
    m_ComboBoxPlayer->setMinimumWidth(200);
    playerLabel->setBuddy(m_ComboBoxPlayer);
    auto *typeLabel = new QLabel(QStringLiteral("Spiel&art:"), this);
    m_ComboBoxGameType = new QComboBox(this);
    m_ComboBoxGameType->setObjectName(QStringLiteral("ComboBoxGameType"));
    m_ComboBoxGameType->setMinimumWidth(169);
    typeLabel->setBuddy(m_ComboBoxGameType);
    top->addWidget(playerLabel);
    top->addWidget(m_ComboBoxPlayer);
    if (m_AllPlayers)
        top->addSpacing(16);
    // One player's view names the player in its caption; a list of one
    // entry would only be a greyed-out box.
    playerLabel->setVisible(m_AllPlayers);
    m_ComboBoxPlayer->setVisible(m_AllPlayers);
    top->addWidget(typeLabel);
    top->addWidget(m_ComboBoxGameType);
    top->addStretch(1);
    layout->addLayout(top);

    m_PanelPages = new QStackedWidget(this);
    m_PanelPages->setObjectName(QStringLiteral("PanelPages"));
    m_LabelNoGames = new QLabel(m_PanelPages);
    m_LabelNoGames->setObjectName(QStringLiteral("LabelNoGames"));
    m_LabelNoGames->setAlignment(Qt::AlignCenter);
    m_LabelNoGames->setWordWrap(true);
    m_PageControlStatistics = new QTabWidget(m_PanelPages);
    m_PageControlStatistics->setObjectName(QStringLiteral("PageControlStatistics"));
    m_PageControlStatistics->addTab(CreateOverviewPage(), QStringLiteral("Ü&bersicht"));
    // The chart views are made when their page is first shown.
    m_PageControlStatistics->addTab(NewChartPage(QStringLiteral("TabSheetPoints")), QStringLiteral("&Verlauf"));
    m_PageControlStatistics->addTab(NewChartPage(QStringLiteral("TabSheetHistogram")), QStringLiteral("Ver&teilung"));
    m_PageControlStatistics->addTab(CreateHeadToHeadPage(), QStringLiteral("&Direktvergleich"));
    m_PanelPages->addWidget(m_LabelNoGames);
    m_PanelPages->addWidget(m_PageControlStatistics);
    layout->addWidget(m_PanelPages, 1);

    auto *close = new QPushButton(QStringLiteral("&Schließen"), this);
    close->setObjectName(QStringLiteral("ButtonClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(close);
    layout->addLayout(bottom);
    connect(m_ComboBoxPlayer, &QComboBox::activated, this, &TFormQuintorStatistics::ComboBoxPlayerSelect);
    connect(m_ComboBoxGameType, &QComboBox::activated, this, &TFormQuintorStatistics::ComboBoxGameTypeSelect);
    connect(m_PageControlStatistics, &QTabWidget::currentChanged, this,
            &TFormQuintorStatistics::PageControlStatisticsChange);
}

QWidget *TFormQuintorStatistics::CreateOverviewPage()
{
    auto *page = new QWidget;
    auto *layout = new QHBoxLayout(page);
    m_ListViewFigures = NewList(QStringLiteral("ListViewFigures"), {QStringLiteral("Kennzahl"), QStringLiteral("Wert")}, page);
    m_ListViewFields = NewList(QStringLiteral("ListViewFields"),
                               {QStringLiteral("Feld"), QStringLiteral("Durchschnitt"), QStringLiteral("Gestrichen")}, page);
    layout->addWidget(m_ListViewFigures, 3);
    layout->addWidget(m_ListViewFields, 2);
    return page;
}

QWidget *TFormQuintorStatistics::CreateHeadToHeadPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    m_LabelHeadToHeadNone = new QLabel(QStringLiteral("Keine gemeinsamen Spiele mit anderen Spielern aufgezeichnet."), page);
    m_LabelHeadToHeadNone->setObjectName(QStringLiteral("LabelHeadToHeadNone"));
    m_ListViewHeadToHead = NewList(QStringLiteral("ListViewHeadToHead"),
                                   {QStringLiteral("Spieler"), QStringLiteral("Gegner"), QStringLiteral("Gemeinsame Spiele"),
                                    QStringLiteral("Siege Spieler"), QStringLiteral("Siege Gegner")},
                                   page);
    m_ListViewHeadToHead->header()->setStretchLastSection(false);
    layout->addWidget(m_LabelHeadToHeadNone);
    layout->addWidget(m_ListViewHeadToHead, 1);
    return page;
}

void TFormQuintorStatistics::FillPlayerList(const QString &profileFile, const QString &playerName)
{
    if (!m_AllPlayers) {
        // The profile's current name, also when its games carry an older one.
        m_ComboBoxPlayer->addItem(playerName, profileFile);
        return;
    }
    for (const RRecordedProfile &profile : m_Profiles)
        m_ComboBoxPlayer->addItem(profile.Name, profile.ProfileFile);
    m_ComboBoxPlayer->setEnabled(!m_Profiles.isEmpty());
}

void TFormQuintorStatistics::FillGameTypeList(const QString &gameType)
{
    m_ComboBoxGameType->addItem(AllTypes, QString());
    for (const QString &type : m_Records.GameTypes(m_AllPlayers ? QString() : SelectedProfile()))
        m_ComboBoxGameType->addItem(type, type);
    m_ComboBoxGameType->setCurrentIndex(std::max(0, m_ComboBoxGameType->findData(gameType)));
}

QString TFormQuintorStatistics::SelectedProfile() const
{
    return m_ComboBoxPlayer->currentData().toString();
}

QString TFormQuintorStatistics::SelectedGameType() const
{
    return m_ComboBoxGameType->currentData().toString();
}

QString TFormQuintorStatistics::NameOf(const QString &profileFile) const
{
    if (!m_AllPlayers && profileFile == SelectedProfile())
        return m_ComboBoxPlayer->currentText();
    for (const RRecordedProfile &profile : m_Profiles) {
        if (profile.ProfileFile == profileFile)
            return profile.Name;
    }
    return profileFile;
}

void TFormQuintorStatistics::ComboBoxPlayerSelect(int)
{
    FillFigures();
}

void TFormQuintorStatistics::ComboBoxGameTypeSelect(int)
{
    FillFigures();
}

void TFormQuintorStatistics::ShowNoGames(const QString &sentence)
{
    m_LabelNoGames->setText(sentence);
    m_PanelPages->setCurrentWidget(m_LabelNoGames);
}

void TFormQuintorStatistics::FillFigures()
{
    if (m_Records.Games().isEmpty()) {
        ShowNoGames(m_AllPlayers ? QStringLiteral("Es ist noch kein Spiel aufgezeichnet.")
                                 : QStringLiteral("Für diesen Spieler ist noch kein Spiel aufgezeichnet."));
        return;
    }
    const RPlayerFigures figures = PlayerFigures(m_Records.Games(), SelectedProfile(), SelectedGameType());
    if (figures.Played == 0) {
        ShowNoGames(SelectedGameType().isEmpty()
                        ? QStringLiteral("Für diesen Spieler ist noch kein Spiel aufgezeichnet.")
                        : QStringLiteral("Für diesen Spieler ist kein Spiel der Spielart %1 aufgezeichnet.")
                              .arg(SelectedGameType()));
        return;
    }
    m_Figures = figures;
    m_PageFilled.fill(false);
    m_PanelPages->setCurrentWidget(m_PageControlStatistics);
    FillPage(m_PageControlStatistics->currentIndex());
}

void TFormQuintorStatistics::PageControlStatisticsChange(int index)
{
    // Only pages with figures to show; the sentence page keeps them stale.
    if (m_PanelPages->currentWidget() == m_PageControlStatistics)
        FillPage(index);
}

void TFormQuintorStatistics::FillPage(int index)
{
    if (index < 0 || index >= static_cast<int>(m_PageFilled.size()) || m_PageFilled[static_cast<std::size_t>(index)])
        return;
    m_PageFilled[static_cast<std::size_t>(index)] = true;
    switch (index) {
    case 0:
        FillFigureList(m_Figures);
        FillFieldList(m_Figures);
        break;
    case 1: FillPointsChart(m_Figures); break;
    case 2: FillHistogram(m_Figures); break;
    default: FillHeadToHead(); break;
    }
}

void TFormQuintorStatistics::FillFigureList(const RPlayerFigures &f)
{
    const QString none = QStringLiteral("–");
    const bool finished = f.Finished > 0;
    m_ListViewFigures->clear();
    AddRow(m_ListViewFigures, {QStringLiteral("Spiele"), QString::number(f.Played)});
    AddRow(m_ListViewFigures, {QStringLiteral("davon mit anderen Spielern"), QString::number(f.Contested)});
    AddRow(m_ListViewFigures, {QStringLiteral("Gewonnen"), QString::number(f.Won)});
    AddRow(m_ListViewFigures, {QStringLiteral("Siegquote"), f.Contested > 0 ? Percent(f.WinRate) : none});
    AddRow(m_ListViewFigures, {QStringLiteral("Aufgegeben"), QString::number(f.GaveUp)});
    AddRow(m_ListViewFigures, {QStringLiteral("Durchschnitt"), finished ? Decimal(f.AveragePoints) + QStringLiteral(" Punkte") : none});
    AddRow(m_ListViewFigures, {QStringLiteral("Bestes Spiel"), finished ? GameMark(f.Best) : none});
    AddRow(m_ListViewFigures, {QStringLiteral("Schlechtestes Spiel"), finished ? GameMark(f.Worst) : none});
    AddRow(m_ListViewFigures, {QStringLiteral("Bonus oben erreicht"), f.Sheets > 0 ? Percent(f.BonusRate) : none});
    AddRow(m_ListViewFigures, {QStringLiteral("Längste Siegesserie"), Games(f.LongestStreak)});
}

void TFormQuintorStatistics::FillFieldList(const RPlayerFigures &f)
{
    static const TTavolex captions;
    m_ListViewFields->clear();
    for (const RFieldFigure &field : f.Fields) {
        const bool known = f.Sheets > 0;
        AddRow(m_ListViewFields, {captions.Rows(field.Row).Caption, known ? Decimal(field.Average) : QStringLiteral("–"),
                                  known ? Percent(field.StruckRate) : QStringLiteral("–")});
    }
}

void TFormQuintorStatistics::FillPointsChart(const RPlayerFigures &f)
{
    QWidget *view = ChartViewOn(m_PageControlStatistics->widget(1), m_ChartViewPoints, QStringLiteral("ChartViewPoints"));
    if (!view)
        return;
    const TDesignColors colors = CurrentDesignColors();
    RChartLine points{QStringLiteral("Punkte"), colors.Accent, 1.2, {}};
    RChartLine averages{QStringLiteral("Gleitender Durchschnitt (%1 Spiele)").arg(MovingAverageGames), colors.Text, 2.6,
                        {}};
    const QList<double> moving = MovingAverage(f.PointsSeries, MovingAverageGames);
    for (qsizetype i = 0; i < f.PointsSeries.size(); ++i) {
        points.Points.append({static_cast<double>(i + 1), static_cast<double>(f.PointsSeries[i])});
        averages.Points.append({static_cast<double>(i + 1), moving[i]});
    }
    RLineChart chart;
    chart.Title = QStringLiteral("Punkte je Spiel");
    chart.XTitle = f.Finished > 0 ? QStringLiteral("Spiele vom %1 bis %2").arg(f.FirstDate, f.LastDate)
                                  : QStringLiteral("Spiele");
    chart.XLow = 1;
    chart.XHigh = std::max<double>(2, static_cast<double>(points.Points.size()));
    const auto [low, high] = std::minmax_element(f.PointsSeries.cbegin(), f.PointsSeries.cend());
    chart.YTitle = QStringLiteral("Punkte");
    chart.YLow = f.PointsSeries.isEmpty() ? 0 : std::min(0, *low);
    chart.YHigh = f.PointsSeries.isEmpty() ? 1 : std::max(1, *high);
    chart.Lines = {points, averages};
    Charts().DrawLines(view, chart, ChartColours(colors), font());
}

void TFormQuintorStatistics::FillHistogram(const RPlayerFigures &f)
{
    QWidget *view =
        ChartViewOn(m_PageControlStatistics->widget(2), m_ChartViewHistogram, QStringLiteral("ChartViewHistogram"));
    if (!view)
        return;
    const TDesignColors colors = CurrentDesignColors();
    RBarChart chart;
    chart.Title = QStringLiteral("Verteilung der Punkte");
    chart.SetName = QStringLiteral("Spiele");
    chart.Colour = colors.Accent;
    chart.BorderColour = colors.Text;
    chart.XTitle = QStringLiteral("Punkte");
    chart.YTitle = QStringLiteral("Anzahl Spiele");
    for (const RHistogramBin &bin : PointsHistogram(f.PointsSeries, HistogramBins)) {
        chart.Counts << bin.Count;
        chart.Labels << (bin.From == bin.To ? QString::number(bin.From)
                                            : QStringLiteral("%1–%2").arg(bin.From).arg(bin.To));
        chart.YHigh = std::max(chart.YHigh, bin.Count);
    }
    Charts().DrawBars(view, chart, ChartColours(colors), font());
}

void TFormQuintorStatistics::FillHeadToHead()
{
    const QString player = SelectedProfile();
    m_ListViewHeadToHead->clear();
    for (const RHeadToHead &h : HeadToHead(m_Records.Games(), m_Profiles, SelectedGameType())) {
        // Seen from the chosen player; the comparison of all shows every pair.
        const bool flipped = !m_AllPlayers && h.ProfileB == player;
        if (!m_AllPlayers && h.ProfileA != player && !flipped)
            continue;
        AddRow(m_ListViewHeadToHead,
               {NameOf(flipped ? h.ProfileB : h.ProfileA), NameOf(flipped ? h.ProfileA : h.ProfileB),
                QString::number(h.Together), QString::number(flipped ? h.WinsB : h.WinsA),
                QString::number(flipped ? h.WinsA : h.WinsB)});
    }
    for (QTreeWidgetItem *row = m_ListViewHeadToHead->topLevelItem(0); row; row = m_ListViewHeadToHead->itemBelow(row))
        row->setTextAlignment(1, Qt::AlignLeft | Qt::AlignVCenter);
    m_LabelHeadToHeadNone->setVisible(m_ListViewHeadToHead->topLevelItemCount() == 0);
}
