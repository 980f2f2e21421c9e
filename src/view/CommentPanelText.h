#pragma once

#include <string>

namespace stonewise {

class RecordSequence;
class StringTable;

// How the comment panel writes a node.
struct CommentPanelOptions {
    bool goBookMode = false;              // a Go book shows no times
    int numberOffset = 0;                 // the handicap offset of move numbers (-1 or 0)
    const StringTable* strings = nullptr; // null: the interface language
};

// A comment longer than this is shown with its first kCommentPanelCut characters.
constexpr int kCommentPanelCut = 1000;

// The comment panel's text for node `nodeIndex` of `sequence`: for a move, pass, mark or other node
// the heading "%s%d手　%s\r\n" (colour word, move number, time as "%2d:%02d:%02d") followed by the
// comment, only the heading when there is a time but no comment, nothing without either; a move
// adds the comments of its marks, each on lines of its own (alone when the move has neither
// comment nor time); a note (a file's comment that had no move) is its text alone; for a link
// "分岐" or "参考手順" followed by the branch's comment. Data tags are removed from comments. Empty
// for an index that does not exist.
std::u16string commentPanelText(const RecordSequence& sequence, int nodeIndex, const CommentPanelOptions& options);

// The comment panel's text before the first move (move 0; in a handicap game also with the
// handicap stones): the notes of the main record that stand before its first move, such as a
// file's root comment or a problem's question. Empty when there are none.
std::u16string startCommentPanelText(const RecordSequence& main);

} // namespace stonewise
