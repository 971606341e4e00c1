// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/uFormQuintorMenu.h"

#include "dialogs/uFormQuintorMenu_EditPlayer.h"
#include "dialogs/uFormQuintorSplash.h"
#include "dialogs/uFormQuintorStatistics.h"
#include "gamewindow/uFormQuintorGameMain.h"
#include "mainwindow/uDesign.h"
#include "mainwindow/uDeferredPage.h"
#include "mainwindow/uExtValuesEditor.h"
#include "mainwindow/uFormCaption.h"
#include "mainwindow/uLazyIcon.h"
#include "mainwindow/uShadowLabel.h"
#include "play/uRandom.h"
#include "storage/uIniFile.h"
#include "storage/uTools.h"
#include "storage/uWholeFile.h"
#include "strategy/uTComputerPlayer.h"

#include <QApplication>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextOption>
#include <QTime>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>

namespace {

const QString SettingsSection = QStringLiteral("Settings");
const QString StartFailed = QStringLiteral("Das Spiel konnte nicht gestartet werden.\n\n");
const QString StandardRuleTexts = QStringLiteral("6335253040501000");
constexpr int DefaultGameCount = 1;
constexpr int DefaultDiceCount = 3;
constexpr int MaxPlayers = 4;
constexpr int ComputerColumn = 2;  // the strength of a computer player, empty for a person

enum Page { PagePlayers, PageSettings, PagePrint, PageAbout };
constexpr std::array<int, 4> PageHelpContexts{20100, 20200, 20400, 20500};

const std::array<const char *, 3> SheetFiles{"bin/Druckvorlage.jpg", "bin/Druckvorlage1.jpg", "bin/Druckvorlage2.jpg"};

const QString InfoText = QStringLiteral(
    "\n%APP_NAME% (%APP_VERSION%) \n%APP_FULLNAME%\n\n"
    "Ein Würfelspiel für einen bis vier Spieler an einem Rechner.\n"
    "Jeder Spieler wirft pro Runde bis zu dreimal fünf Würfel,\n"
    "hält die passenden fest und trägt das Ergebnis in eine\n"
    "seiner Spalten ein: 1er bis 6er, Pasch, Full house,\n"
    "Straßen, Quintor und Chance.\n\n"
    "Spaltenzahl, Würfe pro Runde und alle Punktwerte lassen sich\n"
    "auf der Seite \"Einstellungen\" frei festlegen.\n\n"
    "Viel Glück beim Würfeln!\n\n"
    "Freie Software unter der GNU General Public License, Version 3 oder später.");

QString InfoWithNames()
{
    QString text = InfoText;
    text.replace(QStringLiteral("%APP_NAME%"), QStringLiteral("Quintor"));
    text.replace(QStringLiteral("%APP_VERSION%"), QStringLiteral("3.1"));
    text.replace(QStringLiteral("%APP_SUB_VERSION%"), QStringLiteral(".11.9916"));
    text.replace(QStringLiteral("%APP_FULLNAME%"), QStringLiteral("Frei konfigurierbarer\nTavolex - Clone"));
    return text;
}

// Position in the design list of a rule set's "DesignName": the name read as
// a number, 0 when it is none or names no design.
int DesignPosition(const QString &designName)
{
    bool isNumber = false;
    const int design = designName.toInt(&isNumber);
    return isNumber && design >= 0 && design < DesignNames().size() ? design : 0;
}

// The whole program shares this order of the roster's columns for its run.
TListSortState &PlayerSortState()
{
    static TListSortState state;
    return state;
}

QString ProfilePathOf(const QTreeWidgetItem *item)
{
    return item->text(1);
}

// Parts the roster's rows by a line where the design's sheet does not.
class TRosterRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        if (ProgramDesignHasSheet()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem above(option);
        above.rect.setBottom(option.rect.bottom() - 1);
        QStyledItemDelegate::paint(painter, above, index);
        // A filled row of pixels: a drawn line went through the stroker.
        painter->fillRect(option.rect.left(), option.rect.bottom(), option.rect.width(), 1, QColor(0xc8, 0xc8, 0xc8));
    }
    [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QSize size = QStyledItemDelegate::sizeHint(option, index);
        return ProgramDesignHasSheet() ? size : size + QSize(0, 1);
    }
};

// The window's colour is its own background only: its controls keep the
// application's, from which the style draws their outlines and fills.
void KeepApplicationWindowColour(QWidget *controls)
{
    const QPalette application = QApplication::palette();
    QPalette colours = controls->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        colours.setColor(group, QPalette::Window, application.color(group, QPalette::Window));
    controls->setPalette(colours);
}

// Holds a flag set for one scope, also when the scope is left by an exception.
class TFlagScope {
public:
    explicit TFlagScope(bool &flag) : m_Flag(flag) { m_Flag = true; }
    ~TFlagScope() { m_Flag = false; }
    TFlagScope(const TFlagScope &) = delete;
    TFlagScope &operator=(const TFlagScope &) = delete;

private:
    bool &m_Flag;
};

}  // namespace

QString TFormQuintorMenu::DataFolderDefault()
{
    return ::DataFolder();
}

TFormQuintorMenu::TFormQuintorMenu(const QString &dataFolder, QWidget *parent)
    : QMainWindow(parent), m_DataFolder(dataFolder), m_CaptionColumn(&m_Settings)
{
    if (!m_DataFolder.endsWith(QLatin1Char('/')))
        m_DataFolder += QLatin1Char('/');
    CreateControls();
    FormCreate();
}

TFormQuintorMenu::~TFormQuintorMenu() = default;

