// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Shared by the fuzz targets: one scratch folder per process (in memory where
// the system offers it, since every input is written to a file), and checks
// that abort so that libFuzzer records the input.
namespace Fuzz {

inline const QString &Folder()
{
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isDir() ? QStringLiteral("/dev/shm/quintor-fuzz-XXXXXX")
                                                                            : QDir::tempPath() + QStringLiteral("/quintor-fuzz-XXXXXX"));
    static const QString path = dir.path() + QLatin1Char('/');
    return path;
}

inline QByteArray Bytes(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

// Writes the input as `name` in the scratch folder and returns its path.
inline QString WriteInput(const QString &name, const QByteArray &bytes)
{
    const QString path = Folder() + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
    return path;
}

[[noreturn]] inline void Fail(const char *what)
{
    std::fprintf(stderr, "check failed: %s\n", what);
    std::abort();
}

}  // namespace Fuzz

#define FUZZ_CHECK(condition) \
    do { \
        if (!(condition)) \
            Fuzz::Fail(#condition); \
    } while (false)
