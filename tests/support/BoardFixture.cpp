#include "support/BoardFixture.h"

#include <gtest/gtest.h>

#include "formats/SgfReader.h"
#include "record/Text.h"
#include "store/GameStore.h"

namespace stonewise::test {

namespace {
BoardEnvironment environment(ScriptedUi& ui, RecordingPanels& panels, SceneCanvas& canvas) {
    BoardEnvironment env;
    env.ui = &ui;
    env.panels = &panels;
    env.canvas = &canvas;
    return env;
}
} // namespace

TestBoard::TestBoard(int lines, int handicap) : board(environment(ui, panels, canvas)) {
    GameInfo info;
    info.board = lines == 13 ? 1 : 0;
    info.handicap = static_cast<std::int16_t>(handicap);
    board.newGame(info);
}

void TestBoard::load(std::u16string_view sgf) {
    SgfReadResult read = readSgf(sgf, GameInfo{}, SgfReadOptions{});
    ASSERT_TRUE(read.ok);
    board.loadGame(std::move(read.main), read.info);
}

void TestBoard::play(std::initializer_list<std::pair<int, int>> moves) {
    for (const auto& [x, y] : moves) {
        const int before = board.totalMoves();
        board.clickPoint(x, y);
        EXPECT_EQ(board.totalMoves(), before + 1) << "move at (" << x << ", " << y << ") was not played";
    }
}

std::string TestBoard::diagram() const {
    std::string out;
    const int n = board.boardSize();
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const Colour c = board.position().colourAt(x, y);
            out.push_back(c == kBlack ? 'X' : c == kWhite ? 'O' : '.');
        }
        out.push_back('\n');
    }
    return out;
}

void storeSampleGame(GameStore& store, int group, int number, int moves) {
    GameInfo info;
    info.number = number;
    info.name = u"game " + toU16(number);
    auto record = RecordSequence::createMain();
    for (int n = 1; n <= moves; ++n) record->appendNode(makeMoveNode(n, n, number));
    StoreMessages messages;
    store.gameList(group, messages).put(info);
    EXPECT_TRUE(store.writeGame(group, number, *record, &info, messages));
    EXPECT_TRUE(store.saveGameList(group, messages));
}

bool storeSgfGame(GameStore& store, int group, int number, std::u16string_view sgf, std::u16string name) {
    SgfReadResult read = readSgf(sgf, GameInfo{}, {});
    if (!read.ok || !read.main) return false;
    GameInfo info = read.info;
    info.number = number;
    info.name = std::move(name);
    StoreMessages messages;
    if (!store.writeGame(group, number, *read.main, &info, messages)) return false;
    store.gameList(group, messages).put(info);
    return store.saveGameList(group, messages);
}

} // namespace stonewise::test
