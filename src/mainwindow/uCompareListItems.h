// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>

class QTreeWidget;
class QTreeWidgetItem;

enum class TCompareMode { Text, Number, Date };

// How a list view is sorted by column clicks; kept for the whole run.
struct TListSortState {
    TCompareMode Mode = TCompareMode::Text;
    std::array<bool, 8> Inverted{};  // per column index (sort column + 1)
};

// Sort column -1 compares the row captions (column 0), 0 and up the
// sub-columns after it. Text: locale order; Number: larger first; Date:
// earlier first. An inverted column flips the sign. Missing rows give 0.
[[nodiscard]] int CompareListItems(const QTreeWidgetItem *first, const QTreeWidgetItem *second, int sortColumn,
                                   const TListSortState &state);

// Reorders the top-level rows of `list` by CompareListItems (stable).
void SortListItems(QTreeWidget *list, int sortColumn, const TListSortState &state);
