#include "formats/UgfReader.h"

#include "formats/MemberDirectory.h"
#include "formats/SgfText.h"
#include "formats/ValueParsing.h"

namespace stonewise {

namespace {

constexpr std::size_t kPoolSize = 16384;

std::u16string upperAscii(std::u16string_view s) {
    std::u16string out(s);
    for (char16_t& c : out)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    return out;
}

std::u16string_view trimBoth(std::u16string_view s) {
    while (!s.empty() && (s.front() == u' ' || s.front() == u'\t' || s.front() == u'\u3000')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == u' ' || s.back() == u'\t' || s.back() == u'\r' || s.back() == u'\u3000'))
        s.remove_suffix(1);
    return s;
}

// The comma-separated fields of a value.
std::vector<std::u16string_view> fields(std::u16string_view value) {
    std::vector<std::u16string_view> out;
    for (;;) {
        const std::size_t comma = value.find(u',');
        out.push_back(trimTrailingBlanks(value.substr(0, comma)));
        if (comma == std::u16string_view::npos) break;
        value.remove_prefix(comma + 1);
    }
    return out;
}

int letterValue(char16_t c) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    return c >= u'A' && c <= u'Z' ? c - u'A' : 99;
}

struct Pool {
    std::size_t used = 0;
    bool keep(std::u16string& slot, std::u16string_view value) {
        value = trimTrailingBlanks(value);
        if (used + value.size() + 1 > kPoolSize) return false;
        slot.assign(value);
        used += value.size() + 1;
        return true;
    }
};

} // namespace

