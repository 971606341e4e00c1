#include "mainwindow/ModalAnswer.h"

#include "dialogs/uFormQuintorMenu_EditPlayer.h"
#include "storage/uTPlayer.h"

#include <QAbstractButton>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct TProfileFixture {
    QTemporaryDir Dir;
    QString Folder = Dir.path() + QLatin1Char('/');
    QString File = Folder + QStringLiteral("Player7.qtp");
    TPlayer Profile;

    TProfileFixture()
    {
        Profile.SetName(QStringLiteral("Anna"));
        Profile.SetBackground(QStringLiteral("/bilder/tisch.jpg"));
        Profile.SetBackgroundType(1);
        Profile.SetDiceType(3);
        Profile.SaveToFile(File);
    }

    [[nodiscard]] QByteArray Stored() const
    {
        QFile file(File);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    [[nodiscard]] TPlayer Reload() const
    {
        TPlayer player;
        QString tampered;
        player.LoadFromFile(File, tampered);
        if (!tampered.isEmpty())
            qFatal("profile signature broken");
        return player;
    }
};

template <typename T>
T *Child(const QWidget &window, const char *name)
{
    T *child = window.findChild<T *>(QLatin1String(name));
    if (!child)
        qFatal("no control %s", name);
    return child;
}

}  // namespace

class TestEditPlayer : public QObject {
    Q_OBJECT
private slots:
    void showsTheProfile();
    void okNeedsANameAndBlanksCount();
    void okStoresAndSignsTheProfile();
    void cancelWritesNothing();
    void ownerReusingTheProfileMeanwhileDoesNotLeakIn();
    void unstorableNameIsRefusedAndDialogStays();
    void chosenPictureSelectsPictureAndSurvivesStandardColour();
    void pictureFilterListsPairs();
};

void TestEditPlayer::showsTheProfile()
{
    TProfileFixture fixture;
    TFormQuintorMenu_EditPlayer dialog(fixture.Profile, fixture.Folder, fixture.File);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Quintor Spielerdaten bearbeiten"));
    QCOMPARE(Child<QLineEdit>(dialog, "EditPlayerName")->text(), QStringLiteral("Anna"));
    QVERIFY(Child<QRadioButton>(dialog, "RadioButtonFile")->isChecked());
    QCOMPARE(Child<QLineEdit>(dialog, "EditBackgroundPicture")->text(), QStringLiteral("/bilder/tisch.jpg"));
    QVERIFY(Child<QAbstractButton>(dialog, "SpeedButtonDarkBlack")->isChecked());
    QVERIFY(Child<QPushButton>(dialog, "ButtonOk")->isEnabled());
}

void TestEditPlayer::okNeedsANameAndBlanksCount()
{
    TProfileFixture fixture;
    TFormQuintorMenu_EditPlayer dialog(fixture.Profile, fixture.Folder, fixture.File);
    dialog.show();
    auto *name = Child<QLineEdit>(dialog, "EditPlayerName");
    auto *ok = Child<QPushButton>(dialog, "ButtonOk");
    name->clear();
    QVERIFY(!ok->isEnabled());
    name->setText(QStringLiteral(" "));
    QVERIFY(ok->isEnabled());
    ok->click();
    QCOMPARE(dialog.result(), int(TFormQuintorMenu_EditPlayer::ResultOk));
    QCOMPARE(fixture.Reload().Name(), QStringLiteral(" "));
}

void TestEditPlayer::okStoresAndSignsTheProfile()
{
    TProfileFixture fixture;
    TFormQuintorMenu_EditPlayer dialog(fixture.Profile, fixture.Folder, fixture.File);
    dialog.show();
    Child<QLineEdit>(dialog, "EditPlayerName")->setText(QStringLiteral("Änne"));
    Child<QRadioButton>(dialog, "RadioButtonColor")->setChecked(true);
    Child<QAbstractButton>(dialog, "SpeedButtonGreen")->click();
    Child<QPushButton>(dialog, "ButtonOk")->click();

    const TPlayer stored = fixture.Reload();
    QCOMPARE(stored.Name(), QStringLiteral("Änne"));
    QCOMPARE(stored.BackgroundType(), 0);
    QCOMPARE(stored.DiceType(), 4);
    QCOMPARE(stored.Background(), QStringLiteral("/bilder/tisch.jpg"));
    QCOMPARE(fixture.Profile.Name(), QStringLiteral("Änne"));
}

