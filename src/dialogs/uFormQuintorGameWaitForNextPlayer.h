// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// A yes/no question that accepts by itself when its progress runs out.
// Results: 1 accepted ("&Ja", the key J or the timeout), 7 declined ("&Nein",
// the key N or a click on the text), 2 closed by the window's close command.
// Escape does nothing: it is none of the ways a question ends.
class TFormQuintorGameWaitForNextPlayer : public QDialog {
    Q_OBJECT

public:
    static constexpr int ResultAccepted = 1;
    static constexpr int ResultClosed = 2;
    static constexpr int ResultDeclined = 7;
    static constexpr int ProgressMaximum = 95;

    explicit TFormQuintorGameWaitForNextPlayer(QWidget *owner);

    void SetQuestion(const QString &text);
    void SetTimerInterval(int milliseconds);
    void HideProgress();
    // Tag not 0: the cursor goes to "&Nein", which becomes the default button.
    void SetTag(int tag);
    void SetDialogWidth(int width);
    // Centres the dialog on `area` (in global coordinates).
    void CentreOn(const QRect &area);

    [[nodiscard]] QLabel *Label1() const noexcept { return m_Label1; }
    [[nodiscard]] QProgressBar *ProgressBarMain() const noexcept { return m_ProgressBarMain; }
    [[nodiscard]] QPushButton *ButtonNo() const noexcept { return m_ButtonNo; }
    [[nodiscard]] QPushButton *ButtonCancel() const noexcept { return m_ButtonCancel; }
    [[nodiscard]] QTimer *TimerAnimate() const noexcept { return m_TimerAnimate; }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void TimerAnimateTimer();

private:
    void LayOut();

    int m_Tag = 0;
    QLabel *m_Label1;
    QProgressBar *m_ProgressBarMain;
    QPushButton *m_ButtonNo;
    QPushButton *m_ButtonCancel;
    QTimer *m_TimerAnimate;
};
