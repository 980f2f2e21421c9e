#pragma once

#include <optional>
#include <string>
#include <unordered_map>

#include "formats/GameFileLoader.h"

namespace stonewise {

class GameList;

// A game name as a game list stores it: up to its first zero, at most `limit` characters (255 by
// default) without splitting a surrogate pair.
std::u16string storableName(std::u16string_view name, std::size_t limit = 255);

// The names of one group's games, for loads that overwrite a game of a given name or make a new
// game's name unique in its group. Built once from the game list; games stored afterwards are
// added with `add`.
class GroupGameNames : public GameNameRegistry {
public:
    explicit GroupGameNames(const GameList& list);
    std::optional<GameInfo> findGame(std::u16string_view name) const override;
    // `name`, else "name(1)", "name(2)", … the first that no game of the group has.
    std::u16string uniqueName(std::u16string_view name) const override;
    void add(const std::u16string& name, int number);

private:
    const GameList& m_list;
    std::unordered_map<std::u16string, int> m_numbers; // name → the lowest game number with it
};

} // namespace stonewise
