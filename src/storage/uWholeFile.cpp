// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/uWholeFile.h"

#include "storage/uTools.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#include <unistd.h>

namespace {

class TRealWriteSteps final : public IWriteSteps {
public:
    qint64 Write(QSaveFile &file, const QByteArray &bytes) override { return file.write(bytes); }

    bool Flush(QSaveFile &file) override
    {
        if (!file.flush())
            return false;
        // QSaveFile syncs before its rename but ignores the answer; a disk
        // that reports the loss only here must stop the rename too.
        return ::fsync(file.handle()) == 0 || errno == EINVAL;
    }

    bool Commit(QSaveFile &file) override { return file.commit(); }
};

IWriteSteps *InstalledSteps = nullptr;

}  // namespace

IWriteSteps &RealWriteSteps()
{
    static TRealWriteSteps steps;
    return steps;
}

IWriteSteps &WriteSteps()
{
    return InstalledSteps != nullptr ? *InstalledSteps : RealWriteSteps();
}

IWriteSteps *SetWriteSteps(IWriteSteps *steps)
{
    IWriteSteps *previous = InstalledSteps;
    InstalledSteps = steps;
    return previous;
}

void WriteWholeFile(const QString &fileName, const QByteArray &bytes)
{
    const QFileInfo info(fileName);
    if (info.exists() && (!info.isFile() || !info.isWritable()))
        throw EWriteError(fileName);
    // QSaveFile writes beside the target and renames over it, so a crash
    // leaves the old file whole. Unbuffered: a buffered write that the disk
    // refuses is only seen in commit's own flush, whose failure Qt 6.4 lets
    // pass, and the empty file would be put in place.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw EWriteError(fileName);
    IWriteSteps &steps = WriteSteps();
    const bool written = steps.Write(file, bytes) == bytes.size() && file.error() == QFileDevice::NoError;
    if (!written || !steps.Flush(file)) {
        file.cancelWriting();  // the temporary file goes with `file`
        throw EWriteError(fileName);
    }
    if (!steps.Commit(file))
        throw EWriteError(fileName);
}

bool CreateWholeFile(const QString &fileName, const QByteArray &bytes)
{
    // The name is taken first, so that a second program finishing at the
    // same moment cannot take it as well; the content then replaces the
    // empty file, which goes again when that fails.
    QFile reservation(fileName);
    if (!reservation.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (QFileInfo::exists(fileName) || QFileInfo(fileName).isSymLink())
            return false;
        throw EWriteError(fileName);
    }
    reservation.close();
    try {
        WriteWholeFile(fileName, bytes);
    } catch (const EWriteError &) {
        QFile::remove(fileName);
        throw;
    }
    return true;
}
