// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class QTreeWidget;
class TTavolexSettings;

// The rule values of the running game, opened with "?" above the playfield.
// Filled once, so it shows the values the game started with.
class TFormQuintorTempSettings : public QWidget {
    Q_OBJECT

public:
    explicit TFormQuintorTempSettings(QWidget *owner);

    void FillValueTable(const TTavolexSettings &rules);
    [[nodiscard]] QTreeWidget *ListViewSettings() const noexcept { return m_ListViewSettings; }

private:
    QTreeWidget *m_ListViewSettings;
};
