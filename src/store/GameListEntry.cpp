#include "store/GameListEntry.h"

#include <optional>
#include <string_view>

namespace stonewise {

namespace {

std::optional<std::u16string_view> textOrNone(const std::u16string& text) {
    if (text.empty()) return std::nullopt;
    return std::u16string_view(text);
}

// Texts of a game file's entry that other programs' files make long: the game comment (a list
// page keeps its first 255 characters) and the root properties of an SGF file that the header keeps
// as they stood (PL, AE, a free-form result or date). Those travel with the game file only, in a
// field of their own that is written only when there are some (a reader that does not know it skips
// it by its length).
constexpr std::size_t kLongTextBuffer = 8192;

} // namespace

void writeGameListEntry(TaggedRecordWriter& w, const GameInfo& g, std::uint8_t index, bool withPlayerNames) {
    const bool rootExtras = withPlayerNames && !g.sgfRootExtras.empty();
    w.element(kMarkElement, index, withPlayerNames ? (rootExtras ? 24 : 23) : 21);
    w.fieldU32(1, {static_cast<std::uint32_t>(g.number)});
    w.fieldText(2, textOrNone(g.name));
    w.fieldU32(3, {static_cast<std::uint32_t>(g.blackPlayer), static_cast<std::uint32_t>(g.whitePlayer)});
    w.fieldHead(kFieldU16, 4, 4);
    w.u8(g.carriedByte1);
    w.u8(g.carriedByte2);
    w.u16(g.carriedWord);
    w.fieldU16(5, {static_cast<std::uint16_t>(g.handicap)});
    w.fieldFloat(6, g.komi);
    w.fieldHead(kFieldBlock, 7, 6);
    w.u16(g.startDate.year);
    w.u16(g.startDate.month);
    w.u8(g.startDate.day);
    w.u8(0);
    w.fieldHead(kFieldBlock, 8, 6);
    w.u16(g.endDate.year);
    w.u16(g.endDate.month);
    w.u8(g.endDate.day);
    w.u8(g.endDate.hour);
    w.fieldU16(9, {static_cast<std::uint16_t>(g.lastExchangedMove)});
    w.fieldU16(10, {static_cast<std::uint16_t>(g.type)});
    w.fieldU16(11, {static_cast<std::uint16_t>(g.protection)});
    w.fieldU16(12, {static_cast<std::uint16_t>(g.winner)});
    w.fieldFloat(13, g.margin);
    w.fieldU16(14, {static_cast<std::uint16_t>(g.ownMoveMark)});
    w.fieldText(15, textOrNone(g.gameComment), withPlayerNames ? kLongTextBuffer : kTextBuffer);
    w.fieldU16(16, {g.flags});
    w.fieldHead(kFieldU32, 17, 4);
    w.u8(g.board);
    w.u8(g.startFlags);
    w.u8(g.mailGoFlags);
    w.u8(g.displayFlags);
    w.fieldHead(kFieldBlock, 18, 8);
    w.u16(g.waitingTime.year);
    w.u16(g.waitingTime.month);
    w.u8(g.waitingTime.day);
    w.u8(g.waitingTime.hour);
    w.u8(g.waitingTime.minute);
    w.u8(g.waitingTime.second);
    w.fieldHead(kFieldU32, 19, 4);
    w.u8(g.formatVersion);
    for (std::uint8_t b : g.versionBytes) w.u8(b);
    w.fieldU32(20, {g.carriedValue});
    w.fieldText(23, textOrNone(g.carriedText));
    if (withPlayerNames) {
        w.fieldText(21, textOrNone(g.blackName));
        w.fieldText(22, textOrNone(g.whiteName));
        if (rootExtras) w.fieldText(24, g.sgfRootExtras, kLongTextBuffer);
    }
}

bool readGameListEntry(TaggedRecordReader& r, int fieldCount, GameInfo& g) {
    g = GameInfo{};
    for (int i = 0; i < fieldCount; ++i) {
        TaggedField f;
        if (!r.readField(f)) return false;
        switch (f.id()) {
        case 1: g.number = f.i32(); break;
        case 2: g.name = f.text().value_or(std::u16string()); break;
        case 3:
            g.blackPlayer = f.i32(0);
            g.whitePlayer = f.i32(4);
            break;
        case 4:
            g.carriedByte1 = f.u8(0);
            g.carriedByte2 = f.u8(1);
            g.carriedWord = f.u16(2);
            break;
        case 5: g.handicap = f.i16(); break;
        case 6: g.komi = f.f32(); break;
        case 7:
            g.startDate.year = f.u16(0);
            g.startDate.month = f.u16(2);
            g.startDate.day = f.u8(4);
            break;
        case 8:
            g.endDate.year = f.u16(0);
            g.endDate.month = f.u16(2);
            g.endDate.day = f.u8(4);
            g.endDate.hour = f.u8(5);
            break;
        case 9: g.lastExchangedMove = f.i16(); break;
        case 10: g.type = f.i16(); break;
        case 11: g.protection = f.i16(); break;
        case 12: g.winner = f.i16(); break;
        case 13: g.margin = f.f32(); break;
        case 14: g.ownMoveMark = f.i16(); break;
        case 15: g.gameComment = f.text(kLongTextBuffer).value_or(std::u16string()); break;
        case 16: g.flags = f.u16(); break;
        case 17:
            g.board = f.u8(0);
            g.startFlags = f.u8(1);
            g.mailGoFlags = f.u8(2);
            g.displayFlags = 0; // lives only while the game is open
            break;
        case 18:
            g.waitingTime.year = f.u16(0);
            g.waitingTime.month = f.u16(2);
            g.waitingTime.day = f.u8(4);
            g.waitingTime.hour = f.u8(5);
            g.waitingTime.minute = f.u8(6);
            g.waitingTime.second = f.u8(7);
            break;
        case 19:
            g.formatVersion = f.u8(0);
            g.versionBytes = {f.u8(1), f.u8(2), 0};
            break;
        case 20: g.carriedValue = f.u32(); break;
        case 21: g.blackName = f.text().value_or(std::u16string()); break;
        case 22: g.whiteName = f.text().value_or(std::u16string()); break;
        case 23: g.carriedText = f.text().value_or(std::u16string()); break;
        case 24: g.sgfRootExtras = f.text(kLongTextBuffer).value_or(std::u16string()); break;
        default: break;
        }
    }
    return true;
}

} // namespace stonewise
