// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FuzzSupport.h"

#include "storage/uIniFile.h"
#include "storage/uTools.h"

// Any bytes as a data file: every section and key read in every way, then a
// write that must read back and keep every other value.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = Fuzz::WriteInput(QStringLiteral("Data.ini"), Fuzz::Bytes(data, size));
    const TIniFile ini(path);
    FUZZ_CHECK(ini.Exists());
    const QStringList sections = ini.ReadSections();
    for (const QString &section : sections) {
        FUZZ_CHECK(ini.SectionExists(section));
        for (const QString &key : ini.ReadSection(section)) {
            (void)ini.ReadInteger(section, key, -1);
            (void)ini.ReadBool(section, key, false);
            FUZZ_CHECK(ini.ValueExists(section, key) || key.trimmed().isEmpty());
            (void)ini.ReadString(section, key, QString());
        }
    }
    (void)ini.Content();

    const QString section = sections.isEmpty() ? QStringLiteral("Fuzz") : sections.first();
    const QString value = QStringLiteral("neu\r\nwert");
    TIniFile writer(path);
    try {
        writer.WriteString(section, QStringLiteral("Written"), value);
    } catch (const EWriteError &) {
        Fuzz::Fail("write to the scratch folder");
    }
    const TIniFile reread(path);
    FUZZ_CHECK(reread.ReadString(section, QStringLiteral("Written"), QString()) == QStringLiteral("neu wert"));
    // A write adds at most the one line (and a header), never splits others.
    FUZZ_CHECK(reread.RawLines().size() <= ini.RawLines().size() + 2);
    for (const QString &other : sections) {
        for (const QString &key : ini.ReadSection(other)) {
            if (key.trimmed().compare(QStringLiteral("Written"), Qt::CaseInsensitive) == 0)
                continue;
            FUZZ_CHECK(reread.ReadString(other, key, QStringLiteral("\x01")) == ini.ReadString(other, key, QStringLiteral("\x01")));
        }
    }
    return 0;
}
