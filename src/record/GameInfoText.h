#pragma once

#include <span>
#include <string>
#include <string_view>

#include "record/GameInfo.h"

namespace stonewise {

// One entry of a choice list: the stored key and the number of the text shown.
struct ListEntry {
    int key;
    int textId;
    // The text in the interface language.
    std::u16string_view text() const;
};

// Ranks "九段".."初段" (keys 9..1) and "１級".."１８級" (keys -1..-18).
std::span<const ListEntry> rankList();
// The text of a stored rank, or empty when the value is not a rank.
std::u16string_view rankText(int value);

// Handicaps "無し", "自由置碁", "２子".."９子" for 0..9.
std::span<const ListEntry> handicapList();
// "無し", "自由置碁", "２子".."９子", or "自由%d子" above 9.
std::u16string handicapText(int handicap);

// Komi lists with keys of komi × 10: half points ("逆24.5目".."逆0.5目", "無し", "半目", "１.５目".."９.５目")
// or whole points ("逆25目".."逆1目", "無し", "１目".."９目").
std::span<const ListEntry> komiList(bool wholePoints);
// The list index for a stored komi: a whole komi other than 0 selects the half-point entry 0.5 higher,
// a half komi selects the whole-point entry 0.5 lower; a komi outside the list selects "無し".
int komiEntry(float komi, bool wholePoints);
// The text of the entry `komiEntry` selects.
std::u16string_view komiText(float komi, bool wholePoints);

// The text of a decided result: "持碁", "%s時間切れ勝ち", "%s中押し勝ち", "%s%d目勝ち" or "%s%0.1f目勝ち"
// with "黒" or "白"; empty while the game is in play.
std::u16string resultText(const GameInfo& info);

// What follows a Mail Go in-play status line.
enum class MailGoState { None, NotSent, NotMoved, Sent };

// The in-play status line "対局中　最終：%s%3d手（パス）" or "対局中　最終：%s%3d手（%s、%s）". The move number is
// shown plus `numberOffset`; a pass is given as empty labels. Mail Go games add " 未送信", " 未着手" or " 送信済み".
std::u16string inPlayStatusText(int lastMoveNumber, int numberOffset, std::u16string_view columnLabel,
                                std::u16string_view rowLabel, bool pass, MailGoState mail);

// Game list texts: "保護中" / "臨時" / empty for the protection column.
std::u16string_view protectionText(const GameInfo& info);
// "メール対戦", "対局と記録", "外部棋譜" or "棋譜".
std::u16string_view gameTypeText(const GameInfo& info);
// The result text, or without a result "対局中" (Mail Go), "記録中" (play and record) or empty.
std::u16string gameStateText(const GameInfo& info);
// The handicap text for 1 or more stones, else the komi text.
std::u16string handicapColumnText(const GameInfo& info, bool wholePointKomi);
// The date column: the waiting time "%4d/%2d/%2d %d:%02d" while a move waits, else "%4d/%2d/%2d".
std::u16string dateColumnText(const GameInfo& info);

} // namespace stonewise
