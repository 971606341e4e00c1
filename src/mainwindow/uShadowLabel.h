// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QLabel>
#include <QPoint>

// A plain-text label with the look of a QGraphicsDropShadowEffect of blur
// radius 0, pixel for pixel. The effect renders its label through
// QWidget::render, which first delivers every pending move and resize event
// of the whole window, the hidden pages' included: at the first frame that
// was more work than the rest of the head. The shadow is clipped to the
// label, so the text needs room for the offset on its aligned sides (the
// head's text ends in blanks).
class TShadowLabel : public QLabel {
    Q_OBJECT
public:
    TShadowLabel(QPoint offset, const QColor &color, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPoint m_Offset;
    QColor m_Color;
};