void TFormQuintorMenu::FormCreate()
{
    Randomize();
    m_Updating = true;
    m_CurrentTemplateFile = m_DataFolder + QStringLiteral("Quintor.ini");
    QString folderProblem;
    if (!EnsureDataFolder(m_DataFolder, folderProblem))
        QMessageBox::critical(this, QStringLiteral("Quintor"), folderProblem);
    m_ComboBoxSettings->setCurrentIndex(0);
    m_ComboBoxBlock->setCurrentIndex(0);
    m_Updating = false;
    m_ComboBoxDesign->addItems(DesignNames());
    m_Application.LoadFromFile(m_DataFolder + QStringLiteral("Global.ini"));
    if (m_Application.ShowSplash())
        ShowSplash();
    // Theming starts here, and the first activation applies the template's
    // design. Every switch restyles each control; at activation the window is
    // already shown and laid out, which made that switch half of the start.
    // Starting with the design the activation will find leaves it nothing to
    // change, and the first frame already shows it.
    ApplyProgramDesign(DesignPosition(
        TIniFile(m_CurrentTemplateFile).ReadString(SettingsSection, QStringLiteral("DesignName"), QStringLiteral("0"))));
}

void TFormQuintorMenu::ShowSplash()
{
    TFormQuintorSplash splash(this);
    splash.setFont(font());
    splash.LabelApplicationShortName()->setText(QStringLiteral("Quintor"));
    splash.LabelVersion()->setText(QStringLiteral("Version 3.1"));
    splash.LabelFullname()->setText(QStringLiteral("Frei konfigurierbarer\nTavolex - Clone"));
    splash.exec();
}

bool TFormQuintorMenu::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    // A window opened over this one may let it be activated underneath;
    // reloading then would pull the working profile from under a dialog.
    const QWidget *modal = QApplication::activeModalWidget();
    if (event->type() == QEvent::WindowActivate && (!modal || modal == this))
        FormActivate();
    return handled;
}

void TFormQuintorMenu::FormActivate()
{
    // A message box of the sequence itself activates the window again when it
    // closes; that activation must not restart the sequence.
    if (m_Activating || m_QuitRequested)
        return;
    const TFlagScope guard(m_Activating);
    m_Updating = true;
    LoadPlayerList();
    m_PageControlMainMenu->setCurrentIndex(PagePlayers);
    LoadRuleTemplate();
    m_Application.LoadFromFile(m_DataFolder + QStringLiteral("Global.ini"));
    RefreshInfoPage();
    RefreshStatusBar();
    m_ComboBoxDesign->setCurrentIndex(DesignPosition(m_Settings.DesignName()));
    ApplyDesign();
    UpdateStartButton();
    UpdateExtraQuintorRow();
    m_Updating = false;
}

// ---- controls

void TFormQuintorMenu::CreateControls()
{
    setObjectName(QStringLiteral("FormQuintorMenu"));
    resize(726, 619);
    setMinimumSize(628, 613);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QFont windowFont(QStringLiteral("Comic Sans MS"));
    windowFont.setPixelSize(11);
    setFont(windowFont);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, MainWindowColor);
    setPalette(colours);
    // X11 is sent every size when the window is made: none larger than a
    // window manager draws (a 256 px picture took more decoding than all of
    // these), decoded on the second core while the controls are built.
    setWindowIcon(DecodingFileIcon({16, 32, 48, 64, 128}, QStringLiteral(":/images/icon%1.png")));
    SetFormHelpContext(this, PageHelpContexts[PagePlayers]);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(CreateHead());

    m_PageControlMainMenu = new QTabWidget(central);
    m_PageControlMainMenu->setObjectName(QStringLiteral("PageControlMainMenu"));
    m_PageControlMainMenu->addTab(CreatePlayersPage(), QStringLiteral("Spieler"));
    // The window opens on the players; the other pages are laid out when first shown.
    auto *settings = new TDeferredPage(CreateSettingsPage());
    // Each activation rebuilds the extended values' rows: for a page not
    // seen yet they are built when it is first shown.
    m_ExtValues->DeferRows();
    connect(settings, &TDeferredPage::FirstShown, m_ExtValues, &TExtValuesEditor::BuildDeferredRows);
    m_PageControlMainMenu->addTab(settings, QStringLiteral("Einstellungen"));
    m_PageControlMainMenu->addTab(new TDeferredPage(CreatePrintPage()), QStringLiteral("Druckvorlagen"));
    m_PageControlMainMenu->addTab(new TDeferredPage(CreateAboutPage()), QStringLiteral("Info"));
    connect(m_PageControlMainMenu, &QTabWidget::currentChanged, this, &TFormQuintorMenu::PageControlMainMenuChange);
    auto *pages = new QHBoxLayout;
    pages->setContentsMargins(8, 15, 8, 8);
    pages->addWidget(m_PageControlMainMenu);
    layout->addLayout(pages, 1);
    layout->addWidget(CreateBottomButtons());
    setCentralWidget(central);
    CreateStatusBar();
    KeepApplicationWindowColour(central);
    KeepApplicationWindowColour(statusBar());
    // The head shows its text from the first frame on; the activation, which
    // sets the caption, then finds nothing to redraw. The window keeps its
    // title until then: scripts and window rules wait for it to appear.
    SetHeadCaption(this, QStringLiteral("Hauptmenü"));
}

