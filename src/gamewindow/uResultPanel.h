// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFrame>
#include <QString>

#include <array>

class QLabel;
class QPushButton;

// The award ceremony's panel: title with clovers, one panel per place and the
// four buttons. Hidden until the ceremony shows it; the window connects the
// buttons.
class TResultPanel : public QFrame {
    Q_OBJECT

public:
    static constexpr int Places = 4;

    explicit TResultPanel(QWidget *parent);

    // 1 <= rank <= Places.
    void ShowWinnerPanel(int rank);
    // Adds one player to the panel of `rank`: the label text, and when the
    // file `dicePicture` can be read, that die on both sides (keyed by its
    // top left pixel).
    void ShowWinner(int rank, int points, const QString &name, const QString &dicePicture);
    // The text of the place's label as the ceremony built it ("." while empty).
    [[nodiscard]] QString WinnerText(int rank) const;
    [[nodiscard]] QFrame *WinnerPanel(int rank) const;

    [[nodiscard]] QPushButton *ButtonReplay() const noexcept { return m_ButtonReplay; }
    [[nodiscard]] QPushButton *ButtonPrint() const noexcept { return m_ButtonPrint; }
    [[nodiscard]] QPushButton *ButtonQuit() const noexcept { return m_ButtonQuit; }
    [[nodiscard]] QPushButton *ButtonMainMenue() const noexcept { return m_ButtonMainMenue; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void CreateTop();
    void CreateWinnerPanels();
    void CreateBottom();
    [[nodiscard]] QPushButton *AddButton(const QString &name, const QString &caption, int width);
    void PlaceButtons();
    [[nodiscard]] static std::size_t Slot(int rank);

    QFrame *m_PanelResultTop = nullptr;
    QLabel *m_LabelResultTop = nullptr;
    std::array<QFrame *, Places> m_WinnerPanels{};
    std::array<QLabel *, Places> m_WinnerLabels{};
    std::array<QString, Places> m_WinnerTexts;
    std::array<int, Places> m_LeftPictures{};  // pictures already placed at the left edge
    QFrame *m_PanelResultBottom = nullptr;
    QPushButton *m_ButtonReplay = nullptr;
    QPushButton *m_ButtonPrint = nullptr;
    QPushButton *m_ButtonQuit = nullptr;
    QPushButton *m_ButtonMainMenue = nullptr;
};
