#pragma once

#include <array>
#include <memory>
#include <vector>

#include "store/GameListPage.h"

namespace stonewise {

// The game list of one group in memory: up to 200 pages of ten slots, each page with a changed flag.
class GameList {
public:
    explicit GameList(int group = -1) : m_group(group) {}

    int group() const { return m_group; }
    // The entry of a game number, or null.
    const GameInfo* find(int number) const;
    // Puts an entry under its game number (1..1999) and marks the page changed; false otherwise.
    bool put(const GameInfo& info);
    // Empties the slot of a game number and marks the page changed; false when it was empty.
    bool clear(int number);
    // The lowest game number from 1 up whose slot is empty; -1 when all 1,999 are taken.
    int lowestFreeNumber() const;
    // Games in the list.
    int count() const;
    // Every entry in game-number order.
    std::vector<const GameInfo*> entries() const;

    // The slots of a page (empty slots when the page holds none).
    const GameListSlots& page(int index) const;
    // Takes the slots of a page read from its file (not marked changed).
    void setPage(int index, const GameListSlots& slots);
    bool pageChanged(int index) const;
    void setPageChanged(int index, bool changed);

private:
    struct Page {
        GameListSlots slots{};
        bool changed = false;
    };
    Page* pageOf(int number);
    int m_group;
    std::array<std::unique_ptr<Page>, kGameListPages> m_pages;
};

} // namespace stonewise