QWidget *TFormQuintorMenu::CreateHead()
{
    auto *head = new QFrame(this);
    head->setObjectName(QStringLiteral("PanelHead"));
    head->setFixedHeight(49);
    head->setFrameShape(QFrame::StyledPanel);
    auto *layout = new QHBoxLayout(head);
    layout->setContentsMargins(8, 0, 12, 0);
    layout->addStretch(1);
    m_LabelHead = new TShadowLabel(QPoint(3, 3), QColor(0, 0, 0, 90), head);
    m_LabelHead->setObjectName(QStringLiteral("LabelHead"));
    m_LabelHead->setMinimumWidth(183);
    m_LabelHead->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont headFont(QStringLiteral("Comic Sans MS"));
    headFont.setPixelSize(27);
    headFont.setItalic(true);
    m_LabelHead->setFont(headFont);
    layout->addWidget(m_LabelHead);
    return head;
}

QWidget *TFormQuintorMenu::CreatePlayersPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetGame"));
    auto *layout = new QHBoxLayout(page);
    layout->setContentsMargins(8, 8, 8, 8);
    auto *buttons = new QVBoxLayout;
    const auto makeButton = [page, buttons](const char *name, const QString &caption, const QString &hint,
                                            QStyle::StandardPixmap icon) {
        auto *button = new QToolButton(page);
        button->setObjectName(QLatin1String(name));
        button->setText(caption);
        button->setToolTip(hint);
        button->setIcon(SmallStandardIcon(*page->style(), icon));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        button->setFixedSize(72, 41);
        buttons->addWidget(button);
        return button;
    };
    m_SpeedButtonNewPlayer = makeButton("SpeedButtonNewPlayer", QStringLiteral("&Neu"), QStringLiteral("Neuer Spieler"),
                                        QStyle::SP_FileIcon);
    m_SpeedButtonEditPlayer = makeButton("SpeedButtonEditPlayer", QStringLiteral("B&earbeiten"),
                                         QStringLiteral("Spielerdaten bearbeiten"), QStyle::SP_FileDialogDetailedView);
    m_SpeedButtonDeletePlayer = makeButton("SpeedButtonDeletePlayer", QStringLiteral("L&öschen"),
                                           QStringLiteral("Spieler löschen"), QStyle::SP_TrashIcon);
    m_SpeedButtonEditPlayer->setEnabled(false);
    m_SpeedButtonDeletePlayer->setEnabled(false);
    QToolButton *statistics = makeButton("SpeedButtonStatistics", QStringLiteral("S&tatistik"),
                                         QStringLiteral("Statistik aller Spieler"), QStyle::SP_FileDialogInfoView);
    connect(statistics, &QToolButton::clicked, this, &TFormQuintorMenu::SpeedButtonStatisticsClick);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(m_SpeedButtonNewPlayer, &QToolButton::clicked, this, &TFormQuintorMenu::SpeedButtonNewPlayerClick);
    connect(m_SpeedButtonEditPlayer, &QToolButton::clicked, this, &TFormQuintorMenu::SpeedButtonEditPlayerClick);
    connect(m_SpeedButtonDeletePlayer, &QToolButton::clicked, this, &TFormQuintorMenu::SpeedButtonDeletePlayerClick);
    m_SpeedButtonNewPlayer->setMouseTracking(true);
    m_SpeedButtonDeletePlayer->setMouseTracking(true);
    m_SpeedButtonNewPlayer->installEventFilter(this);
    m_SpeedButtonDeletePlayer->installEventFilter(this);

    m_ListViewPlayers = new QTreeWidget(page);
    m_ListViewPlayers->setObjectName(QStringLiteral("ListViewPlayers"));
    m_ListViewPlayers->setItemDelegate(new TRosterRowDelegate(m_ListViewPlayers));
    // The column titles keep the program's smaller font; only the rows use the larger one.
    m_ListViewPlayers->header()->setFont(QApplication::font(m_ListViewPlayers->header()));
    m_ListViewPlayers->setColumnCount(3);
    m_ListViewPlayers->setHeaderLabels(
        {QStringLiteral("Wer spielt mit ?"), QStringLiteral("Filename"), QStringLiteral("Computerspieler")});
    m_ListViewPlayers->setColumnHidden(1, true);
    m_ListViewPlayers->setRootIsDecorated(false);
    // One line of one font in every row: the view measures one row, not all.
    m_ListViewPlayers->setUniformRowHeights(true);
    m_ListViewPlayers->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_ListViewPlayers->setSelectionMode(QAbstractItemView::SingleSelection);
    m_ListViewPlayers->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_ListViewPlayers->setSortingEnabled(false);
    m_ListViewPlayers->header()->setSectionsClickable(true);
    m_ListViewPlayers->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_ListViewPlayers->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    m_ListViewPlayers->header()->setStretchLastSection(false);
    QFont listFont(QStringLiteral("Comic Sans MS"));
    listFont.setPixelSize(13);
    m_ListViewPlayers->setFont(listFont);
    connect(m_ListViewPlayers, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem *item) { ListViewPlayersChange(item); });
    connect(m_ListViewPlayers, &QTreeWidget::itemSelectionChanged, this, &TFormQuintorMenu::ListViewPlayersSelectItem);
    connect(m_ListViewPlayers, &QTreeWidget::itemDoubleClicked, this, &TFormQuintorMenu::SpeedButtonEditPlayerClick);
    connect(m_ListViewPlayers->header(), &QHeaderView::sectionClicked, this,
            &TFormQuintorMenu::ListViewPlayersColumnClick);
    layout->addWidget(m_ListViewPlayers, 1);
    return page;
}

QToolButton *TFormQuintorMenu::CreateCountButtons(QButtonGroup *group, const QString &prefix, int count, QWidget *row)
{
    auto *layout = static_cast<QBoxLayout *>(row->layout());
    QToolButton *first = nullptr;
    for (int number = 1; number <= count; ++number) {
        auto *button = new QToolButton(row);
        button->setObjectName(prefix + QString::number(number));
        button->setCheckable(true);
        button->setFixedSize(23, 22);
        button->setIcon(LazyFileIcon(QStringLiteral(":/images/count%1.png").arg(number)));
        button->setIconSize(QSize(13, 13));
        if (button->icon().isNull())
            button->setText(QString::number(number));
        group->addButton(button, number);
        layout->addWidget(button);
        if (!first)
            first = button;
    }
    layout->addStretch(1);
    return first;
}

