// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/MenuFixture.h"
#include "support/GameFolder.h"

#include "dialogs/uFormQuintorGameWaitForNextPlayer.h"
#include "dialogs/uFormQuintorMenu_EditPlayer.h"
#include "dialogs/uFormQuintorTempSettings.h"
#include "gamewindow/uFormQuintorGameMain.h"
#include "gamewindow/uGameStatusBar.h"
#include "rules/uTTavolex.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <memory>

// In the help pages a name in bold is a control (or its hint), written as
// the window that the page belongs to shows it.

namespace {

// What the player reads: mnemonics gone ("A&bbruch" is Abbruch), lines joined.
QString Shown(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text.simplified();
}

void AddList(QSet<QString> &texts, const QTreeWidget *list)
{
    const QTreeWidgetItem *header = list->headerItem();
    for (int column = 0; column < list->columnCount(); ++column)
        texts << Shown(header->text(column));
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        for (int column = 0; column < list->columnCount(); ++column)
            texts << Shown(list->topLevelItem(row)->text(column));
}

void AddTextsOf(QSet<QString> &texts, QWidget *widget)
{
    texts << Shown(widget->toolTip()) << Shown(widget->windowTitle());
    if (auto *label = qobject_cast<QLabel *>(widget))
        texts << Shown(label->text());
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        texts << Shown(button->text());
    else if (auto *group = qobject_cast<QGroupBox *>(widget))
        texts << Shown(group->title());
    else if (auto *list = qobject_cast<QTreeWidget *>(widget))
        AddList(texts, list);
    else if (qobject_cast<TGameStatusBar *>(widget))
        for (int panel = 0; panel < TGameStatusBar::PanelCount; ++panel)
            texts << Shown(TGameStatusBar::PanelHint(panel));
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        for (int i = 0; i < combo->count(); ++i)
            texts << Shown(combo->itemText(i));
    if (auto *tabs = qobject_cast<QTabWidget *>(widget))
        for (int i = 0; i < tabs->count(); ++i)
            texts << Shown(tabs->tabText(i));
}

// Every text of the window and its controls, shown or behind a page or hint.
QSet<QString> TextsOf(QWidget *window)
{
    QSet<QString> texts;
    AddTextsOf(texts, window);
    for (QWidget *widget : window->findChildren<QWidget *>())
        AddTextsOf(texts, widget);
    texts.remove(QString());
    return texts;
}

QStringList BoldNames(const QString &page)
{
    QFile file(QStringLiteral(QUINTOR_HELP_DIR "/") + page);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("(page missing)")};
    const QString html = QString::fromUtf8(file.readAll());
    QStringList names;
    static const QRegularExpression bold(QStringLiteral("<b>(.*?)</b>"), QRegularExpression::DotMatchesEverythingOption);
    for (auto match = bold.globalMatch(html); match.hasNext();)
        names << match.next().captured(1).simplified();
    return names;
}

struct TWindows {
    TDataFolder Data;
    std::unique_ptr<TFormQuintorMenu> Menu;

    // Every page visited, as the reader of the help would: a page builds some
    // of its controls when it is first shown.
    QSet<QString> MainWindow()
    {
        Data.AddPlayer(QStringLiteral("Anna"), true);
        Menu = OpenMenu(Data);
        auto *pages = Child<QTabWidget>(*Menu, "PageControlMainMenu");
        for (int page = pages->count() - 1; page >= 0; --page)
            pages->setCurrentIndex(page);
        return TextsOf(Menu.get());
    }

    QSet<QString> EditPlayer()
    {
        const QString file = Data.AddPlayer(QStringLiteral("Anna"), true);
        TPlayer profile;
        QString tampered;
        profile.LoadFromFile(file, tampered);
        TFormQuintorMenu_EditPlayer dialog(profile, Data.Path, file);
        return TextsOf(&dialog);
    }

    // The game window with its result panel, value table and their hints.
    QSet<QString> Game(int columns)
    {
        const TGameFolder folder(columns);
        TFormQuintorGameMain window(nullptr, folder.Path, QStringLiteral(QUINTOR_PROGRAM_DIR));
        return TextsOf(&window) + TextsOf(window.ValueTable());
    }

    QSet<QString> Prompt()
    {
        TFormQuintorGameWaitForNextPlayer prompt(nullptr);
        return TextsOf(&prompt);
    }
};

using TOpen = std::function<QSet<QString>(TWindows &)>;

}  // namespace

Q_DECLARE_METATYPE(TOpen)

class TestHelpPages : public QObject {
    Q_OBJECT

private slots:
    void boldNamesAreShownByTheWindow_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<TOpen>("open");
        const TOpen menu = [](TWindows &w) { return w.MainWindow(); };
        for (const char *page : {"20100.html", "20200.html", "20400.html", "20500.html", "30200.html"})
            QTest::newRow(page) << QString::fromLatin1(page) << menu;
        // "&Neu" opens the edit player dialog, whose "&Ok" stores the player.
        QTest::newRow("30100.html") << QStringLiteral("30100.html")
                                    << TOpen([](TWindows &w) { return w.MainWindow() + w.EditPlayer(); });
        QTest::newRow("30300.html") << QStringLiteral("30300.html") << TOpen([](TWindows &w) { return w.EditPlayer(); });
        QTest::newRow("40100.html") << QStringLiteral("40100.html") << TOpen([](TWindows &w) { return w.Game(1); });
        QTest::newRow("40200.html") << QStringLiteral("40200.html") << TOpen([](TWindows &w) { return w.Game(2); });
        QTest::newRow("40300.html") << QStringLiteral("40300.html") << TOpen([](TWindows &w) { return w.Game(1); });
        QTest::newRow("41040.html") << QStringLiteral("41040.html") << TOpen([](TWindows &w) { return w.Game(1); });
        for (const char *page : {"41020.html", "41030.html"})
            QTest::newRow(page) << QString::fromLatin1(page) << TOpen([](TWindows &w) { return w.Prompt(); });
    }

    void boldNamesAreShownByTheWindow()
    {
        QFETCH(QString, page);
        QFETCH(TOpen, open);
        TWindows windows;
        const QSet<QString> shown = open(windows);
        QStringList unknown;
        for (const QString &name : BoldNames(page))
            if (!shown.contains(name))
                unknown << name;
        QVERIFY2(unknown.isEmpty(), qPrintable(QStringLiteral("not shown by the window: ") + unknown.join(QStringLiteral(" | "))));
    }
};

QTEST_MAIN(TestHelpPages)
#include "tst_helppages.moc"
