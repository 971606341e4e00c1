// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

class QSaveFile;

// The steps of a save that a real disk can fail: the write (a full disk
// takes fewer bytes or none), the flush to the disk, and the rename that puts
// the new content in place. The program runs the real steps; tests install
// steps that fail, so every caller's handling runs without a full disk.
class IWriteSteps {
public:
    virtual ~IWriteSteps() = default;
    // The number of bytes taken, as QIODevice::write answers.
    virtual qint64 Write(QSaveFile &file, const QByteArray &bytes) = 0;
    // True when everything written is on the disk.
    virtual bool Flush(QSaveFile &file) = 0;
    // True when the new content has replaced the file.
    virtual bool Commit(QSaveFile &file) = 0;
};

// The steps every save runs through; the real ones unless replaced.
[[nodiscard]] IWriteSteps &WriteSteps();
[[nodiscard]] IWriteSteps &RealWriteSteps();
// nullptr restores the real steps. Returns the steps in use before.
IWriteSteps *SetWriteSteps(IWriteSteps *steps);

// Replaces the whole content of `fileName` with `bytes`. Every byte count,
// the flush and the rename are checked: when one fails, EWriteError is thrown
// and the file on disk is byte for byte what it was (or still absent).
void WriteWholeFile(const QString &fileName, const QByteArray &bytes);
// The same for a file that must not exist yet: false, with nothing written,
// when a file of that name is already there. Throws EWriteError.
[[nodiscard]] bool CreateWholeFile(const QString &fileName, const QByteArray &bytes);