QWidget *TFormQuintorMenu::CreateSettingsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetSettings"));
    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(8, 8, 8, 8);
    auto *box = new QGroupBox(page);
    box->setObjectName(QStringLiteral("GroupBoxSettings"));
    pageLayout->addWidget(box);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(8, 8, 8, 4);
    layout->setSpacing(3);

    const auto labelled = [box, layout](const char *name, const QString &text, int width) {
        auto *row = new QWidget(box);
        row->setObjectName(QStringLiteral("SettingsRow"));
        auto *rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(0, 0, 0, 0);
        rowLayout->setSpacing(1);
        auto *label = new QLabel(text, row);
        label->setObjectName(QLatin1String(name));
        label->setFixedWidth(width);
        rowLayout->addWidget(label);
        layout->addWidget(row);
        return row;
    };

    QWidget *templateRow = labelled("LabelSettings", QStringLiteral("Vorlage:"), 48);
    m_ComboBoxSettings = new QComboBox(templateRow);
    m_ComboBoxSettings->setObjectName(QStringLiteral("ComboBoxSettings"));
    m_ComboBoxSettings->addItems({QStringLiteral("Standard-Einstellungen"), QStringLiteral("Benutzerdefinierte Einstellungen")});
    templateRow->layout()->addWidget(m_ComboBoxSettings);
    connect(m_ComboBoxSettings, &QComboBox::activated, this, &TFormQuintorMenu::ComboBoxSettingsSelect);

    const auto checkBox = [box, layout](const char *name, const QString &caption, const QString &hint) {
        auto *check = new QCheckBox(caption, box);
        check->setObjectName(QLatin1String(name));
        check->setToolTip(hint);
        layout->addWidget(check);
        return check;
    };
    m_CheckBoxMultiQuintor = checkBox("CheckBoxMultiQuintor", QStringLiteral("Weitere Quintors möglich. Bitte Wert unten eingeben"),
                                      QStringLiteral("Wenn aktiviert,\nwird für jeden weiteren Tavolex der\neingestellte Wert eingetragen."));
    m_CheckBoxCheckDices = checkBox("CheckBoxCheckDices", QStringLiteral("Zugwerte anzeigen"),
                                    QStringLiteral("Wenn aktiviert,\nwerden Zugwertungen angezeigt."));
    m_CheckBoxDoRedo = checkBox("CheckBoxDoRedo", QStringLiteral("Zugrücknahme zulassen"),
                                QStringLiteral("Wenn aktiviert, \nwird ein Eintrag erst nach Bestätigung\neingetragen."));
    m_CheckBoxShowSplash = checkBox("CheckBoxShowSplash", QStringLiteral("Startbildschirm anzeigen"),
                                    QStringLiteral("Startbildschirm beim Programmstart anzeigen"));
    connect(m_CheckBoxMultiQuintor, &QCheckBox::toggled, this, &TFormQuintorMenu::CheckBoxMultiQuintorClick);

    QWidget *designRow = labelled("LabelDesign", QStringLiteral("Design:"), 48);
    m_ComboBoxDesign = new QComboBox(designRow);
    m_ComboBoxDesign->setObjectName(QStringLiteral("ComboBoxDesign"));
    m_ComboBoxDesign->setFixedWidth(201);
    designRow->layout()->addWidget(m_ComboBoxDesign);
    static_cast<QBoxLayout *>(designRow->layout())->addStretch(1);
    connect(m_ComboBoxDesign, &QComboBox::activated, this, &TFormQuintorMenu::ComboBoxDesignSelect);

    m_GameCount = new QButtonGroup(this);
    m_DiceCount = new QButtonGroup(this);
    CreateCountButtons(m_GameCount, QStringLiteral("GameCount"), 4,
                       labelled("LabelGameCount", QStringLiteral("Anzahl Spalten:"), 112))
        ->setChecked(true);
    CreateCountButtons(m_DiceCount, QStringLiteral("DiceCount"), 6,
                       labelled("LabelDiceRollCount", QStringLiteral("Würfe pro Runde:"), 112));
    m_DiceCount->button(DefaultDiceCount)->setChecked(true);
    connect(m_GameCount, &QButtonGroup::idClicked, this, &TFormQuintorMenu::GameCount1Click);
    connect(m_DiceCount, &QButtonGroup::idClicked, this, &TFormQuintorMenu::GameCount1Click);

    m_ScrollBoxExtValues = new QScrollArea(box);
    m_ScrollBoxExtValues->setObjectName(QStringLiteral("ScrollBoxExtValues"));
    m_ScrollBoxExtValues->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_ScrollBoxExtValues->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_ScrollBoxExtValues->setWidgetResizable(true);
    m_ScrollBoxExtValues->setFrameShape(QFrame::NoFrame);
    auto *rows = new QWidget;
    rows->setObjectName(QStringLiteral("ScrollBoxExtValuesRows"));
    m_ScrollBoxExtValues->setWidget(rows);
    layout->addSpacing(4);
    layout->addWidget(m_ScrollBoxExtValues, 1);
    m_ExtValues = new TExtValuesEditor(rows, m_CaptionColumn, this);
    connect(m_ExtValues, &TExtValuesEditor::ValueChanged, this, [this] {
        DetectTemplate();
        UpdateStartButton();
    });
    return page;
}

