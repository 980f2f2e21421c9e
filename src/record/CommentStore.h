#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "record/RecordNode.h"

namespace stonewise {

// Where one stored text lives: its owner's move number, its length and its place in the blocks.
struct CommentIndexEntry {
    std::uint16_t moveNumber = 0;
    std::uint16_t length = 0; // characters, without the terminator
    std::uint16_t block = 0;
    std::uint16_t offset = 0; // first character in the block
};

// How backslashes in a text are treated when it is stored.
enum class Backslashes {
    LineBreaks, // each backslash becomes CR, then LF, alternately through the text (the program's own rule)
    Keep,       // the text already carries real line breaks; backslashes stay as they are
};

// The comments and label texts of one sequence: up to 2,048 texts kept zero-terminated in at most
// 16 blocks of 16,384 UTF-16 characters; a text never spans two blocks. Texts are only added; an
// edited comment is stored anew.
class CommentStore {
public:
    static constexpr int kMaxTexts = 2048;
    static constexpr int kMaxBlocks = 16;
    static constexpr int kBlockSize = 16384;

    // Stores a text for the node of the given move; returns its index, or -1 when 2,048 texts exist,
    // the text is longer than a block can hold or all 16 blocks are full.
    int add(std::u16string_view text, int moveNumber, Backslashes rule = Backslashes::LineBreaks);
    // The text of an index; empty for an index that does not exist.
    std::u16string_view text(int index) const;
    // The index entry, or null for an index that does not exist.
    const CommentIndexEntry* entry(int index) const;
    // Changes the move number recorded for a text (when its node is renumbered).
    void setMoveNumber(int index, int moveNumber);

    int count() const { return static_cast<int>(m_entries.size()); }
    int blockCount() const { return m_chars.empty() ? 0 : 1 + static_cast<int>(m_laterBlockStart.size()); }
    int usedInLastBlock() const { return m_used; }
    void clear();

private:
    std::vector<CommentIndexEntry> m_entries;
    // The characters of every block, one block after the other: only what a block holds is kept
    // (a sequence with a few short comments does not hold 32 KB). The first block starts at 0, each
    // later one where the one before it ends.
    std::vector<char16_t> m_chars;
    std::vector<std::uint32_t> m_laterBlockStart;
    int m_used = 0; // characters used in the last block
};

// Turns each backslash into CR and LF alternately ("a\\b" → "a\r\nb").
std::u16string backslashesToLineBreaks(std::u16string_view text);

// The answer kind of a text from its leading tag: "!正解:"/"&G:" correct, "!変化:"/"&V:" variation,
// "!失敗:"/"&F:" failure; kNoAnswer otherwise (a tag without its colon does not count).
AnswerKind answerKindOfText(std::u16string_view text);

// The leading tag written for an answer kind, Japanese or the short English form; empty for none.
std::u16string_view answerTag(AnswerKind kind, bool englishTags);

// The text without its leading answer tag.
std::u16string_view withoutAnswerTag(std::u16string_view text);

// The text as shown to the user: bracketed data tags ('[' followed by '?', '!' or '&', up to the
// next ']') removed.
std::u16string withoutBracketTags(std::u16string_view text);

} // namespace stonewise
