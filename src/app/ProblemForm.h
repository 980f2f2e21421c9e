#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/ProblemTexts.h"
#include "record/GameInfo.h"
#include "record/RecordNode.h"

namespace stonewise {

class StringTable;

// What the creation dialog keeps from one use to the next: board size, category and answering side
// (at first 19 lines, life and death, Black).
struct ProblemFormMemory {
    bool board13 = false;
    std::uint32_t category = 16;
    Colour side = kBlack;
};

// The dialog "問題の作成": board size, category, answering side, name (a prefix chosen by category
// and side until the user types one), description and initial display move. Editing an existing
// problem takes its values and reads "OK" instead of "作成開始".
class ProblemForm {
public:
    static constexpr std::size_t kMaxName = 100;

    ProblemForm(const StringTable& strings, const ProblemFormMemory& memory);
    // The form of an existing problem.
    ProblemForm(const StringTable& strings, const GameInfo& existing, Colour side);

    bool board13() const { return m_board13; }
    void setBoard13(bool on) { m_board13 = on; }
    std::uint32_t category() const { return m_category; }
    void setCategory(std::uint32_t category);
    Colour side() const { return m_side; }
    void setSide(Colour side);
    const std::u16string& name() const { return m_name; }
    // The user typed in the name field: the prefix no longer follows the choices.
    void typeName(std::u16string name);
    // What "名前参照..." ("棋譜参照..." for fuseki) offers: the names of the group's games.
    void setReferenceNames(std::vector<std::u16string> names) { m_references = std::move(names); }
    const std::vector<std::u16string>& referenceNames() const { return m_references; }
    // A name chosen from the reference list.
    void chooseName(std::u16string name) { typeName(std::move(name)); }
    const std::u16string& description() const { return m_description; }
    void setDescription(std::u16string text) { m_description = std::move(text); }
    int initialMove() const { return m_initialMove; }
    void setInitialMove(int move) { m_initialMove = move < 0 ? 0 : move; }
    bool editing() const { return m_editing; }

    // Texts of the dialog by control id (the title under 0), as they read now.
    std::u16string text(int control) const;
    // The id of the radio button checked in each group.
    int boardControl() const { return m_board13 ? kCtlCreateBoard13 : kCtlCreateBoard19; }
    int categoryControl() const;
    int sideControl() const { return m_side == kWhite ? kCtlCreateWhite : kCtlCreateBlack; }
    // A radio button of the dialog was chosen.
    void choose(int control);

    // The message that refuses "作成開始"/"OK" (an empty name), or nothing.
    std::optional<std::u16string> refusal() const;
    // The header the values make: name (at most 100 characters), board, category in the start
    // flags, the description as the game comment, the initial display move.
    GameInfo header(const GameInfo& base = GameInfo{}) const;
    // Remembers board size, category and side for the next dialog.
    void remember(ProblemFormMemory& memory) const;

private:
    std::u16string prefix() const;

    const StringTable& m_strings;
    bool m_board13 = false;
    std::uint32_t m_category = 16;
    Colour m_side = kBlack;
    std::u16string m_name;
    bool m_nameTyped = false;
    std::u16string m_description;
    int m_initialMove = 0;
    bool m_editing = false;
    std::vector<std::u16string> m_references;
};

} // namespace stonewise
