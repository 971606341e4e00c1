// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/uLazyIcon.h"

#include <QFile>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <future>
#include <optional>

namespace {

struct RIconFile {
    QString Name;
    QSize Size;  // invalid: every picture the file holds, at its own size
};

QList<RIconFile> FilesOfSizes(std::initializer_list<int> sizes, const QString &pattern)
{
    QList<RIconFile> files;
    for (const int size : sizes)
        files.push_back({pattern.arg(size), QSize(size, size)});
    return files;
}

// The pictures of the files that hold one of their size; the others are
// left out, as an icon made of the files leaves them without a picture.
QList<QImage> Decoded(const QList<RIconFile> &files)
{
    QList<QImage> pictures;
    for (const RIconFile &file : files) {
        const QImage picture = QImageReader(file.Name).read();
        if (picture.size() == file.Size)
            pictures.push_back(picture);
    }
    return pictures;
}

bool AnyFileExists(const QList<RIconFile> &files)
{
    return std::any_of(files.cbegin(), files.cend(), [](const RIconFile &file) { return QFile::exists(file.Name); });
}

using TDecodedPictures = std::shared_future<QList<QImage>>;

// Hands every request to the icon of the files, made at the first one, from
// the pictures decoded beforehand where there are such.
class TLazyFileIconEngine : public QIconEngine {
public:
    explicit TLazyFileIconEngine(QList<RIconFile> files, TDecodedPictures decoded = {})
        : m_Files(std::move(files)), m_Decoded(std::move(decoded))
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().availableSizes(mode, state);
    }
    [[nodiscard]] bool isNull() override { return !AnyFileExists(m_Files); }
    [[nodiscard]] QString key() const override { return QStringLiteral("QuintorLazyFileIcon"); }
    [[nodiscard]] QIconEngine *clone() const override { return new TLazyFileIconEngine(*this); }

private:
    const QIcon &Icon()
    {
        if (m_Icon)
            return *m_Icon;
        m_Icon.emplace();
        if (m_Decoded.valid()) {
            for (const QImage &picture : m_Decoded.get())
                m_Icon->addPixmap(QPixmap::fromImage(picture));
        } else {
            for (const RIconFile &file : std::as_const(m_Files))
                m_Icon->addFile(file.Name, file.Size);
        }
        return *m_Icon;
    }

    QList<RIconFile> m_Files;
    TDecodedPictures m_Decoded;
    std::optional<QIcon> m_Icon;
};

struct TStandardPictures {
    const char *FileBase;   // in Qt's resources, one file per size
    const char *ThemeName;  // the icon theme's icon the style prefers
};

TStandardPictures StandardPictures(QStyle::StandardPixmap which)
{
    switch (which) {
    case QStyle::SP_FileIcon: return {"file", "text-x-generic"};
    case QStyle::SP_FileDialogDetailedView: return {"viewdetailed", "view-list-details"};
    case QStyle::SP_TrashIcon: return {"trash", "user-trash"};
    case QStyle::SP_FileDialogInfoView: return {"fileinfo", "dialog-information"};
    default: return {nullptr, nullptr};
    }
}

// Whether the desktop chose an icon theme. Without a desktop Qt names the
// freedesktop base theme "hicolor", which holds programs' own icons, not
// the generic ones asked for here; looking one up there parsed its whole
// index (thousands of lines) at every start and found nothing.
bool DesktopChoseIconTheme()
{
    const QString theme = QIcon::themeName();
    return !theme.isEmpty() && theme != QLatin1String("hicolor");
}

}  // namespace

QIcon LazyFileIcon(const QString &fileName)
{
    return QIcon(new TLazyFileIconEngine({{fileName, QSize()}}));
}

QIcon LazyFileIcon(std::initializer_list<int> sizes, const QString &pattern)
{
    return QIcon(new TLazyFileIconEngine(FilesOfSizes(sizes, pattern)));
}

QIcon DecodingFileIcon(std::initializer_list<int> sizes, const QString &pattern)
{
    QList<RIconFile> files = FilesOfSizes(sizes, pattern);
    if (!AnyFileExists(files))
        return QIcon();  // nothing to decode
    TDecodedPictures decoded = std::async(std::launch::async, Decoded, files).share();
    return QIcon(new TLazyFileIconEngine(std::move(files), std::move(decoded)));
}

QIcon SmallStandardIcon(const QStyle &style, QStyle::StandardPixmap which)
{
    // The pictures the standard icon is made of, in Qt's own resources. A
    // desktop's icon theme, or resources where they are not found, leave the
    // standard icon as it is.
    const TStandardPictures pictures = StandardPictures(which);
    if (!pictures.FileBase || (DesktopChoseIconTheme() && QIcon::hasThemeIcon(QLatin1String(pictures.ThemeName))))
        return style.standardIcon(which);
    // "%2", the size, is left for each picture.
    const QIcon icon = DecodingFileIcon({16, 32}, QStringLiteral(":/qt-project.org/styles/commonstyle/images/%1-%2.png")
                                                  .arg(QLatin1String(pictures.FileBase)));
    return icon.isNull() ? style.standardIcon(which) : icon;
}
