// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/uDesign.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

namespace {

constexpr const char *DesignProperty = "QuintorDesign";

// The colours a theme is drawn from; every sheet is the same template so the
// themes differ in colour and shape only, never in which controls they cover.
// Each text colour keeps at least 4.5:1 against the colour it is drawn on
// (AccentText on Accent is a selected row).
struct TThemeColors {
    const char *Window;
    const char *Panel;
    const char *Text;
    const char *Input;
    const char *InputText;
    const char *ButtonTop;
    const char *ButtonBottom;
    const char *ButtonText;
    const char *Border;
    const char *Accent;
    const char *AccentText;
    const char *Tab;
    const char *Disabled;
    int Radius;
};

constexpr TThemeColors BlueIce{"#e6f1fb", "#d3e6f7", "#0d2b4a", "#ffffff", "#0d2b4a", "#ffffff", "#bcd9f2",
                               "#0d2b4a", "#7fa9d1", "#2f73b5", "#ffffff", "#c4ddf3", "#8aa4bd", 6};
constexpr TThemeColors Elegant{"#f5efe3", "#ebe1cf", "#3a2a1e", "#fffdf8", "#3a2a1e", "#fbf6ec", "#e2d4ba",
                               "#3a2a1e", "#a88d66", "#7a2e3a", "#fff8ee", "#e6d9c2", "#b3a48c", 2};
constexpr TThemeColors DarkGlass{"#23272e", "#2d333c", "#e3e8ef", "#1b1e23", "#e3e8ef", "#4a5361", "#2c323b",
                                 "#e3e8ef", "#58c2e8", "#1f9bd1", "#0b1a24", "#353c47", "#6c7685", 5};
constexpr TThemeColors GrayPlastic{"#d9d9d9", "#cbcbcb", "#202020", "#f7f7f7", "#202020", "#f4f4f4", "#b5b5b5",
                                   "#202020", "#8a8a8a", "#5b6b7d", "#ffffff", "#c2c2c2", "#8f8f8f", 8};

// The Standard design is Fusion without a sheet: under any application
// sheet every control is laid out and drawn through the sheet's style,
// which was a fifth of the main window's start. The few rules every design
// shares are kept by the controls themselves (SetFieldInvalid, the extended
// values' header, the roster's row lines where no sheet draws them), and the
// selected row of a list keeps one strong colour whether the list has the
// focus or not.
const QColor SelectedRow(0x2a, 0x64, 0xa8);

void SetListSelectionColours()
{
    QPalette lists = QApplication::palette("QTreeWidget");
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        lists.setColor(group, QPalette::Highlight, SelectedRow);
        lists.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    QApplication::setPalette(lists, "QTreeWidget");
}

QString ThemeSheet(const TThemeColors &c)
{
    const QString radius = QString::number(c.Radius);
    QString sheet = QStringLiteral(
        "QWidget { background: %1; color: %3; }\n"
        "QFrame#PanelHead { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %6, stop:1 %7);"
        " border-bottom: 1px solid %9; }\n"
        "QGroupBox, QTabWidget::pane, QScrollArea, QFrame#PanelBackgroundSettings, QFrame#sPanelDiceSettings,"
        " QFrame#sPanel1, QFrame#PanelClient { background: %2; border: 1px solid %9; border-radius: %13px; }\n"
        "QGroupBox { margin-top: 0px; }\n"
        "QScrollArea > QWidget > QWidget, QFrame[extValueRow=\"true\"], QFrame[extValueRow=\"true\"] QLabel,"
        " QWidget#SettingsRow, QCheckBox, QRadioButton, QLabel { background: transparent; }\n"
        "QLabel#LabelHead { color: %3; }\n"
        "QCheckBox::indicator, QRadioButton::indicator, QTreeWidget::indicator { width: 11px; height: 11px;"
        " border: 1px solid %9; background: %4; border-radius: 2px; }\n"
        "QRadioButton::indicator { border-radius: 6px; }\n"
        "QCheckBox::indicator:checked, QTreeWidget::indicator:checked { background: %10; border-color: %10; }\n"
        "QRadioButton::indicator:checked {"
        " background: qradialgradient(cx:0.5, cy:0.5, radius:0.6, fx:0.5, fy:0.5, stop:0 %10, stop:0.55 %10, stop:0.65 %4);"
        " border-color: %10; }\n"
        "QCheckBox:disabled, QRadioButton:disabled, QLabel:disabled { color: %14; }\n"
        "QTabBar::tab { background: %12; color: %3; border: 1px solid %9; border-bottom: none;"
        " border-top-left-radius: %13px; border-top-right-radius: %13px; padding: 4px 12px; min-width: 78px; margin-right: 2px; }\n"
        "QTabBar::tab:selected { background: %2; font-weight: bold; }\n"
        "QPushButton, QToolButton { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %6, stop:1 %7);"
        " color: %8; border: 1px solid %9; border-radius: %13px; padding: 3px 10px; }\n"
        "QToolButton { padding: 2px; }\n"
        "QPushButton:hover, QToolButton:hover { border-color: %10; }\n"
        "QPushButton:pressed, QToolButton:pressed, QToolButton:checked {"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %7, stop:1 %6); border: 2px solid %10; }\n"
        "QPushButton:default { border: 2px solid %10; }\n"
        "QPushButton:disabled, QToolButton:disabled { color: %14; border-color: %14; }\n"
        "QPushButton:default:disabled { border: 1px solid %14; }\n"
        "QLineEdit, QComboBox, QTreeWidget, QTextEdit, QPlainTextEdit, QTextBrowser {"
        " background: %4; color: %5; border: 1px solid %9; border-radius: 3px; selection-background-color: %10;"
        " selection-color: %11; }\n"
        "QComboBox { padding: 1px 6px; }\n"
        "QComboBox QAbstractItemView { background: %4; color: %5; selection-background-color: %10; }\n"
        "QTreeWidget { gridline-color: %9; alternate-background-color: %2; }\n"
        "QTreeWidget::item:selected { background: %10; color: %11; }\n"
        "QHeaderView::section { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %6, stop:1 %7);"
        " color: %8; border: none; border-right: 1px solid %9; border-bottom: 1px solid %9; padding: 3px 6px; }\n"
        "QStatusBar { background: %12; color: %3; border-top: 1px solid %9; }\n"
        "QStatusBar QLabel { border: 1px solid %9; border-radius: 2px; padding: 0 4px; }\n"
        "QProgressBar { border: 1px solid %9; border-radius: 3px; background: %4; text-align: center; }\n"
        "QProgressBar::chunk { background: %10; }\n"
        "QToolTip { background: %4; color: %5; border: 1px solid %10; }\n"
        "QMenu { background: %4; color: %5; border: 1px solid %9; }\n"
        "QMenu::item:selected { background: %10; color: %11; }\n"
        // The roster's rows: without a sheet its delegate draws this line.
        "QTreeWidget#ListViewPlayers::item { border-bottom: 1px solid #c8c8c8; }\n");
    return sheet.arg(QLatin1String(c.Window), QLatin1String(c.Panel), QLatin1String(c.Text), QLatin1String(c.Input),
                     QLatin1String(c.InputText), QLatin1String(c.ButtonTop), QLatin1String(c.ButtonBottom),
                     QLatin1String(c.ButtonText), QLatin1String(c.Border))
        .arg(QLatin1String(c.Accent), QLatin1String(c.AccentText), QLatin1String(c.Tab), radius,
             QLatin1String(c.Disabled));
}

