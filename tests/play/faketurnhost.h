#pragma once

#include "play/uTTurnEngine.h"

#include <QList>
#include <QPair>
#include <QStringList>

// Records what the engine asks of the window and answers its prompts from a
// script (accepting when the script has run out).
class FakeTurnHost : public ITurnHost {
public:
    struct Played {
        QString Name;
        bool Wait;
    };

    QList<Played> Sounds;
    QStringList Questions;         // confirmation questions, "" for the dialog's own text
    QStringList GiveUpQuestions;
    QList<bool> Answers;           // next answers to AskConfirmation / AskGiveUp
    QList<int> RemovedPlayers;
    QList<int> Pauses;
    QList<QPair<int, int>> Reopened;
    int MoveValueShows = 0;
    int Ceremonies = 0;
    int ClosedWith = 0;
    int Layouts = 0;
    int CupThrows = 0;        // the window's cup animations (ClickCup)
    QList<int> DieClicks;     // dice whose click sound played (ClickDie)

    [[nodiscard]] QStringList SoundNames() const
    {
        QStringList names;
        for (const Played &p : Sounds)
            names << p.Name;
        return names;
    }
    [[nodiscard]] bool WasPlayedWaiting(const QString &name) const
    {
        for (const Played &p : Sounds)
            if (p.Name == name && p.Wait)
                return true;
        return false;
    }

    void ClearShownValues() override {}
    void ShowMoveValues() override { ++MoveValueShows; }
    void ShowFieldValue(int, int) override {}
    void MarkFieldPending(int, int) override {}
    void ReopenField(int column, int row) override { Reopened << qMakePair(column, row); }
    void ShowSums(int) override {}
    void HighlightCurrentPlayer(int) override {}
    void ShowGiveUpIcon() override {}
    void RemovePlayer(int player) override { RemovedPlayers << player; }
    void ShowPlayerColumns(int) override {}
    void ShowInfoMarker(int) override {}
    void ShowBackgroundOf(int, bool) override {}
    void ThrowsLeftChanged() override {}
    void ResetCup(bool) override {}
    void LayoutChanged() override { ++Layouts; }
    void PlaySound(const QString &name, bool wait) override { Sounds << Played{name, wait}; }
    void StopSound(const QString &) override {}
    void StopAllSounds() override {}
    void PlayThrowSound(const QString &event) override { Sounds << Played{QStringLiteral("<") + event + QStringLiteral(">"), false}; }
    void CupThrowing() override { ++CupThrows; }
    void DieClicked(int die) override { DieClicks << die; }
    bool AskConfirmation(const QString &question) override
    {
        Questions << question;
        return nextAnswer();
    }
    bool AskGiveUp(const QString &text) override
    {
        GiveUpQuestions << text;
        return nextAnswer();
    }
    void Pause(int ms) override { Pauses << ms; }
    void StartCeremony() override { ++Ceremonies; }
    void CloseGame(int modalResult) override { ClosedWith = modalResult; }

private:
    bool nextAnswer() { return Answers.isEmpty() ? true : Answers.takeFirst(); }
};
