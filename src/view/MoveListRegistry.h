#pragma once

#include <string_view>
#include <vector>

namespace stonewise {

// The message shown when a fourth move list asks to be registered.
inline constexpr int kMoveListLimitText = 20606;  // "棋譜リストの表示でエラーを検出。"
inline constexpr int kMoveListLimitTitle = 20607; // "アプリエラー"

// The move lists alive at one time (the main window's, the study board's and one more): at most
// three. One registry serves the whole program and is passed to each list.
class MoveListRegistry {
public:
    static constexpr int kMaxLists = 3;

    // Registers a list; true when it is (or already was) registered, false when three others are.
    bool add(const void* list);
    // Forgets a list; nothing happens for one that is not registered.
    void remove(const void* list);
    bool contains(const void* list) const;
    int count() const { return static_cast<int>(m_lists.size()); }

private:
    std::vector<const void*> m_lists;
};

} // namespace stonewise
