#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "formats/MemberDirectory.h"
#include "record/GameInfo.h"
#include "store/MemberList.h"

namespace stonewise {

// The members of the library as the game-record readers and writers see them: a player's name is
// found among the members, or added as a new general member registered `today` in the first free
// slot (its page marked changed, written with the next save of the members).
class StoreMemberDirectory final : public MemberDirectory {
public:
    StoreMemberDirectory(MemberList& members, const GameDate& today) : m_members(members), m_today(today) {}

    // The number of the first member of that name (cut to 255 characters), adding one when none has
    // it; -1 for an empty name or when all 32,768 numbers are taken.
    int findOrCreate(std::u16string_view name) override;
    // The name of a member; empty when there is none.
    std::u16string nameOf(int number) const override;
    // The numbers of the members added through this directory, in order.
    const std::vector<int>& added() const { return m_added; }

private:
    MemberList& m_members;
    GameDate m_today;
    std::vector<int> m_added;
};

} // namespace stonewise
