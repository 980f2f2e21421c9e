#include "StoreTestSupport.h"

#include <bit>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace stonewise::test {

Bytes& Bytes::f32(float v) { return u32(std::bit_cast<std::uint32_t>(v)); }

TempDataFolder::TempDataFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "stonewise-store-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) ADD_FAILURE() << "cannot create a temporary folder";
    m_path = pattern + "/";
    ::setenv("STONEWISE_DATA_DIR", m_path.c_str(), 1);
}

TempDataFolder::~TempDataFolder() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

void writeTestFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

std::vector<std::uint8_t> readTestFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace stonewise::test

namespace stonewise::test {

namespace {

RecordNode move(int number, int x, int y, int elapsed = 0) {
    RecordNode n = makeMoveNode(number, x, y);
    n.elapsed = static_cast<std::int16_t>(elapsed);
    return n;
}

RecordSequence* addBranch(RecordSequence& parent, int atMove, SequenceKind kind, int firstMove) {
    RecordSequence* child = parent.createChild(parent.depth() + 1, firstMove, kind);
    RecordNode link;
    link.type = NodeType::Link;
    link.childSlot = static_cast<std::uint8_t>(child->slot());
    link.moveNumber = static_cast<std::int16_t>(atMove);
    link.branchNumber = static_cast<std::uint8_t>(parent.nextFreeBranchNumber());
    link.flags = kind;
    parent.insertNode(atMove, link);
    return child;
}

} // namespace

std::unique_ptr<RecordSequence> sampleRecord(int moves) {
    auto main = RecordSequence::createMain();
    for (int n = 1; n <= moves; ++n) {
        main->appendNode(move(n, (n * 7) % 19, (n * 11) % 19, n % 5 == 0 ? -(n % 7) : n * 3));
        if (n % 10 == 1) {
            std::u16string text(static_cast<std::size_t>(n % 40 + 1), u'検');
            text.front() = u'手';
            text += u"\\終";
            main->setComment(main->nodeCount() - 1, text);
        }
        if (n == 5) {
            RecordNode mark;
            mark.type = NodeType::Mark;
            mark.moveNumber = 5;
            mark.x = 3;
            mark.y = 3;
            mark.data1 = kMarkCircle;
            main->appendNode(mark);
            RecordNode label = mark;
            label.data1 = kMarkLabel;
            label.x = 4;
            label.comment = static_cast<std::int16_t>(main->comments().add(u"Ａ", 5, Backslashes::Keep));
            main->appendNode(label);
        }
    }
    if (moves >= 60) {
        RecordSequence* branch = addBranch(*main, 40, kBranch, 41);
        for (int n = 41; n < 61; ++n) branch->appendNode(move(n, n % 19, (n * 3) % 19, 1));
        branch->setComment(0, u"&G:正解");
        RecordSequence* spare = addBranch(*main, 45, kBranch, 46);
        spare->appendNode(move(46, 0, 0));
        RecordSequence* reference = addBranch(*main, 50, kReference, 50);
        for (int n = 50; n < 55; ++n) reference->appendNode(move(n, 18 - n % 19, n % 19));
        RecordSequence* inner = addBranch(*branch, 45, kBranch, 46);
        inner->appendNode(move(46, 9, 9, 600));
        inner->setComment(0, std::u16string(3000, u'長'));
        main->removeNode(main->findLink(spare)); // leaves a free slot between the children
    }
    main->numberTree();
    return main;
}

void expectSameRecord(const RecordSequence& a, const RecordSequence& b, bool withElapsed) {
    ASSERT_EQ(a.nodeCount(), b.nodeCount()) << "depth " << a.depth() << " slot " << a.slot();
    EXPECT_EQ(a.firstMoveNumber(), b.firstMoveNumber());
    EXPECT_EQ(a.lastMoveNumber(), b.lastMoveNumber());
    EXPECT_EQ(a.kind(), b.kind());
    EXPECT_EQ(a.id(), b.id());
    EXPECT_EQ(a.handicapCount(), b.handicapCount());
    for (int i = 0; i < a.nodeCount(); ++i) {
        const RecordNode& x = a.node(i);
        const RecordNode& y = b.node(i);
        EXPECT_EQ(x.type, y.type) << i;
        EXPECT_EQ(x.childSlot, y.childSlot) << i;
        EXPECT_EQ(x.moveNumber, y.moveNumber) << i;
        EXPECT_EQ(x.x, y.x) << i;
        EXPECT_EQ(x.y, y.y) << i;
        EXPECT_EQ(x.data1, y.data1) << i;
        EXPECT_EQ(x.data2, y.data2) << i;
        EXPECT_EQ(x.branchNumber, y.branchNumber) << i;
        EXPECT_EQ(x.flags, y.flags) << i;
        if (withElapsed) {
            EXPECT_EQ(x.elapsed, y.elapsed) << i;
        }
        if (!x.isLink()) {
            EXPECT_EQ(a.commentOf(x), b.commentOf(y)) << i;
        }
    }
    ASSERT_EQ(a.highestChildSlot(), b.highestChildSlot());
    for (int slot = 1; slot <= a.highestChildSlot(); ++slot) {
        ASSERT_EQ(a.child(slot) == nullptr, b.child(slot) == nullptr) << slot;
        if (a.child(slot)) expectSameRecord(*a.child(slot), *b.child(slot), withElapsed);
    }
}

} // namespace stonewise::test