QWidget *TFormQuintorMenu::CreatePrintPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetPrint"));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(8, 10, 8, 8);
    auto *row = new QHBoxLayout;
    m_ComboBoxBlock = new QComboBox(page);
    m_ComboBoxBlock->setObjectName(QStringLiteral("ComboBoxBlock"));
    m_ComboBoxBlock->addItems({QStringLiteral("Standard - Quintor"), QStringLiteral("Hammer - Quintor"),
                               QStringLiteral("Super - Hammer - Quintor")});
    row->addWidget(m_ComboBoxBlock, 1);
    auto *button = new QPushButton(page);
    button->setObjectName(QStringLiteral("BitBtnCreateSheet"));
    button->setFixedSize(48, 25);
    button->setIcon(LazyFileIcon(QStringLiteral(":/images/sheet.png")));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(QStringLiteral("Sie haben hier die Möglichkeit,\neinen leeren Quintorblock auszudrucken."));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, &TFormQuintorMenu::BitBtnCreateSheetClick);
    row->addWidget(button);
    layout->addLayout(row);
    // A look at the chosen sheet, so that the choice is not made blind.
    m_ImageSheetPreview = new QLabel(page);
    m_ImageSheetPreview->setObjectName(QStringLiteral("ImageSheetPreview"));
    m_ImageSheetPreview->setAlignment(Qt::AlignCenter);
    m_ImageSheetPreview->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_ImageSheetPreview->installEventFilter(this);
    layout->addWidget(m_ImageSheetPreview, 1);
    connect(m_ComboBoxBlock, &QComboBox::currentIndexChanged, this, [this](int index) {
        (void)index;
        ShowSheetPreview();
    });
    return page;
}

QWidget *TFormQuintorMenu::CreateAboutPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetAbout"));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(8, 8, 8, 8);
    m_MemoInfo = new QTextEdit(page);
    m_MemoInfo->setObjectName(QStringLiteral("MemoInfo"));
    m_MemoInfo->setReadOnly(true);
    m_MemoInfo->setFocusPolicy(Qt::NoFocus);
    QFont memoFont(QStringLiteral("Comic Sans MS"));
    memoFont.setPixelSize(16);
    m_MemoInfo->setFont(memoFont);
    // Filled and centred here, in one layout: each later change of the text
    // laid the hidden page's text out again.
    QTextOption centred = m_MemoInfo->document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    m_MemoInfo->document()->setDefaultTextOption(centred);
    m_MemoInfo->setPlainText(InfoWithNames());
    layout->addWidget(m_MemoInfo);
    return page;
}

QWidget *TFormQuintorMenu::CreateBottomButtons()
{
    auto *bottom = new QWidget(this);
    auto *layout = new QHBoxLayout(bottom);
    layout->setContentsMargins(15, 4, 15, 8);
    m_ButtonCancel = new QPushButton(QStringLiteral("B&eenden"), bottom);
    m_ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    m_ButtonCancel->setAutoDefault(false);
    m_ButtonStart = new QPushButton(QStringLiteral("&Start"), bottom);
    m_ButtonStart->setObjectName(QStringLiteral("ButtonStart"));
    m_ButtonStart->setDefault(true);
    for (QPushButton *button : {m_ButtonCancel, m_ButtonStart})
        button->setMinimumSize(90, 27);
    layout->addWidget(m_ButtonCancel);
    layout->addStretch(1);
    layout->addWidget(m_ButtonStart);
    connect(m_ButtonCancel, &QPushButton::clicked, this, &TFormQuintorMenu::ButtonCancelClick);
    connect(m_ButtonStart, &QPushButton::clicked, this, &TFormQuintorMenu::ButtonStartClick);
    return bottom;
}

void TFormQuintorMenu::CreateStatusBar()
{
    auto *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBarMain"));
    bar->setSizeGripEnabled(true);
    constexpr std::array<int, 4> widths{80, 120, 120, 200};
    for (std::size_t i = 0; i < m_StatusPanels.size(); ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusBarMainPanel%1").arg(i + 1));
        panel->setMinimumWidth(widths[i]);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        m_StatusPanels[i] = panel;
        if (i + 1 < m_StatusPanels.size())
            bar->addWidget(panel);
    }
    m_StatusPanels[3]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bar->addWidget(m_StatusPanels[3], 1);
    setStatusBar(bar);
}

// ---- window-wide handlers

void TFormQuintorMenu::ButtonStartClick()
{
    if (!AllValuesValid() || !StoreRulesReporting(StartFailed))
        return;
    try {
        m_Application.SaveToFile(m_DataFolder + QStringLiteral("Global.ini"));
    } catch (const EWriteError &error) {
        ShowWriteError(StartFailed + error.Message());
        return;
    }
    RefreshStatusBar();
    hide();
    QString failure;
    const int result = RunGameWindow(failure);
    m_PageControlMainMenu->setCurrentIndex(PagePlayers);
    if (failure.isEmpty()) {
        if (result == TFormQuintorGameMain::ResultQuit) {
            m_QuitRequested = true;
            emit QuitRequested();
        } else if (result == TFormQuintorGameMain::ResultPlayAgain) {
            ButtonStartClick();
        }
    }
    RefreshInfoPage();
    // Showing a window that is about to close would only flash it.
    if (!m_QuitRequested)
        show();
    if (!failure.isEmpty())
        ShowWriteError(failure);
}

