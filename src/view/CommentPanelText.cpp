#include "view/CommentPanelText.h"

#include "record/CommentStore.h"
#include "record/RecordSequence.h"
#include "view/ElapsedTimeText.h"
#include "view/PanelStrings.h"

namespace stonewise {

namespace {

constexpr int kStrWhiteWord = 10002;  // "白"
constexpr int kStrBlackWord = 10003;  // "黒"
constexpr int kStrPassWord = 20605;   // "パス"

std::u16string shownComment(std::u16string_view stored) {
    std::u16string text = withoutBracketTags(stored);
    if (text.size() > static_cast<std::size_t>(kCommentPanelCut)) {
        std::size_t n = kCommentPanelCut;
        if (text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
        text.resize(n);
    }
    return text;
}

} // namespace

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
    std::u16string time;
    if (n.elapsed != 0 && !options.goBookMode) time = elapsedPanelText(n.elapsedSeconds());
    const std::u16string_view comment = s.commentOf(n);
    if (comment.empty() && time.empty()) return {};
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
    return text;
}

} // namespace stonewise
