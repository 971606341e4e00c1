// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class QLabel;
class QTimer;
class TSoundLayer;

// The start picture; closes at the first tick (1 s) after the jingle ended,
// at the tenth tick at the latest, or at once on a click. Result 1 always.
class TFormQuintorSplash : public QDialog {
    Q_OBJECT
public:
    explicit TFormQuintorSplash(QWidget *parent = nullptr);
    ~TFormQuintorSplash() override;

    [[nodiscard]] QLabel *LabelApplicationShortName() const noexcept { return m_LabelApplicationShortName; }
    [[nodiscard]] QLabel *LabelVersion() const noexcept { return m_LabelVersion; }
    [[nodiscard]] QLabel *LabelFullname() const noexcept { return m_LabelFullname; }
    [[nodiscard]] int TickCount() const noexcept { return m_TickCount; }
    [[nodiscard]] QTimer *TimerMain() const noexcept { return m_TimerMain; }

    // Replaces the question "is the jingle still playing?" (e.g. in tests).
    void SetJinglePlaying(std::function<bool()> playing);

    // Starts the jingle and the timer; runs once when the window is shown.
    void FormActivate();

public slots:
    void TimerMainTimer();
    void LabelFullnameClick();

protected:
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void CreateControls();

    std::unique_ptr<TSoundLayer> m_Jingle;
    std::function<bool()> m_JinglePlaying;
    QLabel *m_LabelApplicationShortName = nullptr;
    QLabel *m_LabelVersion = nullptr;
    QLabel *m_LabelFullname = nullptr;
    QTimer *m_TimerMain = nullptr;
    qint32 m_TickCount = 0;
    qint32 m_TickLimit = 0;
    bool m_Activated = false;
};
