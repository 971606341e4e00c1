// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/uTools.h"

#include "storage/uIniFile.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDir>
#include <QSet>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTime>

#include <algorithm>
#include <array>

namespace {

QString WriteErrorText(const QString &fileName)
{
    return QStringLiteral("In %1 kann nicht geschrieben werden").arg(fileName);
}

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves
// undefined map to the control characters of the same number, as Windows
// does, so that every byte survives a round trip.
constexpr std::array<char16_t, 32> HighControlBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte for a UTF-16 unit, or -1 when Windows-1252 has none.
int AnsiByte(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return unit;
    const auto *found = std::find(HighControlBlock.begin(), HighControlBlock.end(), unit);
    if (found == HighControlBlock.end())
        return -1;
    return 0x80 + static_cast<int>(found - HighControlBlock.begin());
}

constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int SextetValue(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return 0;
}

std::uint16_t NextKey(std::uint16_t key, unsigned char scrambled)
{
    // Unsigned all through: the product exceeds int.
    const std::uint32_t sum = static_cast<std::uint32_t>(key) + scrambled;
    return static_cast<std::uint16_t>(sum * KeyMultiplier + KeyIncrement);
}

// Minutes since midnight of "hh:mm"; 0 for anything else.
int ClockMinutes(const QString &text)
{
    const QTime time = QTime::fromString(text.trimmed(), QStringLiteral("H:mm"));
    return time.isValid() ? time.hour() * 60 + time.minute() : 0;
}

// The entry of `folder` whose name equals `name` ignoring case; exact first.
QString MatchEntry(const QDir &folder, const QString &name)
{
    if (folder.exists(name))
        return name;
    const QStringList entries = folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

QString ProgramBaseName()
{
    QString name = QCoreApplication::applicationName();
    if (name.isEmpty())
        name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return name.isEmpty() ? QStringLiteral("Quintor") : name;
}

}  // namespace

EWriteError::EWriteError(const QString &fileName)
    : std::runtime_error(WriteErrorText(fileName).toStdString())
    , m_FileName(fileName)
    , m_Message(WriteErrorText(fileName))
{
}

QByteArray XorEncode(const QByteArray &text, std::uint16_t start)
{
    QByteArray result(text.size(), '\0');
    std::uint16_t key = start;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(static_cast<unsigned char>(text[i]) ^ (key >> 8));
        result[i] = static_cast<char>(c);
        key = NextKey(key, c);
    }
    return result;
}

QByteArray XorDecode(const QByteArray &text, std::uint16_t start)
{
    QByteArray result(text.size(), '\0');
    std::uint16_t key = start;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        result[i] = static_cast<char>(c ^ (key >> 8));
        key = NextKey(key, c);
    }
    return result;
}

QByteArray SextetEncode(const QByteArray &text)
{
    QByteArray result;
    result.reserve(text.size() / 3 * 4 + 3);
    for (qsizetype i = 0; i < text.size(); i += 3) {
        const qsizetype groupSize = std::min<qsizetype>(3, text.size() - i);
        std::uint32_t v = 0;
        for (qsizetype j = 0; j < groupSize; ++j)
            v |= static_cast<std::uint32_t>(static_cast<unsigned char>(text[i + j])) << (8 * j);
        for (qsizetype j = 0; j <= groupSize; ++j)
            result.append(Alphabet[(v >> (6 * j)) & 63]);
    }
    return result;
}

QByteArray SextetDecode(const QByteArray &value)
{
    QByteArray result;
    result.reserve(value.size() / 4 * 3 + 2);
    for (qsizetype i = 0; i < value.size(); i += 4) {
        const qsizetype groupSize = std::min<qsizetype>(4, value.size() - i);
        std::uint32_t v = 0;
        for (qsizetype j = 0; j < groupSize; ++j)
            v |= static_cast<std::uint32_t>(SextetValue(value[i + j])) << (6 * j);
        for (qsizetype j = 0; j + 1 < groupSize; ++j)
            result.append(static_cast<char>((v >> (8 * j)) & 255));
    }
    return result;
}

