// Writes a first corpus for each fuzz target: files of every kind as the store writes them.
#include <cstdio>
#include <fstream>
#include <string>

#include "store/GameFile.h"
#include "store/GameListPage.h"
#include "store/GameResultFile.h"
#include "store/GroupList.h"
#include "store/MemberList.h"
#include "store/SearchKeyList.h"
#include "store/SettingsFile.h"

using namespace stonewise;

namespace {

void write(const std::string& path, const std::vector<std::uint8_t>& bytes, int prefix = -1) {
    std::ofstream out(path, std::ios::binary);
    if (prefix >= 0) out.put(static_cast<char>(prefix));
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::unique_ptr<RecordSequence> record() {
    auto main = RecordSequence::createMain();
    for (int n = 1; n <= 40; ++n) {
        RecordNode k = makeMoveNode(n, n % 19, (n * 5) % 19);
        k.elapsed = static_cast<std::int16_t>(n);
        main->appendNode(k);
        if (n % 7 == 0) main->setComment(main->nodeCount() - 1, u"コメント\\です");
    }
    RecordNode label;
    label.type = NodeType::Mark;
    label.moveNumber = 40;
    label.x = label.y = 4;
    label.data1 = kMarkLabel;
    label.comment = static_cast<std::int16_t>(main->comments().add(u"A", 40));
    main->appendNode(label);
    RecordSequence* branch = main->createChild(1, 21, kBranch);
    RecordNode link;
    link.type = NodeType::Link;
    link.childSlot = static_cast<std::uint8_t>(branch->slot());
    link.moveNumber = 20;
    link.flags = kBranch;
    main->insertNode(20, link);
    for (int n = 21; n < 26; ++n) branch->appendNode(makeMoveNode(n, 18, n % 19));
    main->numberTree();
    return main;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string dir = argv[1];
    auto folder = [&](const char* name) { return dir + "/" + name + "/"; };

    SettingsRecord s;
    applyDefaultA(s);
    s.mailGoTitlePattern = u"第*局";
    s.bookPath = u"/books";
    write(folder("settings") + "seed1", encodeSettings(s));

    GroupTable groups{};
    groups[0] = GroupRecord{0, u"メール碁", 0, 0, 1, 3, std::nullopt};
    groups[2] = GroupRecord{2, u"外部", 1, 2, 768, -1, u"/srv/kifu"};
    write(folder("group_list") + "seed1", encodeGroupList(groups, 3));

    MemberPage page;
    page.slots[0] = MemberRecord{0, 0, u"不明", u"", {2026, 1, 2, 0}, {}, 0, 0};
    page.slots[3] = MemberRecord{3, 2, u"対局者", u"a@b.jp", {2026, 1, 2, 0}, {2026, 3, 4, 0}, 5, 6};
    write(folder("member_page") + "seed1", encodeMemberPage(page, 0), 0);

    GameListSlots slots{};
    GameInfo info;
    info.number = 1;
    info.name = u"対局";
    info.komi = 6.5f;
    info.gameComment = u"件名";
    slots[1] = info;
    write(folder("game_list_page") + "seed1", encodeGameListPage(slots), 0);

    const auto r = record();
    info.blackName = u"黒";
    write(folder("game_file") + "seed1", encodeGameFile(*r, &info, NodeForm::Ordinary));
    write(folder("game_file") + "seed2", encodeGameFile(*r, nullptr, NodeForm::Compact));

    write(folder("search_keys") + "seed1", encodeSearchKeys({u"秀策", u"", u"key"}));

    const std::string list = "; languages\nstonewise-english.so : 0x09, 0\nother.so: 7 17;\n";
    write(folder("language_list") + "seed1", std::vector<std::uint8_t>(list.begin(), list.end()));

    ResultGroupTable resultGroups{};
    resultGroups[0] = ResultGroup{0, u"碁会所"};
    resultGroups[2] = ResultGroup{5, u"ネット"};
    write(folder("result_groups") + "seed1", encodeResultGroups(resultGroups, 3));
    GameResult played;
    played.begun = {2025, 5, 1, 0};
    played.firstPlayer = u"私";
    played.secondPlayer = u"相手";
    played.gameName = u"第1局";
    played.margin = 2.5f;
    write(folder("result_records") + "seed1", encodeResultRecords({played, std::nullopt, played}));
    return 0;
}
