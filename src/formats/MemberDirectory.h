#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace stonewise {

// The players a game record names, as the readers and writers see them: a member is found by its
// name or created, and a member number gives back its name. The data store implements it over its
// member pages; `InMemoryMembers` serves tests and the command line.
class MemberDirectory {
public:
    virtual ~MemberDirectory() = default;
    // The number of the member called `name`, creating one when no member has it; -1 when the list
    // is full or the name is empty.
    virtual int findOrCreate(std::u16string_view name) = 0;
    // The name of member `number`; empty when there is no such member.
    virtual std::u16string nameOf(int number) const = 0;
};

// Members kept in memory, numbered page × 256 + slot like the store's: member 0 is "不明"
// (unknown), the rest follow in the order they are first named. At most 32,768 members.
class InMemoryMembers final : public MemberDirectory {
public:
    static constexpr int kMaxMembers = 128 * 256;

    InMemoryMembers();
    int findOrCreate(std::u16string_view name) override;
    std::u16string nameOf(int number) const override;
    int count() const { return static_cast<int>(m_names.size()); }

private:
    std::vector<std::u16string> m_names;
    std::unordered_map<std::u16string, int> m_byName;
};

} // namespace stonewise
