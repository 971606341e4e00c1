// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/uExtValuesEditor.h"

#include "mainwindow/uDesign.h"
#include "rules/uTTavolex.h"

#include <QBoxLayout>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <utility>

namespace {

const char *const RowPrefix = "DynExtValue";
constexpr int RowHeight = 21;
constexpr int InvalidNumber = -999999;

QString RowName(int position)
{
    return QLatin1String(RowPrefix) + QString::number(position);
}

int RangeLimit(const QString &rangeText, int part)
{
    return rangeText.mid(part * 5, 5).toInt();
}

// Whole number as the rule editor reads it, InvalidNumber when it is none.
int ReadWholeNumber(const QString &text)
{
    int pos = 0;
    while (pos < text.size() && text.at(pos) == QLatin1Char(' '))
        ++pos;
    const int start = pos;
    if (pos < text.size() && (text.at(pos) == QLatin1Char('+') || text.at(pos) == QLatin1Char('-')))
        ++pos;
    const int digits = pos;
    while (pos < text.size() && text.at(pos) >= QLatin1Char('0') && text.at(pos) <= QLatin1Char('9'))
        ++pos;
    if (pos == digits || pos != text.size())
        return InvalidNumber;
    bool ok = false;
    const int value = text.mid(start).toInt(&ok);
    return ok ? value : InvalidNumber;
}

}  // namespace

const std::array<TExtValueDef, 8> &ExtValueDefs()
{
    static const std::array<TExtValueDef, 8> defs{{
        {1, Row::UpperPoints, 63, "00010+0099", " ab"},
        {2, Row::UpperBonus, 35, "00000+0099", " Wertung"},
        {3, Row::FullHouse, 25, "-5000+5000", ""},
        {4, Row::SmallStraight, 30, "-5000+5000", ""},
        {5, Row::LargeStraight, 40, "-5000+5000", ""},
        {6, Row::Quintor, 50, "-5000+5000", ""},
        {7, Row::FurtherQuintor, 100, "-5000+5000", ""},
        {8, Row::StruckField, 0, "-5000+0000", ""},
    }};
    return defs;
}

bool ValueInRange(const QString &text, const QString &rangeText)
{
    const int value = ReadWholeNumber(text);
    return value != InvalidNumber && RangeLimit(rangeText, 0) <= value && value <= RangeLimit(rangeText, 1);
}

TExtValuesEditor::TExtValuesEditor(QWidget *container, const TTavolex &captions, QObject *parent)
    : QObject(parent), m_Container(container), m_Captions(captions)
{
    if (!m_Container->layout()) {
        auto *layout = new QVBoxLayout(m_Container);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addStretch(1);
    }
}

std::array<QString, 8> TExtValuesEditor::ValuesOf(const TTavolexSettings &settings)
{
    std::array<QString, 8> values;
    for (const TExtValueDef &def : ExtValueDefs())
        values[static_cast<std::size_t>(def.Position - 1)] = QString::number(settings.RuleValue(def.RowKey, def.Default));
    return values;
}

std::array<QString, 8> TExtValuesEditor::DefaultValues()
{
    std::array<QString, 8> values;
    for (const TExtValueDef &def : ExtValueDefs())
        values[static_cast<std::size_t>(def.Position - 1)] = QString::number(def.Default);
    return values;
}

void TExtValuesEditor::BuildRows(const std::array<QString, 8> &values)
{
    if (m_Deferring) {
        m_KeptValues = values;
        m_KeptVisible = {};
        return;
    }
    MakeRows(values);
}

void TExtValuesEditor::MakeRows(const std::array<QString, 8> &values)
{
    BuildHeader();
    for (const TExtValueDef &def : ExtValueDefs()) {
        // Rows 1 and 2 both describe the bonus row 9, as "Bonus ab" and "Bonus Wertung".
        const int captionRow = def.Position <= 2 ? Row::UpperBonus : def.RowKey;
        BuildValueRow(def, m_Captions.Rows(captionRow).Caption + QLatin1String(def.Suffix),
                      values[static_cast<std::size_t>(def.Position - 1)]);
    }
}

void TExtValuesEditor::BuildDeferredRows()
{
    m_Deferring = false;
    BuildKeptRows();
}

// Const for the calls that look: building the kept rows changes nothing they
// tell, only when the controls are made.
void TExtValuesEditor::BuildKeptRows() const
{
    if (!m_KeptValues)
        return;
    const std::array<QString, 8> values = *std::exchange(m_KeptValues, std::nullopt);
    const std::array<std::optional<bool>, 9> visible = std::exchange(m_KeptVisible, {});
    auto &editor = const_cast<TExtValuesEditor &>(*this);
    editor.MakeRows(values);
    for (int position = 0; position < static_cast<int>(visible.size()); ++position)
        if (visible[static_cast<std::size_t>(position)])
            editor.SetRowVisible(position, *visible[static_cast<std::size_t>(position)]);
}

void TExtValuesEditor::DestroyRow(int position)
{
    delete Row(position);
}