int TFormQuintorMenu::RunGameWindow(QString &failure)
{
    int result = 0;
    try {
        const std::unique_ptr<TFormQuintorGameMain> game =
            std::make_unique<TFormQuintorGameMain>(this, m_DataFolder, QCoreApplication::applicationDirPath());
        // Two-digit hours whatever the locale writes: the report and the
        // duration read "HH:MM".
        game->SetStartTime(QTime::currentTime().toString(QStringLiteral("HH:mm")));
        result = game->exec();
    } catch (const EGameStartError &error) {
        failure = StartFailed + error.Message();
    } catch (const EWriteError &error) {
        failure = error.Message();
    } catch (const std::exception &error) {
        failure = QStringLiteral("Das Spiel wurde wegen eines Fehlers beendet:\n%1").arg(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        failure = QStringLiteral("Das Spiel wurde wegen eines unbekannten Fehlers beendet.");
    }
    // The game window has raised the game number.
    m_Application.LoadFromFile(m_DataFolder + QStringLiteral("Global.ini"));
    return result;
}

void TFormQuintorMenu::ButtonCancelClick()
{
    if (!StoreRulesReporting())
        return;  // the user keeps the page and may try again or close by the title bar
    m_QuitRequested = true;
    emit QuitRequested();
}

void TFormQuintorMenu::PageControlMainMenuChange(int index)
{
    if (index >= 0 && index < static_cast<int>(PageHelpContexts.size()))
        SetFormHelpContext(this, PageHelpContexts[static_cast<std::size_t>(index)]);
}

bool TFormQuintorMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ImageSheetPreview && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        ShowSheetPreview();
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        if (watched == m_SpeedButtonNewPlayer)
            SetFormHelpContext(this, 30100);
        else if (watched == m_SpeedButtonDeletePlayer)
            SetFormHelpContext(this, 30200);
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFormQuintorMenu::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
    QWidget *focus = QApplication::focusWidget();
    if (qobject_cast<QLineEdit *>(focus) && m_ScrollBoxExtValues->isAncestorOf(focus))
        return;
    auto *button = qobject_cast<QPushButton *>(focus);
    (button && isAncestorOf(button) ? button : m_ButtonStart)->click();
}

void TFormQuintorMenu::RefreshStatusBar()
{
    m_StatusPanels[0]->setText(QStringLiteral("Quintor"));
    m_StatusPanels[1]->setText(QStringLiteral("Version: 3.1"));
    m_StatusPanels[2]->clear();
    m_StatusPanels[3]->setText(HelpAvailable() ? QStringLiteral("F1 Hilfe      ")
                                               : QStringLiteral("(F1=Hilfe) steht in dieser Version nicht zur Verfügung      "));
}

void TFormQuintorMenu::RefreshInfoPage()
{
    m_CheckBoxShowSplash->setChecked(m_Application.ShowSplash());
}

QString TFormQuintorMenu::SheetPath(int index)
{
    if (index < 0 || index >= static_cast<int>(SheetFiles.size()))
        return {};
    return ProgramPath(QLatin1String(SheetFiles[static_cast<std::size_t>(index)]));
}

