// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FuzzSupport.h"

#include "storage/uIniFile.h"
#include "storage/uTools.h"

// The signature codec on any bytes, and any file signed by WriteKey verifies.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = Fuzz::Bytes(data, size);
    FUZZ_CHECK(DecodeKey(EncodeKey(bytes)) == bytes);
    const std::uint16_t start = size >= 2 ? static_cast<std::uint16_t>(data[0] | (data[1] << 8)) : KeyStartKey;
    FUZZ_CHECK(XorDecode(XorEncode(bytes, start), start) == bytes);
    const QByteArray encoded = SextetEncode(bytes);
    FUZZ_CHECK(encoded.size() == bytes.size() / 3 * 4 + (bytes.size() % 3 == 0 ? 0 : bytes.size() % 3 + 1));
    FUZZ_CHECK(IsValidKeyEncoding(encoded));

    // The bytes as a Key value: decoding never fails, whatever they hold.
    const QByteArray decoded = DecodeKey(bytes);
    FUZZ_CHECK(decoded.size() <= bytes.size());

    const QString path = Fuzz::WriteInput(QStringLiteral("Signed.qtp"), bytes);
    (void)VerifyKey(path, QStringLiteral("PLAYER"));
    try {
        WriteKey(path, QStringLiteral("PLAYER"));
    } catch (const EWriteError &) {
        Fuzz::Fail("write to the scratch folder");
    }
    FUZZ_CHECK(VerifyKey(path, QStringLiteral("PLAYER")));
    return 0;
}