QByteArray EncodeKey(const QByteArray &text)
{
    return SextetEncode(XorEncode(text, KeyStartKey));
}

QByteArray DecodeKey(const QByteArray &value)
{
    return XorDecode(SextetDecode(value), KeyStartKey);
}

bool IsValidKeyEncoding(const QByteArray &value)
{
    return value.size() % 4 != 1;
}

namespace {
QByteArray SignatureOf(const QList<QByteArray> &lines)
{
    QByteArray text;
    for (const QByteArray &line : lines) {
        if (!line.contains("Key"))
            text.append(line);
    }
    return text;
}
}  // namespace

QByteArray SignatureText(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return SignatureOf(TIniFile::SplitLines(file.readAll()));
}

QByteArray SignatureText(const TIniFile &ini)
{
    return SignatureOf(ini.RawLines());
}

bool VerifyKey(const TIniFile &ini, const QString &section)
{
    const QByteArray key = ToAnsi(ini.ReadString(section, QStringLiteral("Key"), QString()));
    if (!IsValidKeyEncoding(key))
        return false;
    return DecodeKey(key) == SignatureText(ini);
}

bool VerifyKey(const QString &fileName, const QString &section)
{
    return VerifyKey(TIniFile(fileName), section);
}

void WriteKey(TIniFile &ini, const QString &section)
{
    // The Key line goes in first, in its final spelling: a hand-written "KEy"
    // line would otherwise be signed and then renamed, and a section header
    // the write adds must be there before the signature is taken.
    ini.BeginUpdate();
    ini.WriteString(section, QStringLiteral("Key"), QString());
    ini.WriteString(section, QStringLiteral("Key"), FromAnsi(EncodeKey(SignatureText(ini))));
    ini.EndUpdate();
}

void WriteKey(const QString &fileName, const QString &section)
{
    TIniFile ini(fileName);
    WriteKey(ini, section);
}

QString GetSpecialFolderPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder.append(QLatin1Char('/'));
    return folder;
}

QString DataFolder()
{
    return GetSpecialFolderPath() + ProgramBaseName() + QLatin1Char('/');
}

QString GetLocalComputerName()
{
    const QString name = QSysInfo::machineHostName();
    return name.isEmpty() ? QStringLiteral("localhost") : name;
}

bool EnsureDataFolder(const QString &folder, QString &message)
{
    message.clear();
    const QFileInfo info(folder);
    if (!QDir().mkpath(folder) || !info.isDir()) {
        message = QStringLiteral("Der Datenordner %1 kann nicht angelegt werden.").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    if (!info.isWritable()) {
        message = WriteErrorText(QDir::toNativeSeparators(folder));
        return false;
    }
    return true;
}

bool EnsureDataFolder(QString &message)
{
    return EnsureDataFolder(DataFolder(), message);
}

bool IsPlainReportName(const QString &reportName)
{
    const bool plainName = !reportName.isEmpty() && !reportName.contains(QLatin1Char('/'))
                           && !reportName.contains(QLatin1Char('\\')) && !reportName.startsWith(QLatin1Char('.'))
                           && std::none_of(reportName.begin(), reportName.end(), [](QChar c) { return c.unicode() < ' '; });
    return plainName && reportName.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive);
}

bool IsListableReport(const QString &dataFolder, const QString &reportName)
{
    if (!IsPlainReportName(reportName))
        return false;
    const QFileInfo report(QDir(dataFolder).filePath(reportName));
    if (report.isSymLink() || !report.isFile())
        return false;
    // The folder itself may be reached through a link; compare real places.
    return report.canonicalPath() == QFileInfo(dataFolder).canonicalFilePath();
}

