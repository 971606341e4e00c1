// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uDesigns.h"

#include "gamewindow/uProgramFiles.h"
#include "storage/uTPlayer.h"

#include <QCache>
#include <QDateTime>
#include <QFileInfo>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <future>
#include <system_error>

namespace {

constexpr int MaxPictureSide = 16384;
constexpr qint64 MaxPicturePixels = 64LL * 1024 * 1024;

bool TooLarge(QSize size)
{
    return size.width() > MaxPictureSide || size.height() > MaxPictureSide
           || static_cast<qint64>(size.width()) * size.height() > MaxPicturePixels;
}

// Key colour of background slot s; the slots after the first four key black.
QRgb BackgroundKey(int slot)
{
    static constexpr std::array<QRgb, 4> keys{0xff008000u, 0xff836447u, 0xff5d3100u, 0xff0a0100u};
    return slot >= 0 && slot < static_cast<int>(keys.size()) ? keys[static_cast<std::size_t>(slot)]
                                                             : qRgb(0, 0, 0);
}

// Keyed pictures already made, shared by every game window of the process,
// so that the next game starts without decoding again. Cost in KiB.
QCache<QString, QImage> &PictureCache()
{
    static QCache<QString, QImage> cache(512 * 1024);
    return cache;
}

// A changed file (size or time) is a new entry; `keying` tells how it was keyed.
QString CacheKey(const QString &file, const QString &keying)
{
    const QFileInfo info(file);
    return file + QLatin1Char('|') + QString::number(info.size()) + QLatin1Char('|')
           + QString::number(info.lastModified().toMSecsSinceEpoch()) + QLatin1Char('|') + keying;
}

QString CacheKey(const QString &file, QRgb key)
{
    return CacheKey(file, QString::number(key, 16));
}

// The picture of `file` keyed by `key`; null when it is no picture.
QImage DecodeKeyed(const QString &file, QRgb key)
{
    QImage picture = ReadPicture(file);
    return picture.isNull() ? picture : TPictureList::KeyedOut(std::move(picture), key);
}

// Starts DecodeKeyed on a thread of its own; without a thread to be had the
// future stays empty and the caller decodes at once.
std::future<QImage> DecodeAside(const QString &file, QRgb key)
{
    try {
        return std::async(std::launch::async, DecodeKeyed, file, key);
    } catch (const std::system_error &) {
        return {};
    }
}

const QImage *Cached(const QString &cacheKey)
{
    return PictureCache().object(cacheKey);
}

// Keeps a keyed picture under `cacheKey`; a null one is not kept.
void Remember(const QString &cacheKey, const QImage &keyed)
{
    if (keyed.isNull())
        return;
    const auto kib = std::max<qsizetype>(1, keyed.sizeInBytes() / 1024);
    PictureCache().insert(cacheKey, new QImage(keyed), kib);
}

// The header says it is a picture of a size that can be held. BMP, JPEG and
// PNG all tell their size; a header that does not is no picture to us.
bool LooksLikePicture(const QString &file)
{
    QImageReader reader(file);
    return reader.canRead() && reader.size().isValid() && !TooLarge(reader.size());
}

// What a background whose data fails after a sound header shows: the
// surface's black, never the frame before.
QImage Black()
{
    QImage black(1, 1, QImage::Format_RGB32);
    black.fill(Qt::black);
    return black;
}

// An uncompressed BMP tells how many bytes its pixels take. The reader
// draws the rows a cut file lacks in black, which shows as a broken die, so
// a file shorter than its header promises counts as damaged. Files that are
// no such BMP are left to the reader.
bool BitmapCutShort(const QString &file)
{
    QFile bitmap(file);
    if (!bitmap.open(QIODevice::ReadOnly))
        return true;
    const QByteArray head = bitmap.read(34);
    if (head.size() < 34 || !head.startsWith("BM") || qFromLittleEndian<quint32>(head.constData() + 14) < 40)
        return false;
    const quint32 compression = qFromLittleEndian<quint32>(head.constData() + 30);
    if (compression != 0 && compression != 3)  // BI_RGB, BI_BITFIELDS
        return false;
    const qint64 width = std::abs(static_cast<qint64>(qFromLittleEndian<qint32>(head.constData() + 18)));
    const qint64 height = std::abs(static_cast<qint64>(qFromLittleEndian<qint32>(head.constData() + 22)));
    const qint64 bits = qFromLittleEndian<quint16>(head.constData() + 28);
    const qint64 stride = (width * bits + 31) / 32 * 4;
    return bitmap.size() < qFromLittleEndian<quint32>(head.constData() + 10) + stride * height;
}

struct TStandardBackground {
    const char *Caption;
    const char *File;
};

const std::array<TStandardBackground, 7> &StandardBackgrounds()
{
    static const std::array<TStandardBackground, 7> list{{
        {"[Standard] Grün", "0.jpg"},
        {"[Standard] Bordeaux", "4.jpg"},
        {"[Standard] Ozean", "5.jpg"},
        {"[Standard] Schwarz", "6.jpg"},
        {"[Standard] Altes Holz", "2.jpg"},
        {"[Standard] Dunkles Holz", "1.jpg"},
        {"[Standard] Kiefer", "3.jpg"},
    }};
    return list;
}

// Letter of each "DiceType"; the order of the lists follows it.
constexpr std::array<char, 6> DiceLetters{'w', 'r', 'c', 'd', 'a', 'b'};

void LoadFixed(TPictureList &list, int index, const QString &resource, QRgb key)
{
    list.SetPicture(index, QImage(resource), key);
}

}  // namespace

