#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "record/CommentStore.h"
#include "record/RecordNode.h"

namespace stonewise {

class SequenceList;

// A text label on a point of a sequence.
struct LabelEntry {
    std::uint8_t x = 0;
    std::uint8_t y = 0;
    std::uint16_t small = 0;     // 1 for a label in small characters (mark kind 21)
    std::uint16_t textIndex = 0; // index of the text in the sequence's comment store
    std::uint16_t moveNumber = 0;
};

// One sequence of a game record: the main record, a branch (another continuation after a move) or
// a reference sequence (another choice for a move itself). Owns its nodes, its comment store, its
// labels and, through its child table, every child sequence. Fixed limits: 1,024 nodes, 2,048
// texts, 255 children, 50 labels; an operation that meets a limit returns no result and leaves
// the sequence unchanged.
class RecordSequence {
public:
    static constexpr std::uint32_t kSignature = 0x18273645;
    static constexpr std::uint32_t kDestroyedSignature = 0xFFFFEEEE; // -4370
    static constexpr int kMaxNodes = 1024;
    static constexpr int kMaxChildren = 255;
    static constexpr int kMaxLabels = 50;

    // A new, empty main record, registered in `list` when one is given.
    static std::unique_ptr<RecordSequence> createMain(SequenceList* list = nullptr);
    ~RecordSequence();
    RecordSequence(const RecordSequence&) = delete;
    RecordSequence& operator=(const RecordSequence&) = delete;

    // A new child in the lowest free slot 1..255 at the given depth whose first move takes
    // `firstMoveNumber`; null when all 255 slots are in use.
    RecordSequence* createChild(int depth, int firstMoveNumber, SequenceKind kind);
    // Destroys the child in `slot` with all its descendants; false when the slot is empty.
    bool destroyChild(int slot);
    // A deep copy (nodes, texts, labels and children), registered in `list` when given.
    std::unique_ptr<RecordSequence> clone(SequenceList* list = nullptr) const;

    bool isValid() const { return m_signature == kSignature; }

    // --- nodes ---
    int nodeCount() const { return static_cast<int>(m_nodes.size()); }
    RecordNode& node(int index) { return m_nodes[static_cast<std::size_t>(index)]; }
    const RecordNode& node(int index) const { return m_nodes[static_cast<std::size_t>(index)]; }
    const std::vector<RecordNode>& nodes() const { return m_nodes; }

    // Appends a copy of `n` (its index is set); registers a label. Null when 1,024 nodes exist or
    // a label cannot be registered.
    RecordNode* appendNode(const RecordNode& n);
    // Inserts `n` after move `moveNumber` and everything attached to it (for 0: after the leading
    // setup stones). Later moves are renumbered by one when the new node is a move or pass that
    // goes in front of other nodes, or when `renumber` asks for it; never when a black stone joins
    // the handicap stones at move 1. Null on a limit.
    RecordNode* insertNode(int moveNumber, const RecordNode& n, bool renumber = false);
    // Removes the node at `index`; later nodes move up, and their move numbers drop by one when a
    // move or pass was removed (a handicap stone lowers the handicap count instead). A link
    // takes its child sequence with it. False for an index that does not exist.
    bool removeNode(int index);
    // Removes the last move or pass and everything after it.
    void truncate();
    // Empties the sequence but for the leading setup stones (and the first move when the keep-first-
    // move flag is set); all texts, labels and children go.
    void clear();

    // Index of the node of move n (the first node carrying that number; -1 means the last move);
    // -1 when there is none. Remembers the index in the cursor.
    int findNodeIndex(int moveNumber) const;
    RecordNode* findNode(int moveNumber);
    const RecordNode* findNode(int moveNumber) const;
    // Index of the move or setup stone at (x, y), searching from the end; -1 when none.
    int findNodeAt(int x, int y) const;
    // Index of the last move of `colour` (kEmpty: either colour) numbered at most n; -1 when none.
    int findLastMove(int moveNumber, Colour colour = kEmpty) const;
    // Index of the link node that leads to child `slot`; -1 when none.
    int findLink(int slot) const;
    // Index of the link node that leads to `child`; -1 when none.
    int findLink(const RecordSequence* child) const;
    // Calls `f` for every setup stone attached to move n (stored after the move's node).
    void forEachSetupStone(int moveNumber, const std::function<void(const RecordNode&)>& f) const;
    // Calls `f` for every mark of move n (labels excluded).
    void forEachMark(int moveNumber, const std::function<void(const RecordNode&)>& f) const;