QSet<QString> ListableReports(const QString &dataFolder)
{
    QSet<QString> reports;
    // Listed entries lie directly in the folder; the filter leaves out links
    // and folders, so only the name itself remains to be checked.
    const QStringList names =
        QDir(dataFolder).entryList({QStringLiteral("*.html")}, QDir::Files | QDir::NoSymLinks, QDir::Unsorted);
    for (const QString &name : names) {
        if (IsPlainReportName(name))
            reports.insert(name);
    }
    return reports;
}

QString ProgramPath(const QString &relative)
{
    const QString base = QCoreApplication::applicationDirPath();
    const QStringList parts = QString(relative).replace(QLatin1Char('\\'), QLatin1Char('/')).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QDir folder(base);
    QString resolved = base;
    for (const QString &part : parts) {
        const QString entry = MatchEntry(folder, part);
        if (entry.isEmpty())
            return base + QLatin1Char('/') + parts.join(QLatin1Char('/'));
        resolved += QLatin1Char('/') + entry;
        folder.setPath(resolved);
    }
    return resolved;
}

int CompareTextIgnoringCase(const QString &a, const QString &b)
{
    static const QCollator collator = [] {
        QCollator c;
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(false);
        return c;
    }();
    return collator.compare(a, b);
}

bool MatchesWildcard(const QString &name, const QString &pattern)
{
    const auto same = [](QChar a, QChar b) { return a == b || a.toCaseFolded() == b.toCaseFolded(); };
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype starAt = -1;  // the last '*' seen, and where its match ends
    qsizetype starEnd = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starAt = p++;
            starEnd = n;
        } else if (p < pattern.size() && (pattern[p] == QLatin1Char('?') || same(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (starAt >= 0) {
            // The last '*' takes one character more.
            p = starAt + 1;
            n = ++starEnd;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

QStringList ListFolder(const QString &pattern)
{
    const QFileInfo info(pattern);
    const QString wildcard = info.fileName();
    const QDir folder(info.path());
    QStringList names;
    const QStringList entries = folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QString &entry : entries) {
        if (!entry.startsWith(QLatin1Char('.')) && MatchesWildcard(entry, wildcard))
            names.append(entry);
    }
    // Names equal but for case can coexist here; keep their order stable.
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int order = CompareTextIgnoringCase(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

QString DurationText(const QString &start, const QString &end)
{
    const int s = ClockMinutes(start);
    int e = ClockMinutes(end);
    if (s > e)
        e += 1440;
    const int d = e - s;
    const int h = d / 60;
    const int m = d % 60;
    QString text;
    if (h == 0 && m == 0)
        text = QStringLiteral("< 1 Minute");
    else if (h == 0 && m == 1)
        text = QStringLiteral("%1_Minute").arg(m);
    else if (h == 0)
        text = QStringLiteral("%1_Minuten").arg(m);
    else
        text = QStringLiteral("%1_Stunde(n)_%2_Minute(n)").arg(h).arg(m);
    return text.replace(QLatin1Char('_'), QLatin1Char(' '));
}

QByteArray ToAnsi(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // A character outside the basic plane is one "?", not two.
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        const int byte = AnsiByte(c.unicode());
        bytes.append(byte < 0 ? '?' : static_cast<char>(byte));
    }
    return bytes;
}

QString FromAnsi(QByteArrayView bytes)
{
    // Outside 0x80..0x9F the code page is Latin-1; large files are mostly that.
    const bool latin1 = std::none_of(bytes.begin(), bytes.end(), [](char raw) {
        const auto byte = static_cast<unsigned char>(raw);
        return byte >= 0x80 && byte < 0xA0;
    });
    if (latin1)
        return QString::fromLatin1(bytes);
    QString text;
    text.reserve(bytes.size());
    for (const char raw : bytes) {
        const auto byte = static_cast<unsigned char>(raw);
        const bool high = byte >= 0x80 && byte < 0xA0;
        text.append(QChar(high ? HighControlBlock[static_cast<std::size_t>(byte - 0x80)] : char16_t(byte)));
    }
    return text;
}

bool IsAnsiRepresentable(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return AnsiByte(c.unicode()) >= 0; });
}
