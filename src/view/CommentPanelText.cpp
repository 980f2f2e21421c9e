#include "view/CommentPanelText.h"

#include "record/CommentStore.h"
#include "record/RecordSequence.h"
#include "view/ElapsedTimeText.h"
#include "view/PanelStrings.h"

namespace stonewise {

namespace {

constexpr int kStrWhiteWord = 10002; // "白"
constexpr int kStrBlackWord = 10003; // "黒"
constexpr int kStrPassWord = 20605;  // "パス"

std::u16string shownComment(std::u16string_view stored) {
    std::u16string text = withoutBracketTags(stored);
    if (text.size() > static_cast<std::size_t>(kCommentPanelCut)) {
        std::size_t n = kCommentPanelCut;
        if (text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
        text.resize(n);
    }
    return text;
}

// The comments of the marks and notes that stand with the node at `nodeIndex` (its move number,
// after it), each on lines of its own.
std::u16string markComments(const RecordSequence& s, int nodeIndex) {
    std::u16string out;
    const int move = s.node(nodeIndex).moveNumber;
    for (int j = nodeIndex + 1; j < s.nodeCount() && s.node(j).moveNumber == move; ++j) {
        const RecordNode& m = s.node(j);
        if (!m.isMark() || m.isLabel()) continue;
        const std::u16string_view comment = s.commentOf(m);
        if (!comment.empty()) out.append(u"\r\n").append(shownComment(comment));
    }
    return out;
}

} // namespace

std::u16string startCommentPanelText(const RecordSequence& main) {
    if (!main.isValid()) return {};
    std::u16string out;
    for (const RecordNode& n : main.nodes()) {
        if (n.isMoveOrPass() && !(main.handicapCount() >= 2 && n.moveNumber == 1)) break;
        if (!n.isNote()) continue;
        if (!out.empty()) out.append(u"\r\n");
        out.append(shownComment(main.commentOf(n)));
    }
    return out;
}

std::u16string commentPanelText(const RecordSequence& s, int nodeIndex, const CommentPanelOptions& options) {
    if (!s.isValid() || nodeIndex < 0 || nodeIndex >= s.nodeCount()) return {};
    const RecordNode& n = s.node(nodeIndex);
    if (n.isLink()) {
        const RecordSequence* child = s.child(n.childSlot);
        const bool reference = child ? child->kind() == kReference : n.linkKind() == kReference;
        std::u16string text = panelText(options.strings, reference ? kStrReferenceNode : kStrBranchNode);
        // The branch's comment is its first move's; the link's comment index names a text of the
        // child's own store.
        std::u16string_view comment;
        if (child && child != &s && child->isValid()) {
            for (const RecordNode& first : child->nodes())
                if (first.isMoveOrPass()) {
                    comment = child->commentOf(first);
                    break;
                }
            if (comment.empty()) comment = child->comments().text(n.comment);
        }
        if (!comment.empty()) text += u"\r\n" + shownComment(comment);
        return text;
    }
    if (n.isNote()) return shownComment(s.commentOf(n));
    std::u16string time;
    if (n.elapsed != 0 && !options.goBookMode) time = elapsedPanelText(n.elapsedSeconds());
    const std::u16string_view comment = s.commentOf(n);
    // A move shows the comments of its marks with its own.
    std::u16string marks = n.isMoveOrPass() ? markComments(s, nodeIndex) : std::u16string();
    if (comment.empty() && time.empty()) return marks.empty() ? std::u16string() : marks.substr(2);
    std::u16string word;
    switch (n.type) {
    case NodeType::BlackMove: word = panelText(options.strings, kStrBlackWord); break;
    case NodeType::WhiteMove: word = panelText(options.strings, kStrWhiteWord); break;
    case NodeType::Pass: word = panelText(options.strings, kStrPassWord); break;
    default: word = u"?"; break;
    }
    std::u16string text =
        panelText(options.strings, kStrCommentHeading, {word, n.moveNumber + options.numberOffset, time});
    if (!comment.empty()) text += shownComment(comment);
    return text + marks;
}

} // namespace stonewise
