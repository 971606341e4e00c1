// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "storage/uWholeFile.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>
#include <QTemporaryDir>

#include <cerrno>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

// How a save fails: as a real full disk does, or through the write layer's
// seam in one of the steps a disk can fail.
enum class TWriteFault { FullDisk, ShortWrite, FailingFlush, FailingRename };

// The write steps with one fault for saves of one file name (letter case
// counts; "*" hits every file). Other saves run the real steps.
class TFaultyWriteSteps final : public IWriteSteps {
public:
    TFaultyWriteSteps(TWriteFault fault, QString fileName)
        : m_Fault(fault), m_FileName(std::move(fileName)), m_Previous(SetWriteSteps(this))
    {
    }
    ~TFaultyWriteSteps() override { SetWriteSteps(m_Previous); }
    TFaultyWriteSteps(const TFaultyWriteSteps &) = delete;
    TFaultyWriteSteps &operator=(const TFaultyWriteSteps &) = delete;

    // The saves that met the fault.
    [[nodiscard]] int Hits() const noexcept { return m_Hits; }

    qint64 Write(QSaveFile &file, const QByteArray &bytes) override
    {
        if (!Hit(file, TWriteFault::ShortWrite))
            return RealWriteSteps().Write(file, bytes);
        // The disk took the first half and then had no room left.
        return RealWriteSteps().Write(file, bytes.left(bytes.size() / 2));
    }

    bool Flush(QSaveFile &file) override
    {
        return !Hit(file, TWriteFault::FailingFlush) && RealWriteSteps().Flush(file);
    }

    bool Commit(QSaveFile &file) override
    {
        if (!Hit(file, TWriteFault::FailingRename))
            return RealWriteSteps().Commit(file);
        file.cancelWriting();
        return false;
    }

private:
    bool Hit(const QSaveFile &file, TWriteFault step)
    {
        const bool hit = m_Fault == step
                         && (m_FileName == QLatin1String("*") || QFileInfo(file.fileName()).fileName() == m_FileName);
        m_Hits += hit ? 1 : 0;
        return hit;
    }

    TWriteFault m_Fault;
    QString m_FileName;
    IWriteSteps *m_Previous;
    int m_Hits = 0;
};

// A small tmpfs mounted on a temporary folder, which can be filled to its last
// byte. Mounting needs root; Mounted() tells whether it worked. The folder is
// unmounted again when the object goes, also after a failed check.
class TSmallTmpfs {
public:
    explicit TSmallTmpfs(const char *size = "size=64k")
    {
        m_Mounted = m_Dir.isValid()
                    && mount("tmpfs", m_Dir.path().toLocal8Bit().constData(), "tmpfs", 0, size) == 0;
    }
    ~TSmallTmpfs()
    {
        if (m_Mounted)
            umount2(m_Dir.path().toLocal8Bit().constData(), MNT_DETACH);
    }
    TSmallTmpfs(const TSmallTmpfs &) = delete;
    TSmallTmpfs &operator=(const TSmallTmpfs &) = delete;

    [[nodiscard]] bool Mounted() const noexcept { return m_Mounted; }
    // With its trailing "/".
    [[nodiscard]] QString Folder() const { return m_Dir.path() + QLatin1Char('/'); }
    [[nodiscard]] static QString FillerName() { return QStringLiteral("filler"); }

    // Fills the disk with one file until no byte more fits; true when full.
    bool Fill() const
    {
        const QByteArray path = (Folder() + FillerName()).toLocal8Bit();
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (fd < 0)
            return false;
        const QByteArray block(4096, 'f');
        for (qsizetype chunk = block.size(); chunk > 0; chunk /= 2) {
            while (::write(fd, block.constData(), static_cast<size_t>(chunk)) == chunk) {
            }
        }
        const bool full = ::write(fd, "f", 1) < 0 && errno == ENOSPC;
        ::close(fd);
        return full;
    }

    void Free() const { QFile::remove(Folder() + FillerName()); }

private:
    QTemporaryDir m_Dir;
    bool m_Mounted = false;
};
