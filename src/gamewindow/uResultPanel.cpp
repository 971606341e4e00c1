// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uResultPanel.h"

#include "gamewindow/uDesigns.h"
#include "gamewindow/uPictureList.h"
#include "gamewindow/uWinners.h"

#include <QBoxLayout>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>

namespace {
constexpr int BandHeight = 81;
constexpr int CloverWidth = 79;
constexpr int BottomHeight = 41;
// The bottom panel's width in the design: the right-anchored buttons keep
// their distance from the right edge.
constexpr int DesignWidth = 433;
const QColor Green(0, 128, 0);

void Paint(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel *ShadowedLabel(QWidget *parent, const QString &name, int pixelSize, bool italic)
{
    auto *label = new QLabel(QStringLiteral("."), parent);
    label->setObjectName(name);
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPixelSize(pixelSize);
    font.setItalic(italic);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);  // names are shown as typed, never as markup
    label->setAlignment(Qt::AlignCenter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    auto *shadow = new QGraphicsDropShadowEffect(label);
    shadow->setOffset(3, 3);
    shadow->setBlurRadius(2);
    label->setGraphicsEffect(shadow);
    return label;
}

QLabel *PictureLabel(QWidget *parent, const QString &name, const QImage &picture, int width)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setFixedWidth(width);
    label->setAlignment(Qt::AlignCenter);
    if (!picture.isNull())
        label->setPixmap(QPixmap::fromImage(picture));
    return label;
}
}  // namespace

TResultPanel::TResultPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("PanelResultMain"));
    setFrameStyle(QFrame::NoFrame);
    Paint(this, Green);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    CreateTop();
    CreateWinnerPanels();
    layout->addStretch(1);
    CreateBottom();
    hide();
}

void TResultPanel::CreateTop()
{
    m_PanelResultTop = new QFrame(this);
    m_PanelResultTop->setObjectName(QStringLiteral("PanelResultTop"));
    m_PanelResultTop->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_PanelResultTop->setFixedHeight(BandHeight);
    auto *row = new QHBoxLayout(m_PanelResultTop);
    row->setContentsMargins(1, 1, 1, 1);
    row->setSpacing(0);
    const QImage clover(QStringLiteral(":/images/clover.png"));
    row->addWidget(PictureLabel(m_PanelResultTop, QStringLiteral("Image3"), clover, CloverWidth));
    m_LabelResultTop = ShadowedLabel(m_PanelResultTop, QStringLiteral("LabelResultTop"), 27, true);
    m_LabelResultTop->setText(QStringLiteral("Siegerehrung"));
    row->addWidget(m_LabelResultTop, 1);
    row->addWidget(PictureLabel(m_PanelResultTop, QStringLiteral("Image1"), clover.mirrored(true, false), CloverWidth));
    static_cast<QVBoxLayout *>(layout())->addWidget(m_PanelResultTop);
}

void TResultPanel::CreateWinnerPanels()
{
    for (int rank = 1; rank <= Places; ++rank) {
        auto *panel = new QFrame(this);
        panel->setObjectName(QStringLiteral("WinnerPanel%1").arg(rank));
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setFixedHeight(BandHeight);
        Paint(panel, Green);
        auto *row = new QHBoxLayout(panel);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(0);
        QLabel *label = ShadowedLabel(panel, QStringLiteral("WinnerLabel%1").arg(rank), 19, false);
        row->addWidget(label, 1);
        panel->hide();
        static_cast<QVBoxLayout *>(layout())->addWidget(panel);
        m_WinnerPanels[Slot(rank)] = panel;
        m_WinnerLabels[Slot(rank)] = label;
        m_WinnerTexts[Slot(rank)] = QStringLiteral(".");
    }
}

QPushButton *TResultPanel::AddButton(const QString &name, const QString &caption, int width)
{
    auto *button = new QPushButton(caption, m_PanelResultBottom);
    button->setObjectName(name);
    button->resize(width, 25);
    button->setAutoDefault(false);
    return button;
}

void TResultPanel::CreateBottom()
{
    m_PanelResultBottom = new QFrame(this);
    m_PanelResultBottom->setObjectName(QStringLiteral("PanelResultBottom"));
    m_PanelResultBottom->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_PanelResultBottom->setFixedHeight(BottomHeight);
    m_ButtonReplay = AddButton(QStringLiteral("ButtonReplay"), QStringLiteral("&Nochmal spielen"), 97);
    m_ButtonPrint = AddButton(QStringLiteral("ButtonPrint"), QStringLiteral("Bericht &anzeigen"), 97);
    m_ButtonQuit = AddButton(QStringLiteral("ButtonQuit"), QStringLiteral("Quintor b&eenden"), 97);
    m_ButtonMainMenue = AddButton(QStringLiteral("ButtonMainMenue"), QStringLiteral("&Hauptmenü"), 116);
    m_ButtonMainMenue->setDefault(true);
    static_cast<QVBoxLayout *>(layout())->addWidget(m_PanelResultBottom);
    PlaceButtons();
}

void TResultPanel::PlaceButtons()
{
    const int w = std::max(width(), DesignWidth);
    m_ButtonReplay->move(8, 8);
    m_ButtonPrint->move(112, 8);
    m_ButtonQuit->move(w - (DesignWidth - 210), 8);
    m_ButtonMainMenue->move(w - (DesignWidth - 309), 8);
}

void TResultPanel::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    PlaceButtons();
}

std::size_t TResultPanel::Slot(int rank)
{
    return static_cast<std::size_t>(std::clamp(rank, 1, Places) - 1);
}

void TResultPanel::ShowWinnerPanel(int rank)
{
    m_WinnerPanels[Slot(rank)]->show();
}

QFrame *TResultPanel::WinnerPanel(int rank) const
{
    return m_WinnerPanels[Slot(rank)];
}

QString TResultPanel::WinnerText(int rank) const
{
    return m_WinnerTexts[Slot(rank)];
}

void TResultPanel::ShowWinner(int rank, int points, const QString &name, const QString &dicePicture)
{
    const std::size_t slot = Slot(rank);
    QFrame *panel = m_WinnerPanels[slot];
    panel->setFrameStyle(QFrame::NoFrame);
    const QImage die = ReadPicture(dicePicture);
    if (!die.isNull()) {
        const QImage keyed = TPictureList::KeyedOut(die, TPictureList::CornerColor(die));
        auto *row = static_cast<QHBoxLayout *>(panel->layout());
        const int side = panel->height() > 0 ? panel->height() : BandHeight;
        // New left pictures follow those at the left edge; a new right one
        // goes in front of the ones already at the right edge.
        const int left = m_LeftPictures[slot]++;
        QLabel *first = PictureLabel(panel, QStringLiteral("WinnerDiceLeft%1").arg(rank), keyed, side);
        QLabel *second = PictureLabel(panel, QStringLiteral("WinnerDiceRight%1").arg(rank), keyed, side);
        row->insertWidget(left, first);
        row->insertWidget(left + 2, second);
        first->show();  // the panel is already shown; late children are not
        second->show();
    }
    QString &text = m_WinnerTexts[slot];
    text = WinnerLabelText(text, rank, points, name);
    // The label shows plain line breaks; the text keeps the CR LF it was built with.
    m_WinnerLabels[slot]->setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}
