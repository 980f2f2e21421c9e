#pragma once

#include <functional>
#include <memory>

#include "record/RecordSequence.h"
#include "record/SequencePath.h"

namespace stonewise {

// The record state of a board window: the main record, the list of every sequence made for it,
// the path of sequences being shown and the sequence of the last node lookup.
class GameRecord {
public:
    GameRecord();
    ~GameRecord();
    GameRecord(const GameRecord&) = delete;
    GameRecord& operator=(const GameRecord&) = delete;

    RecordSequence& main() { return *m_main; }
    const RecordSequence& main() const { return *m_main; }
    SequenceList& sequences() { return m_list; }

    // Replaces the record by an empty one (a new or closed game); the path returns to the main record.
    void reset();
    // Takes `main` as the record (a loaded game); its sequences are registered in this window's list.
    void adopt(std::unique_ptr<RecordSequence> main);
    // A deep copy of the whole record, not registered in any window's list.
    std::unique_ptr<RecordSequence> copyMain() const { return m_main->clone(nullptr); }

    // --- the path ---
    const SequencePath& path() const { return m_path; }
    int pathDepth() const { return m_path.depth(); }
    // The sequence at `level` of the path (0 = the main record).
    RecordSequence* pathSequence(int level) const;
    // The deepest sequence of the path.
    RecordSequence* pathTop() const { return pathSequence(m_path.depth()); }
    // Makes the path the chain from the main record down to `s`; `beforeChange` runs first when the
    // path actually changes. False when `s` is deeper than 256 levels or not part of this record.
    bool enterSequence(RecordSequence* s, const std::function<void()>& beforeChange = {});
    // Appends `s` to the path; false beyond 256 levels.
    bool pushSequence(RecordSequence* s) { return s && m_path.push(s, s->firstMoveNumber()); }
    // Shortens the path by one level (to the parent).
    void popSequence() { m_path.pop(); }
    // The last move number of the path's deepest sequence.
    int pathLastMove() const { return pathTop()->lastMoveNumber(); }

    // The deepest sequence of the path whose first move number is at most n: where move n comes from.
    RecordSequence* sequenceForMove(int moveNumber) const;
    // The node of move n along the path; sets the current sequence and the branches-after flag.
    const RecordNode* nodeAtMove(int moveNumber);
    // The last black or white move at or before n along the path, or null.
    const RecordNode* lastMoveAtOrBefore(int moveNumber);
    RecordSequence* currentSequence() const { return m_current; }
    bool branchesAfter() const { return m_branchesAfter; }

private:
    SequenceList m_list;
    std::unique_ptr<RecordSequence> m_main;
    SequencePath m_path;
    RecordSequence* m_current = nullptr;
    bool m_branchesAfter = false;
};

} // namespace stonewise
