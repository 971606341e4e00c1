// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FuzzSupport.h"

#include "rules/uTTavolex.h"
#include "storage/uTools.h"

// Any ExtOptions text: the cached lookup answers as the plain one does.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString options = FromAnsi(Fuzz::Bytes(data, size));
    TTavolexSettings rules;
    rules.SetExtOptions(options);
    for (int row = -1; row <= 30; ++row) {
        for (const int def : {0, 1, -7, DefaultRuleValue(row)}) {
            FUZZ_CHECK(rules.RuleValue(row, def) == TTavolexSettings::ParseRuleValue(options, row, def));
        }
        (void)rules.RuleValue(row);
    }
    return 0;
}
