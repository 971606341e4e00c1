// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/uFormCaption.h"

#include "mainwindow/uShadowLabel.h"
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
#include <QMessageBox>
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

// `window` or the nearest of its owners that is shown modally; null when none is.
QWidget *NearestModalWindow(QWidget *window)
{
    for (QWidget *w = window; w; w = w->parentWidget() ? w->parentWidget()->window() : nullptr)
        if (w->isModal() && w->isVisible())
            return w;
    return nullptr;
}

// A modal window blocks every window that is not its own, so the viewer
// belongs to the modal window it was opened from; when that window closes,
// the viewer passes to the next modal owner (or none) and stays open.
class THelpViewerOwner : public QObject {
public:
    using QObject::QObject;

    static void Give(QDialog *viewer, QWidget *owner)
    {
        QWidget *old = viewer->parentWidget();
        if (old == owner)
            return;
        if (old)
            old->removeEventFilter(Instance());
        const bool shown = viewer->isVisible();
        const QRect place = viewer->geometry();
        viewer->setParent(owner, viewer->windowFlags());
        if (shown) {
            viewer->setGeometry(place);
            viewer->show();
        }
        if (owner)
            owner->installEventFilter(Instance());
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *owner = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::Hide && !owner->isVisible() && Viewer() && Viewer()->parentWidget() == owner) {
            QWidget *next = owner->parentWidget() ? NearestModalWindow(owner->parentWidget()->window()) : nullptr;
            Give(Viewer(), next);
        }
        return false;
    }

private:
    static THelpViewerOwner *Instance()
    {
        static auto *instance = new THelpViewerOwner(qApp);
        return instance;
    }
};

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
        QWidget *window = static_cast<QWidget *>(watched)->window();
        if (window->objectName() == QLatin1String("FormHelpViewer"))
            return true;
        ShowHelpTopic(FormHelpContext(window), window);
        return true;
    }
};

}  // namespace

void SetFormCaption(QWidget *window, const QString &text)
{
    window->setWindowTitle(QStringLiteral("Quintor ") + text);
    SetHeadCaption(window, text);
}

void SetHeadCaption(QWidget *window, const QString &text)
{
    // A head that already shows the text is left alone: the main window sets
    // its caption on every activation, and the immediate repaint drew the
    // whole window once more in the middle of that sequence.
    bool changed = false;
    const QList<QLabel *> labels = window->findChildren<QLabel *>(QStringLiteral("LabelHead"));
    for (QLabel *label : labels) {
        const QString shown = label->graphicsEffect() || qobject_cast<TShadowLabel *>(label) ? QStringLiteral("Quintor  ")
                                                                                             : text + QStringLiteral("  ");
        if (label->text() == shown)
            continue;
        label->setText(shown);
        label->repaint();
        changed = true;
    }
    if (!labels.isEmpty() && !changed)
        return;
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

void ShowHelpTopic(int context, QWidget *from)
{
    if (!HelpAvailable()) {
        QMessageBox::information(from, QStringLiteral("Quintor"),
                                 QStringLiteral("Die Hilfe ist nicht installiert: der Ordner %1 fehlt.\n\n"
                                                "Installieren Sie Quintor neu, um die Hilfe zu erhalten.")
                                     .arg(QDir::toNativeSeparators(HelpFolder())));
        return;
    }
    const QDir folder(HelpFolder());
    QString page = folder.filePath(QString::number(context) + QStringLiteral(".html"));
    if (!QFileInfo::exists(page))
        page = folder.filePath(QStringLiteral("index.html"));
    if (!Viewer())
        Viewer() = CreateViewer();
    THelpViewerOwner::Give(Viewer(), from ? NearestModalWindow(from->window()) : nullptr);
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
