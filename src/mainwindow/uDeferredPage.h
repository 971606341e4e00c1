// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

// A tab page that lays its content out only once it is first shown. A tab
// widget asks every page for its size at the first layout, and the pages
// behind the first ask each of their labels, boxes and fields in turn, each
// of which shapes its text and loads its font: work the first frame does not
// show. The content is built and filled as before, and is a child from the
// start, so it is found, read and changed as any other control; it stays out
// of every layout until the page is shown, also in a window not yet on screen.
class TDeferredPage : public QWidget {
    Q_OBJECT
public:
    // Takes `content` as its child.
    explicit TDeferredPage(QWidget *content, QWidget *parent = nullptr);

    [[nodiscard]] bool ContentLaidOut() const noexcept { return m_LaidOut; }

signals:
    // Just before the content is first laid out: what the content builds
    // for being seen is built now, in the same layout.
    void FirstShown();

protected:
    bool event(QEvent *event) override;

private:
    QWidget *m_Content;
    bool m_LaidOut = false;
};
