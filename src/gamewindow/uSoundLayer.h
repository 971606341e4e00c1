// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <memory>
#include <vector>

struct Mix_Chunk;

// The operations the game needs of a sample player: wave samples addressed
// by index or name. All calls come from one thread.
class ISoundLayer {
public:
    virtual ~ISoundLayer() = default;

    // True when an output is open.
    [[nodiscard]] virtual bool IsOpen() const = 0;
    // Decodes the wave file once and appends it under `name`, ready to play.
    // Returns its index, or -1 when the file cannot be read (nothing added).
    virtual int Add(const QString &name, const QString &fileName) = 0;
    [[nodiscard]] virtual int Count() const = 0;
    [[nodiscard]] virtual QString Name(int index) const = 0;
    // Letter case ignored; -1 when absent.
    [[nodiscard]] virtual int IndexOf(const QString &name) const = 0;
    // Length of the sample in milliseconds; 0 for an invalid index.
    [[nodiscard]] virtual int LengthMs(int index) const = 0;
    // Plays the sample from its start; a copy already playing goes on
    // alongside. With `wait`, returns when this copy has ended. An invalid
    // index does nothing.
    virtual void Play(int index, bool wait) = 0;
    // Stops every copy of the sample.
    virtual void Stop(int index) = 0;
    virtual void StopAll() = 0;
    // True while any copy of the sample plays.
    [[nodiscard]] virtual bool Playing(int index) const = 0;
};

// Samples mixed by SDL2_mixer. Where no audio device opens, SDL's silent
// driver takes over, so samples still take their real length. A waiting
// Play polls every 10 ms and handles no events meanwhile.
class TSoundLayer final : public ISoundLayer {
public:
    TSoundLayer();
    ~TSoundLayer() override;
    TSoundLayer(const TSoundLayer &) = delete;
    TSoundLayer &operator=(const TSoundLayer &) = delete;

    // True when an output (a real or the silent one) is open.
    [[nodiscard]] bool IsOpen() const noexcept override { return m_Open; }

    // Decodes the wave file once and appends it under `name`, ready to play.
    // Returns its index, or -1 when the file cannot be read or is a wave
    // whose data is cut short or missing (nothing added).
    int Add(const QString &name, const QString &fileName) override;
    [[nodiscard]] int Count() const noexcept override { return static_cast<int>(m_Items.size()); }
    [[nodiscard]] QString Name(int index) const override;
    // Letter case ignored; -1 when absent.
    [[nodiscard]] int IndexOf(const QString &name) const override;
    // Length of the sample in milliseconds; 0 for an invalid index.
    [[nodiscard]] int LengthMs(int index) const override;

    // Plays the sample from its start; a copy already playing goes on
    // alongside. With `wait`, returns when this copy has ended (polling every
    // 10 ms, handling no events meanwhile). An invalid index does nothing.
    void Play(int index, bool wait) override;
    // Stops every copy of the sample.
    void Stop(int index) override;
    void StopAll() override;
    // True while any copy of the sample plays.
    [[nodiscard]] bool Playing(int index) const override;

private:
    struct TChunkDeleter {
        void operator()(Mix_Chunk *chunk) const;
    };
    struct TItem {
        QString Name;
        std::unique_ptr<Mix_Chunk, TChunkDeleter> Chunk;
    };
    [[nodiscard]] Mix_Chunk *Chunk(int index) const;
    [[nodiscard]] bool ChannelPlays(int channel, const Mix_Chunk *chunk) const;
    // True when `chunk` is one of this layer's samples.
    [[nodiscard]] bool Owns(const Mix_Chunk *chunk) const;
    int StartChannel(Mix_Chunk *chunk);

    bool m_Open = false;
    std::vector<TItem> m_Items;
};