    // --- texts ---
    // Stores a comment for the node at `nodeIndex` and links it; false on a limit.
    bool setComment(int nodeIndex, std::u16string_view text, Backslashes rule = Backslashes::LineBreaks);
    // The comment of a node; empty when it has none.
    std::u16string_view commentOf(const RecordNode& n) const { return m_comments.text(n.comment); }
    CommentStore& comments() { return m_comments; }
    const CommentStore& comments() const { return m_comments; }

    // --- labels ---
    // Registers a label for a label node (replacing a label on the same point); returns the entry
    // index or -1 when 50 labels exist.
    int registerLabel(const RecordNode& labelNode);
    int labelCount() const { return static_cast<int>(m_labels.size()); }
    const LabelEntry& label(int index) const { return m_labels[static_cast<std::size_t>(index)]; }
    LabelEntry& label(int index) { return m_labels[static_cast<std::size_t>(index)]; }
    const std::vector<LabelEntry>& labels() const { return m_labels; }

    // --- children ---
    // The child in `slot` (slot 0 is the sequence itself); null for a free or invalid slot.
    RecordSequence* child(int slot);
    const RecordSequence* child(int slot) const;
    int highestChildSlot() const { return m_highestSlot; }
    // Asks the processor to fetch the children and their nodes ahead of a walk over them (the
    // sequences of a large record lie far apart in memory).
    void prefetchChildren() const;
    // The lowest free child slot 1..255, or -1.
    int nextFreeChildSlot() const;
    // The lowest branch number 1..255 not used by a link of this sequence, or -1.
    int nextFreeBranchNumber() const;
    // Moves `child` from its parent into this sequence's lowest free slot; the subtree takes the new
    // depth. Returns the new slot, or -1 when none is free.
    int adoptChild(std::unique_ptr<RecordSequence> child);
    // Takes the child in `slot` out of the table without destroying it.
    std::unique_ptr<RecordSequence> releaseChild(int slot);
    // Sets depth and parent of this subtree after it has been moved.
    void reparent(int depth, RecordSequence* parent);

    // --- tree passes (on the main record) ---
    // Gives every child a unique id, clears and sets the branch-kind bits of moves, and numbers the
    // links of each sequence from 1.
    void numberTree();
    // Copies each child's first comment to its link and sets the answer kinds from its tag.
    void readAnswerTags();
    // Both of the above in one walk over the tree.
    void numberTreeAndReadAnswerTags();
    // What the walk does to this sequence alone, for a caller that walks the tree itself (each
    // sequence before its children): clears and sets the branch-kind bits of its moves, gives a link
    // without a branch number the lowest free one and passes it to the child, and with `answerTags`
    // reads the child's answer tag as above.
    void numberLinks(bool answerTags);
    // Merges the child `newBranch` with its siblings: deleted when a sibling already holds it,
    // appended to a sibling it extends, kept when it diverges. Returns the link node (in its
    // parent) of the sequence that holds the moves afterwards, or null.
    RecordNode* mergeBranch(RecordSequence* newBranch);

    // Sum of the elapsed times of the moves first..last: black (odd numbers) and white, in seconds.
    struct ElapsedTotals {
        long black = 0;
        long white = 0;
    };
    ElapsedTotals elapsedTotals() const;

