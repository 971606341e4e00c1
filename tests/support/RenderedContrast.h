// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QString>
#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeWidget>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <functional>

// The contrast of text as it is drawn. A widget is rendered with its text and
// again without it: the pixels that change are the text, the second picture
// gives the background under each of them. The ratio is the one of the web's
// accessibility guidelines (1 to 21; 4.5 is the least for body text).
namespace RenderedContrast {

inline double Luminance(QRgb colour)
{
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(colour)) + 0.7152 * channel(qGreen(colour)) + 0.0722 * channel(qBlue(colour));
}

inline double Ratio(QRgb a, QRgb b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct TMeasure {
    double Ratio = 1.0;  // the strongest text pixel against its background
    int TextPixels = 0;
    QRgb Text = 0;
    QRgb Background = 0;
};

// Anti-aliased edges are paler than the strokes; the strokes decide.
inline TMeasure Compare(const QImage &with, const QImage &without)
{
    TMeasure measure;
    const QImage a = with.convertToFormat(QImage::Format_RGB32);
    const QImage b = without.convertToFormat(QImage::Format_RGB32);
    if (a.size() != b.size())
        return measure;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb ink = a.pixel(x, y);
            const QRgb ground = b.pixel(x, y);
            if (ink == ground)
                continue;
            ++measure.TextPixels;
            const double ratio = Ratio(ink, ground);
            if (ratio > measure.Ratio) {
                measure.Ratio = ratio;
                measure.Text = ink;
                measure.Background = ground;
            }
        }
    }
    return measure;
}

// Renders the part of the window that `widget` covers (only `area` of it
// when given), runs `removeText`, renders again and runs `restore`. The whole
// window is rendered, so what lies behind or over the widget counts too.
inline TMeasure OfRendering(QWidget *widget, const std::function<void()> &removeText,
                            const std::function<void()> &restore, QRect area = {})
{
    QWidget *window = widget->window();
    const QRect local = area.isNull() ? widget->rect() : area;
    const QRect part(widget->mapTo(window, local.topLeft()), local.size());
    const QImage with = window->grab(part).toImage();
    removeText();
    const QImage without = window->grab(part).toImage();
    restore();
    return Compare(with, without);
}

// The text of a label, button, edit field or combo box; other widgets and
// widgets without text give no text pixels.
inline TMeasure OfWidget(QWidget *widget)
{
    const QSignalBlocker quiet(widget);
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        const QString text = label->text();
        return OfRendering(label, [&] { label->setText(QString()); }, [&] { label->setText(text); });
    }
    if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        const QString text = button->text();
        return OfRendering(button, [&] { button->setText(QString()); }, [&] { button->setText(text); });
    }
    if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
        const QString text = edit->text();
        return OfRendering(edit, [&] { edit->setText(QString()); }, [&] { edit->setText(text); });
    }
    if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        const int index = combo->currentIndex();
        const QString text = combo->itemText(index);
        return OfRendering(combo, [&] { combo->setItemText(index, QString()); },
                           [&] { combo->setItemText(index, text); });
    }
    return {};
}

// One cell of a list view, as drawn in its viewport.
inline TMeasure OfItem(QTreeWidget *list, QTreeWidgetItem *item, int column)
{
    const QString text = item->text(column);
    const QRect cell = list->visualItemRect(item).intersected(
        QRect(list->header()->sectionViewportPosition(column), 0, list->columnWidth(column),
              list->viewport()->height()));
    const QSignalBlocker quiet(list);
    return OfRendering(list->viewport(), [&] { item->setText(column, QString()); },
                       [&] { item->setText(column, text); }, cell);
}

// Each paragraph, heading and list item of a document view (memo, help
// page) on its own, so that dark headings cannot hide pale body text. The
// view must show the whole document; each measured block's text is made
// transparent and stays so.
inline QList<QPair<QString, TMeasure>> OfDocumentBlocks(QTextEdit *view)
{
    QList<QPair<QString, TMeasure>> measures;
    QTextDocument *document = view->document();
    const QPoint scroll(view->horizontalScrollBar()->value(), view->verticalScrollBar()->value());
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.text().trimmed().isEmpty())
            continue;
        const QRect area = document->documentLayout()->blockBoundingRect(block).toAlignedRect().translated(-scroll);
        if (!view->viewport()->rect().contains(area))
            continue;
        const TMeasure measure = OfRendering(
            view->viewport(),
            [&] {
                QTextCursor text(block);
                text.select(QTextCursor::BlockUnderCursor);
                QTextCharFormat clear;
                clear.setForeground(Qt::transparent);
                text.mergeCharFormat(clear);
            },
            [] {}, area);
        measures.append({block.text(), measure});
    }
    return measures;
}

}  // namespace RenderedContrast
