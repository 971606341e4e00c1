// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

class QLabel;

// Shown while the game window loads; each message replaces the last one at once.
class TFormQuintorWait : public QDialog {
    Q_OBJECT

public:
    explicit TFormQuintorWait(QWidget *owner);
    void SetText(const QString &text);
    [[nodiscard]] QString Text() const;

private:
    QLabel *m_Label;
};