const TThemeColors *ThemeOf(int index)
{
    switch (index) {
    case 1: return &BlueIce;
    case 2: return &Elegant;
    case 3: return &DarkGlass;
    case 4: return &GrayPlastic;
    default: return nullptr;
    }
}

}  // namespace

const QStringList &DesignNames()
{
    static const QStringList names{QStringLiteral("Standard"), QStringLiteral("BlueIce (internal)"),
                                   QStringLiteral("Elegant (internal)"), QStringLiteral("DarkGlass (internal)"),
                                   QStringLiteral("GrayPlastic (internal)")};
    return names;
}

int DesignIndex(const QString &name)
{
    return static_cast<int>(DesignNames().indexOf(name));
}

void ApplyProgramDesign(int index)
{
    // Under a style sheet the application's style is the sheet's proxy, whose
    // name is not Fusion's: the base style is set at the first call only (each
    // setting restyles every control). The design property marks that call.
    if (!qApp->property(DesignProperty).isValid()) {
        if (!qApp->style() || qApp->style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0)
            QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        SetListSelectionColours();
    }
    const TThemeColors *theme = ThemeOf(index);
    const QString sheet = theme ? ThemeSheet(*theme) : QString();
    if (qApp->styleSheet() != sheet)
        qApp->setStyleSheet(sheet);
    qApp->setProperty(DesignProperty, theme ? index : 0);
}

bool ProgramDesignHasSheet()
{
    return !qApp->styleSheet().isEmpty();
}

void SetFieldInvalid(QWidget *field, bool invalid)
{
    if (field->property("invalid").toBool() == invalid)
        return;
    field->setProperty("invalid", invalid);
    // A sheet of the field's own wins over a design's rules for fields.
    field->setStyleSheet(invalid ? QStringLiteral("background: #e02020; color: #ffffff;") : QString());
}

TDesignColors CurrentDesignColors()
{
    if (const TThemeColors *theme = ThemeOf(qApp->property("QuintorDesign").toInt())) {
        return {QColor(QLatin1String(theme->Window)), QColor(QLatin1String(theme->Panel)),
                QColor(QLatin1String(theme->Text)),   QColor(QLatin1String(theme->Input)),
                QColor(QLatin1String(theme->InputText)), QColor(QLatin1String(theme->Border)),
                QColor(QLatin1String(theme->Accent))};
    }
    const QPalette palette = QApplication::palette();
    return {palette.color(QPalette::Window), palette.color(QPalette::Window), palette.color(QPalette::WindowText),
            palette.color(QPalette::Base),   palette.color(QPalette::Text),   palette.color(QPalette::Mid),
            QColor(20, 80, 30)};
}
