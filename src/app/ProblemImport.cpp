#include "app/ProblemImport.h"

#include <algorithm>
#include <cctype>

#include "app/ProblemMode.h"
#include "book/ProblemCategory.h"
#include "formats/GameFileLoader.h"
#include "record/CommentStore.h"
#include "record/Text.h"
#include "store/GameStore.h"

namespace stonewise {

namespace {

bool startsWithWord(std::u16string_view text, std::u16string_view word) {
    if (text.size() < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char16_t c = text[i] < 128 ? static_cast<char16_t>(std::tolower(static_cast<int>(text[i]))) : text[i];
        if (c != word[i]) return false;
    }
    return true;
}

// The outcome a line's closing comment states; kNoAnswer when it says none.
AnswerKind statedOutcome(std::u16string_view comment) {
    if (const AnswerKind tagged = answerKindOfText(comment); tagged != kNoAnswer) return tagged;
    const std::size_t first = comment.find_first_not_of(u" \t\r\n\u3000");
    if (first == std::u16string_view::npos) return kNoAnswer;
    comment.remove_prefix(first);
    for (std::u16string_view w : {u"wrong", u"incorrect", u"failure", u"fail", u"失敗", u"不正解"})
        if (startsWithWord(comment, w)) return kFailure;
    for (std::u16string_view w : {u"correct", u"also correct", u"正解"})
        if (startsWithWord(comment, w)) return kCorrect;
    return kNoAnswer;
}

struct LineEnd {
    RecordSequence* sequence;
    int index;
    AnswerKind stated;
};

void collectLineEnds(RecordSequence& s, std::vector<LineEnd>& ends) {
    int last = -1;
    for (int i = 0; i < s.nodeCount(); ++i)
        if (s.node(i).isMove()) last = i;
    if (last >= 0) ends.push_back({&s, last, statedOutcome(s.commentOf(s.node(last)))});
    for (int slot = 1; slot <= s.highestChildSlot(); ++slot)
        if (RecordSequence* c = s.child(slot)) collectLineEnds(*c, ends);
}

} // namespace

AnswerLineCount tagAnswerLines(RecordSequence& main) {
    std::vector<LineEnd> ends;
    collectLineEnds(main, ends);
    const bool marksCorrect =
        std::any_of(ends.begin(), ends.end(), [](const LineEnd& e) { return e.stated == kCorrect; });
    AnswerLineCount count;
    for (const LineEnd& e : ends) {
        const AnswerKind kind = e.stated != kNoAnswer ? e.stated : marksCorrect ? kFailure : kNoAnswer;
        if (kind == kCorrect) ++count.correct;
        else if (kind == kFailure) ++count.failure;
        else ++count.untagged;
        const std::u16string_view comment = e.sequence->commentOf(e.sequence->node(e.index));
        if (kind == kNoAnswer || answerKindOfText(comment) != kNoAnswer) continue;
        std::u16string tagged(answerTag(kind, false));
        tagged.append(comment);
        e.sequence->setComment(e.index, tagged, Backslashes::Keep);
    }
    return count;
}

void makeProblem(RecordSequence& main, GameInfo& info) {
    tagAnswerLines(main);
    if (!isProblem(info)) info.startFlags = static_cast<std::uint8_t>((info.startFlags & 0x8F) | kLifeAndDeath);
}

ProblemImportResult importProblemFile(GameStore& store, int group, const std::string& path,
                                      const LoadSettings& settings, StoreMessages& messages) {
    ProblemImportResult result;
    LoadRequest request;
    request.mode = LoadMode::NewGame;
    std::u16string stem = fromUtf8(path.substr(path.find_last_of('/') + 1));
    if (const std::size_t dot = stem.rfind(u'.'); dot != std::u16string::npos) stem.resize(dot);
    int position = 0;
    loadEveryGameOfFile(path, request, settings, [&](LoadedGame& game) {
        ++position;
        if (!game.ok || !game.main) {
            ++result.failed;
            return;
        }
        GameInfo info = game.info;
        makeProblem(*game.main, info);
        if (info.name.empty()) {
            info.name = stem;
            if (game.gamesInFile > 1) info.name.append(u" ").append(fromUtf8(std::to_string(position)));
        }
        const std::optional<int> number = store.newGameNumber(group, messages);
        if (!number) {
            ++result.failed;
            return;
        }
        info.number = *number;
        if (!store.writeGame(group, *number, *game.main, &info, messages) ||
            !store.gameList(group, messages).put(info)) {
            ++result.failed;
            return;
        }
        ++result.imported;
    });
    if (result.imported > 0 && !store.saveGameList(group, messages)) result.failed += result.imported;
    return result;
}

} // namespace stonewise
