// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/uFormCaption.h"

#include "storage/uTools.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGraphicsEffect>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const char *const HelpContextProperty = "HelpContext";

QString &HelpFolderOverride()
{
    static QString folder;
    return folder;
}

QPointer<QDialog> &Viewer()
{
    static QPointer<QDialog> viewer;
    return viewer;
}

QDialog *CreateViewer()
{
    auto *dialog = new QDialog(nullptr, Qt::Window);
    dialog->setObjectName(QStringLiteral("FormHelpViewer"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->resize(720, 560);
    auto *layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *browser = new QTextBrowser(dialog);
    browser->setObjectName(QStringLiteral("TextBrowserHelp"));
    browser->setOpenExternalLinks(true);
    layout->addWidget(browser);
    SetFormCaption(dialog, QStringLiteral("Hilfe"));
    return dialog;
}

class THelpKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
            return false;
        const QWidget *window = static_cast<QWidget *>(watched)->window();
        if (window->objectName() == QLatin1String("FormHelpViewer"))
            return true;
        ShowHelpTopic(FormHelpContext(window));
        return true;
    }
};

}  // namespace

void SetFormCaption(QWidget *window, const QString &text)
{
    window->setWindowTitle(QStringLiteral("Quintor ") + text);
    const QList<QLabel *> labels = window->findChildren<QLabel *>(QStringLiteral("LabelHead"));
    for (QLabel *label : labels) {
        label->setText(label->graphicsEffect() ? QStringLiteral("Quintor  ") : text + QStringLiteral("  "));
        label->repaint();
    }
    const QList<QFrame *> panels = window->findChildren<QFrame *>();
    for (QFrame *panel : panels)
        panel->update();
}

void SetFormHelpContext(QWidget *window, int context)
{
    window->setProperty(HelpContextProperty, context);
}

int FormHelpContext(const QWidget *window)
{
    return window->property(HelpContextProperty).toInt();
}

QString HelpFolder()
{
    const QString &folder = HelpFolderOverride();
    return folder.isEmpty() ? ProgramPath(QStringLiteral("Quintor.help")) : folder;
}

void SetHelpFolder(const QString &folder)
{
    HelpFolderOverride() = folder;
}

bool HelpAvailable()
{
    return QFileInfo(HelpFolder()).isDir();
}

void ShowHelpTopic(int context)
{
    if (!HelpAvailable())
        return;
    const QDir folder(HelpFolder());
    QString page = folder.filePath(QString::number(context) + QStringLiteral(".html"));
    if (!QFileInfo::exists(page))
        page = folder.filePath(QStringLiteral("index.html"));
    if (!Viewer())
        Viewer() = CreateViewer();
    HelpViewer()->setSource(QUrl::fromLocalFile(page));
    Viewer()->show();
    Viewer()->raise();
}

QTextBrowser *HelpViewer()
{
    return Viewer() ? Viewer()->findChild<QTextBrowser *>() : nullptr;
}

void InstallHelpKey(QObject *application)
{
    application->installEventFilter(new THelpKeyFilter(application));
}
