#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "mailgo/MailTextFormat.h"

namespace stonewise {

struct GameInfo;
class RecordSequence;

// Which text is sent: the moves since the last exchange, or the study sequence being shown.
enum class MailPurpose { NextMove, StudySequence };

// The Mail Go settings the composer reads.
struct MailSettings {
    int maximumMoves = 20;         // "送信する手数の最大数"
    int bodyStyle = 0;             // 0 none, 1 the paste guide, 2 game name and short moves in the body
    bool withholdComments = false; // "棋譜のコメントは送信しない" (next moves only)
    bool nameInSubject = false;
    std::u16string titlePattern; // "メール碁のタイトル識別"
};

// Everything one composition needs; the window resolves members and settings.
struct MailComposeRequest {
    MailPurpose purpose = MailPurpose::NextMove;
    MailSettings settings;
    std::u16string whiteName; // the two players' names for the settings line
    std::u16string blackName;
    bool japaneseInterface = true;
    bool forCloud = false;
    bool plainText = false; // "\n" line ends whatever the body style (the clipboard copy)
    int lastMove = -1;      // the last move to send; -1: the record's last move
};

// A composed mail text. In body mode the text is already percent-encoded, lines joined by
// "%0d%0a", ready to become the body of a mailto link.
struct MailText {
    std::u16string text;
    bool bodyMode = false;
    int firstMove = 0; // record numbering; 0 when no move line was written
    int lastMove = 0;
    int moveLines = 0;
};

// The number style of a game's mail: Japanese when the interface is Japanese and the game is not
// played by English mail.
NumberStyle mailNumberStyle(const GameInfo& info, bool japaneseInterface);

// Whether a next-move text goes into the mail body itself (body style 2, at most 20 moves, never
// for the cloud).
bool usesBodyMode(const MailSettings& settings, MailPurpose purpose, bool forCloud);

// Composes the next-move text from the main record, or the study-sequence text of `study` (the
// innermost branch of the path). Stops adding moves when the buffer of 100 characters per move
// (for the larger of the maximum, the study sequence's nodes and 20) runs out.
MailText composeMailText(const GameInfo& info, const RecordSequence& main, const RecordSequence* study,
                         const MailComposeRequest& request);

// The move lines of one node's comment after the move line's own part: the move line's part is
// `head`, the rest lines follow in `rest` (each ending with "\" or "\r" where it continues).
struct SplitComment {
    std::u16string head;
    std::vector<std::u16string> rest;
};
// Splits a comment: whole on the move line up to 32 characters without a line break; otherwise the
// first 32 characters with "\" or the characters up to the first break with "\r", the rest at 48
// characters a line. In body mode the rest is left out and the head carries no continuation mark.
SplitComment splitMailComment(std::u16string_view comment, bool bodyMode);

// --- the checks before sending the next move ---

// What a send is based on.
struct SendCheckInput {
    bool plainText = false; // plain text only: no checks
    bool forCloud = false;
    bool haveOpponent = true;
    bool userIsBlack = true;
    int lastMove = 0;          // the record's last move number
    int ownMoveMark = 0;       // GameInfo::ownMoveMark
    int lastExchangedMove = 0; // GameInfo::lastExchangedMove
    int handicap = 0;          // GameInfo::handicap
};

// One Yes/No question; No stops the send, Yes goes on with the next one.
struct SendQuestion {
    int textId = 0;
    std::u16string text;
    int titleId = 0;
    std::u16string title;
    bool yesSendsMoveBefore = false; // Yes sends up to the move before the last
};

// The decision: a refusal with its message, or the questions to ask in order and, when each is
// answered Yes, what is sent and how the game changes.
struct SendDecision {
    bool refused = false;
    int messageId = 0;
    std::u16string message;
    std::vector<SendQuestion> questions;
    int lastMoveToSend = 0;
    bool repeat = false;    // a repeat send: the count of unsent games stays
    int newOwnMoveMark = 0; // the record's last move, also when one move less is sent
};

SendDecision decideSend(const SendCheckInput& input);

// --- delivery ---

// The subject: "次の一手" or "検討手順", the game comment when there is one, with the name flag
// "%sの%s" with the user's name up to its first blank.
std::u16string mailSubject(MailPurpose purpose, std::u16string_view gameComment, bool nameInSubject,
                           std::u16string_view userName);
// The body of the mail link: the body-mode text, the paste guide, or empty.
std::u16string mailBody(MailPurpose purpose, const MailSettings& settings, const MailText& bodyModeText);
// "mailto:%s?Subject=%s&body=%s": subject and body percent-encoded as UTF-8; a body-mode body is
// taken as written.
std::string mailtoUrl(std::u16string_view address, std::u16string_view subject, std::u16string_view body,
                      bool bodyMode);
// Percent-encodes UTF-8 bytes of a text (letters, digits and "-._~" stay).
std::string percentEncode(std::u16string_view text);

} // namespace stonewise
