// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPixmap>
#include <QString>

#include <array>

class QFrame;
class QLabel;
class QTimer;
class QWidget;
class TTurnEngine;

// The score board: row captions, one panel per score column and, with
// several columns per player, a stack of player panels. Displays the turn
// engine's state and forwards clicks; it holds no rules of its own.
// Controls carry the names the game finds them by ("DynScoreSubPanelField"
// + column + row and so on).
class TScoreBoard : public QObject {
    Q_OBJECT

public:
    // info: the caption column (PanelScoreboardInfo), scores: the score
    // columns (PanelScores), window: the parent of the player panels.
    TScoreBoard(const TTurnEngine &engine, QWidget *info, QWidget *scores, QWidget *window,
                QObject *parent = nullptr);

    static constexpr int BoardRows = 24;  // rows 0-23; 24 and 25 are not shown

    void BuildBoard();
    // Sizes every run-time panel: row height, column width; places player panels
    // below `top` (the top of PanelScoreboard).
    void Layout(int rowHeight, int columnWidth, int top);

    void ClearShownValues();
    void ShowMoveValues();
    void ShowFieldValue(int column, int row);
    void MarkFieldPending(int column, int row);
    void ReopenField(int column, int row);
    void ShowSums(int player);
    void HighlightCurrentPlayer(int markedPlayer);
    void ShowGiveUpIcon();
    void RemovePlayer(int player);
    void ShowPlayerColumns(int player);
    void ShowInfoMarker(int player);
    void StartBlink();
    void StopBlink();
    void SetVisible(bool visible);
    // The keyboard's focus frame around the field (column, row), drawn over
    // its visible part; clicks pass through to the field. A position without
    // a field hides it.
    void ShowFocusFrame(int column, int row);
    void HideFocusFrame();
    // Null until first shown.
    [[nodiscard]] QFrame *FocusFrame() const noexcept { return m_FocusFrame; }

    // Board columns shown: one per player, or GameCount.
    [[nodiscard]] int ColumnCount() const;
    [[nodiscard]] QLabel *Field(int column, int row) const;
    [[nodiscard]] int ShownPlayer() const noexcept { return m_ShownPlayer; }

    static const QColor Silver;
    static const QColor LightYellow;
    static const QColor Orange;

signals:
    void FieldClicked(int column, int row);
    void PlayerClicked(int player);
    void GiveUpClicked(int player);

private slots:
    void TimerBlinkTimer();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The top strip's sheet: silver, black name indented past the marker
    // pictures (one, or two while "Nur zur Info" sits in it).
    void StyleTopStrip(int player, bool withInfoMarker);
    [[nodiscard]] bool MultiColumn() const;
    [[nodiscard]] static bool IsFieldRow(int row);
    [[nodiscard]] static bool IsSumRow(int row);
    [[nodiscard]] static bool IsLineRow(int row);
    void BuildCaptionRow(int row);
    void BuildScoreColumn(int column);
    void BuildPlayerPanel(int player);
    QLabel *MakeGiveUpIcon(int player, QWidget *parent, int width);
    // One field's look: text, background, text colour, bold.
    void Paint(QLabel *field, const QString &text, const QColor &background, const QColor &textColour,
               bool bold);
    // The value the field of the current player's column holds, as board text.
    void LoadField(int column, int row, int player, const QColor &background, bool enabled);
    void WriteSums(int column, int player, int k);
    void PlaceFocusFrame();

    const TTurnEngine &m_Engine;
    QWidget *m_Info;
    QWidget *m_Scores;
    QWidget *m_Window;
    QList<QFrame *> m_CaptionRows;
    QList<QFrame *> m_ScorePanels;            // "DynScorePanel" + k
    QList<QList<QFrame *>> m_SubPanels;       // [k][row]
    QList<QList<QLabel *>> m_Fields;          // [k][row], null for lines
    QList<QLabel *> m_Headers;                // "DynLabelTop" + k
    QList<QFrame *> m_PlayerPanels;           // "PanelPlayer" + i
    QList<QLabel *> m_PlayerTops;             // "PanelPlayerT" + i
    QList<QLabel *> m_PlayerBottoms;          // "PanelPlayerB" + i
    QList<QLabel *> m_Markers;                // "DynImage" + i
    QList<QLabel *> m_GiveUpIcons;            // "DynImageDelete" + i
    QLabel *m_InfoMarker = nullptr;           // "Nur zur Info"
    QFrame *m_FocusFrame = nullptr;
    int m_FocusColumn = -1;
    int m_FocusRow = -1;
    QTimer *m_TimerBlink = nullptr;
    int m_ShownPlayer = 0;
    int m_MarkedPlayer = 0;
    int m_Top = 0;
    QPixmap m_CurrentPlayerPicture;
    QPixmap m_QuestionPicture;
};