QImage ReadPicture(const QString &fileName)
{
    QImageReader reader(fileName);
    // A header that promises a huge picture is refused before any pixel is read.
    if (reader.size().isValid() && TooLarge(reader.size()))
        return QImage();
    QImage picture;
    if (!reader.read(&picture) || TooLarge(picture.size()))
        return QImage();
    return picture;
}

TDesigns::TDesigns()
{
    for (TPictureList &set : m_DiceSets) {
        set.SetCount(DiceSlots);
        set.SetTag(HeldDiceOpacity);
    }
    m_HoldMarks.SetCount(5);
    m_Cups.SetCount(2);
}

void TDesigns::AddBackground(const QString &caption, const QString &file)
{
    const int slot = m_Backgrounds.Count();
    const QRgb key = BackgroundKey(slot);
    const QString cacheKey = CacheKey(file, key);
    const QImage *cached = Cached(cacheKey);
    if (!cached && !LooksLikePicture(file))
        return;
    m_Backgrounds.Add();
    m_Captions << caption;
    m_Paths << file;
    m_Sources.push_back({file, key, cacheKey, !cached, {}});
    if (cached)
        m_Backgrounds.SetPicture(slot, *cached, std::nullopt);
}

void TDesigns::DecodeAhead(int slot)
{
    if (slot < 0 || slot >= static_cast<int>(m_Sources.size()))
        return;
    TSource &source = m_Sources[static_cast<std::size_t>(slot)];
    // Large JPEGs take most of the window's loading time: they are decoded on
    // other threads while the window goes on loading, and joined at first use.
    if (source.Pending && !source.Keyed.valid())
        source.Keyed = DecodeAside(source.File, source.Key);
}

void TDesigns::SetBackground(int slot, const QImage &keyed) const
{
    TSource &source = m_Sources[static_cast<std::size_t>(slot)];
    source.Pending = false;
    Remember(source.CacheKey, keyed);
    m_Backgrounds.SetPicture(slot, keyed.isNull() ? Black() : keyed, std::nullopt);
}

const TPictureList &TDesigns::Backgrounds() const
{
    for (std::size_t slot = 0; slot < m_Sources.size(); ++slot)
        if (m_Sources[slot].Keyed.valid())
            SetBackground(static_cast<int>(slot), m_Sources[slot].Keyed.get());
    return m_Backgrounds;
}

void TDesigns::PrepareBackground(int slot) const
{
    if (slot < 0 || slot >= static_cast<int>(m_Sources.size()))
        return;
    TSource &source = m_Sources[static_cast<std::size_t>(slot)];
    if (source.Keyed.valid())
        SetBackground(slot, source.Keyed.get());
    else if (source.Pending)
        SetBackground(slot, DecodeKeyed(source.File, source.Key));
}

int TDesigns::LoadBackgrounds(const QString &backgroundFolder, const std::vector<TPlayer *> &players)
{
    m_Backgrounds.Clear();
    m_Captions.clear();
    m_Paths.clear();
    m_Sources.clear();
    const TFolderIndex folder(backgroundFolder);
    for (const TStandardBackground &standard : StandardBackgrounds())
        if (folder.Exists(QLatin1String(standard.File)))
            AddBackground(QString::fromUtf8(standard.Caption),
                          folder.Path(QLatin1String(standard.File)));
    for (const TPlayer *player : players)
        if (!player->Background().isEmpty() && QFileInfo(player->Background()).isFile())
            AddBackground(QFileInfo(player->Background()).completeBaseName(), player->Background());
    for (TPlayer *player : players) {
        if (player->BackgroundType() == 0) {
            player->SetBackgroundIndex(0);
            continue;
        }
        const int own = static_cast<int>(m_Paths.lastIndexOf(player->Background()));
        if (own >= 0)
            player->SetBackgroundIndex(own);
    }
    const int first = players.empty() ? 0 : players.front()->BackgroundIndex();
    DecodeAhead(first);
    for (const TPlayer *player : players)
        DecodeAhead(player->BackgroundIndex());
    return first;
}

