#pragma once

#include <QString>

#include <memory>
#include <vector>

struct Mix_Chunk;

// Wave samples addressed by index or name, mixed by SDL2_mixer. Where no
// audio device opens, SDL's silent driver takes over, so samples still take
// their real length. All calls come from one thread.
class TSoundLayer {
public:
    TSoundLayer();
    ~TSoundLayer();
    TSoundLayer(const TSoundLayer &) = delete;
    TSoundLayer &operator=(const TSoundLayer &) = delete;

    // True when an output (a real or the silent one) is open.
    [[nodiscard]] bool IsOpen() const noexcept { return m_Open; }

    // Decodes the wave file once and appends it under `name`, ready to play.
    // Returns its index, or -1 when the file cannot be read (nothing added).
    int Add(const QString &name, const QString &fileName);
    [[nodiscard]] int Count() const noexcept { return static_cast<int>(m_Items.size()); }
    [[nodiscard]] QString Name(int index) const;
    // Letter case ignored; -1 when absent.
    [[nodiscard]] int IndexOf(const QString &name) const;
    // Length of the sample in milliseconds; 0 for an invalid index.
    [[nodiscard]] int LengthMs(int index) const;

    // Plays the sample from its start; a copy already playing goes on
    // alongside. With `wait`, returns when this copy has ended (polling every
    // 10 ms, handling no events meanwhile). An invalid index does nothing.
    void Play(int index, bool wait);
    // Stops every copy of the sample.
    void Stop(int index);
    void StopAll();
    // True while any copy of the sample plays.
    [[nodiscard]] bool Playing(int index) const;

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
