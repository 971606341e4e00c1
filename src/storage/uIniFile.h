// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// An INI file in the data folder: Windows-1252 bytes, CR LF line ends, section
// and key names matched ignoring case. The file is read once at construction;
// reading never creates anything. Every Write goes to disk at once (through a
// temporary file renamed over the target), unless a BeginUpdate/EndUpdate
// batch is open, whose EndUpdate writes once. Writes throw EWriteError and
// leave the file on disk as it was.
class TIniFile {
public:
    explicit TIniFile(const QString &fileName);

    [[nodiscard]] const QString &FileName() const noexcept { return m_FileName; }
    // The file existed and was read at construction (or has been written since).
    [[nodiscard]] bool Exists() const noexcept { return m_Exists; }

    // One pair of double quotes around the whole value is removed.
    [[nodiscard]] QString ReadString(const QString &section, const QString &key, const QString &def) const;
    // Decimal whole number; missing, not a number or beyond int gives `def`.
    [[nodiscard]] int ReadInteger(const QString &section, const QString &key, int def) const;
    [[nodiscard]] bool ReadBool(const QString &section, const QString &key, bool def) const;

    // Line breaks inside names and values become blanks so that a value never
    // opens a new line or section.
    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, int value);
    void WriteBool(const QString &section, const QString &key, bool value);

    [[nodiscard]] bool SectionExists(const QString &section) const;
    [[nodiscard]] bool ValueExists(const QString &section, const QString &key) const;
    // Section names in file order, as spelt in the file.
    [[nodiscard]] QStringList ReadSections() const;
    // Key names of a section in file order.
    [[nodiscard]] QStringList ReadSection(const QString &section) const;

    // Nestable; the outermost EndUpdate writes the file if anything changed.
    void BeginUpdate() noexcept { ++m_UpdateDepth; }
    void EndUpdate();

    // The file as it would be written: every line followed by CR LF.
    [[nodiscard]] QByteArray Content() const;
    // The raw lines (line ends removed), as the signature reads them.
    [[nodiscard]] QList<QByteArray> RawLines() const;

    // Splits bytes into lines at CR LF, CR or LF.
    [[nodiscard]] static QList<QByteArray> SplitLines(const QByteArray &bytes);

    // A line as every reader of the file sees it.
    struct RLine {
        QByteArrayView Raw;   // without its line end
        bool Header = false;  // "[" opens the trimmed line
        QByteArrayView Name;  // of a header: between the brackets, trimmed
        QByteArrayView Key;   // of a pair: the bytes before the first "=", untrimmed
        QByteArrayView Value; // of a pair: the bytes after it, undecoded
        [[nodiscard]] bool IsPair() const noexcept { return !Key.isEmpty(); }
    };
    // Reads bytes line by line as the constructor does, keeping nothing:
    // for readers of large files that want a few keys of every section.
    static void ForEachLine(QByteArrayView bytes, const std::function<void(const RLine &)> &visit);
    // Names as lookups compare them: trimmed, case-folded.
    [[nodiscard]] static QString FoldedName(const QString &name);
    [[nodiscard]] static QString FoldedKey(QByteArrayView key);
    // A value as ReadString returns it: one pair of enclosing quotes removed.
    [[nodiscard]] static QString Unquoted(const QString &value);

private:
    struct Line {
        QByteArray Raw;
        QString Key;    // case-folded, empty when the line holds no pair
        QString Value;  // decoded, unquoted on read only
    };
    struct Section {
        QString Name;        // as spelt in the file
        bool HasHeader = true;  // false for lines before the first header
        QList<Line> Lines;
    };

    void Parse(const QByteArray &bytes);
    [[nodiscard]] const Section *FindSection(const QString &section) const;
    [[nodiscard]] const Line *FindLine(const QString &section, const QString &key) const;
    [[nodiscard]] Section &SectionForWrite(const QString &section);
    void Changed();
    void Flush();

    QString m_FileName;
    bool m_Exists = false;
    bool m_ReadFailed = false;
    int m_UpdateDepth = 0;
    bool m_Dirty = false;
    QList<Section> m_Sections;
    QHash<QString, qsizetype> m_Index;  // folded name -> first section of that name
};
