#pragma once

#include <memory>

#include "record/GameInfo.h"
#include "record/RecordSequence.h"
#include "record/RecordTransform.h"

namespace stonewise {

class CIgoBoard;

// One use of the record correction dialog ("棋譜修正"): rotations and reflections, the handicap
// count, deleting two moves and inserting two. It keeps a deep copy of the record from its start;
// cancelling ("取り消し") puts that copy back.
class RecordCorrection {
public:
    explicit RecordCorrection(CIgoBoard& board);
    ~RecordCorrection();
    RecordCorrection(const RecordCorrection&) = delete;
    RecordCorrection& operator=(const RecordCorrection&) = delete;

    // Transforms every point of the record.
    void transform(BoardTransform t);
    // "2手削除": enabled when 2 <= displayed move < last move.
    bool canDeleteTwo() const;
    bool deleteTwo();
    // "2手挿入": enabled when 1 <= displayed move < last move; the next two board clicks insert
    // stones of alternating colours after the displayed move, renumbering the later moves.
    bool canInsertTwo() const;
    bool startInsertTwo();
    // "置き石数": asks whether the record may be cleared; true when the handicap was changed.
    bool changeHandicap(int handicap);
    int handicap() const;
    // Keeps the changes (OK).
    void commit();
    // Puts the record back as it was when the dialog opened ("取り消し").
    void cancel();
    bool finished() const { return m_finished; }

private:
    CIgoBoard& m_board;
    std::unique_ptr<RecordSequence> m_copy;
    GameInfo m_info;
    int m_displayed = -1;
    int m_changes = 0;
    bool m_finished = false;
};

} // namespace stonewise