bool TDesigns::LoadDiceSet(const QString &letter, TPictureList &list, const QString &diceFolder)
{
    const TFolderIndex folder(diceFolder);
    bool complete = true;
    for (int slot = 0; slot < DiceSlots; ++slot) {
        const QString file = QStringLiteral("%1%2%3.bmp").arg(letter).arg(slot / 4 + 1).arg(slot % 4);
        const QString path = folder.Path(file);
        if (!folder.Exists(file)) {
            m_DiceProblems << path;
            complete = false;
            continue;
        }
        // After the first bad picture the set has ended; the later files are
        // only checked for being there, so that the report names them all.
        if (!complete)
            continue;
        const QString cacheKey = CacheKey(path, QStringLiteral("corner"));
        QImage keyed;
        if (const QImage *cached = Cached(cacheKey)) {
            keyed = *cached;
        } else {
            QImage picture = BitmapCutShort(path) ? QImage() : ReadPicture(path);
            const QRgb key = TPictureList::CornerColor(picture);
            keyed = picture.isNull() ? picture : TPictureList::KeyedOut(std::move(picture), key);
            Remember(cacheKey, keyed);
        }
        // A picture that cannot be decoded counts as missing.
        if (keyed.isNull()) {
            m_DiceProblems << path;
            complete = false;
            continue;
        }
        list.ClearPicture(slot);
        list.SetPicture(slot, std::move(keyed), std::nullopt);
        list.SetName(slot, path);
    }
    return complete;
}

void TDesigns::LoadDiceImages(const QString &diceFolder)
{
    m_DiceProblems.clear();
    for (const char letter : {'c', 'r', 'd', 'a', 'w', 'b'}) {
        const auto type = static_cast<std::size_t>(std::find(DiceLetters.begin(), DiceLetters.end(), letter)
                                                   - DiceLetters.begin());
        m_DiceComplete[type] = LoadDiceSet(QString(QLatin1Char(letter)), m_DiceSets[type], diceFolder);
    }
}

bool TDesigns::DiceSetComplete(int diceType) const
{
    return diceType >= 0 && diceType < static_cast<int>(m_DiceComplete.size())
           && m_DiceComplete[static_cast<std::size_t>(diceType)];
}

bool TDesigns::AnyDiceSetComplete() const
{
    return std::find(m_DiceComplete.begin(), m_DiceComplete.end(), true) != m_DiceComplete.end();
}

int TDesigns::DrawnDiceType(int diceType) const
{
    const int own = DiceSetIndex(diceType);
    if (DiceSetComplete(own))
        return own;
    const auto first = std::find(m_DiceComplete.begin(), m_DiceComplete.end(), true);
    return first == m_DiceComplete.end() ? own : static_cast<int>(first - m_DiceComplete.begin());
}

void TDesigns::LoadFixedPictures()
{
    const QRgb mark = qRgb(255, 0, 220);
    LoadFixed(m_HoldMarks, 0, QStringLiteral(":/images/holdmark0.png"), mark);
    LoadFixed(m_HoldMarks, 1, QStringLiteral(":/images/holdmark1.png"), mark);
    LoadFixed(m_HoldMarks, 2, QStringLiteral(":/images/holdmark2.png"), qRgb(255, 255, 255));
    LoadFixed(m_HoldMarks, 3, QStringLiteral(":/images/holdmark3.png"), qRgb(255, 255, 255));
    LoadFixed(m_HoldMarks, 4, QStringLiteral(":/images/holdmark4.png"), qRgb(0, 0, 0));
    LoadFixed(m_Cups, 0, QStringLiteral(":/images/cup_small.png"), mark);
    LoadFixed(m_Cups, 1, QStringLiteral(":/images/cup_large.png"), qRgb(255, 0, 255));
}

int TDesigns::DiceSetIndex(int diceType) noexcept
{
    return diceType >= 0 && diceType < static_cast<int>(DiceLetters.size()) ? diceType : 0;
}

const TPictureList &TDesigns::DiceSet(int diceType) const
{
    return m_DiceSets[static_cast<std::size_t>(DrawnDiceType(diceType))];
}

QString TDesigns::DiceLetter(int diceType)
{
    return QString(QLatin1Char(DiceLetters[static_cast<std::size_t>(DiceSetIndex(diceType))]));
}
