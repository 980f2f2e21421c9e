#include "app/MailGoGame.h"

#include "formats/FileAccess.h"
#include "formats/TextEncoding.h"
#include "record/GameInfo.h"
#include "record/GameRecord.h"
#include "record/StringTable.h"
#include "store/GameList.h"
#include "store/GameStore.h"
#include "store/MemberList.h"
#include "store/SettingsRecord.h"

namespace stonewise {

namespace {

// A member's mail address: its own, or that of the member its address names (a forwarding member).
std::u16string mailAddressOf(const MemberRecord& member, const MemberList& members) {
    if (member.address.find(u'@') != std::u16string::npos) return member.address;
    const int forward = member.address.empty() ? -1 : members.findByName(member.address);
    if (const MemberRecord* other = forward >= 0 ? members.find(forward) : nullptr) return other->address;
    return member.address;
}

} // namespace

MailGoSides mailGoSides(const GameInfo& info, const MemberList& members) {
    MailGoSides sides;
    const MemberRecord* black = info.blackPlayer != 0 ? members.find(info.blackPlayer) : nullptr;
    const MemberRecord* white = info.whitePlayer != 0 ? members.find(info.whitePlayer) : nullptr;
    sides.blackName = black && !black->name.empty() ? black->name : info.blackName;
    sides.whiteName = white && !white->name.empty() ? white->name : info.whiteName;
    sides.userIsBlack = black && black->kind == kMemberSelf;
    const MemberRecord* user = sides.userIsBlack ? black : white;
    const MemberRecord* opponent = sides.userIsBlack ? white : black;
    if (user) sides.userName = user->name;
    sides.haveOpponent = opponent != nullptr && opponent->kind != kMemberSelf;
    if (sides.haveOpponent) sides.opponentAddress = mailAddressOf(*opponent, members);
    return sides;
}

MailSettings mailSettings(const SettingsRecord& settings) {
    MailSettings m;
    m.maximumMoves = settings.movesPerMail > 0 ? settings.movesPerMail : 10;
    m.bodyStyle = settings.mailBodyForm <= 2 ? settings.mailBodyForm : 0;
    m.withholdComments = settings.omitComments != 0;
    m.nameInSubject = (settings.mailOption & 1) != 0;
    m.titlePattern = settings.mailGoTitlePattern.value_or(std::u16string());
    return m;
}

MailReadOptions mailReadOptions(const SettingsRecord& settings, bool japaneseInterface) {
    MailReadOptions options;
    options.titlePattern = settings.mailGoTitlePattern.value_or(std::u16string());
    options.japaneseInterface = japaneseInterface;
    return options;
}

MailComposeRequest mailComposeRequest(const GameInfo& info, const MemberList& members, const SettingsRecord& settings,
                                      MailPurpose purpose, bool japaneseInterface, bool forCloud) {
    const MailGoSides sides = mailGoSides(info, members);
    MailComposeRequest request;
    request.purpose = purpose;
    request.settings = mailSettings(settings);
    request.whiteName = sides.whiteName;
    request.blackName = sides.blackName;
    request.japaneseInterface = japaneseInterface;
    request.forCloud = forCloud;
    return request;
}

std::optional<std::u16string> readMailTextFile(const std::string& path, std::size_t limit) {
    const std::optional<std::string> bytes = readFileBytes(path, nullptr, limit);
    if (!bytes) return std::nullopt;
    const std::string_view b(*bytes);
    std::u16string text;
    if (b.size() >= 2 && (b.starts_with("\xFF\xFE") || b.starts_with("\xFE\xFF")))
        appendUtf16BytesAsText(b.substr(2), b[0] == '\xFE', text);
    else if (b.starts_with("\xEF\xBB\xBF")) appendUtf8AsUtf16(b.substr(3), text);
    else if (isWellFormedUtf8(b)) appendUtf8AsUtf16(b, text);
    else if (!appendCodePageAsUtf16(b, CodePage::Cp932, text)) return std::nullopt;
    return text;
}

int findMailGame(const GameList& list, std::u16string_view name) {
    int found = 0;
    for (const GameInfo* info : list.entries())
        if (info && info->name == name && (found == 0 || info->number < found)) found = info->number;
    return found;
}

StoredMailReceipt receiveMailIntoStore(GameStore& store, int group, std::u16string_view text,
                                       const MailReadOptions& options, MailSource source, int gameNumber,
                                       const GameTime& nowUtc) {
    StoredMailReceipt receipt;
    const ParsedMail mail = parseMailText(text, options);
    receipt.headingFound = mail.headingFound;
    receipt.gameName = mail.gameName;
    if (!mail.headingFound || !store.group(group)) return receipt;
    StoreMessages messages;
    GameList& list = store.gameList(group, messages);
    receipt.game = gameNumber != 0 ? gameNumber : findMailGame(list, mail.gameName);
    const GameInfo* listed = receipt.game != 0 ? list.find(receipt.game) : nullptr;
    if (!listed) {
        receipt.game = 0;
        return receipt;
    }
    GameFileRead read = store.openGame(group, receipt.game, messages);
    if (read.status != StoreReadStatus::Ok || !read.main) {
        receipt.result.messages.push_back({53015, std::u16string(uiText(53015))});
        return receipt;
    }
    GameInfo info = *listed;
    GameRecord record;
    record.adopt(std::move(read.main));
    const MailGoSides sides = mailGoSides(info, store.members());
    receipt.result = applyMail(mail, record, info, sides.userIsBlack, source, nowUtc);
    if (receipt.result.branch)
        receipt.studyMoves = receipt.result.branch->lastMoveNumber() - receipt.result.branch->firstMoveNumber() + 1;
    receipt.result.branch = nullptr;
    if (!receipt.result.taken() && receipt.result.messages.empty()) return receipt;
    list.put(info);
    receipt.written =
        store.writeGame(group, receipt.game, record.main(), &info, messages) && store.saveGameList(group, messages);
    return receipt;
}

} // namespace stonewise
