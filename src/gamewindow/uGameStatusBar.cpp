// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uGameStatusBar.h"

#include "storage/uTMainApplication.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <QToolTip>

TGameStatusBar::TGameStatusBar(TMainApplication &settings, QWidget *parent)
    : QWidget(parent)
    , m_Settings(settings)
{
    setObjectName(QStringLiteral("StatusBarMain"));
    setFixedHeight(22);
    for (int i = 0; i < 6; ++i)
        m_Icons[static_cast<std::size_t>(i)] = QPixmap(QStringLiteral(":/images/soundicon%1.png").arg(i));
}

void TGameStatusBar::SetPanelText(int panel, const QString &text)
{
    if (panel < 0 || panel >= PanelCount)
        return;
    m_Texts[static_cast<std::size_t>(panel)] = text;
    update();
}

QString TGameStatusBar::PanelText(int panel) const
{
    return panel >= 0 && panel < PanelCount ? m_Texts[static_cast<std::size_t>(panel)] : QString();
}

QString TGameStatusBar::PanelHint(int panel)
{
    switch (panel) {
    case 0: return QStringLiteral("Applikationsname");
    case 1: return QStringLiteral("Version");
    case KeysPanel:
        return QStringLiteral("Tastatur: Leertaste würfeln, 1 bis 5 Würfel halten, Pfeiltasten Feld wählen,\n"
                              "Eingabe eintragen, Tab Spieler ansehen, Entf aufgeben");
    case SoundPanel: return QStringLiteral("Sound an- oder ausschalten");
    case CupPanel:
        return QStringLiteral("Animation für Würfelbecher an- oder ausschalten\n"
                              "(Bei langsamen Rechnern empfehlen wir, diese Animation zu deaktivieren)");
    case DicePanel:
        return QStringLiteral("Animation der Würfel an- oder ausschalten\n"
                              "(Bei langsamen Rechnern empfehlen wir, diese Animation zu deaktivieren)");
    case 6: return QStringLiteral("Drücken Sie F1 für die Offlinehilfe");
    default: return QString();
    }
}

int TGameStatusBar::PanelAt(int x)
{
    for (int i = 0; i < PanelCount - 1; ++i)
        if ((i + 1) * PanelWidth > x)
            return i;
    return PanelCount - 1;
}

int TGameStatusBar::IconOf(int panel) const
{
    switch (panel) {
    case SoundPanel: return m_Settings.Sound();
    case CupPanel: return m_Settings.AnimateCup();
    case DicePanel: return m_Settings.AnimateDice();
    default: return -1;
    }
}

void TGameStatusBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (int i = 0; i < PanelCount; ++i) {
        // The last panel takes the rest of the width and holds its text to the right.
        const int width = i == PanelCount - 1 ? std::max(PanelWidth, this->width() - i * PanelWidth) : PanelWidth;
        const QRect panel(i * PanelWidth, 0, width, height());
        QStyleOptionFrame frame;
        frame.initFrom(this);
        frame.rect = panel.adjusted(1, 1, -1, -1);
        frame.lineWidth = 1;
        frame.state |= QStyle::State_Sunken;
        style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
        const int icon = IconOf(i);
        if (icon >= 0 && icon < static_cast<int>(m_Icons.size()))
            painter.drawPixmap(panel.left() + 50, panel.top() + 2, m_Icons[static_cast<std::size_t>(icon)]);
        const Qt::Alignment align = i == PanelCount - 1 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter;
        painter.drawText(panel.adjusted(4, 0, -4, 0), align, m_Texts[static_cast<std::size_t>(i)]);
    }
}

void TGameStatusBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int panel = PanelAt(event->position().toPoint().x());
    switch (panel) {
    case SoundPanel: m_Settings.SetSound(m_Settings.Sound() == 0 ? 1 : 0); break;
    case CupPanel: m_Settings.SetAnimateCup(m_Settings.AnimateCup() == 2 ? 3 : 2); break;
    case DicePanel: m_Settings.SetAnimateDice(m_Settings.AnimateDice() == 4 ? 5 : 4); break;
    default: return;
    }
    update();
    emit Switched(panel);
}

bool TGameStatusBar::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int panel = PanelAt(help->pos().x());
        const QString hint = PanelHint(panel);
        if (hint.isEmpty()) {
            QToolTip::hideText();
        } else {
            // The hint belongs to the panel: moving to another panel shows that one's.
            const QRect rect(panel * PanelWidth, 0, PanelWidth, height());
            QToolTip::showText(help->globalPos(), hint, this, rect, 5000);
        }
        return true;
    }
    return QWidget::event(event);
}
