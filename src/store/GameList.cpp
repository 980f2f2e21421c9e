#include "store/GameList.h"

namespace stonewise {

namespace {
const GameListSlots kEmptyPage{};
} // namespace

GameList::Page* GameList::pageOf(int number) {
    if (number < 0 || number > kMaxGameNumber) return nullptr;
    auto& p = m_pages[static_cast<std::size_t>(number / kGamesPerPage)];
    if (!p) p = std::make_unique<Page>();
    return p.get();
}

const GameInfo* GameList::find(int number) const {
    if (number < 0 || number > kMaxGameNumber) return nullptr;
    const auto& p = m_pages[static_cast<std::size_t>(number / kGamesPerPage)];
    if (!p) return nullptr;
    const auto& e = p->slots[static_cast<std::size_t>(number % kGamesPerPage)];
    return e ? &*e : nullptr;
}

bool GameList::put(const GameInfo& info) {
    if (info.number < 1) return false;
    Page* p = pageOf(info.number);
    if (!p) return false;
    p->slots[static_cast<std::size_t>(info.number % kGamesPerPage)] = info;
    p->changed = true;
    return true;
}

bool GameList::clear(int number) {
    if (!find(number)) return false;
    Page* p = pageOf(number);
    p->slots[static_cast<std::size_t>(number % kGamesPerPage)].reset();
    p->changed = true;
    return true;
}

int GameList::lowestFreeNumber() const {
    for (int n = 1; n <= kMaxGameNumber; ++n)
        if (!find(n)) return n;
    return -1;
}

int GameList::count() const {
    int n = 0;
    for (const auto& p : m_pages)
        if (p)
            for (const auto& e : p->slots) n += e.has_value();
    return n;
}

std::vector<const GameInfo*> GameList::entries() const {
    std::vector<const GameInfo*> out;
    for (const auto& p : m_pages)
        if (p)
            for (const auto& e : p->slots)
                if (e) out.push_back(&*e);
    return out;
}

const GameListSlots& GameList::page(int index) const {
    if (index < 0 || index >= kGameListPages || !m_pages[static_cast<std::size_t>(index)]) return kEmptyPage;
    return m_pages[static_cast<std::size_t>(index)]->slots;
}

void GameList::setPage(int index, const GameListSlots& slots) {
    if (index < 0 || index >= kGameListPages) return;
    auto p = std::make_unique<Page>();
    p->slots = slots;
    m_pages[static_cast<std::size_t>(index)] = std::move(p);
}

bool GameList::pageChanged(int index) const {
    if (index < 0 || index >= kGameListPages) return false;
    const auto& p = m_pages[static_cast<std::size_t>(index)];
    return p && p->changed;
}

void GameList::setPageChanged(int index, bool changed) {
    if (index < 0 || index >= kGameListPages) return;
    if (auto& p = m_pages[static_cast<std::size_t>(index)]) p->changed = changed;
}

} // namespace stonewise
