// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/uFormQuintorTempSettings.h"

#include "rules/uTTavolex.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

TFormQuintorTempSettings::TFormQuintorTempSettings(QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint
                         | Qt::WindowCloseButtonHint)
    , m_ListViewSettings(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("FormQuintorTempSettings"));
    setWindowTitle(QStringLiteral("Wertetabelle"));
    resize(273, 206);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_ListViewSettings);
    m_ListViewSettings->setObjectName(QStringLiteral("ListViewSettings"));
    m_ListViewSettings->setHeaderLabels({QStringLiteral("Feld"), QStringLiteral("Wert")});
    m_ListViewSettings->setRootIsDecorated(false);
    m_ListViewSettings->setSelectionMode(QAbstractItemView::NoSelection);
    m_ListViewSettings->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_ListViewSettings->setStyleSheet(QStringLiteral(
        // The fixed yellow takes black text in every design.
        "QTreeWidget { background: rgb(255, 255, 128); color: black; }"
        "QTreeWidget::item { border-right: 1px solid #c0c0a0; border-bottom: 1px solid #c0c0a0; }"));
}

void TFormQuintorTempSettings::FillValueTable(const TTavolexSettings &rules)
{
    const TTavolex captions;
    const QString bonus = captions.Rows(Row::UpperBonus).Caption;
    QList<QPair<QString, int>> rows{
        {bonus + QStringLiteral(" ab"), Row::UpperPoints},
        {bonus + QStringLiteral(" Wertung"), Row::UpperBonus},
        {captions.Rows(Row::FullHouse).Caption, Row::FullHouse},
        {captions.Rows(Row::SmallStraight).Caption, Row::SmallStraight},
        {captions.Rows(Row::LargeStraight).Caption, Row::LargeStraight},
        {captions.Rows(Row::Quintor).Caption, Row::Quintor},
    };
    if (rules.MultTavolex())
        rows.append({captions.Rows(Row::FurtherQuintor).Caption, Row::FurtherQuintor});
    rows.append({captions.Rows(Row::StruckField).Caption, Row::StruckField});

    m_ListViewSettings->clear();
    for (const auto &[caption, row] : rows)
        new QTreeWidgetItem(m_ListViewSettings, {caption, QString::number(rules.RuleValue(row))});
    m_ListViewSettings->resizeColumnToContents(0);
    m_ListViewSettings->resizeColumnToContents(1);
}