void TestEditPlayer::cancelWritesNothing()
{
    TProfileFixture fixture;
    const QByteArray before = fixture.Stored();
    TFormQuintorMenu_EditPlayer dialog(fixture.Profile, fixture.Folder, fixture.File);
    dialog.show();
    Child<QLineEdit>(dialog, "EditPlayerName")->setText(QStringLiteral("Bert"));
    Child<QAbstractButton>(dialog, "SpeedButtonRed")->click();
    Child<QPushButton>(dialog, "ButtonCancel")->click();
    QCOMPARE(dialog.result(), int(TFormQuintorMenu_EditPlayer::ResultCancel));
    QCOMPARE(fixture.Stored(), before);
    QCOMPARE(fixture.Profile.Name(), QStringLiteral("Anna"));
    QCOMPARE(fixture.Profile.DiceType(), 3);
}

void TestEditPlayer::ownerReusingTheProfileMeanwhileDoesNotLeakIn()
{
    TProfileFixture fixture;
    fixture.Profile.SetMatchesWon(7);
    TFormQuintorMenu_EditPlayer dialog(fixture.Profile, fixture.Folder, fixture.File);
    dialog.show();
    // The main window reloads its one working profile on every activation.
    fixture.Profile.SetName(QStringLiteral("-1"));
    fixture.Profile.SetMatchesWon(0);
    Child<QPushButton>(dialog, "ButtonOk")->click();
    const TPlayer stored = fixture.Reload();
    QCOMPARE(stored.Name(), QStringLiteral("Anna"));
    QCOMPARE(stored.MatchesWon(), 7);
}

void TestEditPlayer::unstorableNameIsRefusedAndDialogStays()
{
    TProfileFixture fixture;
    const QByteArray before = fixture.Stored();
    TFormQuintorMenu_EditPlayer dialog(fixture.Profile, fixture.Folder, fixture.File);
    dialog.show();
    Child<QLineEdit>(dialog, "EditPlayerName")->setText(QStringLiteral("Вася"));
    QString text;
    AnswerNext<QMessageBox>([&text](QMessageBox *box) {
        text = box->text();
        box->accept();
    });
    Child<QPushButton>(dialog, "ButtonOk")->click();
    QVERIFY2(text.contains(QStringLiteral("nicht speichern")), qPrintable(text));
    QVERIFY(dialog.isVisible());
    QCOMPARE(fixture.Stored(), before);
    QCOMPARE(fixture.Profile.Name(), QStringLiteral("Anna"));
}

void TestEditPlayer::chosenPictureSelectsPictureAndSurvivesStandardColour()
{
    TProfileFixture fixture;
    fixture.Profile.SetBackgroundType(0);
    const QString picture = fixture.Folder + QStringLiteral("wiese.png");
    QImage(8, 8, QImage::Format_RGB32).save(picture);
    TFormQuintorMenu_EditPlayer dialog(fixture.Profile, fixture.Folder, fixture.File);
    dialog.show();
    QVERIFY(Child<QRadioButton>(dialog, "RadioButtonColor")->isChecked());

    AnswerNext<QFileDialog>([&picture](QFileDialog *files) {
        files->selectFile(picture);
        static_cast<QDialog *>(files)->accept();
    });
    Child<QPushButton>(dialog, "ButtonBrowse")->click();
    QCOMPARE(Child<QLineEdit>(dialog, "EditBackgroundPicture")->text(), picture);
    QVERIFY(Child<QRadioButton>(dialog, "RadioButtonFile")->isChecked());

    Child<QRadioButton>(dialog, "RadioButtonColor")->setChecked(true);
    Child<QPushButton>(dialog, "ButtonOk")->click();
    const TPlayer stored = fixture.Reload();
    QCOMPARE(stored.BackgroundType(), 0);
    QCOMPARE(stored.Background(), picture);
}

void TestEditPlayer::pictureFilterListsPairs()
{
    const QStringList filters = PictureFilters();
    QCOMPARE(filters.size(), 5);
    QCOMPARE(filters.first(), QStringLiteral("Alle (*.png *.jpg *.jpeg *.bmp)"));
    QCOMPARE(filters.at(1), QStringLiteral("Portable network graphics (AlphaControls) (*.png)"));
}

QTEST_MAIN(TestEditPlayer)
#include "tst_editplayer.moc"
