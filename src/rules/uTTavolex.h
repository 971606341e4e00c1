// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <array>
#include <optional>

// Row indexes of a score column; the number is the key everywhere
// (rule values, board rows, statistics, report).
namespace Row {
inline constexpr int Header = 0;
inline constexpr int Ones = 1;
inline constexpr int Sixes = 6;
inline constexpr int UpperPoints = 8;   // rule value: bonus threshold
inline constexpr int UpperBonus = 9;    // rule value: bonus
inline constexpr int UpperTotal = 10;
inline constexpr int ThreeOfAKind = 12;
inline constexpr int FourOfAKind = 13;
inline constexpr int FullHouse = 14;
inline constexpr int SmallStraight = 15;
inline constexpr int LargeStraight = 16;
inline constexpr int Quintor = 17;
inline constexpr int Chance = 18;
inline constexpr int LowerTotal = 20;
inline constexpr int UpperCopy = 21;
inline constexpr int GrandTotal = 23;
inline constexpr int FurtherQuintor = 24;  // carrier of a rule value only
inline constexpr int StruckField = 25;     // carrier of a rule value only
inline constexpr int Count = 26;
}  // namespace Row

// The defaults every caller passes to RuleValue for a row; one place so that
// all callers agree.
[[nodiscard]] int DefaultRuleValue(int row) noexcept;

// The configurable rules of a game. Setters check nothing.
class TTavolexSettings {
public:
    [[nodiscard]] bool MultTavolex() const noexcept { return m_MultTavolex; }
    [[nodiscard]] int DiceCount() const noexcept { return m_DiceCount; }
    [[nodiscard]] const QString &Description() const noexcept { return m_Description; }
    [[nodiscard]] const QString &ExtOptions() const noexcept { return m_ExtOptions; }
    [[nodiscard]] bool ShowHint() const noexcept { return m_ShowHint; }
    [[nodiscard]] bool AllowRedo() const noexcept { return m_AllowRedo; }
    [[nodiscard]] int GameCount() const noexcept { return m_GameCount; }
    [[nodiscard]] const QString &DesignName() const noexcept { return m_DesignName; }

    void SetMultTavolex(bool v) noexcept { m_MultTavolex = v; }
    void SetDiceCount(int v) noexcept { m_DiceCount = v; }
    void SetDescription(const QString &v) { m_Description = v; }
    void SetExtOptions(const QString &v);
    void SetShowHint(bool v) noexcept { m_ShowHint = v; }
    void SetAllowRedo(bool v) noexcept { m_AllowRedo = v; }
    void SetGameCount(int v) noexcept { m_GameCount = v; }
    void SetDesignName(const QString &v) { m_DesignName = v; }

    // The integer stored for `row` in ExtOptions, or `def` when the entry is
    // missing, lacks its terminating comma or is no number.
    [[nodiscard]] int RuleValue(int row, int def) const;
    // RuleValue with the one default all callers use for that row.
    [[nodiscard]] int RuleValue(int row) const { return RuleValue(row, DefaultRuleValue(row)); }

    // Reads the rule set (missing keys give their defaults). `error` receives
    // the file name when the signature does not match, and is left alone
    // otherwise. A missing file is written with the values read.
    void LoadFromFile(const QString &fileName, const QString &section, QString &error);
    // Writes the rule set and signs the file. Throws EWriteError.
    void SaveToFile(const QString &fileName, const QString &section) const;

    // GameCount 1..4 and DiceCount 1..6, as the game needs them; a hand-edited
    // file may hold anything.
    void ClampForPlay() noexcept;

    static const QString DefaultExtOptions;  // "08|63,09|35,14|25,..."

    // The lookup on a plain value list; RuleValue answers from a cache of it.
    [[nodiscard]] static int ParseRuleValue(const QString &extOptions, int row, int def);

private:
    bool m_MultTavolex = false;
    int m_DiceCount = 0;
    QString m_Description;
    QString m_ExtOptions;
    bool m_ShowHint = false;
    bool m_AllowRedo = false;
    int m_GameCount = 0;
    QString m_DesignName;
    std::array<std::optional<int>, Row::Count> m_RuleCache{};
};

// One row of a score column.
struct TTavolexType {
    bool Struck = false;
    int Value = -1;       // entered points, -1 while open
    int MoveValue = 0;    // what the current throw would give here
    QString Caption;
    int FaceCount = 0;
    bool Selectable = true;
    bool Joker = false;   // MoveValue comes from a further five of a kind
    bool Filled = false;  // an entry or strike was made; tells a -1 entry from an open field
};

// One column of the score sheet. Does not own its rule set.
class TTavolex {
public:
    explicit TTavolex(const TTavolexSettings *settings = nullptr);

    [[nodiscard]] int BonusHits() const noexcept { return m_BonusHits; }
    [[nodiscard]] int QuintorCount() const noexcept { return m_QuintorCount; }
    void SetQuintorCount(int v) noexcept { m_QuintorCount = v; }

    [[nodiscard]] const TTavolexType &Rows(int index) const { return m_Rows.at(static_cast<std::size_t>(index)); }
    [[nodiscard]] TTavolexType &Rows(int index) { return m_Rows.at(static_cast<std::size_t>(index)); }

    [[nodiscard]] const TTavolexSettings *Settings() const noexcept { return m_Settings; }
    void SetSettings(const TTavolexSettings *settings) noexcept { m_Settings = settings; }

    // A selectable field (1-6, 12-18) that has neither entry nor strike.
    [[nodiscard]] bool IsOpen(int row) const
    {
        const TTavolexType &r = Rows(row);
        return r.Selectable && row != Row::Header && r.Value == -1 && !r.Filled;
    }
    // What the records (statistics, report) show for `row`: its value, -1
    // included, or 0 where the row holds none (an open field, a sum not yet
    // computed, a row without a value of its own).
    [[nodiscard]] int RecordedValue(int row) const
    {
        const TTavolexType &r = Rows(row);
        return r.Value == -1 && !r.Filled ? 0 : r.Value;
    }
    // Enters `value` (entry or strike); the field counts as filled from now on.
    void Enter(int row, int value);
    // Take-back: the field is open again. Struck stays as it was.
    void Reopen(int row);

    void ClearMoveValues();
    // faces: five dice faces 0-5 (-1 = no face); lastIndex is 4.
    void Evaluate(const int *faces, int lastIndex);
    // Recomputes rows 8, 9, 10, 20, 21, 23, which count as filled from then
    // on (a sum of -1 is a value); counts BonusHits.
    void UpdateSums() { UpdateSums(1); }
    // The same as `refreshes` UpdateSums in a row, computed once.
    void UpdateSums(int refreshes);

private:
    [[nodiscard]] int Rule(int row) const;

    int m_BonusHits = 0;
    int m_QuintorCount = 0;
    std::array<TTavolexType, Row::Count> m_Rows;
    const TTavolexSettings *m_Settings = nullptr;
};