UgfReadResult readUgf(std::u16string_view text, const GameInfo& start, MemberDirectory* members) {
    UgfReadResult r;
    r.info = start;
    r.main = RecordSequence::createMain(nullptr);
    RecordSequence& main = *r.main;
    enum class Section { Before, Header, Data, Other } section = Section::Before;
    bool igs = false;
    int counter = 0;
    Pool pool;
    std::u16string title[3], blackRank, whiteRank, place;
    bool hasTitle[3] = {false, false, false}, hasBlackRank = false, hasWhiteRank = false, hasPlace = false;

    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find(u'\n', pos);
        if (end == std::u16string_view::npos) end = text.size();
        const std::u16string_view line = trimBoth(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty()) {
            if (end >= text.size()) break;
            continue;
        }
        if (line.front() == u'[') {
            const std::u16string name = upperAscii(line);
            if (name == u"[HEADER]") {
                if (section == Section::Data) break;
                section = Section::Header;
                r.ok = true;
            } else if (name == u"[DATA]") {
                section = Section::Data;
                r.ok = true;
            } else if (section == Section::Data) {
                break; // [ReviewNode], [Figure], ...: the game ends here
            } else {
                section = Section::Other;
            }
            continue;
        }
        if (section == Section::Header) {
            const std::size_t eq = line.find(u'=');
            if (eq == std::u16string_view::npos) continue;
            const std::u16string key = upperAscii(trimBoth(line.substr(0, eq)));
            const std::u16string_view value = trimBoth(line.substr(eq + 1));
            const auto f = fields(value);
            GameInfo& info = r.info;
            if (key == u"TITLE") {
                for (std::size_t k = 0; k < 3 && k < f.size(); ++k) hasTitle[k] = pool.keep(title[k], f[k]);
            } else if (key == u"DATE") {
                const GameDate d = parseDate(value);
                info.startDate.year = d.year;
                info.startDate.month = d.month;
                info.startDate.day = d.day;
            } else if (key == u"SIZE") {
                const long size = parseLeadingInteger(value);
                if (size > 0) {
                    r.boardSize = static_cast<int>(size > 999 ? 999 : size);
                    info.board = r.boardSize == 13 ? 1 : 0;
                }
            } else if (key == u"HDCP") {
                info.handicap = static_cast<std::int16_t>(parseLeadingInteger(f[0]));
                if (f.size() > 1) info.komi = static_cast<float>(parseLeadingDecimal(f[1]));
            } else if (key == u"PLAYERB" || key == u"BMEMB1" || key == u"PLAYERW" || key == u"WMEMB1") {
                const bool black = key[0] == u'P' ? key == u"PLAYERB" : key[0] == u'B';
                const std::u16string name(trimTrailingBlanks(f[0]));
                (black ? info.blackName : info.whiteName) = name;
                if (members && !name.empty()) {
                    const int member = members->findOrCreate(name);
                    if (member >= 0) (black ? info.blackPlayer : info.whitePlayer) = member;
                }
                if (f.size() > 1 && !f[1].empty()) {
                    if (black) hasBlackRank = pool.keep(blackRank, f[1]);
                    else hasWhiteRank = pool.keep(whiteRank, f[1]);
                }
            } else if (key == u"WINNER") {
                const std::u16string who = upperAscii(f[0]);
                if (!who.empty() && (who[0] == u'B' || who[0] == u'W')) {
                    info.winner = who[0] == u'B' ? kBlackWins : kWhiteWins;
                    const std::u16string how = f.size() > 1 ? upperAscii(f[1]) : std::u16string();
                    if (!how.empty() && how[0] == u'T') info.margin = kMarginOnTime;
                    else if (!how.empty() && how[0] == u'C') info.margin = kMarginResignation;
                    else info.margin = static_cast<float>(f.size() > 1 ? parseLeadingDecimal(f[1]) : 0.0);
                }
            } else if (key == u"PLACE") {
                hasPlace = pool.keep(place, value);
            } else if (key == u"COORDINATETYPE") {
                igs = upperAscii(value) == u"IGS";
            }
            continue;
        }
        if (section != Section::Data) continue;
        // A move line: point, colour, number.
        const auto f = fields(line);
        if (f.size() < 3 || f[0].size() != 2 || f[1].empty()) continue;
        const char16_t colour = f[1][0] >= u'a' ? static_cast<char16_t>(f[1][0] - 32) : f[1][0];
        if (colour != u'B' && colour != u'W') continue;
        int x = letterValue(f[0][0]);
        int y = letterValue(f[0][1]);
        const bool pass = x > 18 || y > 18;
        if (!pass && igs) y = 18 - y;
        const long number = parseLeadingInteger(f[2]);
        RecordNode n = makeMoveNode(counter + 1, pass ? kNoPoint : x, pass ? kNoPoint : y);
        if (!pass) n.type = colour == u'B' ? NodeType::BlackMove : NodeType::WhiteMove;
        else n.data2 = colour == u'B' ? kBlack : kWhite; // the player who passed
        if (colour == u'B' && number == 0) {
            if (pass) continue; // a handicap stone off the board is no stone
            if (counter > 1 || (counter == 1 && main.handicapCount() == 0)) {
                // A handicap stone after moves: the record refuses the smaller number.
                r.stoppedEarly = true;
                r.stopLastNumber = counter;
                r.stopFoundNumber = 1;
                break;
            }
            n.moveNumber = 1;
            if (!main.appendNode(n)) {
                ++r.lostMoves;
                continue;
            }
            main.setHandicapCount(main.handicapCount() + 1);
            r.handicapStones = main.handicapCount();
            counter = 1;
            continue;
        }
        if (colour == u'W' && counter == 0) {
            // White opens a game without handicap stones: Black passed first, as in SGF.
            RecordNode blackPass = makeMoveNode(1, kNoPoint, kNoPoint);
            blackPass.data2 = kBlack;
            if (!main.appendNode(blackPass)) break;
            counter = 1;
            n.moveNumber = 2;
        }
        if (!main.appendNode(n)) { // beyond the record's 1,024 nodes
            ++r.lostMoves;
            continue;
        }
        ++counter;
    }

    std::u16string name;
    for (int k = 0; k < 3; ++k)
        if (hasTitle[k] && !title[k].empty()) {
            if (!name.empty()) name.push_back(u',');
            name.append(title[k]);
        }
    r.titleName = std::move(name);
    if (hasBlackRank || hasWhiteRank || hasPlace) {
        std::u16string t;
        if (hasBlackRank) t.append(u"[").append(blackRank).append(u"]");
        t.push_back(u',');
        if (hasWhiteRank) t.append(u"[").append(whiteRank).append(u"]");
        t.push_back(u',');
        if (hasPlace) t.append(u"[").append(place).append(u"]");
        r.info.carriedText = std::move(t);
    }
    if (main.handicapCount() >= 2) main.setNumberOffset(-1);
    main.numberTree();
    return r;
}

} // namespace stonewise
