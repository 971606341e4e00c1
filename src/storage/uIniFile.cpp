// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/uIniFile.h"

#include "storage/uTools.h"
#include "storage/uWholeFile.h"

#include <QFile>
#include <QSet>

#include <algorithm>

namespace {

QString SingleLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

bool IsAscii(char c)
{
    return static_cast<unsigned char>(c) < 0x80;
}

// Names are nearly always plain ASCII, which folds to lower case without
// the Unicode tables: a file of thousands of sections folds every key.
QString FoldedAscii(QByteArrayView ascii)
{
    QString folded(ascii.size(), Qt::Uninitialized);
    QChar *out = folded.data();
    for (const char c : ascii)
        *out++ = QLatin1Char(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    return folded;
}

bool IsHeader(QByteArrayView trimmed)
{
    return trimmed.startsWith('[');
}

QByteArrayView HeaderName(QByteArrayView trimmed)
{
    const qsizetype close = trimmed.indexOf(']');
    const QByteArrayView inner = close < 0 ? trimmed.sliced(1) : trimmed.sliced(1, close - 1);
    return inner.trimmed();
}

}  // namespace

TIniFile::TIniFile(const QString &fileName)
    : m_FileName(fileName)
{
    QFile file(fileName);
    if (!file.exists())
        return;
    m_Exists = true;
    if (!file.open(QIODevice::ReadOnly)) {
        // Writing would replace contents we could not see; Flush refuses.
        m_ReadFailed = true;
        return;
    }
    Parse(file.readAll());
}

QString TIniFile::FoldedName(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (std::all_of(trimmed.cbegin(), trimmed.cend(), [](QChar c) { return c.unicode() < 0x80; }))
        return FoldedAscii(trimmed.toLatin1());
    return trimmed.toCaseFolded();
}

QString TIniFile::FoldedKey(QByteArrayView key)
{
    key = key.trimmed();
    if (std::all_of(key.begin(), key.end(), IsAscii))
        return FoldedAscii(key);
    return FoldedName(FromAnsi(key));
}

QString TIniFile::Unquoted(const QString &value)
{
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        return value.mid(1, value.size() - 2);
    return value;
}

void TIniFile::ForEachLine(QByteArrayView bytes, const std::function<void(const RLine &)> &visit)
{
    const char *const end = bytes.data() + bytes.size();
    const char *start = bytes.data();
    while (start != end) {
        const char *stop = std::find_if(start, end, [](char c) { return c == '\r' || c == '\n'; });
        RLine line;
        line.Raw = QByteArrayView(start, stop - start);
        const QByteArrayView trimmed = line.Raw.trimmed();
        line.Header = IsHeader(trimmed);
        const qsizetype eq = line.Raw.indexOf('=');
        if (line.Header) {
            line.Name = HeaderName(trimmed);
        } else if (eq > 0 && !trimmed.startsWith(';')) {
            line.Key = line.Raw.first(eq);
            line.Value = line.Raw.sliced(eq + 1);
        }
        visit(line);
        if (stop == end)
            return;
        start = stop + (*stop == '\r' && stop + 1 != end && stop[1] == '\n' ? 2 : 1);
    }
}

QList<QByteArray> TIniFile::SplitLines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    ForEachLine(bytes, [&lines](const RLine &line) { lines.append(line.Raw.toByteArray()); });
    return lines;
}

void TIniFile::Parse(const QByteArray &bytes)
{
    Section current;
    current.HasHeader = false;
    const auto close = [this, &current] {
        if (current.HasHeader || !current.Lines.isEmpty())
            m_Sections.append(std::move(current));
    };
    ForEachLine(bytes, [&](const RLine &raw) {
        if (raw.Header) {
            close();
            current = Section{FromAnsi(raw.Name), true, {Line{raw.Raw.toByteArray(), {}, {}}}};
            return;
        }
        Line line{raw.Raw.toByteArray(), {}, {}};
        if (raw.IsPair()) {
            line.Key = FoldedKey(raw.Key);
            line.Value = FromAnsi(raw.Value);
        }
        current.Lines.append(std::move(line));
    });
    close();
    // QHash::insert replaces: walking backwards keeps the first section of a
    // repeated name, the one reads and writes use.
    for (qsizetype i = m_Sections.size() - 1; i >= 0; --i) {
        if (m_Sections[i].HasHeader)
            m_Index.insert(FoldedName(m_Sections[i].Name), i);
    }
}

