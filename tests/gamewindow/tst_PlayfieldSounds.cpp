// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uDesigns.h"
#include "gamewindow/uDrawSurface.h"
#include "gamewindow/uPlayfield.h"
#include "gamewindow/uSoundCatalogue.h"
#include "play/faketurnhost.h"
#include "play/uRandom.h"
#include "play/uTTurnEngine.h"
#include "storage/uTMainApplication.h"

#include <QRegularExpression>
#include <QTest>

#include <memory>

namespace {

// Every catalogue name is loaded; nothing plays for longer than the call,
// so a shake or roll waiting for its sample ends at the next frame.
class TRecordingSoundLayer final : public ISoundLayer {
public:
    explicit TRecordingSoundLayer(QStringList &played) : m_Played(played) {}

    bool IsOpen() const override { return true; }
    int Add(const QString &, const QString &) override { return -1; }
    int Count() const override { return static_cast<int>(m_Names.size()); }
    QString Name(int index) const override { return m_Names.value(index); }
    int IndexOf(const QString &name) const override { return m_Names.indexOf(QRegularExpression(QRegularExpression::escape(name), QRegularExpression::CaseInsensitiveOption)); }
    int LengthMs(int) const override { return 0; }
    void Play(int index, bool wait) override { m_Played << Name(index) + (wait ? QStringLiteral(" (to its end)") : QString()); }
    void Stop(int) override {}
    void StopAll() override {}
    bool Playing(int) const override { return false; }

private:
    QStringList m_Names = TSoundCatalogue::Names();
    QStringList &m_Played;
};

constexpr int SurfaceWidth = 400;
constexpr int SurfaceHeight = 300;

// Hands the engine's cup and die commands on to the playfield, as the game
// window does.
struct TPlayfieldHost : FakeTurnHost {
    TPlayfield *Playfield = nullptr;
    void CupThrowing() override
    {
        FakeTurnHost::CupThrowing();
        Playfield->CupThrowing();
    }
    void DieClicked(int die) override
    {
        FakeTurnHost::DieClicked(die);
        Playfield->DieClicked();
    }
};

struct TPlayfieldRig {
    QStringList Played;
    TPlayfieldHost Host;
    TMainApplication Settings;
    TDrawSurface Surface;
    TDesigns Designs;
    TSoundCatalogue Sounds{Settings, std::make_unique<TRecordingSoundLayer>(Played)};
    std::unique_ptr<TTurnEngine> Engine;
    std::unique_ptr<TPlayfield> Playfield;

    explicit TPlayfieldRig(int animateCup)
    {
        Settings.SetSound(0);
        Settings.SetAnimateCup(animateCup);
        Surface.resize(SurfaceWidth, SurfaceHeight);
        QList<TPlayer> players(2);
        players[0].SetName(QStringLiteral("Anna"));
        players[1].SetName(QStringLiteral("Bert"));
        TTavolexSettings rules;
        rules.SetGameCount(2);  // several columns: another player's sheet can be viewed
        rules.SetDiceCount(3);
        Engine = std::make_unique<TTurnEngine>(Host, rules, players, SurfaceWidth, SurfaceHeight);
        Engine->StartGame();
        Playfield = std::make_unique<TPlayfield>(*Engine, Surface, Designs, Sounds, Settings);
        Host.Playfield = Playfield.get();
    }

    void ClickCupBand(bool left = true) { Playfield->MouseDown(left, 20, SurfaceHeight - 10); }

    // A throw to its end, with the samples it played forgotten. Without
    // sound the dice roll their whole paths and lie apart.
    void ThrowToRest()
    {
        const int sound = Settings.Sound();
        Settings.SetSound(1);
        ClickCupBand();
        for (int i = 0; i < 100 && Engine->Phase() != TurnPhase::Lying; ++i)
            Playfield->DXTimerMainTimer();
        QCOMPARE(Engine->Phase(), TurnPhase::Lying);
        Playfield->DXTimerMainTimer();
        Settings.SetSound(sound);
        Played.clear();
    }

