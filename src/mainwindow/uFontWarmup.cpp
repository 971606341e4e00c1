// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/uFontWarmup.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <fontconfig/fontconfig.h>

namespace {

void WarmUp(std::promise<void> configurationRead, std::future<QString> family)
{
    FcInit();
    configurationRead.set_value();
    QString name;
    try {
        name = family.get();
    } catch (const std::future_error &) {
        return;  // not resumed: the application may not exist
    }
    // Qt's font list is shared by every thread and guarded by Qt. A font of
    // this thread's own, so that no font object is shared between threads;
    // the fonts standing in for a missing family are remembered for all,
    // apart for upright and slanted faces: the main window's head is italic.
    QFontDatabase::families();
    QFont font(name);
    (void)QFontInfo(font).family();
    font.setItalic(true);
    (void)QFontInfo(font).family();
}

}  // namespace

TFontWarmup::TFontWarmup() : m_Family(std::in_place)
{
    std::promise<void> configurationRead;
    m_ConfigurationRead = configurationRead.get_future();
    m_Thread = std::thread(WarmUp, std::move(configurationRead), m_Family->get_future());
}

TFontWarmup::~TFontWarmup()
{
    Finish();
}

void TFontWarmup::Resume(const QString &family)
{
    if (!m_Family)
        return;
    m_ConfigurationRead.wait();
    m_Family->set_value(family);
    m_Family.reset();
}

void TFontWarmup::Finish()
{
    // Not resumed by now, it never will be: the thread must not wait for it.
    m_Family.reset();
    if (m_Thread.joinable())
        m_Thread.join();
}
