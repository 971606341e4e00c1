// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uSoundLayer.h"

#include <QFile>
#include <QThread>
#include <QtEndian>

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <chrono>

namespace {

constexpr qint64 MaxSampleBytes = 256LL * 1024 * 1024;

// A wave header may claim gigabytes for a few bytes of samples, and the
// decoder allocates what it claims: cut every chunk length to what the file
// holds. Other formats pass unchanged.
QByteArray WithHonestChunkLengths(QByteArray wave)
{
    if (wave.size() < 12 || !wave.startsWith("RIFF") || wave.mid(8, 4) != "WAVE")
        return wave;
    qToLittleEndian<quint32>(static_cast<quint32>(wave.size() - 8), wave.data() + 4);
    qsizetype at = 12;
    while (at + 8 <= wave.size()) {
        const quint64 available = static_cast<quint64>(wave.size() - at - 8);
        const quint32 length = static_cast<quint32>(
            std::min<quint64>(qFromLittleEndian<quint32>(wave.constData() + at + 4), available));
        qToLittleEndian<quint32>(length, wave.data() + at + 4);
        at += 8 + static_cast<qsizetype>(length) + (length & 1);
    }
    return wave;
}

// A wave must hold what its header describes: a format chunk, and a data
// chunk of at least one sample frame that the file holds whole. A cut file
// or a header put before a few stray bytes would play as a click or as
// nothing, so it counts as unreadable. Other formats are left to the decoder.
bool WaveIsWhole(const QByteArray &wave)
{
    if (wave.size() < 12 || !wave.startsWith("RIFF") || wave.mid(8, 4) != "WAVE")
        return true;
    quint16 blockAlign = 0;
    qsizetype at = 12;
    while (at + 8 <= wave.size()) {
        const QByteArray id = wave.mid(at, 4);
        const quint64 length = qFromLittleEndian<quint32>(wave.constData() + at + 4);
        const quint64 available = static_cast<quint64>(wave.size() - at - 8);
        if (id == "fmt " && length >= 16 && available >= 16)
            blockAlign = qFromLittleEndian<quint16>(wave.constData() + at + 8 + 12);
        if (id == "data")
            return blockAlign > 0 && length >= blockAlign && length <= available;
        if (length > available)
            return false;
        at += 8 + static_cast<qsizetype>(length) + static_cast<qsizetype>(length & 1);
    }
    return false;
}

constexpr int InitialChannels = 32;
constexpr int MaxChannels = 256;
// The game's samples are recorded at this rate; mixing at it spares the
// resampling of every file at load, which costs more than all else.
constexpr int SampleRate = 22050;
constexpr int OutputChannels = 1;

// The mixer is opened once per process and shared by every layer.
class TAudioDevice {
public:
    static bool Acquire()
    {
        if (s_Users++ == 0)
            s_Open = Open();
        return s_Open;
    }
    static void Release()
    {
        if (--s_Users > 0)
            return;
        if (s_Open) {
            Mix_HaltChannel(-1);
            Mix_CloseAudio();
        }
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        s_Open = false;
    }

private:
    static bool OpenMixer()
    {
        // Keep SIGTERM and SIGINT ending the program while a game is open.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        // No changes allowed: SDL adapts the mixed stream to the device, so the
        // samples keep the format they were decoded to once.
        if (Mix_OpenAudioDevice(SampleRate, AUDIO_S16SYS, OutputChannels, 512, nullptr, 0) == 0)
            return true;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    static bool Open()
    {
        bool open = OpenMixer();
        if (!open) {
            // No sound card or server: the silent driver consumes samples in
            // real time, so the game's timing stays the same. Override beats
            // an SDL_AUDIODRIVER naming a driver that failed.
            SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
            open = OpenMixer();
        }
        if (open)
            Mix_AllocateChannels(InitialChannels);
        return open;
    }

    static inline int s_Users = 0;
    static inline bool s_Open = false;
};

}  // namespace

void TSoundLayer::TChunkDeleter::operator()(Mix_Chunk *chunk) const
{
    Mix_FreeChunk(chunk);
}

TSoundLayer::TSoundLayer()
    : m_Open(TAudioDevice::Acquire())
{
}

TSoundLayer::~TSoundLayer()
{
    StopAll();
    m_Items.clear();
    TAudioDevice::Release();
}

int TSoundLayer::Add(const QString &name, const QString &fileName)
{
    if (!m_Open)
        return -1;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxSampleBytes)
        return -1;
    const QByteArray read = file.readAll();
    if (!WaveIsWhole(read))
        return -1;
    const QByteArray bytes = WithHonestChunkLengths(read);
    // The chunk is decoded into memory of its own; the bytes may go after.
    Mix_Chunk *chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.constData(), static_cast<int>(bytes.size())), 1);
    if (!chunk)
        return -1;
    m_Items.push_back({name, std::unique_ptr<Mix_Chunk, TChunkDeleter>(chunk)});
    return Count() - 1;
}

