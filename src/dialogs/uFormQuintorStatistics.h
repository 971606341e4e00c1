// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "storage/uTGameRecords.h"

#include <QDialog>
#include <QString>

#include <array>

class QComboBox;
class QLabel;
class QStackedWidget;
class QTabWidget;
class QTreeWidget;

// A player's record at a glance: figures, the points over time, their
// distribution and the games against others, for all games or one game type.
// Reads Stats.ini (and the reports' give-up lines) once, when created.
class TFormQuintorStatistics : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpContextPlayer = 30400;
    static constexpr int HelpContextAllPlayers = 30500;
    static constexpr int MovingAverageGames = 10;
    static constexpr int HistogramBins = 12;

    // For one profile (the edit player dialog: its file and current name,
    // the game type selected there, empty for all) or, with an empty
    // `profileFile`, for every player of the records.
    TFormQuintorStatistics(const QString &dataFolder, const QString &profileFile, const QString &playerName,
                           const QString &gameType, QWidget *parent = nullptr);
    ~TFormQuintorStatistics() override;

    // Shows the figures of the selected player and game type; each page is
    // filled when it is first shown.
    void FillFigures();

public slots:
    void ComboBoxPlayerSelect(int index);
    void ComboBoxGameTypeSelect(int index);
    void PageControlStatisticsChange(int index);

private:
    void CreateControls();
    QWidget *CreateOverviewPage();
    QWidget *CreateHeadToHeadPage();
    void FillPlayerList(const QString &profileFile, const QString &playerName);
    void FillGameTypeList(const QString &gameType);
    [[nodiscard]] QString SelectedProfile() const;
    [[nodiscard]] QString SelectedGameType() const;
    [[nodiscard]] QString NameOf(const QString &profileFile) const;
    void ShowNoGames(const QString &sentence);
    void FillPage(int index);
    void FillFigureList(const RPlayerFigures &figures);
    void FillFieldList(const RPlayerFigures &figures);
    void FillPointsChart(const RPlayerFigures &figures);
    void FillHistogram(const RPlayerFigures &figures);
    void FillHeadToHead();

    TGameRecords m_Records;
    QList<RRecordedProfile> m_Profiles;
    bool m_AllPlayers = false;
    RPlayerFigures m_Figures;
    std::array<bool, 4> m_PageFilled{};

    QComboBox *m_ComboBoxPlayer = nullptr;
    QComboBox *m_ComboBoxGameType = nullptr;
    QStackedWidget *m_PanelPages = nullptr;
    QLabel *m_LabelNoGames = nullptr;
    QTabWidget *m_PageControlStatistics = nullptr;
    QTreeWidget *m_ListViewFigures = nullptr;
    QTreeWidget *m_ListViewFields = nullptr;
    QTreeWidget *m_ListViewHeadToHead = nullptr;
    QLabel *m_LabelHeadToHeadNone = nullptr;
    // Qt Charts' views, made by the charts module.
    QWidget *m_ChartViewPoints = nullptr;
    QWidget *m_ChartViewHistogram = nullptr;
};
