// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FuzzSupport.h"

#include "gamewindow/uSoundLayer.h"

#include <memory>

// Any bytes as a wave sample, added and started as the game window does.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("SDL_AUDIODRIVER", "dummy");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static auto owner = std::make_unique<TSoundLayer>();
    // Samples only accumulate within one process: start afresh now and then.
    if (owner->Count() > 64)
        owner = std::make_unique<TSoundLayer>();
    TSoundLayer &layer = *owner;
    FUZZ_CHECK(layer.IsOpen());
    const QString path = Fuzz::WriteInput(QStringLiteral("sample.wav"), Fuzz::Bytes(data, size));
    const int before = layer.Count();
    const int index = layer.Add(QStringLiteral("sample"), path);
    FUZZ_CHECK(index == -1 ? layer.Count() == before : index == before && layer.Count() == before + 1);
    if (index >= 0) {
        FUZZ_CHECK(layer.LengthMs(index) >= 0);
        layer.Play(index, false);
        (void)layer.Playing(index);
        layer.StopAll();
    }
    return 0;
}
