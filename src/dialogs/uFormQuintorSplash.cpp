// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/uFormQuintorSplash.h"

#include "gamewindow/uSoundLayer.h"
#include "storage/uTools.h"

#include <QLabel>
#include <QMouseEvent>
#include <QTimer>


namespace {

constexpr int TickIntervalMs = 1000;
constexpr int TickLimit = 10;

QLabel *CreateLabel(QWidget *parent, const QRect &geometry, int pixelSize)
{
    auto *label = new QLabel(parent);
    label->setGeometry(geometry);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(pixelSize);
    label->setFont(arial);
    label->setStyleSheet(QStringLiteral("color: black; background: transparent;"));
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

}  // namespace

TFormQuintorSplash::TFormQuintorSplash(QWidget *parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog), m_Jingle(std::make_unique<TSoundLayer>())
{
    setObjectName(QStringLiteral("FormQuintorSplash"));
    m_JinglePlaying = [this] { return m_Jingle->Playing(0); };
    CreateControls();
    m_TimerMain = new QTimer(this);
    m_TimerMain->setObjectName(QStringLiteral("TimerMain"));
    m_TimerMain->setInterval(TickIntervalMs);
    connect(m_TimerMain, &QTimer::timeout, this, &TFormQuintorSplash::TimerMainTimer);
}

TFormQuintorSplash::~TFormQuintorSplash() = default;

void TFormQuintorSplash::CreateControls()
{
    setFixedSize(465, 272);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0, 128, 0));
    setPalette(colours);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("PanelClient"));
    panel->setGeometry(rect());
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(5);
    panel->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("ImageSplash"));
    picture->setGeometry(5, 5, 455, 262);
    picture->setScaledContents(true);
    picture->setPixmap(QPixmap(QStringLiteral(":/images/splash.jpg")));
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_LabelApplicationShortName = CreateLabel(this, QRect(16, 16, 339, 36), 27);
    m_LabelApplicationShortName->setObjectName(QStringLiteral("LabelApplicationShortName"));
    m_LabelVersion = CreateLabel(this, QRect(72, 56, 97, 22), 16);
    m_LabelVersion->setObjectName(QStringLiteral("LabelVersion"));
    m_LabelFullname = CreateLabel(this, QRect(72, 88, 260, 52), 19);
    m_LabelFullname->setObjectName(QStringLiteral("LabelFullname"));
    m_LabelFullname->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *dice = new QLabel(this);
    dice->setObjectName(QStringLiteral("ImageDice"));
    dice->setGeometry(384, 196, 64, 64);
    dice->setStyleSheet(QStringLiteral("background: transparent;"));
    dice->setPixmap(QPixmap(QStringLiteral(":/images/splash_die.png")));
    dice->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TFormQuintorSplash::SetJinglePlaying(std::function<bool()> playing)
{
    m_JinglePlaying = std::move(playing);
}

void TFormQuintorSplash::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_Activated) {
        m_Activated = true;
        FormActivate();
    }
}

void TFormQuintorSplash::FormActivate()
{
    // A missing or broken jingle leaves the sample list empty: the first tick closes.
    m_Jingle->Play(m_Jingle->Add(QStringLiteral("intro"), ProgramPath(QStringLiteral("Bin/Sounds/intro.WAV"))), false);
    m_TimerMain->start();
    m_TickLimit = TickLimit;
}

void TFormQuintorSplash::TimerMainTimer()
{
    ++m_TickCount;
    if (!m_JinglePlaying() || m_TickLimit - m_TickCount < 1) {
        m_TimerMain->stop();
        done(1);
    }
}

void TFormQuintorSplash::LabelFullnameClick()
{
    m_TimerMain->stop();
    done(1);
}

void TFormQuintorSplash::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    LabelFullnameClick();
}
