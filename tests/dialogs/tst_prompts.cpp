// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/uFormQuintorGameWaitForNextPlayer.h"
#include "dialogs/uFormQuintorTempSettings.h"
#include "rules/uTTavolex.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

using TPrompt = TFormQuintorGameWaitForNextPlayer;

// Shown and active, as the game shows it; the result is 0 while it is open.
void OpenActive(TPrompt &prompt)
{
    prompt.open();
    prompt.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&prompt));
}

// A key as the window system delivers it, shortcuts included.
void Press(QWidget &window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(window.windowHandle(), key, modifiers);
}

}  // namespace

class TestPrompts : public QObject {
    Q_OBJECT
private slots:
    void acceptsByItselfAfterNinetyFourSteps();
    void clickOnTheTextDeclines();
    void keysEndTheQuestionOnlyAsItsButtonsDo_data();
    void keysEndTheQuestionOnlyAsItsButtonsDo();
    void closeCommandGivesTwo();
    void tagChoosesDefaultButtonAndCursor_data();
    void tagChoosesDefaultButtonAndCursor();
    void valueTableRows_data();
    void valueTableRows();
};

void TestPrompts::acceptsByItselfAfterNinetyFourSteps()
{
    TPrompt prompt(nullptr);
    QCOMPARE(prompt.TimerAnimate()->interval(), 95);
    QVERIFY(prompt.TimerAnimate()->isActive());
    prompt.TimerAnimate()->stop();
    OpenActive(prompt);
    for (int step = 1; step < 94; ++step)
        QVERIFY(QMetaObject::invokeMethod(&prompt, "TimerAnimateTimer"));
    QVERIFY(prompt.isVisible());
    QVERIFY(QMetaObject::invokeMethod(&prompt, "TimerAnimateTimer"));
    QVERIFY(!prompt.isVisible());
    QCOMPARE(prompt.result(), TPrompt::ResultAccepted);
}

void TestPrompts::clickOnTheTextDeclines()
{
    TPrompt prompt(nullptr);
    OpenActive(prompt);
    QTest::mouseClick(prompt.Label1(), Qt::LeftButton);
    QVERIFY(!prompt.isVisible());
    QCOMPARE(prompt.result(), TPrompt::ResultDeclined);
}

void TestPrompts::keysEndTheQuestionOnlyAsItsButtonsDo_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("result");  // 0: still open
    const int none = Qt::NoModifier;
    const int alt = Qt::AltModifier;
    QTest::newRow("entry: Return accepts") << 0 << int(Qt::Key_Return) << none << 1;
    QTest::newRow("entry: keypad Enter accepts") << 0 << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 1;
    QTest::newRow("give-up: Return declines") << 1 << int(Qt::Key_Return) << none << 7;
    // Escape used to reject (2), which an entry counts as accepted.
    QTest::newRow("entry: Escape does nothing") << 0 << int(Qt::Key_Escape) << none << 0;
    QTest::newRow("give-up: Escape does nothing") << 1 << int(Qt::Key_Escape) << none << 0;
    QTest::newRow("Alt+J is Ja") << 1 << int(Qt::Key_J) << alt << 1;
    QTest::newRow("Alt+N is Nein") << 0 << int(Qt::Key_N) << alt << 7;
    QTest::newRow("a letter alone does nothing") << 0 << int(Qt::Key_X) << none << 0;
}

void TestPrompts::keysEndTheQuestionOnlyAsItsButtonsDo()
{
    QFETCH(int, tag);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, result);
    TPrompt prompt(nullptr);
    prompt.TimerAnimate()->stop();
    prompt.SetTag(tag);
    OpenActive(prompt);
    Press(prompt, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    // An accelerator clicks its button a moment later, as a click would look.
    if (modifiers & Qt::AltModifier)
        QTRY_VERIFY(!prompt.isVisible());
    QCOMPARE(prompt.isVisible(), result == 0);
    QCOMPARE(prompt.result(), result);
}

void TestPrompts::closeCommandGivesTwo()
{
    TPrompt prompt(nullptr);
    OpenActive(prompt);
    QVERIFY(prompt.close());
    QCOMPARE(prompt.result(), TPrompt::ResultClosed);
}

void TestPrompts::tagChoosesDefaultButtonAndCursor_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<QString>("target");
    QTest::newRow("tag 0: Ja") << 0 << "ButtonCancel";
    QTest::newRow("tag 1: Nein") << 1 << "ButtonNo";
}

void TestPrompts::tagChoosesDefaultButtonAndCursor()
{
    QFETCH(int, tag);
    QFETCH(QString, target);
    TPrompt prompt(nullptr);
    prompt.TimerAnimate()->stop();
    prompt.SetTag(tag);
    OpenActive(prompt);
    const QPushButton *button = prompt.findChild<QPushButton *>(target);
    QVERIFY(button);
    QVERIFY(button->isDefault());
    QCOMPARE(prompt.ButtonNo()->isDefault() + prompt.ButtonCancel()->isDefault(), 1);
    QCOMPARE(QCursor::pos(), button->mapToGlobal(button->rect().center()));
    prompt.done(TPrompt::ResultDeclined);
}

void TestPrompts::valueTableRows_data()
{
    QTest::addColumn<bool>("multTavolex");
    QTest::addColumn<QString>("extOptions");
    QTest::addColumn<QStringList>("rows");
    const QStringList standard{"Bonus ab 63", "Bonus Wertung 35", "Full house 25", "Kl. Straße 30",
                               "Gr. Straße 40", "Quintor 50", "Gestrichenes Feld 0"};
    QTest::newRow("standard rules: seven rows") << false << "" << standard;
    QStringList further = standard;
    further.insert(6, "Weitere Quintors 100");
    QTest::newRow("further Quintors: eight rows") << true << "" << further;
    QStringList bonus = standard;
    bonus[0] = "Bonus ab 70";
    bonus[6] = "Gestrichenes Feld -5";
    QTest::newRow("values of the rule set") << false << "8|70,25|-5," << bonus;
}

void TestPrompts::valueTableRows()
{
    QFETCH(bool, multTavolex);
    QFETCH(QString, extOptions);
    QFETCH(QStringList, rows);
    TTavolexSettings rules;
    rules.SetMultTavolex(multTavolex);
    if (!extOptions.isEmpty())
        rules.SetExtOptions(extOptions);
    TFormQuintorTempSettings table(nullptr);
    table.FillValueTable(rules);
    QStringList shown;
    for (int i = 0; i < table.ListViewSettings()->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = table.ListViewSettings()->topLevelItem(i);
        shown << item->text(0) + QLatin1Char(' ') + item->text(1);
    }
    QCOMPARE(shown, rows);
}

QTEST_MAIN(TestPrompts)
#include "tst_prompts.moc"
