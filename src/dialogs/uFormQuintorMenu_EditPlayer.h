// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <memory>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class QTreeWidget;
class TPlayer;
class TStatistics;

// German message for a name Windows-1252 cannot store, naming the characters.
[[nodiscard]] QString RejectedNameMessage(const QString &name);

// "Beschreibung (*.a;*.b)|*.a;*.b|..." as Qt file dialog filters.
[[nodiscard]] QStringList PictureFilters();

// Edits one profile: name, person or computer, table background, dice colour. The profile object
// and its file are written only by "&Ok", and only when the file was written.
// Lists the player's recorded games whose report lies in the data folder.
class TFormQuintorMenu_EditPlayer : public QDialog {
    Q_OBJECT
public:
    enum Result { ResultOk = 1, ResultCancel = 2 };

    TFormQuintorMenu_EditPlayer(TPlayer &profile, const QString &dataFolder, const QString &profileFile,
                                QWidget *parent = nullptr);
    ~TFormQuintorMenu_EditPlayer() override;

    // Fills the controls from the profile; runs once when the dialog is shown.
    void FormActivate();
    // Lists the games of Stats.ini that name the profile file and whose report
    // passes IsListableReport. Without `filter` the game type list is built
    // anew; with it only games of the selected type are listed.
    void FillStatistics(const QString &filter = QString());

public slots:
    void EditPlayerNameChange();
    void ButtonBrowseClick();
    void ButtonOkClick();
    void ComboBoxGameTypeSelect(int index);
    void ListViewStatsSelectItem();
    // Opens the selected game's report with the desktop's "open".
    void ListViewStatsDblClick();
    // Sorts by the column, then reverses that column's direction for the
    // next click (kept for the whole run, shared by every opening).
    void ListViewStatsColumnClick(int column);
    // Figures and charts of the player's games, for the game type chosen here.
    void ButtonStatisticsViewClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void CreateControls();
    // A person or a computer player of one of the three strengths.
    QWidget *CreatePlayerKindChoice();
    QWidget *CreateBackgroundPanel();
    QWidget *CreateDicePanel();
    QWidget *CreateStatisticsPanel();

    TPlayer &m_Profile;
    // What the dialog shows and edits: the caller's object may be reused
    // by its owner while the dialog is open.
    std::unique_ptr<TPlayer> m_Edited;
    QString m_DataFolder;
    QString m_ProfileFile;
    std::unique_ptr<TStatistics> m_Statistics;
    QString m_ReportPath;
    bool m_Activated = false;

    QLineEdit *m_EditPlayerName = nullptr;
    QComboBox *m_ComboBoxComputer = nullptr;
    QRadioButton *m_RadioButtonColor = nullptr;
    QRadioButton *m_RadioButtonFile = nullptr;
    QLineEdit *m_EditBackgroundPicture = nullptr;
    QButtonGroup *m_DiceButtons = nullptr;
    QComboBox *m_ComboBoxGameType = nullptr;
    QToolButton *m_SpeedButtonShowReport = nullptr;
    QTreeWidget *m_ListViewStats = nullptr;
    QPushButton *m_ButtonOk = nullptr;
    QPushButton *m_ButtonCancel = nullptr;
};
