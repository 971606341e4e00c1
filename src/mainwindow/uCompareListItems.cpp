// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/uCompareListItems.h"

#include <QDateTime>
#include <QLocale>
#include <QTreeWidget>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

QString ColumnText(const QTreeWidgetItem *item, int sortColumn)
{
    const int column = sortColumn + 1;
    return column < item->columnCount() ? item->text(column) : QString();
}

// The value of a whole number, or of its leading digits when it is none.
struct TNumberText {
    bool IsNumber = false;
    qlonglong Value = 0;
};

TNumberText ReadNumber(const QString &text)
{
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (ok)
        return {true, value};
    qlonglong leading = 0;
    for (const QChar ch : text) {
        if (!ch.isDigit() || leading > 100000000000LL)
            break;
        leading = leading * 10 + ch.digitValue();
    }
    return {false, leading};
}

std::optional<QDateTime> ReadDate(const QString &text)
{
    static const QStringList formats{QStringLiteral("d.M.yyyy H:mm:ss"), QStringLiteral("d.M.yyyy H:mm"),
                                     QStringLiteral("d.M.yyyy"), QStringLiteral("d.M.yy")};
    for (const QString &format : formats) {
        const QDateTime value = QDateTime::fromString(text.trimmed(), format);
        if (value.isValid())
            return value;
    }
    const QDateTime local = QLocale().toDateTime(text.trimmed(), QLocale::ShortFormat);
    if (local.isValid())
        return local;
    return std::nullopt;
}

int Sign(qlonglong value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

int CompareNumbers(const QString &a, const QString &b)
{
    const TNumberText first = ReadNumber(a);
    const TNumberText second = ReadNumber(b);
    if (!first.IsNumber && !second.IsNumber)
        return 0;
    return Sign(second.Value - first.Value);
}

int CompareDates(const QString &a, const QString &b)
{
    const std::optional<QDateTime> first = ReadDate(a);
    const std::optional<QDateTime> second = ReadDate(b);
    if (!first && !second)
        return 0;
    const qint64 ms1 = first ? first->toMSecsSinceEpoch() : 0;
    const qint64 ms2 = second ? second->toMSecsSinceEpoch() : 0;
    return Sign(ms1 - ms2);
}

}  // namespace

int CompareListItems(const QTreeWidgetItem *first, const QTreeWidgetItem *second, int sortColumn,
                     const TListSortState &state)
{
    if (!first || !second)
        return 0;
    const QString a = ColumnText(first, sortColumn);
    const QString b = ColumnText(second, sortColumn);
    int result = 0;
    switch (state.Mode) {
    case TCompareMode::Text: result = Sign(QString::localeAwareCompare(a, b)); break;
    case TCompareMode::Number: result = CompareNumbers(a, b); break;
    case TCompareMode::Date: result = CompareDates(a, b); break;
    }
    const auto flag = static_cast<std::size_t>(sortColumn + 1);
    if (flag < state.Inverted.size() && state.Inverted[flag])
        result = -result;
    return result;
}

void SortListItems(QTreeWidget *list, int sortColumn, const TListSortState &state)
{
    std::vector<QTreeWidgetItem *> rows;
    while (list->topLevelItemCount() > 0)
        rows.push_back(list->takeTopLevelItem(0));
    std::stable_sort(rows.begin(), rows.end(), [&](const QTreeWidgetItem *a, const QTreeWidgetItem *b) {
        return CompareListItems(a, b, sortColumn, state) < 0;
    });
    for (QTreeWidgetItem *row : rows)
        list->addTopLevelItem(row);
}
