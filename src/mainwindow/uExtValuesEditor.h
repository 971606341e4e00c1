// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <optional>

class QLineEdit;
class QFrame;
class QWidget;
class TTavolex;
class TTavolexSettings;

// One editable rule value of the settings page.
struct TExtValueDef {
    int Position;      // 1..8, the order on the page
    int RowKey;        // score row whose rule value it is
    int Default;
    const char *Range; // "-5000+5000": minimum in characters 1-5, maximum in 6-10
    const char *Suffix;
};

// The eight rule values in page order.
[[nodiscard]] const std::array<TExtValueDef, 8> &ExtValueDefs();

// Whole number with leading blanks and sign, nothing after the digits, within
// the range text's limits.
[[nodiscard]] bool ValueInRange(const QString &text, const QString &rangeText);

// The rows "DynExtValue<position>" of the extended values, built into a
// container widget. Rows are rebuilt, never updated in place.
class TExtValuesEditor : public QObject {
    Q_OBJECT
public:
    TExtValuesEditor(QWidget *container, const TTavolex &captions, QObject *parent = nullptr);

    // Rebuilds the header and rows 1-8 with the given texts (index = position - 1).
    // After DeferRows the texts are kept and the rows built at the first look
    // at them (any of the calls below but AllValuesValid) or BuildDeferredRows.
    void BuildRows(const std::array<QString, 8> &values);
    // For a container on a page not yet shown: its rows are three dozen
    // controls, rebuilt at every activation of the window.
    void DeferRows() { m_Deferring = true; }
    // Builds the kept rows, and every later set of rows at once.
    void BuildDeferredRows();
    // The texts the rule set holds for the rows, or the defaults.
    [[nodiscard]] static std::array<QString, 8> ValuesOf(const TTavolexSettings &settings);
    [[nodiscard]] static std::array<QString, 8> DefaultValues();

    // "row|text," for each existing field in position order, texts as typed.
    [[nodiscard]] QString CollectExtOptions() const;
    // The texts of the fields, positions 1 to 8, joined without separators.
    [[nodiscard]] QString JoinedTexts() const;
    // False when any row is marked invalid; rows not yet built, like rows
    // just built, are not judged before their first change.
    [[nodiscard]] bool AllValuesValid() const;
    void SetRowVisible(int position, bool visible);

    [[nodiscard]] QFrame *Row(int position) const;
    [[nodiscard]] QLineEdit *Edit(int position) const;

signals:
    // A field's text changed after it was built (by typing or Escape).
    void ValueChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void MakeRows(const std::array<QString, 8> &values);
    void BuildHeader();
    void BuildValueRow(const TExtValueDef &def, const QString &label, const QString &value);
    void DestroyRow(int position);
    void ValueEditChange(QLineEdit *edit);
    void FocusNeighbour(int position, int step);
    void BuildKeptRows() const;

    QWidget *m_Container;
    const TTavolex &m_Captions;
    bool m_Deferring = false;
    // Kept while deferring; built at the first look, so "mutable".
    mutable std::optional<std::array<QString, 8>> m_KeptValues;
    mutable std::array<std::optional<bool>, 9> m_KeptVisible{};
};
