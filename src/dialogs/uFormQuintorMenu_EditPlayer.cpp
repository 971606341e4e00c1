#include "dialogs/uFormQuintorMenu_EditPlayer.h"

#include "mainwindow/uFormCaption.h"
#include "storage/uTPlayer.h"
#include "storage/uTools.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>

#include <array>

namespace {

constexpr int HelpContextEditPlayer = 30300;

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
    grid->addWidget(m_EditPlayerName, 0, 1, Qt::AlignLeft);

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
    top->addWidget(label);
    top->addWidget(m_ComboBoxGameType);
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
    layout->addWidget(m_ListViewStats, 1);
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
    try {
        edited.SaveToFile(m_ProfileFile);
    } catch (const EWriteError &error) {
        QMessageBox::critical(this, windowTitle(), error.Message());
        return;
    }
    m_Profile = edited;
    done(ResultOk);
}
