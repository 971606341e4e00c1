// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/uFormQuintorMenu_EditPlayer.h"

#include "dialogs/uFormQuintorStatistics.h"

#include "mainwindow/uCompareListItems.h"
#include "mainwindow/uFormCaption.h"
#include "storage/uTPlayer.h"
#include "storage/uTGameRecords.h"
#include "strategy/uTComputerPlayer.h"
#include "storage/uTStatistics.h"
#include "storage/uTools.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>

#include <array>

namespace {

constexpr int HelpContextEditPlayer = 30300;
constexpr int ReportPathRole = Qt::UserRole;

// The direction of each statistics column for the whole run of the program.
TListSortState &StatisticsSortState()
{
    static TListSortState state;
    return state;
}

TCompareMode StatisticsCompareMode(int column)
{
    switch (column) {
    case 0:
    case 2: return TCompareMode::Number;
    case 1: return TCompareMode::Date;
    default: return TCompareMode::Text;
    }
}

QString GameTypeText(const RPlayerStatistics &game)
{
    return ::GameTypeText(game.DiceCount, game.GameCount);
}

QTreeWidgetItem *StatisticsRow(const RPlayerStatistics &game, const QString &type, const QString &reportPath,
                               const QIcon &picture)
{
    auto *row = new QTreeWidgetItem(
        QStringList{QString::number(game.GameNumber), game.DateText, QString::number(game.Points), type});
    row->setTextAlignment(2, Qt::AlignCenter);
    row->setData(0, ReportPathRole, reportPath);
    row->setIcon(0, picture);
    return row;
}

const QString PictureFilterPairs = QStringLiteral(
    "Alle (*.png;*.jpg;*.jpeg;*.bmp;)|*.png;*.jpg;*.jpeg;*.bmp|Portable network graphics (AlphaControls) (*.png)|*.png|"
    "JPEG-Grafikdatei (*.jpg)|*.jpg|JPEG-Grafikdatei (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp");

struct TDiceButtonDef {
    const char *Name;
    const char *Hint;
};
constexpr std::array<TDiceButtonDef, 6> DiceButtons{{
    {"SpeedButtonDef", "Weisse Würfel"},
    {"SpeedButtonRed", "Rote Würfel"},
    {"SpeedButtonBlue", "Blaue Würfel"},
    {"SpeedButtonDarkBlack", "Schwarze Würfel"},
    {"SpeedButtonGreen", "Grüne Würfel"},
    {"SpeedButtonRandom", "Graue Würfel"},
}};

QLabel *AddLabel(QGridLayout *grid, const QString &text, int row, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    grid->addWidget(label, row, 0, Qt::AlignTop | Qt::AlignLeft);
    return label;
}

// The picture chosen in a file dialog that previews the highlighted file.
QString ChoosePicture(QWidget *parent, const QString &start)
{
    QFileDialog dialog(parent, QStringLiteral("Hintergrundbild suchen"), start);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(PictureFilters());
    auto *preview = new QLabel(&dialog);
    preview->setObjectName(QStringLiteral("LabelPicturePreview"));
    preview->setFixedSize(180, 140);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
        grid->addWidget(preview, 1, grid->columnCount(), grid->rowCount() - 1, 1);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview, [preview](const QString &path) {
        const QPixmap picture(path);
        preview->setPixmap(picture.isNull() ? QPixmap()
                                            : picture.scaled(preview->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QString RejectedNameMessage(const QString &name)
{
    QString refused;
    for (const QChar ch : name) {
        if (!IsAnsiRepresentable(QString(ch)) && !refused.contains(ch))
            refused += ch;
    }
    return QStringLiteral("Der Name \"%1\" enthält Zeichen, die Quintor nicht speichern kann: %2\n\n"
                          "Bitte wählen Sie einen Namen ohne diese Zeichen.")
        .arg(name, refused);
}

QStringList PictureFilters()
{
    QStringList filters;
    const QStringList parts = PictureFilterPairs.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i);
        description.truncate(description.lastIndexOf(QLatin1String(" (")));
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters.append(description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters;
}

TFormQuintorMenu_EditPlayer::TFormQuintorMenu_EditPlayer(TPlayer &profile, const QString &dataFolder,
                                                         const QString &profileFile, QWidget *parent)
    : QDialog(parent), m_Profile(profile), m_Edited(std::make_unique<TPlayer>(profile)), m_DataFolder(dataFolder),
      m_ProfileFile(profileFile)
{
    setObjectName(QStringLiteral("FormQuintorMenu_EditPlayer"));
    resize(690, 580);
    setMinimumSize(600, 350);
    CreateControls();
    SetFormCaption(this, QStringLiteral("Spielerdaten bearbeiten"));
    SetFormHelpContext(this, HelpContextEditPlayer);
}

TFormQuintorMenu_EditPlayer::~TFormQuintorMenu_EditPlayer() = default;

void TFormQuintorMenu_EditPlayer::CreateControls()
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(8, 12, 14, 10);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(1, 1);

    AddLabel(grid, QStringLiteral("Spielername:"), 0, this)->setObjectName(QStringLiteral("LabelPlayerName"));
    m_EditPlayerName = new QLineEdit(this);
    m_EditPlayerName->setObjectName(QStringLiteral("EditPlayerName"));
    m_EditPlayerName->setFixedWidth(249);
    connect(m_EditPlayerName, &QLineEdit::textChanged, this, &TFormQuintorMenu_EditPlayer::EditPlayerNameChange);
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(m_EditPlayerName);
    nameRow->addSpacing(16);
    auto *kindLabel = new QLabel(QStringLiteral("Spielt als:"), this);
    kindLabel->setObjectName(QStringLiteral("LabelComputer"));
    nameRow->addWidget(kindLabel);
    nameRow->addWidget(CreatePlayerKindChoice());
    nameRow->addStretch(1);
    grid->addLayout(nameRow, 0, 1);

    AddLabel(grid, QStringLiteral("Spieltisch:"), 1, this)->setObjectName(QStringLiteral("sLabel1"));
    grid->addWidget(CreateBackgroundPanel(), 1, 1);
    AddLabel(grid, QStringLiteral("Würfelfarbe:"), 2, this)->setObjectName(QStringLiteral("sLabel2"));
    grid->addWidget(CreateDicePanel(), 2, 1);
    AddLabel(grid, QStringLiteral("Statistiken"), 3, this)->setObjectName(QStringLiteral("LabelStatistics"));
    grid->addWidget(CreateStatisticsPanel(), 3, 1);
    grid->setRowStretch(3, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_ButtonCancel = new QPushButton(QStringLiteral("A&bbruch"), this);
    m_ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    m_ButtonCancel->setFocusPolicy(Qt::ClickFocus);
    m_ButtonCancel->setAutoDefault(false);
    m_ButtonOk = new QPushButton(QStringLiteral("&Ok"), this);
    m_ButtonOk->setObjectName(QStringLiteral("ButtonOk"));
    m_ButtonOk->setDefault(true);
    m_ButtonOk->setEnabled(false);
    buttons->addWidget(m_ButtonCancel);
    buttons->addWidget(m_ButtonOk);
    grid->addLayout(buttons, 4, 0, 1, 2);
    connect(m_ButtonCancel, &QPushButton::clicked, this, [this] { done(ResultCancel); });
    connect(m_ButtonOk, &QPushButton::clicked, this, &TFormQuintorMenu_EditPlayer::ButtonOkClick);
}

QWidget *TFormQuintorMenu_EditPlayer::CreatePlayerKindChoice()
{
    m_ComboBoxComputer = new QComboBox(this);
    m_ComboBoxComputer->setObjectName(QStringLiteral("ComboBoxComputer"));
    m_ComboBoxComputer->setToolTip(QStringLiteral("Ein Mensch spielt selbst, ein Computerspieler zieht allein"));
    // The item's position is the stored "Computer" value.
    m_ComboBoxComputer->addItem(QStringLiteral("Mensch"));
    for (const TStrength strength : {TStrength::Beginner, TStrength::Advanced, TStrength::Pro})
        m_ComboBoxComputer->addItem(QStringLiteral("Computer: ") + StrengthName(strength));
    return m_ComboBoxComputer;
}

QWidget *TFormQuintorMenu_EditPlayer::CreateBackgroundPanel()
{
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("PanelBackgroundSettings"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(8, 6, 6, 6);
    m_RadioButtonColor = new QRadioButton(QStringLiteral("Standardfarbe"), panel);
    m_RadioButtonColor->setObjectName(QStringLiteral("RadioButtonColor"));
    m_RadioButtonColor->setChecked(true);
    m_RadioButtonFile = new QRadioButton(QStringLiteral("Bild:"), panel);
    m_RadioButtonFile->setObjectName(QStringLiteral("RadioButtonFile"));
    m_EditBackgroundPicture = new QLineEdit(panel);
    m_EditBackgroundPicture->setObjectName(QStringLiteral("EditBackgroundPicture"));
    m_EditBackgroundPicture->setReadOnly(true);
    auto *browse = new QPushButton(QStringLiteral("..."), panel);
    browse->setObjectName(QStringLiteral("ButtonBrowse"));
    browse->setToolTip(QStringLiteral("Hintergrundbild suchen"));
    browse->setFixedSize(36, 25);
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &TFormQuintorMenu_EditPlayer::ButtonBrowseClick);
    grid->addWidget(m_RadioButtonColor, 0, 0, 1, 3);
    grid->addWidget(m_RadioButtonFile, 1, 0);
    grid->addWidget(m_EditBackgroundPicture, 1, 1);
    grid->addWidget(browse, 1, 2);
    grid->setColumnMinimumWidth(0, 90);
    grid->setColumnStretch(1, 1);
    return panel;
}

QWidget *TFormQuintorMenu_EditPlayer::CreateDicePanel()
{
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("sPanelDiceSettings"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(12, 4, 12, 4);
    layout->setSpacing(8);
    m_DiceButtons = new QButtonGroup(this);
    for (std::size_t type = 0; type < DiceButtons.size(); ++type) {
        auto *button = new QToolButton(panel);
        button->setObjectName(QLatin1String(DiceButtons[type].Name));
        button->setToolTip(QString::fromUtf8(DiceButtons[type].Hint));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setIcon(QIcon(QStringLiteral(":/images/dicecolor%1.png").arg(type)));
        button->setIconSize(QSize(64, 64));
        button->setFixedSize(72, 72);
        m_DiceButtons->addButton(button, static_cast<int>(type));
        layout->addWidget(button);
    }
    m_DiceButtons->button(0)->setChecked(true);
    layout->addStretch(1);
    return panel;
}

QWidget *TFormQuintorMenu_EditPlayer::CreateStatisticsPanel()
{
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("sPanel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(8, 4, 8, 8);
    auto *top = new QHBoxLayout;
    auto *label = new QLabel(QStringLiteral("Spielart:"), panel);
    label->setObjectName(QStringLiteral("LabelGameType"));
    m_ComboBoxGameType = new QComboBox(panel);
    m_ComboBoxGameType->setObjectName(QStringLiteral("ComboBoxGameType"));
    m_ComboBoxGameType->setFixedWidth(169);
    m_ComboBoxGameType->addItem(QStringLiteral("Alle"));
    m_SpeedButtonShowReport = new QToolButton(panel);
    m_SpeedButtonShowReport->setObjectName(QStringLiteral("SpeedButtonShowReport"));
    m_SpeedButtonShowReport->setToolTip(QStringLiteral("Spielbericht anzeigen"));
    m_SpeedButtonShowReport->setIcon(QIcon(QStringLiteral(":/images/report.png")));
    m_SpeedButtonShowReport->setFixedSize(30, 25);
    m_SpeedButtonShowReport->setAutoRaise(true);
    m_SpeedButtonShowReport->hide();
    auto *figures = new QPushButton(QStringLiteral("&Auswertung..."), panel);
    figures->setObjectName(QStringLiteral("ButtonStatisticsView"));
    figures->setToolTip(QStringLiteral("Kennzahlen und Diagramme der Spiele dieses Spielers"));
    figures->setAutoDefault(false);
    connect(figures, &QPushButton::clicked, this, &TFormQuintorMenu_EditPlayer::ButtonStatisticsViewClick);
    top->addWidget(label);
    top->addWidget(m_ComboBoxGameType);
    top->addWidget(figures);
    top->addStretch(1);
    top->addWidget(m_SpeedButtonShowReport);
    layout->addLayout(top);
    m_ListViewStats = new QTreeWidget(panel);
    m_ListViewStats->setObjectName(QStringLiteral("ListViewStats"));
    m_ListViewStats->setRootIsDecorated(false);
    m_ListViewStats->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_ListViewStats->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_ListViewStats->setHeaderLabels({QStringLiteral("Spielnummer"), QStringLiteral("Datum"), QStringLiteral("Ergebnis"),
                                      QStringLiteral("Spielart")});
    m_ListViewStats->headerItem()->setTextAlignment(2, Qt::AlignCenter);
    m_ListViewStats->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_ListViewStats->header()->setStretchLastSection(true);
    m_ListViewStats->header()->setSectionsClickable(true);
    m_ListViewStats->setSortingEnabled(false);
    m_ListViewStats->setUniformRowHeights(true);
    layout->addWidget(m_ListViewStats, 1);
    connect(m_ComboBoxGameType, &QComboBox::activated, this, &TFormQuintorMenu_EditPlayer::ComboBoxGameTypeSelect);
    connect(m_ListViewStats, &QTreeWidget::itemSelectionChanged, this,
            &TFormQuintorMenu_EditPlayer::ListViewStatsSelectItem);
    connect(m_ListViewStats, &QTreeWidget::itemDoubleClicked, this, &TFormQuintorMenu_EditPlayer::ListViewStatsDblClick);
    connect(m_SpeedButtonShowReport, &QToolButton::clicked, this, &TFormQuintorMenu_EditPlayer::ListViewStatsDblClick);
    connect(m_ListViewStats->header(), &QHeaderView::sectionClicked, this,
            &TFormQuintorMenu_EditPlayer::ListViewStatsColumnClick);
    return panel;
}

void TFormQuintorMenu_EditPlayer::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Only the first showing fills the controls: the file dialog and message
    // boxes closing must not undo what the user chose meanwhile.
    if (!m_Activated) {
        m_Activated = true;
        FormActivate();
    }
}

void TFormQuintorMenu_EditPlayer::FormActivate()
{
    m_EditPlayerName->setText(m_Edited->Name());
    EditPlayerNameChange();
    (m_Edited->BackgroundType() != 0 ? m_RadioButtonFile : m_RadioButtonColor)->setChecked(true);
    if (QAbstractButton *dice = m_DiceButtons->button(m_Edited->DiceType()))
        dice->setChecked(true);
    m_EditBackgroundPicture->setText(m_Edited->Background());
    m_ComboBoxComputer->setCurrentIndex(static_cast<int>(StrengthOf(m_Edited->Computer())));
    m_Statistics = std::make_unique<TStatistics>(m_DataFolder);
    FillStatistics();
}

void TFormQuintorMenu_EditPlayer::FillStatistics(const QString &filter)
{
    if (filter.isEmpty()) {
        m_ComboBoxGameType->clear();
        m_ComboBoxGameType->addItem(QStringLiteral("Alle"));
        m_ComboBoxGameType->setCurrentIndex(0);
    }
    m_Statistics->LoadForPlayer(QFileInfo(m_ProfileFile).fileName());
    if (m_Statistics->Count() == 0)
        return;
    const bool filtering = m_ComboBoxGameType->currentIndex() != 0;
    const QSet<QString> reports = ListableReports(m_DataFolder);
    QSet<QString> knownTypes;
    for (int i = 0; i < m_ComboBoxGameType->count(); ++i)
        knownTypes.insert(m_ComboBoxGameType->itemText(i));
    const QIcon picture(QStringLiteral(":/images/report.png"));
    QList<QTreeWidgetItem *> rows;
    for (const RPlayerStatistics &game : m_Statistics->Items()) {
        const QString type = GameTypeText(game);
        if ((filtering && type != filter) || !reports.contains(game.GameReport))
            continue;
        rows.append(StatisticsRow(game, type, m_DataFolder + game.GameReport, picture));
        if (!knownTypes.contains(type)) {
            knownTypes.insert(type);
            m_ComboBoxGameType->addItem(type);
        }
    }
    m_ListViewStats->setUpdatesEnabled(false);
    m_ListViewStats->clear();
    m_ListViewStats->addTopLevelItems(rows);
    m_ListViewStats->setUpdatesEnabled(true);
}

void TFormQuintorMenu_EditPlayer::ComboBoxGameTypeSelect(int index)
{
    // "Alle" lists everything again and keeps the game type list.
    FillStatistics(index == 0 ? QStringLiteral("Alle") : m_ComboBoxGameType->itemText(index));
}

void TFormQuintorMenu_EditPlayer::ListViewStatsSelectItem()
{
    const QList<QTreeWidgetItem *> selected = m_ListViewStats->selectedItems();
    m_ReportPath = selected.isEmpty() ? QString() : selected.constFirst()->data(0, ReportPathRole).toString();
    m_SpeedButtonShowReport->setVisible(!m_ReportPath.isEmpty() && QFileInfo(m_ReportPath).isFile());
}

void TFormQuintorMenu_EditPlayer::ListViewStatsDblClick()
{
    // Checked again: the file may have gone or been replaced since listing.
    if (m_ReportPath.isEmpty() || !IsListableReport(m_DataFolder, QFileInfo(m_ReportPath).fileName()))
        return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(m_ReportPath));
}

void TFormQuintorMenu_EditPlayer::ButtonStatisticsViewClick()
{
    // The type chosen here carries over; "Alle" is every game.
    const QString type = m_ComboBoxGameType->currentIndex() > 0 ? m_ComboBoxGameType->currentText() : QString();
    TFormQuintorStatistics view(m_DataFolder, QFileInfo(m_ProfileFile).fileName(), m_EditPlayerName->text(), type, this);
    view.setFont(font());
    view.exec();
}

void TFormQuintorMenu_EditPlayer::ListViewStatsColumnClick(int column)
{
    TListSortState &state = StatisticsSortState();
    state.Mode = StatisticsCompareMode(column);
    SortListItems(m_ListViewStats, column - 1, state);
    const auto flag = static_cast<std::size_t>(column);
    if (flag < state.Inverted.size())
        state.Inverted[flag] = !state.Inverted[flag];
}

void TFormQuintorMenu_EditPlayer::EditPlayerNameChange()
{
    m_ButtonOk->setEnabled(!m_EditPlayerName->text().isEmpty());
}

void TFormQuintorMenu_EditPlayer::ButtonBrowseClick()
{
    const QString picture = ChoosePicture(this, QFileInfo(m_EditBackgroundPicture->text()).path());
    if (picture.isEmpty())
        return;
    m_EditBackgroundPicture->setText(picture);
    m_RadioButtonFile->setChecked(true);
    m_ButtonOk->setFocus(Qt::OtherFocusReason);
}

void TFormQuintorMenu_EditPlayer::ButtonOkClick()
{
    const QString name = m_EditPlayerName->text();
    if (!IsAnsiRepresentable(name)) {
        QMessageBox::warning(this, windowTitle(), RejectedNameMessage(name));
        m_EditPlayerName->setFocus(Qt::OtherFocusReason);
        return;
    }
    TPlayer edited = *m_Edited;
    edited.SetName(name);
    edited.SetBackgroundType(m_RadioButtonColor->isChecked() ? 0 : 1);
    edited.SetDiceType(std::max(0, m_DiceButtons->checkedId()));
    edited.SetBackground(m_EditBackgroundPicture->text());
    edited.SetComputer(m_ComboBoxComputer->currentIndex());
    try {
        edited.SaveToFile(m_ProfileFile);
    } catch (const EWriteError &error) {
        QMessageBox::critical(this, windowTitle(), error.Message());
        return;
    }
    m_Profile = edited;
    done(ResultOk);
}