    void ClickDie(int die, bool left = true)
    {
        const TDice &d = Engine->Dice()[static_cast<std::size_t>(die)];
        Playfield->MouseDown(left, d.X(), d.Y());
    }
};

enum class Before { TurnStart, DiceLying, AllHeld, Rolling, ViewingOther, LastThrowUsed };
enum class Click { LyingDie, CupBand, Right };

}  // namespace

Q_DECLARE_METATYPE(Before)
Q_DECLARE_METATYPE(Click)

class TestPlayfieldSounds : public QObject {
    Q_OBJECT
private slots:
    void init() { RandSeed(5); }
    void clicksPlayTheirSamples_data();
    void clicksPlayTheirSamples();
};

void TestPlayfieldSounds::clicksPlayTheirSamples_data()
{
    QTest::addColumn<int>("animateCup");
    QTest::addColumn<Before>("before");
    QTest::addColumn<Click>("click");
    QTest::addColumn<QString>("played");  // the samples, joined by ", ", as a pattern
    QTest::newRow("lying die: KlickDice") << 3 << Before::DiceLying << Click::LyingDie << "KlickDice";
    QTest::newRow("held die released: KlickDice") << 3 << Before::AllHeld << Click::LyingDie << "KlickDice";
    QTest::newRow("cup band, all dice held: silent") << 3 << Before::AllHeld << Click::CupBand << "";
    QTest::newRow("cup band, viewing another player: silent") << 3 << Before::ViewingOther << Click::CupBand << "";
    QTest::newRow("cup band while rolling: False_Game") << 3 << Before::Rolling << Click::CupBand << "False_Game";
    QTest::newRow("cup band, no throw left: False_Game") << 3 << Before::LastThrowUsed << Click::CupBand << "False_Game";
    QTest::newRow("right click before the throw: False_Game") << 3 << Before::TurnStart << Click::Right << "False_Game";
    QTest::newRow("right click on a die: False_Game") << 3 << Before::DiceLying << Click::Right << "False_Game";
    QTest::newRow("no cup animation: roll at once") << 3 << Before::TurnStart << Click::CupBand << "5wk[as]0[1-3]";
    QTest::newRow("first throw: shake, no IN") << 2 << Before::TurnStart << Click::CupBand << "5w(0[1-9]|1[0-2])";
    QTest::newRow("second throw: IN to its end, then shake") << 2 << Before::DiceLying << Click::CupBand
                                                            << "5w[dk]r0[1-3] \\(to its end\\), 5w(0[1-9]|1[0-2])";
}

void TestPlayfieldSounds::clicksPlayTheirSamples()
{
    QFETCH(int, animateCup);
    QFETCH(Before, before);
    QFETCH(Click, click);
    QFETCH(QString, played);
    TPlayfieldRig rig(animateCup);
    switch (before) {
    case Before::TurnStart:
        break;
    case Before::DiceLying:
        rig.ThrowToRest();
        break;
    case Before::AllHeld:
        rig.ThrowToRest();
        for (int die = 0; die < TTurnEngine::DiceInGame; ++die)
            QVERIFY(rig.Engine->ToggleHold(die));
        break;
    case Before::Rolling:
        rig.ClickCupBand();
        rig.Played.clear();
        QCOMPARE(rig.Engine->Phase(), TurnPhase::Rolling);
        break;
    case Before::ViewingOther:
        rig.Engine->ViewPlayer(1);
        QCOMPARE(rig.Engine->Phase(), TurnPhase::Viewing);
        break;
    case Before::LastThrowUsed:
        for (int i = 0; i < rig.Engine->Rules().DiceCount(); ++i)
            rig.ThrowToRest();
        QCOMPARE(rig.Engine->ThrowsLeft(), 0);
        break;
    }
    switch (click) {
    case Click::LyingDie: rig.ClickDie(0); break;
    case Click::CupBand: rig.ClickCupBand(); break;
    case Click::Right: rig.ClickDie(0, false); break;
    }
    const QString joined = rig.Played.join(QStringLiteral(", "));
    QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(played)).match(joined).hasMatch(), qPrintable(joined));
}

QTEST_MAIN(TestPlayfieldSounds)
#include "tst_PlayfieldSounds.moc"