QString TSoundLayer::Name(int index) const
{
    return index >= 0 && index < Count() ? m_Items[static_cast<std::size_t>(index)].Name
                                         : QString();
}

int TSoundLayer::IndexOf(const QString &name) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_Items[static_cast<std::size_t>(i)].Name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

Mix_Chunk *TSoundLayer::Chunk(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_Items[static_cast<std::size_t>(index)].Chunk.get();
}

int TSoundLayer::LengthMs(int index) const
{
    const Mix_Chunk *chunk = Chunk(index);
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    if (!chunk || Mix_QuerySpec(&frequency, &format, &channels) == 0 || frequency <= 0)
        return 0;
    const long long bytesPerFrame = static_cast<long long>(SDL_AUDIO_BITSIZE(format) / 8) * channels;
    if (bytesPerFrame <= 0)
        return 0;
    const long long frames = chunk->alen / bytesPerFrame;
    return static_cast<int>((frames * 1000 + frequency / 2) / frequency);
}

bool TSoundLayer::ChannelPlays(int channel, const Mix_Chunk *chunk) const
{
    return Mix_Playing(channel) != 0 && Mix_GetChunk(channel) == chunk;
}

int TSoundLayer::StartChannel(Mix_Chunk *chunk)
{
    int channel = Mix_PlayChannel(-1, chunk, 0);
    const int allocated = Mix_AllocateChannels(-1);
    if (channel < 0 && allocated < MaxChannels) {
        // Every channel busy: more copies overlap than expected, so widen.
        Mix_AllocateChannels(std::min(allocated * 2, MaxChannels));
        channel = Mix_PlayChannel(-1, chunk, 0);
    }
    return channel;
}

void TSoundLayer::Play(int index, bool wait)
{
    Mix_Chunk *chunk = Chunk(index);
    if (!chunk)
        return;
    const int channel = StartChannel(chunk);
    if (channel < 0 || !wait)
        return;
    // A stalled device must not hang the game: give up well after the end.
    const auto limit = std::chrono::steady_clock::now()
                       + std::chrono::milliseconds(LengthMs(index) + 2000);
    while (ChannelPlays(channel, chunk) && std::chrono::steady_clock::now() < limit)
        QThread::msleep(10);
}

void TSoundLayer::Stop(int index)
{
    const Mix_Chunk *chunk = Chunk(index);
    if (!chunk)
        return;
    const int channels = Mix_AllocateChannels(-1);
    for (int channel = 0; channel < channels; ++channel)
        if (ChannelPlays(channel, chunk))
            Mix_HaltChannel(channel);
}

void TSoundLayer::StopAll()
{
    for (int i = 0; i < Count(); ++i)
        Stop(i);
}

bool TSoundLayer::Playing(int index) const
{
    const Mix_Chunk *chunk = Chunk(index);
    if (!chunk)
        return false;
    const int channels = Mix_AllocateChannels(-1);
    for (int channel = 0; channel < channels; ++channel)
        if (ChannelPlays(channel, chunk))
            return true;
    return false;
}
