// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uSoundLayer.h"

#include <QFile>
#include <QThread>
#include <QtEndian>

#include <SDL.h>
#include <SDL_mixer.h>

#include <dlfcn.h>

#include <algorithm>
#include <chrono>

namespace {

// SDL and its mixer are opened with the first sample layer, not at program
// start: the mixer brings some forty libraries (decoders, sound servers, X11,
// Wayland) that the main window has no use for, and loading them was a good
// part of the start and of its memory.
struct TMixerApi {
    decltype(&SDL_SetHint) SetHint = nullptr;
    decltype(&SDL_SetHintWithPriority) SetHintWithPriority = nullptr;
    decltype(&SDL_InitSubSystem) InitSubSystem = nullptr;
    decltype(&SDL_QuitSubSystem) QuitSubSystem = nullptr;
    decltype(&SDL_RWFromConstMem) RWFromConstMem = nullptr;
    decltype(&Mix_OpenAudioDevice) OpenAudioDevice = nullptr;
    decltype(&Mix_CloseAudio) CloseAudio = nullptr;
    decltype(&Mix_AllocateChannels) AllocateChannels = nullptr;
    int (*QueryFormat)(int *frequency, Uint16 *format, int *channels) = nullptr;
    decltype(&Mix_LoadWAV_RW) LoadWAV_RW = nullptr;
    decltype(&Mix_FreeChunk) FreeChunk = nullptr;
    decltype(&Mix_PlayChannelTimed) PlayChannelTimed = nullptr;
    decltype(&Mix_HaltChannel) HaltChannel = nullptr;
    decltype(&Mix_Playing) Playing = nullptr;
    decltype(&Mix_GetChunk) GetChunk = nullptr;
    bool Loaded = false;
};

template <typename TFunction>
bool Resolve(void *library, const char *name, TFunction &function)
{
    function = reinterpret_cast<TFunction>(dlsym(library, name));
    return function != nullptr;
}

TMixerApi LoadMixerApi()
{
    TMixerApi api;
    // Kept loaded for the rest of the run, as a linked library would be.
    void *sdl = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    void *mixer = dlopen("libSDL2_mixer-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!sdl || !mixer)
        return api;
    api.Loaded = Resolve(sdl, "SDL_SetHint", api.SetHint)
                 && Resolve(sdl, "SDL_SetHintWithPriority", api.SetHintWithPriority)
                 && Resolve(sdl, "SDL_InitSubSystem", api.InitSubSystem)
                 && Resolve(sdl, "SDL_QuitSubSystem", api.QuitSubSystem)
                 && Resolve(sdl, "SDL_RWFromConstMem", api.RWFromConstMem)
                 && Resolve(mixer, "Mix_OpenAudioDevice", api.OpenAudioDevice)
                 && Resolve(mixer, "Mix_CloseAudio", api.CloseAudio)
                 && Resolve(mixer, "Mix_AllocateChannels", api.AllocateChannels)
                 && Resolve(mixer, "Mix_QuerySpec", api.QueryFormat)
                 && Resolve(mixer, "Mix_LoadWAV_RW", api.LoadWAV_RW)
                 && Resolve(mixer, "Mix_FreeChunk", api.FreeChunk)
                 && Resolve(mixer, "Mix_PlayChannelTimed", api.PlayChannelTimed)
                 && Resolve(mixer, "Mix_HaltChannel", api.HaltChannel)
                 && Resolve(mixer, "Mix_Playing", api.Playing)
                 && Resolve(mixer, "Mix_GetChunk", api.GetChunk);
    return api;
}

// Loaded at the first call; without the libraries nothing is loaded and
// every layer stays closed (silent), as without a sound device.
const TMixerApi &Mix()
{
    static const TMixerApi api = LoadMixerApi();
    return api;
}

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
            Mix().HaltChannel(-1);
            Mix().CloseAudio();
        }
        if (Mix().Loaded)
            Mix().QuitSubSystem(SDL_INIT_AUDIO);
        s_Open = false;
    }

private:
    static bool OpenMixer()
    {
        // Keep SIGTERM and SIGINT ending the program while a game is open.
        if (!Mix().Loaded)
            return false;
        Mix().SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (Mix().InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        // No changes allowed: SDL adapts the mixed stream to the device, so the
        // samples keep the format they were decoded to once.
        if (Mix().OpenAudioDevice(SampleRate, AUDIO_S16SYS, OutputChannels, 512, nullptr, 0) == 0)
            return true;
        Mix().QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    static bool Open()
    {
        bool open = OpenMixer();
        if (!open && Mix().Loaded) {
            // No sound card or server: the silent driver consumes samples in
            // real time, so the game's timing stays the same. Override beats
            // an SDL_AUDIODRIVER naming a driver that failed.
            Mix().SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
            open = OpenMixer();
        }
        if (open)
            Mix().AllocateChannels(InitialChannels);
        return open;
    }

    static inline int s_Users = 0;
    static inline bool s_Open = false;
};

}  // namespace

void TSoundLayer::TChunkDeleter::operator()(Mix_Chunk *chunk) const
{
    Mix().FreeChunk(chunk);
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
    Mix_Chunk *chunk = Mix().LoadWAV_RW(Mix().RWFromConstMem(bytes.constData(), static_cast<int>(bytes.size())), 1);
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
    if (!chunk || Mix().QueryFormat(&frequency, &format, &channels) == 0 || frequency <= 0)
        return 0;
    const long long bytesPerFrame = static_cast<long long>(SDL_AUDIO_BITSIZE(format) / 8) * channels;
    if (bytesPerFrame <= 0)
        return 0;
    const long long frames = chunk->alen / bytesPerFrame;
    return static_cast<int>((frames * 1000 + frequency / 2) / frequency);
}

bool TSoundLayer::ChannelPlays(int channel, const Mix_Chunk *chunk) const
{
    return Mix().Playing(channel) != 0 && Mix().GetChunk(channel) == chunk;
}

int TSoundLayer::StartChannel(Mix_Chunk *chunk)
{
    int channel = Mix().PlayChannelTimed(-1, chunk, 0, -1);
    const int allocated = Mix().AllocateChannels(-1);
    if (channel < 0 && allocated < MaxChannels) {
        // Every channel busy: more copies overlap than expected, so widen.
        Mix().AllocateChannels(std::min(allocated * 2, MaxChannels));
        channel = Mix().PlayChannelTimed(-1, chunk, 0, -1);
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
    const int channels = Mix().AllocateChannels(-1);
    for (int channel = 0; channel < channels; ++channel)
        if (ChannelPlays(channel, chunk))
            Mix().HaltChannel(channel);
}

void TSoundLayer::StopAll()
{
    // One pass over the channels, not one per sample: this runs in the frame
    // that ends a roll.
    if (m_Items.empty())
        return;
    const int channels = Mix().AllocateChannels(-1);
    for (int channel = 0; channel < channels; ++channel)
        if (Mix().Playing(channel) != 0 && Owns(Mix().GetChunk(channel)))
            Mix().HaltChannel(channel);
}

bool TSoundLayer::Owns(const Mix_Chunk *chunk) const
{
    return chunk && std::any_of(m_Items.cbegin(), m_Items.cend(),
                                [chunk](const TItem &item) { return item.Chunk.get() == chunk; });
}

bool TSoundLayer::Playing(int index) const
{
    const Mix_Chunk *chunk = Chunk(index);
    if (!chunk)
        return false;
    const int channels = Mix().AllocateChannels(-1);
    for (int channel = 0; channel < channels; ++channel)
        if (ChannelPlays(channel, chunk))
            return true;
    return false;
}
