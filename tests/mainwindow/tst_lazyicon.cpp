// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/uLazyIcon.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

namespace {

QImage Drawn(const QIcon &icon, int size, qreal ratio, QIcon::Mode mode)
{
    return icon.pixmap(QSize(size, size), ratio, mode).toImage();
}

QImage Filled(const QColor &colour)
{
    QImage image(13, 13, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

}  // namespace

class TestLazyIcon : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }
    void fileIconDrawsAsTheFilesIcon_data();
    void fileIconDrawsAsTheFilesIcon();
    void fileIsReadWhenFirstDrawn();
    void missingFileGivesNullIcon();
    void iconOfSizesDrawsAsItsFiles_data();
    void iconOfSizesDrawsAsItsFiles();
    void smallStandardIconDrawsAsTheStandardIcon_data();
    void smallStandardIconDrawsAsTheStandardIcon();
    void iconThemeReplacesTheSmallPictures_data();
    void iconThemeReplacesTheSmallPictures();
};

void TestLazyIcon::fileIconDrawsAsTheFilesIcon_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("size");
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("count button") << QStringLiteral(":/images/count1.png") << 13 << 1.0;
    QTest::newRow("count button, double density") << QStringLiteral(":/images/count6.png") << 13 << 2.0;
    QTest::newRow("sheet button") << QStringLiteral(":/images/sheet.png") << 16 << 1.0;
}

void TestLazyIcon::fileIconDrawsAsTheFilesIcon()
{
    QFETCH(QString, file);
    QFETCH(int, size);
    QFETCH(qreal, ratio);
    const QIcon eager(file);
    QVERIFY(!eager.isNull());
    const QIcon lazy = LazyFileIcon(file);
    QVERIFY(!lazy.isNull());
    QCOMPARE(lazy.actualSize(QSize(size, size)), eager.actualSize(QSize(size, size)));
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active})
        QCOMPARE(Drawn(lazy, size, ratio, mode), Drawn(eager, size, ratio, mode));
}

// The picture the icon shows is the one in the file when it is first drawn,
// not when the icon was made: nothing is decoded before.
void TestLazyIcon::fileIsReadWhenFirstDrawn()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("button.png"));
    QVERIFY(Filled(Qt::red).save(file));
    const QIcon lazy = LazyFileIcon(file);
    QVERIFY(Filled(Qt::blue).save(file));
    QCOMPARE(Drawn(lazy, 13, 1.0, QIcon::Normal).pixelColor(6, 6), QColor(Qt::blue));
    QVERIFY(Filled(Qt::green).save(file));
    QCOMPARE(Drawn(lazy, 13, 1.0, QIcon::Normal).pixelColor(6, 6), QColor(Qt::blue));
}

void TestLazyIcon::missingFileGivesNullIcon()
{
    QVERIFY(LazyFileIcon(QStringLiteral(":/images/no-such-picture.png")).isNull());
}

// The window's icon: the window system is handed every size (X11 puts all
// of them on the window), each drawn from its own file, whether decoded when
// first asked for or beforehand on a thread of its own.
void TestLazyIcon::iconOfSizesDrawsAsItsFiles_data()
{
    QTest::addColumn<bool>("decodedBeforehand");
    QTest::newRow("decoded when asked for") << false;
    QTest::newRow("decoded on a thread") << true;
}

void TestLazyIcon::iconOfSizesDrawsAsItsFiles()
{
    QFETCH(bool, decodedBeforehand);
    using TMaker = QIcon (*)(std::initializer_list<int>, const QString &);
    const TMaker make = decodedBeforehand ? DecodingFileIcon : static_cast<TMaker>(LazyFileIcon);
    const QString pattern = QStringLiteral(":/images/icon%1.png");
    QIcon eager;
    for (const int size : {16, 32, 48, 64, 128})
        eager.addFile(pattern.arg(size), QSize(size, size));
    const QIcon lazy = make({16, 32, 48, 64, 128}, pattern);
    QVERIFY(!lazy.isNull());
    QCOMPARE(lazy.availableSizes(), eager.availableSizes());
    QCOMPARE(lazy.availableSizes().size(), 5);
    for (const int size : {16, 24, 48, 128, 256})
        QCOMPARE(Drawn(lazy, size, 1.0, QIcon::Normal), Drawn(eager, size, 1.0, QIcon::Normal));
    QCOMPARE(Drawn(lazy, 32, 1.0, QIcon::Disabled), Drawn(eager, 32, 1.0, QIcon::Disabled));
    QVERIFY(make({16, 32}, QStringLiteral(":/images/no-such-icon%1.png")).isNull());
}