const TIniFile::Section *TIniFile::FindSection(const QString &section) const
{
    const auto found = m_Index.constFind(FoldedName(section));
    return found == m_Index.constEnd() ? nullptr : &m_Sections[*found];
}

const TIniFile::Line *TIniFile::FindLine(const QString &section, const QString &key) const
{
    const Section *s = FindSection(section);
    if (s == nullptr)
        return nullptr;
    const QString folded = FoldedName(key);
    if (folded.isEmpty())
        return nullptr;
    for (const Line &line : s->Lines) {
        if (line.Key == folded)
            return &line;
    }
    return nullptr;
}

QString TIniFile::ReadString(const QString &section, const QString &key, const QString &def) const
{
    const Line *line = FindLine(section, key);
    return line == nullptr ? def : Unquoted(line->Value);
}

int TIniFile::ReadInteger(const QString &section, const QString &key, int def) const
{
    const Line *line = FindLine(section, key);
    if (line == nullptr)
        return def;
    bool ok = false;
    const int value = Unquoted(line->Value).trimmed().toInt(&ok, 10);
    return ok ? value : def;
}

bool TIniFile::ReadBool(const QString &section, const QString &key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool TIniFile::SectionExists(const QString &section) const
{
    return FindSection(section) != nullptr;
}

bool TIniFile::ValueExists(const QString &section, const QString &key) const
{
    return FindLine(section, key) != nullptr;
}

QStringList TIniFile::ReadSections() const
{
    QStringList names;
    QSet<QString> seen;
    for (const Section &s : m_Sections) {
        if (s.HasHeader && !seen.contains(FoldedName(s.Name))) {
            seen.insert(FoldedName(s.Name));
            names.append(s.Name);
        }
    }
    return names;
}

QStringList TIniFile::ReadSection(const QString &section) const
{
    QStringList keys;
    const Section *s = FindSection(section);
    if (s == nullptr)
        return keys;
    for (const Line &line : s->Lines) {
        if (!line.Key.isEmpty()) {
            const qsizetype eq = line.Raw.indexOf('=');
            keys.append(FromAnsi(line.Raw.left(eq).trimmed()));
        }
    }
    return keys;
}

TIniFile::Section &TIniFile::SectionForWrite(const QString &section)
{
    const auto found = m_Index.constFind(FoldedName(section));
    if (found != m_Index.constEnd())
        return m_Sections[*found];
    const QString name = SingleLine(section).trimmed();
    m_Index.insert(FoldedName(name), m_Sections.size());
    m_Sections.append(Section{name, true, {Line{'[' + ToAnsi(name) + ']', {}, {}}}});
    return m_Sections.last();
}

void TIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    const QString name = SingleLine(key).trimmed();
    const QByteArray bytes = ToAnsi(SingleLine(value));
    // What a later read sees must equal what the disk holds ("?" included).
    Line line{ToAnsi(name) + '=' + bytes, FoldedName(name), FromAnsi(bytes)};
    Section &s = SectionForWrite(section);
    qsizetype lastFilled = 0;
    for (qsizetype i = 0; i < s.Lines.size(); ++i) {
        if (s.Lines[i].Key == line.Key) {
            s.Lines[i] = line;
            Changed();
            return;
        }
        if (!s.Lines[i].Raw.trimmed().isEmpty())
            lastFilled = i;
    }
    // New keys go after the last filled line, before any blank separator.
    s.Lines.insert(lastFilled + 1, line);
    Changed();
}

void TIniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::EndUpdate()
{
    if (m_UpdateDepth > 0)
        --m_UpdateDepth;
    if (m_UpdateDepth == 0 && m_Dirty)
        Flush();
}

void TIniFile::Changed()
{
    m_Dirty = true;
    if (m_UpdateDepth == 0)
        Flush();
}

QByteArray TIniFile::Content() const
{
    QByteArray bytes;
    for (const Section &s : m_Sections) {
        for (const Line &line : s.Lines) {
            bytes.append(line.Raw);
            bytes.append("\r\n");
        }
    }
    return bytes;
}

QList<QByteArray> TIniFile::RawLines() const
{
    QList<QByteArray> lines;
    for (const Section &s : m_Sections) {
        for (const Line &line : s.Lines)
            lines.append(line.Raw);
    }
    return lines;
}

void TIniFile::Flush()
{
    if (m_ReadFailed)
        throw EWriteError(m_FileName);
    WriteWholeFile(m_FileName, Content());
    m_Dirty = false;
    m_Exists = true;
}
