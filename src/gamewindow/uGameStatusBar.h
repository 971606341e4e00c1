// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <array>

class TMainApplication;

// The game window's status bar: seven panels of 120 pixels. Panels 3, 4 and 5
// show the sound and animation switches as icons and switch them on a click;
// every panel has a hint of its own, the empty panel 2 the game's keys.
class TGameStatusBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int PanelCount = 7;
    static constexpr int PanelWidth = 120;
    enum Panel { KeysPanel = 2, SoundPanel = 3, CupPanel = 4, DicePanel = 5 };

    TGameStatusBar(TMainApplication &settings, QWidget *parent);

    void SetPanelText(int panel, const QString &text);
    [[nodiscard]] QString PanelText(int panel) const;
    [[nodiscard]] static QString PanelHint(int panel);
    // The panel under x, walking from the left; the last one beyond the panels.
    [[nodiscard]] static int PanelAt(int x);

signals:
    // A switch was changed by a click; `panel` is 3, 4 or 5.
    void Switched(int panel);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;

private:
    [[nodiscard]] int IconOf(int panel) const;

    TMainApplication &m_Settings;
    std::array<QString, PanelCount> m_Texts;
    std::array<QPixmap, 6> m_Icons;
};