void TExtValuesEditor::BuildHeader()
{
    DestroyRow(0);
    auto *panel = new QFrame(m_Container);
    panel->setObjectName(RowName(0));
    panel->setFixedHeight(RowHeight);
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *label = new QLabel(QStringLiteral("Erweiterte Einstellungen"), panel);
    label->setObjectName(QStringLiteral("DynExtValueHeader"));
    // Grey with black text in every design (white on that grey is too faint);
    // a sheet of its own wins over a design's rules for labels.
    label->setStyleSheet(QStringLiteral(
        "background: rgb(128,128,128); color: #000000; font-weight: bold; padding-left: 4px;"));
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    static_cast<QBoxLayout *>(m_Container->layout())->insertWidget(0, panel);
}

void TExtValuesEditor::BuildValueRow(const TExtValueDef &def, const QString &label, const QString &value)
{
    DestroyRow(def.Position);
    const QString range = QLatin1String(def.Range);
    auto *panel = new QFrame(m_Container);
    panel->setObjectName(RowName(def.Position));
    panel->setFixedHeight(RowHeight);
    panel->setProperty("RangeText", range);
    panel->setProperty("Valid", 0);
    panel->setProperty("extValueRow", true);
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(4, 1, 4, 1);
    layout->setSpacing(0);

    auto *caption = new QLabel(label, panel);
    caption->setFixedWidth(200);
    layout->addWidget(caption);

    auto *edit = new QLineEdit(value, panel);
    edit->setObjectName(RowName(def.Position) + QStringLiteral("Edt"));
    edit->setFixedSize(50, RowHeight - 2);
    edit->setProperty("Position", def.Position);
    edit->setProperty("RowKey", QString::number(def.RowKey));
    edit->setProperty("Default", QString::number(def.Default));
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this, [this, edit] { ValueEditChange(edit); });
    layout->addWidget(edit);

    auto *rangeCaption = new QLabel(QStringLiteral("Vorgabe: %1 (Erlaubte Werte: %2 bis %3)")
                                        .arg(def.Default)
                                        .arg(RangeLimit(range, 0))
                                        .arg(RangeLimit(range, 1)),
                                    panel);
    rangeCaption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    rangeCaption->setIndent(8);
    rangeCaption->setToolTip(QStringLiteral("Mit \"ESC\" können Sie den Standardwert\nfür dieses Feld eingetragen."));
    layout->addWidget(rangeCaption, 1);

    static_cast<QBoxLayout *>(m_Container->layout())->insertWidget(def.Position, panel);
}

void TExtValuesEditor::ValueEditChange(QLineEdit *edit)
{
    QFrame *panel = Row(edit->property("Position").toInt());
    const bool valid = ValueInRange(edit->text(), panel->property("RangeText").toString());
    SetFieldInvalid(edit, !valid);
    panel->setProperty("Valid", valid ? 1 : -1);
    emit ValueChanged();
}

bool TExtValuesEditor::eventFilter(QObject *watched, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (!edit || event->type() != QEvent::KeyPress)
        return false;
    const int position = edit->property("Position").toInt();
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_Escape: edit->setText(edit->property("Default").toString()); return true;
    case Qt::Key_Up: FocusNeighbour(position, -1); return true;
    case Qt::Key_Down: FocusNeighbour(position, +1); return true;
    default: return false;
    }
}

// Hidden rows (the further-Quintor row) are stepped over.
void TExtValuesEditor::FocusNeighbour(int position, int step)
{
    for (int next = position + step; next >= 1 && next <= 8; next += step) {
        QFrame *panel = Row(next);
        if (panel && !panel->isHidden()) {
            Edit(next)->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

QString TExtValuesEditor::CollectExtOptions() const
{
    QString options;
    for (int position = 1; position <= 8; ++position) {
        if (const QLineEdit *edit = Edit(position))
            options += edit->property("RowKey").toString() + QLatin1Char('|') + edit->text() + QLatin1Char(',');
    }
    return options;
}

QString TExtValuesEditor::JoinedTexts() const
{
    QString joined;
    for (int position = 1; position <= 8; ++position) {
        if (const QLineEdit *edit = Edit(position))
            joined += edit->text();
    }
    return joined;
}

bool TExtValuesEditor::AllValuesValid() const
{
    if (m_KeptValues)
        return true;
    for (int position = 1; position <= 8; ++position) {
        const QFrame *panel = Row(position);
        if (panel && panel->property("Valid").toInt() == -1)
            return false;
    }
    return true;
}

void TExtValuesEditor::SetRowVisible(int position, bool visible)
{
    if (m_KeptValues && position >= 0 && position < static_cast<int>(m_KeptVisible.size())) {
        m_KeptVisible[static_cast<std::size_t>(position)] = visible;
        return;
    }
    if (QFrame *panel = Row(position))
        panel->setVisible(visible);
}

QFrame *TExtValuesEditor::Row(int position) const
{
    BuildKeptRows();
    return m_Container->findChild<QFrame *>(RowName(position), Qt::FindDirectChildrenOnly);
}

QLineEdit *TExtValuesEditor::Edit(int position) const
{
    const QFrame *panel = Row(position);
    return panel ? panel->findChild<QLineEdit *>(RowName(position) + QStringLiteral("Edt")) : nullptr;
}
