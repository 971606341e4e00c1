// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "mainwindow/uCompareListItems.h"
#include "rules/uTTavolex.h"
#include "storage/uTMainApplication.h"
#include "storage/uTPlayer.h"

#include <QMainWindow>
#include <QPixmap>
#include <QSet>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QTextEdit;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TExtValuesEditor;

// The main window: player roster, rule configuration, print sheets and info.
// It works on the files of one data folder; the constructor runs the whole
// creation sequence (including the splash when Global.ini asks for it).
class TFormQuintorMenu : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormQuintorMenu(const QString &dataFolder = DataFolderDefault(), QWidget *parent = nullptr);
    ~TFormQuintorMenu() override;

    [[nodiscard]] const QString &DataFolder() const noexcept { return m_DataFolder; }
    [[nodiscard]] const QString &CurrentTemplateFile() const noexcept { return m_CurrentTemplateFile; }
    [[nodiscard]] const TTavolexSettings &Settings() const noexcept { return m_Settings; }
    [[nodiscard]] const TMainApplication &Application() const noexcept { return m_Application; }
    [[nodiscard]] bool QuitWasRequested() const noexcept { return m_QuitRequested; }
    [[nodiscard]] TExtValuesEditor &ExtValues() const noexcept { return *m_ExtValues; }

    // Reloads players, the current template and Global.ini into the pages.
    // Runs on every activation of the window; never re-enters itself.
    void FormActivate();

    void LoadPlayerList();
    void UpdateStartButton();
    void LoadRuleTemplate();
    // Writes the page into the rule set, Global.ini, the current template and
    // Settings.ini. Throws EWriteError.
    void StoreRules();
    [[nodiscard]] bool AllValuesValid() const;
    void UpdateExtraQuintorRow();
    void ApplyDesign();
    void RefreshStatusBar();
    void RefreshInfoPage();

    static QString DataFolderDefault();

signals:
    // The program is to end (after "B&eenden" or a tampered rule template).
    void QuitRequested();

public slots:
    // Stores the page and runs the game window modally while this window is
    // hidden; "Nochmal spielen" starts the next game at once, "beenden" emits
    // QuitRequested. Nothing happens while a rule value is invalid.
    void ButtonStartClick();
    void ButtonCancelClick();
    void PageControlMainMenuChange(int index);
    void SpeedButtonNewPlayerClick();
    void SpeedButtonEditPlayerClick();
    void SpeedButtonDeletePlayerClick();
    // Figures, charts and head-to-head results of every recorded player.
    void SpeedButtonStatisticsClick();
    void ListViewPlayersChange(QTreeWidgetItem *item);
    void ListViewPlayersSelectItem();
    void ListViewPlayersColumnClick(int column);
    void ComboBoxSettingsSelect(int index);
    void ComboBoxDesignSelect(int index);
    void GameCount1Click();
    void CheckBoxMultiQuintorClick();
    void BitBtnCreateSheetClick();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Return and Enter act as on the default button of a dialog: they start
    // the game, a focused other button takes them itself, and a rule value
    // field keeps them.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FormCreate();
    void ShowSplash();
    void CreateControls();
    QWidget *CreateHead();
    QWidget *CreatePlayersPage();
    QWidget *CreateSettingsPage();
    QWidget *CreatePrintPage();
    QWidget *CreateAboutPage();
    QWidget *CreateBottomButtons();
    void CreateStatusBar();
    QToolButton *CreateCountButtons(QButtonGroup *group, const QString &prefix, int count, QWidget *row);

    void RebuildValueRows(const std::array<QString, 8> &values);
    void DetectTemplate();
    void RejectTamperedTemplate();
    void OpenEditPlayerDialog(bool isNewPlayer);
    // Creates the game window, shows it modally and frees it again; the
    // modal result, or 0 with `failure` holding the German message.
    [[nodiscard]] int RunGameWindow(QString &failure);
    [[nodiscard]] int TickedPlayerCount() const;
    void ShowWriteError(const QString &message);
    // StoreRules; a failure is shown as `lead` followed by its message.
    [[nodiscard]] bool StoreRulesReporting(const QString &lead = {});
    [[nodiscard]] QString TemplatePath(int index) const;
    void PressCountButton(QButtonGroup *group, int number);
    [[nodiscard]] static QString SheetPath(int index);  // empty for no selection
    void ShowSheetPreview();

    QString m_DataFolder;
    QString m_CurrentTemplateFile;
    TMainApplication m_Application;
    TPlayer m_Profile;
    TPlayerFiles m_ProfileFiles;
    QString m_CurrentProfileFile;
    TTavolexSettings m_Settings;
    TTavolex m_CaptionColumn;
    bool m_Updating = false;
    bool m_Activating = false;
    bool m_QuitRequested = false;
    QSet<QString> m_UndeletableProfiles;
    QString m_ReportedTemplateError;

    QTabWidget *m_PageControlMainMenu = nullptr;
    QLabel *m_LabelHead = nullptr;
    QPushButton *m_ButtonStart = nullptr;
    QPushButton *m_ButtonCancel = nullptr;
    QToolButton *m_SpeedButtonNewPlayer = nullptr;
    QToolButton *m_SpeedButtonEditPlayer = nullptr;
    QToolButton *m_SpeedButtonDeletePlayer = nullptr;
    QTreeWidget *m_ListViewPlayers = nullptr;
    QComboBox *m_ComboBoxSettings = nullptr;
    QCheckBox *m_CheckBoxMultiQuintor = nullptr;
    QCheckBox *m_CheckBoxCheckDices = nullptr;
    QCheckBox *m_CheckBoxDoRedo = nullptr;
    QCheckBox *m_CheckBoxShowSplash = nullptr;
    QComboBox *m_ComboBoxDesign = nullptr;
    QButtonGroup *m_GameCount = nullptr;
    QButtonGroup *m_DiceCount = nullptr;
    QScrollArea *m_ScrollBoxExtValues = nullptr;
    TExtValuesEditor *m_ExtValues = nullptr;
    QComboBox *m_ComboBoxBlock = nullptr;
    QLabel *m_ImageSheetPreview = nullptr;
    QPixmap m_SheetPicture;
    int m_SheetPictureIndex = -1;  // the sheet m_SheetPicture holds; -1 before the first
    QTextEdit *m_MemoInfo = nullptr;
    std::array<QLabel *, 4> m_StatusPanels{};
};
