// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <stdexcept>

class TIniFile;

// A data file that could not be written. what() and Message() carry the
// German text "In <file> kann nicht geschrieben werden".
class EWriteError : public std::runtime_error {
public:
    explicit EWriteError(const QString &fileName);
    [[nodiscard]] const QString &Message() const noexcept { return m_Message; }
    [[nodiscard]] const QString &FileName() const noexcept { return m_FileName; }

private:
    QString m_FileName;
    QString m_Message;
};

// Signature codec; texts are the bytes as stored on disk (Windows-1252).
inline constexpr std::uint16_t KeyStartKey = 8349;
inline constexpr std::uint16_t KeyMultiplier = 52845;
inline constexpr std::uint16_t KeyIncrement = 22719;

[[nodiscard]] QByteArray XorEncode(const QByteArray &text, std::uint16_t start);
[[nodiscard]] QByteArray XorDecode(const QByteArray &text, std::uint16_t start);
[[nodiscard]] QByteArray SextetEncode(const QByteArray &text);
[[nodiscard]] QByteArray SextetDecode(const QByteArray &value);
[[nodiscard]] QByteArray EncodeKey(const QByteArray &text);
[[nodiscard]] QByteArray DecodeKey(const QByteArray &value);
// A value whose last group is one character is no encoding.
[[nodiscard]] bool IsValidKeyEncoding(const QByteArray &value);

// Concatenation of the file's lines that do not contain "Key" (case counts).
[[nodiscard]] QByteArray SignatureText(const QString &fileName);
[[nodiscard]] bool VerifyKey(const QString &fileName, const QString &section);
// Throws EWriteError.
void WriteKey(const QString &fileName, const QString &section);
// The same on a file already read, saving a second read or write; WriteKey
// follows the batch state of `ini`.
[[nodiscard]] QByteArray SignatureText(const TIniFile &ini);
[[nodiscard]] bool VerifyKey(const TIniFile &ini, const QString &section);
void WriteKey(TIniFile &ini, const QString &section);

// The user's documents folder (XDG documents, else home), with a trailing "/".
[[nodiscard]] QString GetSpecialFolderPath();
// Documents folder + program base name + "/".
[[nodiscard]] QString DataFolder();
[[nodiscard]] QString GetLocalComputerName();
// Creates `folder` with its missing parents. False when that fails or the
// result is no writable folder; `message` then holds the German text to show.
[[nodiscard]] bool EnsureDataFolder(const QString &folder, QString &message);
[[nodiscard]] bool EnsureDataFolder(QString &message);
// A bare file name (no folder, no leading dot, no control character) ending
// in ".html", as a report name must be.
[[nodiscard]] bool IsPlainReportName(const QString &reportName);
// True only for a plain file (no link, no folder) named `reportName`
// directly in `dataFolder` and ending in ".html": a report name read from a
// hand-edited file may point anywhere.
[[nodiscard]] bool IsListableReport(const QString &dataFolder, const QString &reportName);
// The names in `dataFolder` for which IsListableReport holds, read with one
// listing of the folder (for lists of many games).
[[nodiscard]] QSet<QString> ListableReports(const QString &dataFolder);
// `relative` (e.g. "bin/Druckvorlage.jpg") below the program folder, each
// component matched ignoring case; the path as given when nothing matches.
[[nodiscard]] QString ProgramPath(const QString &relative);

// True when `name` matches `pattern` as the shell's wildcards do ('*' any
// run of characters, '?' any one), letter case ignored. A hand-written
// matcher: a regular expression engine only for "*.qtp" cost the start
// a library and its compiled pattern.
[[nodiscard]] bool MatchesWildcard(const QString &name, const QString &pattern);
// Names (without folder) matching a pattern such as "/path/*.qtp", letter case
// ignored, dot names skipped, sorted by locale collation ignoring case.
[[nodiscard]] QStringList ListFolder(const QString &pattern);
// Locale collation ignoring case, as ListFolder and the name sort use it.
[[nodiscard]] int CompareTextIgnoringCase(const QString &a, const QString &b);

// German duration between two clock times "hh:mm".
[[nodiscard]] QString DurationText(const QString &start, const QString &end);

// Text <-> Windows-1252 bytes; characters Windows-1252 cannot hold become "?".
[[nodiscard]] QByteArray ToAnsi(const QString &text);
[[nodiscard]] QString FromAnsi(QByteArrayView bytes);
[[nodiscard]] bool IsAnsiRepresentable(const QString &text);