void TestLazyIcon::smallStandardIconDrawsAsTheStandardIcon_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<qreal>("ratio");
    for (const qreal ratio : {1.0, 2.0}) {
        const QByteArray density = ratio > 1 ? ", double density" : "";
        QTest::newRow("new player" + density) << int(QStyle::SP_FileIcon) << ratio;
        QTest::newRow("edit player" + density) << int(QStyle::SP_FileDialogDetailedView) << ratio;
        QTest::newRow("delete player" + density) << int(QStyle::SP_TrashIcon) << ratio;
        QTest::newRow("statistics" + density) << int(QStyle::SP_FileDialogInfoView) << ratio;
    }
    // Not one of the tool buttons' icons: the standard icon itself.
    QTest::newRow("other icon") << int(QStyle::SP_DialogOkButton) << 1.0;
}

// The tool buttons draw their icons at 16 px.
void TestLazyIcon::smallStandardIconDrawsAsTheStandardIcon()
{
    QFETCH(int, which);
    QFETCH(qreal, ratio);
    const auto pixmap = static_cast<QStyle::StandardPixmap>(which);
    const QIcon standard = qApp->style()->standardIcon(pixmap);
    const QIcon small = SmallStandardIcon(*qApp->style(), pixmap);
    QVERIFY(!small.isNull());
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active})
        QCOMPARE(Drawn(small, 16, ratio, mode), Drawn(standard, 16, ratio, mode));
}

void TestLazyIcon::iconThemeReplacesTheSmallPictures_data()
{
    QTest::addColumn<QString>("theme");
    QTest::addColumn<bool>("fromTheme");
    QTest::newRow("theme the desktop chose") << QStringLiteral("Testthema") << true;
    // Qt's name when no desktop chose one: the base theme is not asked.
    QTest::newRow("base theme without a desktop") << QStringLiteral("hicolor") << false;
}

// A theme in a folder of its own with a red "text-x-generic" at 16 px.
void TestLazyIcon::iconThemeReplacesTheSmallPictures()
{
    QFETCH(QString, theme);
    QFETCH(bool, fromTheme);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(theme + QStringLiteral("/16x16")));
    QFile index(dir.filePath(theme + QStringLiteral("/index.theme")));
    QVERIFY(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=" + theme.toUtf8() + "\nDirectories=16x16\n\n[16x16]\nSize=16\nType=Fixed\n");
    index.close();
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(dir.filePath(theme + QStringLiteral("/16x16/text-x-generic.png"))));

    const QStringList paths = QIcon::themeSearchPaths();
    const QString name = QIcon::themeName();
    QIcon::setThemeSearchPaths({dir.path()});
    QIcon::setThemeName(theme);
    const QImage drawn = Drawn(SmallStandardIcon(*qApp->style(), QStyle::SP_FileIcon), 16, 1.0, QIcon::Normal);
    const QImage standard = Drawn(qApp->style()->standardIcon(QStyle::SP_FileIcon), 16, 1.0, QIcon::Normal);
    QIcon::setThemeName(name);
    QIcon::setThemeSearchPaths(paths);

    QCOMPARE(drawn.pixelColor(8, 8) == QColor(Qt::red), fromTheme);
    if (fromTheme)
        QCOMPARE(drawn, standard);
}

QTEST_MAIN(TestLazyIcon)
#include "tst_lazyicon.moc"