void TFormQuintorMenu::ShowSheetPreview()
{
    // A sheet is a print-size picture: decoded when its page is seen, not at start.
    if (!m_ImageSheetPreview->isVisible())
        return;
    const int index = m_ComboBoxBlock->currentIndex();
    if (index != m_SheetPictureIndex) {
        m_SheetPicture = QPixmap(SheetPath(index));
        m_SheetPictureIndex = index;
    }
    const QSize room = m_ImageSheetPreview->size() - QSize(16, 16);
    m_ImageSheetPreview->setPixmap(m_SheetPicture.isNull() || room.isEmpty()
                                       ? QPixmap()
                                       : m_SheetPicture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TFormQuintorMenu::BitBtnCreateSheetClick()
{
    const QString path = SheetPath(m_ComboBoxBlock->currentIndex());
    if (!path.isEmpty() && QFileInfo(path).isFile())
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void TFormQuintorMenu::ShowWriteError(const QString &message)
{
    QMessageBox::critical(this, windowTitle(), message);
}

// ---- player roster

void TFormQuintorMenu::LoadPlayerList()
{
    m_Updating = true;
    m_ProfileFiles.Scan(m_DataFolder);
    m_ListViewPlayers->setUpdatesEnabled(false);
    m_ListViewPlayers->clear();
    for (const QString &file : std::as_const(m_ProfileFiles.Files)) {
        const QString path = m_DataFolder + file;
        QString tamperedName;
        m_Profile.LoadFromFile(path, tamperedName);
        if (!tamperedName.isEmpty()) {
            if (m_UndeletableProfiles.contains(path))
                continue;  // reported once already; the folder refuses the deletion
            QMessageBox box(QMessageBox::Question, windowTitle(),
                            QStringLiteral("Die Spielerdaten von \"%1\" konnten nicht geladen werden.\n\n"
                                           "Aufgrund ungültiger Quintor Einstellungen wird dieser Spieler gelöscht.")
                                .arg(tamperedName),
                            QMessageBox::Ok, this);
            box.exec();
            if (!QFile::remove(path))
                m_UndeletableProfiles.insert(path);
            continue;
        }
        auto *item = new QTreeWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setText(0, m_Profile.Name());
        item->setText(1, path);
        // Empty for a person, so that people's rows read as before.
        item->setText(2, StrengthName(StrengthOf(m_Profile.Computer())));
        item->setCheckState(0, m_Profile.Plays() ? Qt::Checked : Qt::Unchecked);
        m_ListViewPlayers->addTopLevelItem(item);
    }
    SortListItems(m_ListViewPlayers, -1, TListSortState{});
    m_ListViewPlayers->setUpdatesEnabled(true);
    // The rows are laid out now: left to the next paint, the layout asks
    // for another paint of the whole list from inside that paint.
    if (m_ListViewPlayers->topLevelItemCount() > 0)
        (void)m_ListViewPlayers->visualItemRect(m_ListViewPlayers->topLevelItem(0));
    m_Profile.SetName(QStringLiteral("-1"));
    m_SpeedButtonEditPlayer->setEnabled(false);
    m_SpeedButtonDeletePlayer->setEnabled(false);
    m_Updating = false;
    UpdateStartButton();
}

int TFormQuintorMenu::TickedPlayerCount() const
{
    int ticked = 0;
    for (int i = 0; i < m_ListViewPlayers->topLevelItemCount(); ++i) {
        if (m_ListViewPlayers->topLevelItem(i)->checkState(0) == Qt::Checked)
            ++ticked;
    }
    return ticked;
}

void TFormQuintorMenu::UpdateStartButton()
{
    if (m_Updating)
        return;
    const int ticked = TickedPlayerCount();
    m_ButtonStart->setEnabled(AllValuesValid() && ticked >= 1 && ticked <= MaxPlayers);
    if (m_ButtonStart->isEnabled())
        m_ButtonStart->setDefault(true);
}

void TFormQuintorMenu::ListViewPlayersSelectItem()
{
    const QList<QTreeWidgetItem *> selected = m_ListViewPlayers->selectedItems();
    m_SpeedButtonEditPlayer->setEnabled(!selected.isEmpty());
    m_SpeedButtonDeletePlayer->setEnabled(!selected.isEmpty());
    if (selected.isEmpty()) {
        m_Profile.SetName(QStringLiteral("-1"));
        return;
    }
    m_CurrentProfileFile = ProfilePathOf(selected.first());
    QString ignored;
    m_Profile.LoadFromFile(m_CurrentProfileFile, ignored);
}

void TFormQuintorMenu::ListViewPlayersChange(QTreeWidgetItem *item)
{
    if (m_Updating || !item)
        return;
    m_CurrentProfileFile = ProfilePathOf(item);
    QString ignored;
    m_Profile.LoadFromFile(m_CurrentProfileFile, ignored);
    m_Profile.SetPlays(item->checkState(0) == Qt::Checked);
    try {
        m_Profile.SaveToFile(m_CurrentProfileFile);
    } catch (const EWriteError &error) {
        ShowWriteError(error.Message());
    }
    UpdateStartButton();
}

void TFormQuintorMenu::ListViewPlayersColumnClick(int column)
{
    TListSortState &state = PlayerSortState();
    state.Mode = column == 0 || column == ComputerColumn ? TCompareMode::Text : TCompareMode::Number;
    const auto flag = static_cast<std::size_t>(column);
    if (flag < state.Inverted.size())
        state.Inverted[flag] = !state.Inverted[flag];
    const bool wasUpdating = m_Updating;
    m_Updating = true;
    SortListItems(m_ListViewPlayers, column - 1, state);
    m_Updating = wasUpdating;
}

void TFormQuintorMenu::SpeedButtonNewPlayerClick()
{
    bool ok = false;
    const QString name = QInputDialog::getText(this, QStringLiteral("Neuer Spieler"),
                                               QStringLiteral("Wie soll der neue Spieler heißen ?"), QLineEdit::Normal,
                                               QString(), &ok);
    if (!ok || name.trimmed().isEmpty())
        return;
    if (!IsAnsiRepresentable(name)) {
        QMessageBox::warning(this, windowTitle(), RejectedNameMessage(name));
        return;
    }
    m_Profile.SetName(name);
    m_Profile.SetBackground(QString());
    m_Profile.SetBackgroundIndex(0);
    m_Profile.SetPlays(false);
    m_CurrentProfileFile = m_DataFolder + m_ProfileFiles.NewFileName();
    try {
        m_Profile.SaveToFile(m_CurrentProfileFile);
    } catch (const EWriteError &error) {
        ShowWriteError(error.Message());
        LoadPlayerList();
        return;
    }
    OpenEditPlayerDialog(true);
}

void TFormQuintorMenu::SpeedButtonEditPlayerClick()
{
    if (m_Profile.Name() == QLatin1String("-1"))
        return;
    OpenEditPlayerDialog(false);
}

void TFormQuintorMenu::OpenEditPlayerDialog(bool isNewPlayer)
{
    {
        TFormQuintorMenu_EditPlayer dialog(m_Profile, m_DataFolder, m_CurrentProfileFile, this);
        dialog.setFont(font());
        if (isNewPlayer)
            dialog.setWindowTitle(QStringLiteral("Spielerdaten bearbeiten"));
        dialog.exec();
    }
    LoadPlayerList();
}

void TFormQuintorMenu::SpeedButtonStatisticsClick()
{
    TFormQuintorStatistics view(m_DataFolder, QString(), QString(), QString(), this);
    view.setFont(font());
    view.exec();
}

void TFormQuintorMenu::SpeedButtonDeletePlayerClick()
{
    m_Updating = true;
    const auto answer = QMessageBox::question(
        this, windowTitle(),
        QStringLiteral("Soll der Spieler %1\nunwiderruflich gelöscht werden ?").arg(m_Profile.Name()),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes) {
        QFile::remove(m_CurrentProfileFile);
        LoadPlayerList();
    }
    m_Updating = false;
}

// ---- rule configuration

QString TFormQuintorMenu::TemplatePath(int index) const
{
    return m_DataFolder + (index == 1 ? QStringLiteral("User.ini") : QStringLiteral("Quintor.ini"));
}

void TFormQuintorMenu::PressCountButton(QButtonGroup *group, int number)
{
    if (QAbstractButton *button = group->button(number))
        button->setChecked(true);
}

void TFormQuintorMenu::LoadRuleTemplate()
{
    m_Updating = true;
    QString tampered;
    try {
        m_Settings.LoadFromFile(m_CurrentTemplateFile, SettingsSection, tampered);
        m_ReportedTemplateError.clear();
    } catch (const EWriteError &error) {
        // Said once: closing the box activates the window, which loads again.
        if (m_ReportedTemplateError != error.Message()) {
            m_ReportedTemplateError = error.Message();
            ShowWriteError(error.Message());
        }
    }
    if (!tampered.isEmpty())
        RejectTamperedTemplate();
    const bool userTemplate = m_ComboBoxSettings->currentIndex() == 1;
    PressCountButton(m_GameCount, userTemplate ? m_Settings.GameCount() : DefaultGameCount);
    PressCountButton(m_DiceCount, userTemplate ? m_Settings.DiceCount() : DefaultDiceCount);
    m_CheckBoxMultiQuintor->setChecked(m_Settings.MultTavolex());
    m_CheckBoxCheckDices->setChecked(m_Settings.ShowHint());
    m_CheckBoxDoRedo->setChecked(m_Settings.AllowRedo());
    RebuildValueRows(userTemplate ? TExtValuesEditor::ValuesOf(m_Settings) : TExtValuesEditor::DefaultValues());
    SetFormCaption(this, QStringLiteral("Hauptmenü"));
    SetFormHelpContext(this, PageHelpContexts[PagePlayers]);
    m_Updating = false;
}

void TFormQuintorMenu::RejectTamperedTemplate()
{
    QMessageBox box(QMessageBox::Critical, windowTitle(),
                    QStringLiteral("Die Einstellungen in %1\nkonnten aufgrund ungültiger Einstellungen nicht geladen werden."
                                   "\n\nAlle Einstellungen werden gelöscht und die Anwendung beendet.")
                        .arg(QFileInfo(m_CurrentTemplateFile).fileName()),
                    QMessageBox::Ok, this);
    box.exec();
    for (const char *file : {"Settings.ini", "Quintor.ini", "User.ini"})
        QFile::remove(m_DataFolder + QLatin1String(file));
    m_ComboBoxSettings->setCurrentIndex(0);
    m_QuitRequested = true;
    emit QuitRequested();
}

void TFormQuintorMenu::RebuildValueRows(const std::array<QString, 8> &values)
{
    m_ScrollBoxExtValues->hide();
    m_ExtValues->BuildRows(values);
    m_ScrollBoxExtValues->show();
}

void TFormQuintorMenu::StoreRules()
{
    m_Settings.SetGameCount(std::max(1, m_GameCount->checkedId()));
    m_Settings.SetDiceCount(std::max(1, m_DiceCount->checkedId()));
    m_Settings.SetMultTavolex(m_CheckBoxMultiQuintor->isChecked());
    m_Settings.SetShowHint(m_CheckBoxCheckDices->isChecked());
    m_Settings.SetAllowRedo(m_CheckBoxDoRedo->isChecked());
    m_Settings.SetExtOptions(m_ExtValues->CollectExtOptions());
    m_Settings.SetDesignName(QString::number(std::max(0, m_ComboBoxDesign->currentIndex())));
    m_Application.SetShowSplash(m_CheckBoxShowSplash->isChecked());
    m_Application.SaveToFile(m_DataFolder + QStringLiteral("Global.ini"));
    m_Settings.SaveToFile(m_CurrentTemplateFile, SettingsSection);
    // Replaced in one step, never removed first: a copy that fails keeps the
    // rules of the last game.
    const QString copy = m_DataFolder + QStringLiteral("Settings.ini");
    QFile source(m_CurrentTemplateFile);
    if (!source.open(QIODevice::ReadOnly))
        throw EWriteError(copy);
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        throw EWriteError(copy);
    WriteWholeFile(copy, bytes);
}

bool TFormQuintorMenu::StoreRulesReporting(const QString &lead)
{
    try {
        StoreRules();
        return true;
    } catch (const EWriteError &error) {
        ShowWriteError(lead + error.Message());
        return false;
    }
}

bool TFormQuintorMenu::AllValuesValid() const
{
    return m_ExtValues->AllValuesValid();
}

void TFormQuintorMenu::DetectTemplate()
{
    if (m_Updating)
        return;
    const bool standard = m_GameCount->checkedId() == DefaultGameCount && m_DiceCount->checkedId() == DefaultDiceCount &&
                          m_ExtValues->JoinedTexts() == StandardRuleTexts;
    const int index = standard ? 0 : 1;
    m_ComboBoxSettings->setCurrentIndex(index);
    m_CurrentTemplateFile = TemplatePath(index);
}

void TFormQuintorMenu::GameCount1Click()
{
    DetectTemplate();
}

void TFormQuintorMenu::ComboBoxSettingsSelect(int index)
{
    m_CurrentTemplateFile = TemplatePath(index);
    LoadRuleTemplate();
    UpdateExtraQuintorRow();
    UpdateStartButton();
}

void TFormQuintorMenu::CheckBoxMultiQuintorClick()
{
    UpdateExtraQuintorRow();
}

void TFormQuintorMenu::UpdateExtraQuintorRow()
{
    m_ExtValues->SetRowVisible(7, m_CheckBoxMultiQuintor->isChecked());
}

void TFormQuintorMenu::ApplyDesign()
{
    const QString name = m_ComboBoxDesign->currentText();
    ApplyProgramDesign(name == QLatin1String("Standard") ? 0 : DesignIndex(name));
}

void TFormQuintorMenu::ComboBoxDesignSelect(int)
{
    ApplyDesign();
    if (!StoreRulesReporting())
        return;
    RebuildValueRows(TExtValuesEditor::ValuesOf(m_Settings));
    UpdateExtraQuintorRow();
    UpdateStartButton();
}