    // --- attributes ---
    int depth() const { return m_depth; }
    int slot() const { return m_slot; }
    std::uint32_t id() const { return m_id; }
    void setId(std::uint32_t id) { m_id = id; }
    int branchNumber() const { return m_branchNumber; }
    void setBranchNumber(int n) { m_branchNumber = static_cast<std::uint8_t>(n); }
    RecordSequence* parent() const { return m_parent; }
    int firstMoveNumber() const { return m_firstMove; }
    void setFirstMoveNumber(int n) { m_firstMove = n; }
    int handicapCount() const { return m_handicap; }
    void setHandicapCount(int n) { m_handicap = n; }
    int leadingSetupCount() const { return m_leadingSetup; }
    void setLeadingSetupCount(int n) { m_leadingSetup = n; }
    bool keepFirstMove() const { return m_keepFirstMove; }
    void setKeepFirstMove(bool on) { m_keepFirstMove = on; }
    int numberOffset() const { return m_numberOffset; }
    void setNumberOffset(int offset) { m_numberOffset = offset; }
    int changeCounter() const { return m_changes; }
    SequenceKind kind() const { return m_kind; }
    void setKind(SequenceKind kind) { m_kind = kind; }
    AnswerKind answerKind() const { return m_answer; }
    void setAnswerKind(AnswerKind kind) { m_answer = kind; }
    int lastMoveNumber() const { return m_lastMove; }
    // Recomputes the last move number from the moves and passes held.
    void updateLastMoveNumber();
    int savedLastMoveNumber() const { return m_savedLastMove; }
    void setSavedLastMoveNumber(int n) { m_savedLastMove = n; }
    int cursor() const { return m_cursor; }

    // Link in the window's list of every sequence.
    RecordSequence* next() const { return m_next; }
    void setNext(RecordSequence* next) { m_next = next; }
    SequenceList* list() const { return m_list; }

private:
    friend class SequenceList;
    RecordSequence(SequenceList* list, RecordSequence* parent, int depth, int slot, int firstMove);
    void numberTree(bool answerTags);
    void shiftMoveNumbers(int fromIndex, int delta);
    void renumberSubtree(int delta);
    void copyInto(RecordSequence& target, SequenceList* list) const;
    void reindexFrom(int index);

    // (Wider fields first: a record of many short variations holds many sequences.)
    RecordSequence* m_parent = nullptr;
    SequenceList* m_list = nullptr;
    RecordSequence* m_next = nullptr;
    RecordSequence* m_prev = nullptr;
    std::vector<RecordNode> m_nodes;
    CommentStore m_comments;
    std::vector<std::unique_ptr<RecordSequence>> m_children; // slot 0 unused: it means the sequence itself
    std::vector<LabelEntry> m_labels;
    std::uint32_t m_signature = kSignature;
    int m_depth = 0;
    int m_slot = 0;
    std::uint32_t m_id = 0;
    int m_firstMove = 1;
    int m_lastMove = 0;
    int m_savedLastMove = 0;
    int m_handicap = 0;
    int m_leadingSetup = 0;
    int m_numberOffset = 0;
    mutable int m_cursor = 0;
    int m_changes = 0;
    int m_highestSlot = 0;
    std::uint8_t m_branchNumber = 0;
    bool m_keepFirstMove = false;
    SequenceKind m_kind = kMainRecord;
    AnswerKind m_answer = kNoAnswer;
};

// Gives `link`, which leads to `child`, the comment of the child's first node (`firstComment`, an
// index into the child's store) and the answer kind of that text's tag, which the child takes too.
void setLinkAnswer(RecordNode& link, RecordSequence& child, std::int16_t firstComment);

// The list of every sequence a board window holds, chained through the sequences' next pointers.
// A sequence registers itself when created and leaves when destroyed.
class SequenceList {
public:
    // `onLoop` is called once for every self-loop the check repairs (the window shows
    // "棋譜データのリンクがループ状態。" titled "異常状態").
    explicit SequenceList(std::function<void()> onLoop = {}) : m_onLoop(std::move(onLoop)) {}
    void setLoopReporter(std::function<void()> onLoop) { m_onLoop = std::move(onLoop); }

    RecordSequence* first() const { return m_first; }
    void add(RecordSequence* s);
    // Takes `s` out of the chain, then checks the chain for loops.
    void remove(RecordSequence* s);
    // Takes `s` out of the chain without the check (a sequence being destroyed).
    void unlink(RecordSequence* s);
    // Walks the chain: a sequence pointing to itself is reported and its link mended from the back
    // links (cut when there is nothing after it); a sequence without a valid signature ends the
    // walk. Returns the number of loops found.
    int checkLoops();
    int size() const;

private:
    RecordSequence* m_first = nullptr;
    RecordSequence* m_last = nullptr;
    std::function<void()> m_onLoop;
};

} // namespace stonewise
