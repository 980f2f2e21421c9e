#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "record/GameInfo.h"
#include "record/RecordNode.h"

namespace stonewise {

class GameRecord;
class RecordSequence;

// A message for the user: a numbered text, formatted, with the title it is shown under.
struct MailMessage {
    int id = 0;
    std::u16string text;
    int titleId = 53012; // "メール取得"
};

// The settings line of a received text: "【設定】 白,黒,置石,コミ,路数".
struct MailGameSettings {
    std::u16string whiteName;
    std::u16string blackName;
    int handicap = 0;
    float komi = 0.0f;
    int boardSize = 19;
};

// One move line as read: the number as sent (0 for a handicap-stone "SB" line), the point
// (0-based) or a pass, the comment with its continuations, and the line for messages.
struct MailMoveLine {
    int number = 0;
    bool handicapStone = false;
    bool pass = false;
    int x = 0;
    int y = 0;
    std::u16string comment;
    std::u16string line;
};

// What a mail text says, before it is applied to a game.
struct ParsedMail {
    bool headingFound = false;
    std::u16string gameName;
    std::optional<MailGameSettings> settings;
    SequenceKind study = kMainRecord; // kBranch or kReference for a study sequence
    int studyAt = 0;                  // the number after the branch heading, as sent
    std::vector<MailMoveLine> moves;  // the lines read before any fault
    std::optional<MailMessage> fault; // the line that stopped the reading, after `moves`
};

// How the text is read.
struct MailReadOptions {
    std::u16string titlePattern;   // "メール碁のタイトル識別"; empty: only the two headings
    bool japaneseInterface = true; // "第" before a move number is skipped
};

// Whether the text is SGF: "(" then, after blanks or tabs, ";".
bool isSgfText(std::u16string_view text);
// Whether some line of the text is a game heading (the clipboard watch's test).
bool holdsGameHeading(std::u16string_view text, const MailReadOptions& options);

// Reads a mail text: the first game heading (quote marks "> " before it are taken off the heading
// and the lines after it), the settings line, a branch or reference heading and the move lines.
// Tolerates CR LF, CR or LF, blanks and tabs, full-width spaces, blank lines and a signature: once
// a move line was read, a line that does not begin with a move number ends the reading quietly.
// A faulty line stops the reading with its message; the lines before it are kept.
ParsedMail parseMailText(std::u16string_view text, const MailReadOptions& options);

// Where the text came from.
enum class MailSource { Command, Watch, Cloud };

// What applying a text did, for the window to show.
struct MailApplyResult {
    int newMoves = 0;                  // moves appended
    int commentsUpdated = 0;           // existing moves whose comment was replaced
    RecordSequence* branch = nullptr;  // the received study sequence, entered by the window
    int lastMoveRead = 0;              // record numbering
    bool opponentsText = true;         // false: the cloud's next move was the user's own
    std::vector<MailMessage> messages; // in the order to show; a fault first
    std::vector<int> statusTexts;      // status-line texts in order ("検討手順を受取", ...)
    bool taken() const { return newMoves > 0 || commentsUpdated > 0 || branch != nullptr; }
};

// Applies the move lines to a game: appends new moves (elapsed time since the waiting time, which
// becomes `nowUtc`), checks moves already in the record, places received handicap stones, adds a
// study sequence as a branch or reference at its move, and updates the Mail Go fields of `info`.
// A point off the board, on an occupied point or otherwise illegal never reaches the record.
MailApplyResult applyMail(const ParsedMail& mail, GameRecord& record, GameInfo& info, bool userIsBlack,
                          MailSource source, const GameTime& nowUtc);

// Seconds from `from` to `to`; 0 when `from` is unset or after `to`.
long secondsBetween(const GameTime& from, const GameTime& to);

} // namespace stonewise
