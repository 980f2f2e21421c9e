#include "board/CountingBoard.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

#include "record/StringTable.h"
#include "record/Text.h"

namespace stonewise {

namespace {

constexpr int kDx[4] = {-1, 0, 1, 0};
constexpr int kDy[4] = {0, 1, 0, -1};

// The thresholds of the life-and-death passes.
constexpr int kSmallGroup = 4;         // first pass: groups of at most this many stones
constexpr int kSmallNeighbourhood = 8; // ... die when they and their own neighbours are fewer
constexpr int kWeakSide = 6;           // a shared area: the side below this many stones dies
constexpr int kManyLiberties = 4;      // a group with this many liberty areas is left open
constexpr int kMinEyeSpace = 2;
constexpr int kSekiLiberties = 4;     // shared liberties of a seki, at most
constexpr int kFalseEyeArea = 2;      // the largest area looked at as an eye for false eyes
constexpr int kEyeChainLiberties = 2; // a chain beside a false eye: the eye and one more at most
constexpr int kPlayoutGames = 64;     // random games played out from the position
constexpr double kSurelyOwned = 0.15; // ownership balance that settles a chain either way

void addOnce(std::vector<int>& list, int id) {
    if (std::find(list.begin(), list.end(), id) == list.end()) list.push_back(id);
}

bool inside(const CountRegion& inner, const CountRegion& outer) {
    return inner.minX >= outer.minX && inner.maxX <= outer.maxX && inner.minY >= outer.minY && inner.maxY <= outer.maxY;
}

// Union-find over chain ids, for the combined groups.
int findRoot(std::vector<int>& up, int i) {
    while (up[static_cast<std::size_t>(i)] != i) {
        up[static_cast<std::size_t>(i)] = up[static_cast<std::size_t>(up[static_cast<std::size_t>(i)])];
        i = up[static_cast<std::size_t>(i)];
    }
    return i;
}

} // namespace

void CountingBoard::start(const BoardPosition& pos, int totalMoves, bool passedOut) {
    m_size = pos.size();
    m_totalMoves = totalMoves;
    m_passedOut = passedOut;
    m_analysed = false;
    m_grid.fill(kCellBorder);
    m_stones.fill(0);
    m_dead.fill(0);
    m_filled.fill(0);
    m_neutral.fill(0);
    m_marks.fill(0);
    m_regions.clear();
    for (int x = 0; x < m_size; ++x)
        for (int y = 0; y < m_size; ++y) {
            const Colour c = pos.colourAt(x, y);
            grid(x, y) = c;
            m_stones[index(x, y)] = c;
        }
    m_prisoners = {pos.prisoners(kBlack), pos.prisoners(kWhite)};
}

Colour CountingBoard::colourAt(int x, int y) const {
    const std::uint8_t v = gridAt(x, y);
    return v == kBlack || v == kWhite ? static_cast<Colour>(v) : kEmpty;
}

// --- regions ---

int CountingBoard::floodRegion(int x, int y) {
    if (static_cast<int>(m_regions.size()) > kMaxRegions) return 0;
    const std::uint8_t v = gridAt(x, y) == kCellNeutral ? kCellEmpty : gridAt(x, y);
    CountRegion r;
    r.id = static_cast<int>(m_regions.size());
    r.kind = v == kCellEmpty ? static_cast<int>(CountRegion::Empty) : v;
    r.status = r.kind == CountRegion::Empty ? CountRegion::Unclassified : CountRegion::Undecided;
    std::vector<std::pair<int, int>> stack{{x, y}};
    m_regionId[static_cast<std::size_t>(cell(x, y))] = static_cast<std::int16_t>(r.id);
    while (!stack.empty()) {
        const auto [px, py] = stack.back();
        stack.pop_back();
        r.points.emplace_back(static_cast<std::uint8_t>(px), static_cast<std::uint8_t>(py));
        r.minX = std::min(r.minX, px);
        r.maxX = std::max(r.maxX, px);
        r.minY = std::min(r.minY, py);
        r.maxY = std::max(r.maxY, py);
        for (int d = 0; d < 4; ++d) {
            const int nx = px + kDx[d], ny = py + kDy[d];
            if (!on(nx, ny) || m_regionId[static_cast<std::size_t>(cell(nx, ny))] != 0) continue;
            const std::uint8_t w = gridAt(nx, ny) == kCellNeutral ? kCellEmpty : gridAt(nx, ny);
            if (w != v) continue;
            m_regionId[static_cast<std::size_t>(cell(nx, ny))] = static_cast<std::int16_t>(r.id);
            stack.emplace_back(nx, ny);
        }
    }
    r.size = static_cast<int>(r.points.size());
    m_regions.push_back(std::move(r));
    return m_regions.back().id;
}

void CountingBoard::linkCombinedGroups() {
    const int chains = static_cast<int>(m_regions.size());
    std::vector<int> up(static_cast<std::size_t>(chains));
    std::iota(up.begin(), up.end(), 0);
    auto idAt = [&](int x, int y) { return on(x, y) ? m_regionId[static_cast<std::size_t>(cell(x, y))] : 0; };
    for (int x = 0; x < m_size; ++x)
        for (int y = 0; y < m_size; ++y) {
            const std::uint8_t c = gridAt(x, y);
            const int own = idAt(x, y);
            if ((c != kBlack && c != kWhite) || own == 0) continue;
            for (int d = 0; d < 4; ++d) {
                const int ex = x + kDx[d], ey = y + kDy[d];
                if (!on(ex, ey) || (gridAt(ex, ey) != kCellEmpty && gridAt(ex, ey) != kCellNeutral)) continue;
                // The diagonal stones beside the empty point, and the stone a one-point jump away.
                const int contacts[3][2] = {
                    {ex + kDy[d], ey + kDx[d]}, {ex - kDy[d], ey - kDx[d]}, {ex + kDx[d], ey + kDy[d]}};
                for (const auto& q : contacts) {
                    if (!on(q[0], q[1]) || gridAt(q[0], q[1]) != c) continue;
                    const int other = idAt(q[0], q[1]);
                    if (other == 0) continue;
                    up[static_cast<std::size_t>(findRoot(up, own))] = findRoot(up, other);
                }
            }
        }
    std::vector<int> setSize(static_cast<std::size_t>(chains), 0);
    for (int id = 1; id < chains; ++id) ++setSize[static_cast<std::size_t>(findRoot(up, id))];
    std::vector<int> combinedOf(static_cast<std::size_t>(chains), -1);
    for (int id = 1; id < chains; ++id) {
        const int root = findRoot(up, id);
        if (!m_regions[static_cast<std::size_t>(id)].stones() || setSize[static_cast<std::size_t>(root)] < 2) continue;
        int& group = combinedOf[static_cast<std::size_t>(root)];
        if (group < 0) {
            if (static_cast<int>(m_regions.size()) > kMaxRegions) break;
            CountRegion g;
            g.id = static_cast<int>(m_regions.size());
            g.kind = m_regions[static_cast<std::size_t>(id)].kind;
            m_regions.push_back(std::move(g));
            group = m_regions.back().id;
        }
        CountRegion& g = m_regions[static_cast<std::size_t>(group)];
        CountRegion& chain = m_regions[static_cast<std::size_t>(id)];
        chain.parent = group;
        g.members.push_back(id);
        g.size += chain.size;
        g.minX = std::min(g.minX, chain.minX);
        g.maxX = std::max(g.maxX, chain.maxX);
        g.minY = std::min(g.minY, chain.minY);
        g.maxY = std::max(g.maxY, chain.maxY);
    }
}

void CountingBoard::buildNeighbours() {
    const int chains = static_cast<int>(m_regions.size());
    for (int id = 1; id < chains; ++id) {
        CountRegion& r = m_regions[static_cast<std::size_t>(id)];
        if (!r.stones()) continue;
        for (const auto& [px, py] : r.points)
            for (int d = 0; d < 4; ++d) {
                const int nx = px + kDx[d], ny = py + kDy[d];
                if (!on(nx, ny)) continue;
                const int other = m_regionId[static_cast<std::size_t>(cell(nx, ny))];
                if (other == 0 || other == id) continue;
                CountRegion& o = m_regions[static_cast<std::size_t>(other)];
                if (o.kind == r.kind) continue;
                addOnce(r.neighbours, other);
                addOnce(o.neighbours, id);
                if (r.parent >= 0) addOnce(m_regions[static_cast<std::size_t>(r.parent)].neighbours, other);
            }
    }
}

void CountingBoard::buildRegions() {
    m_regions.assign(1, CountRegion{});
    m_regionId.fill(0);
    for (int x = 0; x < m_size; ++x)
        for (int y = 0; y < m_size; ++y)
            if (m_regionId[static_cast<std::size_t>(cell(x, y))] == 0 && floodRegion(x, y) == 0) break;
    linkCombinedGroups();
    buildNeighbours();
}

int CountingBoard::top(int id) const {
    const int p = m_regions[static_cast<std::size_t>(id)].parent;
    return p >= 0 ? p : id;
}

// --- life and death ---

void CountingBoard::setStatus(int groupId, int status) {
    CountRegion& g = m_regions[static_cast<std::size_t>(groupId)];
    if (status == CountRegion::Dead && g.status != CountRegion::Dead)
        (g.kind == CountRegion::Black ? m_deadBlack : m_deadWhite) += g.size;
    g.status = status;
    for (int m : g.members) m_regions[static_cast<std::size_t>(m)].status = status;
}

// An empty region whose only living neighbour is this group and which lies within its bounds.
bool CountingBoard::ownEye(int groupId, const CountRegion& empty) const {
    for (int n : empty.neighbours) {
        const int t = top(n);
        if (t != groupId && m_regions[static_cast<std::size_t>(t)].status != CountRegion::Dead) return false;
    }
    return inside(empty, m_regions[static_cast<std::size_t>(groupId)]);
}

// The stones of `kind` (black or white groups, each counted once) around an empty region.
int CountingBoard::sumAround(const CountRegion& empty, int kind, bool skipDead) const {
    std::vector<int> seen;
    int sum = 0;
    for (int n : empty.neighbours) {
        const int t = top(n);
        const CountRegion& g = m_regions[static_cast<std::size_t>(t)];
        if (g.kind != kind || (skipDead && g.status == CountRegion::Dead)) continue;
        if (std::find(seen.begin(), seen.end(), t) != seen.end()) continue;
        seen.push_back(t);
        sum += g.size;
    }
    return sum;
}

std::vector<int> CountingBoard::emptyNeighbours(int groupId) const {
    std::vector<int> out;
    for (int n : m_regions[static_cast<std::size_t>(groupId)].neighbours)
        if (m_regions[static_cast<std::size_t>(n)].kind == CountRegion::Empty) addOnce(out, n);
    std::sort(out.begin(), out.end());
    return out;
}

bool CountingBoard::hasOwnEye(int groupId) const {
    for (int n : emptyNeighbours(groupId))
        if (ownEye(groupId, m_regions[static_cast<std::size_t>(n)])) return true;
    return false;
}

// Seki: the group and a living-or-open enemy beside it have exactly the same liberties, two to
// four points, and neither has an eye of its own; whoever fills one is taken, so both stay.
std::vector<int> CountingBoard::libertyCells(int groupId) const {
    const CountRegion& g = m_regions[static_cast<std::size_t>(groupId)];
    std::vector<int> cells;
    for (int c : g.combined() ? g.members : std::vector<int>{groupId})
        for (const auto& [px, py] : m_regions[static_cast<std::size_t>(c)].points)
            for (int d = 0; d < 4; ++d) {
                const std::uint8_t v = gridAt(px + kDx[d], py + kDy[d]);
                if (v == kCellEmpty || v == kCellNeutral) addOnce(cells, cell(px + kDx[d], py + kDy[d]));
            }
    std::sort(cells.begin(), cells.end());
    return cells;
}

bool CountingBoard::inSeki(int groupId) const {
    const CountRegion& g = m_regions[static_cast<std::size_t>(groupId)];
    if (g.size < 2 || hasOwnEye(groupId)) return false;
    const std::vector<int> liberties = libertyCells(groupId);
    if (liberties.size() < 2 || static_cast<int>(liberties.size()) > kSekiLiberties) return false;
    std::vector<int> enemies;
    for (int n : emptyNeighbours(groupId))
        for (int s : m_regions[static_cast<std::size_t>(n)].neighbours) {
            const int t = top(s);
            const CountRegion& e = m_regions[static_cast<std::size_t>(t)];
            if (e.kind != g.kind && e.status != CountRegion::Dead) addOnce(enemies, t);
        }
    for (int t : enemies)
        if (m_regions[static_cast<std::size_t>(t)].size >= 2 && libertyCells(t) == liberties && !hasOwnEye(t))
            return true;
    return false;
}

void CountingBoard::firstPass(const std::vector<int>& groups) {
    for (int id : groups) {
        const CountRegion& g = m_regions[static_cast<std::size_t>(id)];
        if (g.status == CountRegion::Dead || g.size > kSmallGroup) continue;
        bool eye = false;
        std::vector<int> friends;
        int around = 0;
        for (int n : g.neighbours) {
            const CountRegion& e = m_regions[static_cast<std::size_t>(n)];
            if (e.kind != CountRegion::Empty) continue;
            if (ownEye(id, e)) eye = true;
            for (int s : e.neighbours) {
                const int t = top(s);
                const CountRegion& f = m_regions[static_cast<std::size_t>(t)];
                if (t == id || f.kind != g.kind || std::find(friends.begin(), friends.end(), t) != friends.end())
                    continue;
                friends.push_back(t);
                around += f.size;
            }
        }
        if (!eye && g.size + around < kSmallNeighbourhood && !inSeki(id)) setStatus(id, CountRegion::Dead);
    }
}

void CountingBoard::classifyEmptyRegions() {
    for (CountRegion& e : m_regions) {
        if (e.kind != CountRegion::Empty || e.id == 0) continue;
        std::vector<int> tops;
        for (int n : e.neighbours) addOnce(tops, top(n));
        const bool lonePoint = e.size == 1 && e.neighbours.size() > 2;
        if (tops.size() <= 1 && !lonePoint) {
            e.status = CountRegion::Settled;
            continue;
        }
        const int black = sumAround(e, CountRegion::Black, true);
        const int white = sumAround(e, CountRegion::White, true);
        if (black == 0 || white == 0) {
            e.status = CountRegion::Settled;
            continue;
        }
        if (std::min(black, white) >= kWeakSide) continue;
        const int weaker = black < white ? CountRegion::Black : CountRegion::White;
        if (std::any_of(tops.begin(), tops.end(),
                        [&](int t) { return m_regions[static_cast<std::size_t>(t)].kind == weaker && inSeki(t); }))
            continue;
        e.status = CountRegion::Settled;
        for (int t : tops) {
            const CountRegion& g = m_regions[static_cast<std::size_t>(t)];
            if (g.kind == weaker && g.status != CountRegion::Dead) setStatus(t, CountRegion::Dead);
        }
    }
}

void CountingBoard::evaluateGroup(int id) {
    const CountRegion& g = m_regions[static_cast<std::size_t>(id)];
    int eyes = 0;
    int space = 0;
    std::vector<int> empties;
    std::vector<int> deadEnemies;
    for (int n : g.neighbours) {
        const CountRegion& r = m_regions[static_cast<std::size_t>(n)];
        if (r.kind == CountRegion::Empty) {
            addOnce(empties, n);
            continue;
        }
        const int t = top(n);
        if (m_regions[static_cast<std::size_t>(t)].status == CountRegion::Dead &&
            std::find(deadEnemies.begin(), deadEnemies.end(), t) == deadEnemies.end()) {
            deadEnemies.push_back(t);
            space += m_regions[static_cast<std::size_t>(t)].size;
        }
    }
    if (empties.empty()) {
        setStatus(id, CountRegion::Dead);
        return;
    }
    const int enemyKind = g.kind == CountRegion::Black ? CountRegion::White : CountRegion::Black;
    for (int n : empties) {
        const CountRegion& e = m_regions[static_cast<std::size_t>(n)];
        bool aliveEnemy = false;
        int deadInside = 0;
        for (int s : e.neighbours) {
            const CountRegion& o = m_regions[static_cast<std::size_t>(top(s))];
            if (o.kind != enemyKind) continue;
            if (o.status == CountRegion::Alive) aliveEnemy = true;
            if (o.status == CountRegion::Dead) deadInside += o.size;
        }
        if (ownEye(id, e)) {
            if (aliveEnemy) continue;
            ++eyes;
            space += std::max(1, e.size + deadInside);
            continue;
        }
        if (inside(g, e) && empties.size() == 1) {
            const int enemy = sumAround(e, enemyKind, true);
            const int own = sumAround(e, g.kind, true);
            if (enemy == 0 || enemy * 4 < own) {
                setStatus(id, CountRegion::Alive);
                return;
            }
        }
        if (e.status == CountRegion::Settled) {
            ++eyes;
            space += e.size;
            continue;
        }
        space += deadInside;
        if (aliveEnemy) continue;
        if (inside(e, g) && sumAround(e, enemyKind, true) == 0) {
            if (e.size < 3) ++eyes;
            else {
                eyes += e.size;
                space += e.size;
            }
        }
    }
    int status = CountRegion::Open;
    if (eyes >= 1 && space > kMinEyeSpace) status = CountRegion::Alive;
    else if (eyes <= 1) {
        if (space < kMinEyeSpace && static_cast<int>(empties.size()) < kManyLiberties && !inSeki(id))
            status = CountRegion::Dead;
    }
    m_regions[static_cast<std::size_t>(id)].eyeSpace = space;
    setStatus(id, status);
}

// The group's own eyes that are not false eyes.
int CountingBoard::realEyes(int groupId) const {
    const Colour own = static_cast<Colour>(m_regions[static_cast<std::size_t>(groupId)].kind);
    int eyes = 0;
    for (int n : emptyNeighbours(groupId)) {
        const CountRegion& e = m_regions[static_cast<std::size_t>(n)];
        if (!ownEye(groupId, e)) continue;
        bool falseEye = false;
        for (const auto& [px, py] : e.points)
            if (e.size <= kFalseEyeArea && falseEyeAt(px, py, own, true)) falseEye = true;
        if (!falseEye) ++eyes;
    }
    return eyes;
}

// Groups left open with no eye space and fewer than two real eyes beside a larger enemy that
// lives or is open with more eye space: the weaker is dead, unless the two are in seki.
void CountingBoard::settleOpenGroups(const std::vector<int>& groups) {
    for (int id : groups) {
        const CountRegion& g = m_regions[static_cast<std::size_t>(id)];
        if (g.status != CountRegion::Open || g.eyeSpace > kMinEyeSpace || realEyes(id) >= 2 || inSeki(id)) continue;
        const int eyes = realEyes(id);
        bool stronger = false;
        for (int n : g.neighbours) {
            const CountRegion& r = m_regions[static_cast<std::size_t>(n)];
            std::vector<int> around;
            if (r.kind == CountRegion::Empty) around = r.neighbours;
            else around.push_back(n);
            for (int s : around) {
                const int t = top(s);
                const CountRegion& e = m_regions[static_cast<std::size_t>(t)];
                if (e.kind == g.kind || e.size <= g.size) continue;
                if (e.status == CountRegion::Alive ||
                    (e.status == CountRegion::Open && (e.eyeSpace > g.eyeSpace || realEyes(t) >= eyes)))
                    stronger = true;
            }
        }
        if (stronger) setStatus(id, CountRegion::Dead);
    }
}

bool CountingBoard::analyse() {
    clearAnalysis();
    buildRegions();
    m_deadBlack = 1;
    m_deadWhite = 1;
    std::vector<int> groups;
    int emptyRegions = 0;
    for (const CountRegion& r : m_regions) {
        if (r.id == 0) continue;
        if (r.kind == CountRegion::Empty) ++emptyRegions;
        else if (r.parent < 0) groups.push_back(r.id);
    }
    std::stable_sort(groups.begin(), groups.end(), [&](int a, int b) {
        return m_regions[static_cast<std::size_t>(a)].size < m_regions[static_cast<std::size_t>(b)].size;
    });
    firstPass(groups);
    classifyEmptyRegions();
    for (int id : groups)
        if (m_regions[static_cast<std::size_t>(id)].status == CountRegion::Undecided) evaluateGroup(id);
    settleOpenGroups(groups);

    const int allRegions = static_cast<int>(m_regions.size()) - 1;
    // A position the players did not end by passing is refused when it has few empty regions for
    // its stones (borders not yet closed) or few moves for the stones the passes found dead.
    if (!m_passedOut && (emptyRegions * 8 < allRegions || m_totalMoves < 3 * (m_deadBlack + m_deadWhite))) {
        m_regions.clear();
        return false;
    }
    m_playouts.run(m_stones, m_size, kPlayoutGames);
    for (const CountRegion& c : m_regions) {
        if (c.id == 0 || !c.stones() || c.combined() || !chainDead(c)) continue;
        for (const auto& [px, py] : c.points) setDead(px, py, DeadState::ByAnalysis);
    }
    findFalseEyes();
    splitOpenAreas();
    m_analysed = true;
    return true;
}

// The played-out games overrule the passes where they lean clearly one way: a chain captured in
// most games is dead, one standing in most games lives. Where the games split evenly the passes
// decide.
bool CountingBoard::chainDead(const CountRegion& chain) const {
    double share = 0;
    for (const auto& [px, py] : chain.points) share += m_playouts.blackShare(px, py);
    share /= std::max(1, chain.size);
    if (chain.kind == CountRegion::White) share = -share;
    if (share <= -kSurelyOwned) return true;
    if (share >= kSurelyOwned) return false;
    return m_regions[static_cast<std::size_t>(top(chain.id))].status == CountRegion::Dead;
}

// The owner the played-out games give an empty point: kBlack, kWhite, or kEmpty when they split.
Colour CountingBoard::settledOwner(int x, int y) const {
    const double share = m_playouts.blackShare(x, y);
    return share >= kSurelyOwned ? kBlack : share <= -kSurelyOwned ? kWhite : kEmpty;
}

// The empty area around (x, y), flooded in the neighbour order left, down, right, up, marking
// `seen`; `black` and `white` tell whether it touches stones of that colour.
void CountingBoard::emptyArea(int x, int y, std::array<std::uint8_t, kGrid * kGrid>& seen,
                              std::vector<std::pair<int, int>>& area, bool& black, bool& white) const {
    area.assign(1, {x, y});
    seen[static_cast<std::size_t>(cell(x, y))] = 1;
    for (std::size_t k = 0; k < area.size(); ++k) {
        const auto [px, py] = area[k];
        for (int d = 0; d < 4; ++d) {
            const int nx = px + kDx[d], ny = py + kDy[d];
            const std::uint8_t v = gridAt(nx, ny);
            black = black || v == kBlack;
            white = white || v == kWhite;
            if (v != kCellEmpty || seen[static_cast<std::size_t>(cell(nx, ny))]) continue;
            seen[static_cast<std::size_t>(cell(nx, ny))] = 1;
            area.emplace_back(nx, ny);
        }
    }
}

// An empty area that touches living stones of both colours is a border left open (dame not
// filled, or a boundary the players never closed). Its points that the games leave to nobody,
// that touch a living stone of the colour not owning them, or that face an empty point not of
// their owner become neutral, so the rest of the area counts for the side that owns it.
void CountingBoard::splitOpenAreas() {
    std::array<std::uint8_t, kGrid * kGrid> seen{};
    std::vector<std::pair<int, int>> area;
    std::vector<std::pair<int, int>> neutral;
    for (int x = 0; x < m_size; ++x)
        for (int y = 0; y < m_size; ++y) {
            if (gridAt(x, y) != kCellEmpty || seen[static_cast<std::size_t>(cell(x, y))]) continue;
            bool black = false, white = false;
            emptyArea(x, y, seen, area, black, white);
            if (!black || !white) continue;
            for (const auto& [px, py] : area) {
                const Colour owner = settledOwner(px, py);
                bool border = owner == kEmpty;
                for (int d = 0; d < 4 && !border; ++d) {
                    const int nx = px + kDx[d], ny = py + kDy[d];
                    const std::uint8_t v = gridAt(nx, ny);
                    if (v == kBlack || v == kWhite) border = v != owner;
                    else if (v == kCellEmpty || v == kCellNeutral) border = settledOwner(nx, ny) != owner;
                }
                if (border) neutral.emplace_back(px, py);
            }
        }
    for (const auto& [px, py] : neutral) {
        grid(px, py) = kCellNeutral;
        m_neutral[index(px, py)] = 1;
    }
}

// --- false eyes ---

// Whether the empty area around (x, y) (not passing `skip`) touches no enemy stone: the own
// territory, where the enemy cannot play safely.
bool CountingBoard::ownArea(int x, int y, int skip, Colour own) const {
    const Colour enemy = opponentOf(own);
    std::array<std::uint8_t, kGrid * kGrid> seen{};
    seen[static_cast<std::size_t>(skip)] = 1;
    seen[static_cast<std::size_t>(cell(x, y))] = 1;
    std::vector<std::pair<int, int>> stack{{x, y}};
    while (!stack.empty()) {
        const auto [px, py] = stack.back();
        stack.pop_back();
        for (int d = 0; d < 4; ++d) {
            const int nx = px + kDx[d], ny = py + kDy[d];
            const std::uint8_t v = gridAt(nx, ny);
            if (v == enemy) return false;
            std::uint8_t& s = seen[static_cast<std::size_t>(cell(nx, ny))];
            if (v != kCellEmpty || s) continue;
            s = 1;
            stack.emplace_back(nx, ny);
        }
    }
    return true;
}

// A chain beside the false-eye candidate (x, y) that the enemy can bring into atari there: at
// most `limit` liberties counting the point, none of the others in the own territory.
bool CountingBoard::shortOfLiberties(int chainId, int x, int y, int limit, Colour own) const {
    std::vector<int> seen;
    for (const auto& [px, py] : m_regions[static_cast<std::size_t>(chainId)].points)
        for (int d = 0; d < 4; ++d) {
            const std::uint8_t v = gridAt(px + kDx[d], py + kDy[d]);
            if (v == kCellEmpty || v == kCellNeutral) addOnce(seen, cell(px + kDx[d], py + kDy[d]));
        }
    if (static_cast<int>(seen.size()) > limit) return false;
    const int point = cell(x, y);
    for (int c : seen)
        if (c != point && gridAt(c / kGrid - 1, c % kGrid - 1) == kCellEmpty &&
            ownArea(c / kGrid - 1, c % kGrid - 1, point, own))
            return false;
    return true;
}

// `inEye`: the point's area is eye-sized. A false eye has to be filled only when a chain beside it
// can be brought into atari: in an eye, a chain with one liberty besides the point; in a larger
// area, a cut-off chain with no other liberty.
bool CountingBoard::falseEyeAt(int x, int y, Colour own, bool inEye) const {
    const Colour enemy = opponentOf(own);
    int empty = 0;
    std::vector<int> ownChains;
    for (int d = 0; d < 4; ++d) {
        const std::uint8_t v = gridAt(x + kDx[d], y + kDy[d]);
        if (v == enemy) return false;
        if (v == kCellEmpty) ++empty;
        if (v == own) addOnce(ownChains, m_regionId[static_cast<std::size_t>(cell(x + kDx[d], y + kDy[d]))]);
    }
    if (empty >= 2 || ownChains.size() < 2) return false;
    auto mustConnect = [&](int chain) { return shortOfLiberties(chain, x, y, inEye ? kEyeChainLiberties : 1, own); };
    // Both points of one diagonal held by the enemy.
    if ((gridAt(x - 1, y - 1) == enemy && gridAt(x + 1, y + 1) == enemy) ||
        (gridAt(x + 1, y - 1) == enemy && gridAt(x - 1, y + 1) == enemy))
        return std::any_of(ownChains.begin(), ownChains.end(), mustConnect);
    // An own neighbour cut off: neither diagonal point beside it and the examined point is empty or own.
    for (int d = 0; d < 4; ++d) {
        const int nx = x + kDx[d], ny = y + kDy[d];
        if (gridAt(nx, ny) != own) continue;
        const std::uint8_t a = gridAt(nx + kDy[d], ny + kDx[d]);
        const std::uint8_t b = gridAt(nx - kDy[d], ny - kDx[d]);
        const bool linkA = a == kCellEmpty || a == own;
        const bool linkB = b == kCellEmpty || b == own;
        if (!linkA && !linkB && mustConnect(m_regionId[static_cast<std::size_t>(cell(nx, ny))])) return true;
    }
    return false;
}

void CountingBoard::findFalseEyes() {
    for (const CountRegion& g : m_regions) {
        if (g.id == 0 || !g.stones() || g.parent >= 0 || g.status == CountRegion::Dead) continue;
        const Colour own = static_cast<Colour>(g.kind);
        for (int n : g.neighbours) {
            const CountRegion& e = m_regions[static_cast<std::size_t>(n)];
            if (e.kind != CountRegion::Empty) continue;
            bool livingEnemy = false;
            for (int s : e.neighbours) {
                const CountRegion& o = m_regions[static_cast<std::size_t>(top(s))];
                if (o.kind != g.kind && o.status != CountRegion::Dead) livingEnemy = true;
            }
            if (livingEnemy) continue;
            for (const auto& [px, py] : e.points) {
                if (gridAt(px, py) != kCellEmpty || !falseEyeAt(px, py, own, e.size <= kFalseEyeArea)) continue;
                grid(px, py) = kCellNeutral;
                m_marks[index(px, py)] = kCountMarkFalseEye;
            }
        }
    }
}

// --- corrections ---

void CountingBoard::setDead(int x, int y, DeadState state) {
    const std::size_t i = index(x, y);
    const Colour c = static_cast<Colour>(m_stones[i]);
    if (c == kEmpty || m_dead[i] != 0) return;
    m_dead[i] = static_cast<std::uint8_t>(state);
    grid(x, y) = kCellEmpty;
    m_marks[i] = kCountMarkDead;
    ++m_prisoners[c == kBlack ? 1 : 0];
}

void CountingBoard::setAlive(int x, int y) {
    const std::size_t i = index(x, y);
    const Colour c = static_cast<Colour>(m_stones[i]);
    if (c == kEmpty || m_dead[i] == 0) return;
    m_dead[i] = 0;
    grid(x, y) = c;
    m_marks[i] = 0;
    --m_prisoners[c == kBlack ? 1 : 0];
}

void CountingBoard::clearAnalysis() {
    for (int x = 0; x < m_size; ++x)
        for (int y = 0; y < m_size; ++y) {
            if (m_dead[index(x, y)] == static_cast<std::uint8_t>(DeadState::ByAnalysis)) setAlive(x, y);
            if (m_marks[index(x, y)] == kCountMarkFalseEye) {
                m_marks[index(x, y)] = 0;
                grid(x, y) = kCellEmpty;
            }
        }
    for (int x = 0; x < m_size; ++x)
        for (int y = 0; y < m_size; ++y)
            if (m_neutral[index(x, y)] != 0) {
                m_neutral[index(x, y)] = 0;
                if (gridAt(x, y) == kCellNeutral && m_marks[index(x, y)] == 0) grid(x, y) = kCellEmpty;
            }
    m_regions.clear();
    m_analysed = false;
}

// The stones of the combined group at (x, y) as the position holds them (dead ones included):
// chains joined by diagonal contacts and one-point jumps across empty points.
std::vector<std::pair<int, int>> CountingBoard::groupPoints(int x, int y) const {
    const std::uint8_t c = m_stones[index(x, y)];
    std::vector<std::pair<int, int>> out;
    if (c == kEmpty) return out;
    std::array<std::uint8_t, kPointCount> seen{};
    auto stoneOf = [&](int px, int py) { return on(px, py) ? m_stones[index(px, py)] : std::uint8_t{0xFF}; };
    auto open = [&](int px, int py) { return on(px, py) && (stoneOf(px, py) == kEmpty || m_dead[index(px, py)] != 0); };
    std::vector<std::pair<int, int>> stack{{x, y}};
    seen[index(x, y)] = 1;
    while (!stack.empty()) {
        const auto [px, py] = stack.back();
        stack.pop_back();
        out.emplace_back(px, py);
        auto visit = [&](int qx, int qy) {
            if (stoneOf(qx, qy) != c || seen[index(qx, qy)]) return;
            seen[index(qx, qy)] = 1;
            stack.emplace_back(qx, qy);
        };
        for (int d = 0; d < 4; ++d) {
            const int ex = px + kDx[d], ey = py + kDy[d];
            visit(ex, ey);
            if (!on(ex, ey) || !open(ex, ey) || stoneOf(ex, ey) == c) continue;
            visit(ex + kDy[d], ey + kDx[d]);
            visit(ex - kDy[d], ey - kDx[d]);
            visit(ex + kDx[d], ey + kDy[d]);
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

bool CountingBoard::toggleGroup(int x, int y) {
    if (!on(x, y) || m_stones[index(x, y)] == kEmpty) return false;
    const bool revive = m_dead[index(x, y)] != 0;
    for (const auto& [px, py] : groupPoints(x, y)) {
        if (revive) setAlive(px, py);
        else setDead(px, py, DeadState::ByUser);
    }
    return true;
}

bool CountingBoard::fillPoint(int x, int y, Colour colour) {
    if (!on(x, y) || m_stones[index(x, y)] != kEmpty || (colour != kBlack && colour != kWhite)) return false;
    grid(x, y) = colour;
    m_neutral[index(x, y)] = 0;
    m_stones[index(x, y)] = colour;
    m_filled[index(x, y)] = 1;
    m_marks[index(x, y)] = 0;
    return true;
}

bool CountingBoard::toggleFalseEye(int x, int y) {
    if (!on(x, y) || colourAt(x, y) != kEmpty || m_dead[index(x, y)] != 0) return false;
    const bool marked = m_marks[index(x, y)] == kCountMarkFalseEye;
    m_neutral[index(x, y)] = 0;
    m_marks[index(x, y)] = marked ? 0 : kCountMarkFalseEye;
    grid(x, y) = marked ? kCellEmpty : kCellNeutral;
    return true;
}

std::vector<std::pair<int, int>> CountingBoard::deadStones() const {
    std::vector<std::pair<int, int>> out;
    for (int x = 0; x < m_size; ++x)
        for (int y = 0; y < m_size; ++y)
            if (m_dead[index(x, y)] != 0) out.emplace_back(x, y);
    return out;
}

// --- the count ---

CountResult CountingBoard::count(double komi) {
    CountResult r;
    for (std::uint8_t& m : m_marks)
        if (m == kCountMarkBlackTerritory || m == kCountMarkWhiteTerritory) m = 0;
    std::array<std::uint8_t, kGrid * kGrid> visited{};
    std::vector<std::pair<int, int>> region;
    for (int y = 0; y < m_size; ++y)
        for (int x = 0; x < m_size; ++x) {
            if (gridAt(x, y) != kCellEmpty || visited[static_cast<std::size_t>(cell(x, y))]) continue;
            bool touchesBlack = false, touchesWhite = false;
            emptyArea(x, y, visited, region, touchesBlack, touchesWhite);
            if (touchesBlack == touchesWhite) continue;
            const int owner = touchesBlack ? kBlack : kWhite;
            (owner == kBlack ? r.blackTerritory : r.whiteTerritory) += static_cast<int>(region.size());
            for (const auto& [px, py] : region)
                if (m_marks[index(px, py)] == 0)
                    m_marks[index(px, py)] = owner == kBlack ? kCountMarkBlackTerritory : kCountMarkWhiteTerritory;
        }
    // The area: living stones (filled points too) and territory; a false eye counts for the side
    // whose stones alone surround it, as that side fills it at the end.
    r.blackArea = r.blackTerritory;
    r.whiteArea = r.whiteTerritory;
    for (int y = 0; y < m_size; ++y)
        for (int x = 0; x < m_size; ++x) {
            Colour owner = colourAt(x, y);
            if (owner == kEmpty && m_marks[index(x, y)] == kCountMarkFalseEye) {
                bool black = false, white = false;
                for (int d = 0; d < 4; ++d) {
                    black = black || gridAt(x + kDx[d], y + kDy[d]) == kBlack;
                    white = white || gridAt(x + kDx[d], y + kDy[d]) == kWhite;
                }
                owner = black == white ? kEmpty : black ? kBlack : kWhite;
            }
            if (owner == kBlack) ++r.blackArea;
            if (owner == kWhite) ++r.whiteArea;
        }
    r.whiteScore = r.whiteTerritory - prisoners(kBlack);
    r.blackScore = r.blackTerritory - prisoners(kWhite);
    r.boardDifference = r.whiteScore - r.blackScore;
    describeCount(r, komi);
    return r;
}

void describeCount(CountResult& r, double komi) {
    r.afterKomi = komi + r.boardDifference;
    r.whiteTerritoryLine = std::u16string(uiText(55511)) + toU16(r.whiteTerritory);
    r.blackTerritoryLine = std::u16string(uiText(55512)) + toU16(r.blackTerritory);
    r.whiteLine = formatText(uiText(55500), {r.whiteScore});
    r.blackLine = formatText(uiText(55501), {r.blackScore});
    const int d = r.boardDifference;
    r.boardLine = d == 0 ? std::u16string(uiText(55502)) : formatText(uiText(d < 0 ? 55503 : 55504), {d < 0 ? -d : d});
    const double k = r.afterKomi;
    r.resultLine =
        k == 0.0 ? std::u16string(uiText(55505)) : formatText(uiText(k < 0 ? 55506 : 55507), {k < 0 ? -k : k});
}

CountingRules countingRulesNamed(std::string_view name, int handicap) {
    std::string lower;
    for (const char c : name)
        if (c != ' ' && c != '-' && c != '_') lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    auto has = [&](std::string_view word) { return lower.find(word) != std::string::npos; };
    const int stones = handicap >= 2 ? handicap : 0;
    CountingRules rules;
    if (has("chinese") || lower.rfind("ing", 0) == 0 || lower == "goe") rules = {true, stones};
    else if (has("aga") || has("american")) rules = {true, std::max(0, stones - 1)};
    else if (has("zealand") || lower == "nz" || has("tromp") || lower.rfind("tt", 0) == 0) rules = {true, 0};
    return rules;
}

CountResult scoredUnder(const CountResult& r, double komi, const CountingRules& rules) {
    CountResult out = r;
    if (!rules.area) return out;
    out.whiteScore = r.whiteArea;
    out.blackScore = r.blackArea;
    out.boardDifference = r.whiteArea - r.blackArea + rules.handicapCompensation;
    describeCount(out, komi);
    return out;
}

std::string sgfResultOfCount(const CountResult& r) {
    if (r.afterKomi == 0.0) return "0";
    char text[32];
    std::snprintf(text, sizeof text, "%c+%g", r.afterKomi < 0 ? 'B' : 'W', std::fabs(r.afterKomi));
    return text;
}

} // namespace stonewise
