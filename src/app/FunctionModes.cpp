#include "app/FunctionModes.h"

#include "record/StringTable.h"
#include "store/GameStore.h"

namespace stonewise {

std::u16string_view modeTitle(int mode) {
    switch (mode) {
    case kModeMailGo: return uiText(17020);
    case kModeMailGoFinished: return uiText(17025);
    case kModePlayAndRecord: return uiText(17021);
    case kModePlayFinished: return uiText(17026);
    case kModeProblems: return uiText(20300);
    case kModeViewing: return uiText(17022);
    case kModeBook:
    case kModeBookExternal: return uiText(20301);
    case kModeSearch: return uiText(20302);
    default: return {};
    }
}

BarLayout mainBarLayout(int mode, bool mainBoard) {
    if (!mainBoard) return BarLayout::SearchAndOthers;
    switch (mode) {
    case kModeMailGo: return BarLayout::MailGo;
    case kModeMailGoFinished:
    case kModePlayFinished: return BarLayout::Finished;
    case kModePlayAndRecord: return BarLayout::PlayAndRecord;
    case kModeProblems: return BarLayout::Problems;
    case kModeViewing: return BarLayout::Viewing;
    case kModeBook:
    case kModeBookExternal: return BarLayout::Book;
    case kModeSearch: return BarLayout::SearchAndOthers;
    default: return BarLayout::None;
    }
}

BarLayout secondaryBarLayout(int mode, bool mainBoard) {
    if (!mainBoard || mode == kModeSearch) return BarLayout::SearchAndOthers;
    if (mode == kModeBook || mode == kModeBookExternal) return BarLayout::Book;
    return mode == kModeNone ? BarLayout::None : BarLayout::MailGo; // one secondary layout serves every other mode
}

FunctionModes::FunctionModes(GameStore& store, SettingsRecord& settings, ModeHost& host, bool mainBoard)
    : m_store(store), m_settings(settings), m_host(host), m_mainBoard(mainBoard) {}

bool FunctionModes::groupTypeExists(std::uint32_t type) const {
    for (const auto& g : m_store.groups())
        if (g && g->number != kScratchGroup && (g->type & type)) return true;
    return false;
}

std::optional<int> FunctionModes::firstUsableGroup() const {
    for (const auto& g : m_store.groups())
        if (g && g->number != kScratchGroup) return g->number;
    return std::nullopt;
}

bool FunctionModes::setMode(int mode) {
    if ((mode == kModeBook || mode == kModeBookExternal) && !m_bookReady) return false;
    m_host.leaveDisplay();
    std::optional<int> group;
    const bool needsGroup = mode != kModeBook && mode != kModeBookExternal && mode != kModeSearch && mode != kModeNone;
    if (needsGroup) {
        group = m_store.groupForMode(mode, m_settings);
        if (!group) group = firstUsableGroup();
        if (!group) return false;
    }
    m_mode = mode;
    m_liveGroup.reset();
    switch (mode) {
    case kModeMailGo: m_finishedTarget = groupTypeExists(kGroupFinishedMailGo) ? kModeMailGoFinished : 0; break;
    case kModePlayAndRecord: m_finishedTarget = groupTypeExists(kGroupFinishedGames) ? kModePlayFinished : 0; break;
    default: m_finishedTarget = 0; break;
    }
    if (group) m_host.openGroup(*group, mode);
    setLastView(m_settings, group.value_or(m_store.currentGroup()), mode);
    m_host.layoutBars(mainBarLayout(mode, m_mainBoard), secondaryBarLayout(mode, m_mainBoard), modeTitle(mode));
    return true;
}

void FunctionModes::toggleFinishedView() {
    int next = 0;
    int back = 0;
    switch (m_finishedTarget) {
    case kModeMailGoFinished:
        next = kModeMailGoFinished;
        back = kModeMailGo;
        break;
    case kModePlayFinished:
        next = kModePlayFinished;
        back = kModePlayAndRecord;
        break;
    case kModeMailGo:
        next = kModeMailGo;
        back = kModeMailGoFinished;
        break;
    case kModePlayAndRecord:
        next = kModePlayAndRecord;
        back = kModePlayFinished;
        break;
    default: return;
    }
    m_host.leaveDisplay();
    std::optional<int> group;
    if (next == kModeMailGoFinished || next == kModePlayFinished) {
        group = m_store.groupForMode(next, m_settings);
        if (!group) return;
        m_liveGroup = m_store.currentGroup();
    } else {
        group = m_liveGroup ? m_liveGroup : m_store.groupForMode(next, m_settings);
        m_liveGroup.reset();
        if (!group) return;
    }
    m_mode = next;
    m_finishedTarget = back;
    m_host.openGroup(*group, next);
    setLastView(m_settings, *group, next);
    m_host.layoutBars(mainBarLayout(next, m_mainBoard), secondaryBarLayout(next, m_mainBoard), modeTitle(next));
}

} // namespace stonewise
