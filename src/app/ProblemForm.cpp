#include "app/ProblemForm.h"

#include "app/Dialogs.h"
#include "book/ProblemCategory.h"
#include "store/StoreStrings.h"

namespace stonewise {

namespace {

constexpr std::uint16_t kExtendedHeader = 0x10; // the game comment is kept and written

} // namespace

ProblemForm::ProblemForm(const StringTable& strings, const ProblemFormMemory& memory)
    : m_strings(strings), m_board13(memory.board13), m_category(memory.category), m_side(memory.side) {
    m_name = prefix();
}

ProblemForm::ProblemForm(const StringTable& strings, const GameInfo& existing, Colour side)
    : m_strings(strings), m_board13(existing.board == 1), m_category(existing.startFlags & 0x70), m_side(side),
      m_name(existing.name), m_nameTyped(true), m_description(existing.gameComment),
      m_initialMove(existing.ownMoveMark), m_editing(true) {}

std::u16string ProblemForm::prefix() const { return problemNamePrefix(m_strings, m_category, m_side); }

void ProblemForm::setCategory(std::uint32_t category) {
    m_category = category;
    if (!m_nameTyped) m_name = prefix();
}

void ProblemForm::setSide(Colour side) {
    m_side = side;
    if (!m_nameTyped) m_name = prefix();
}

void ProblemForm::typeName(std::u16string name) {
    if (name.size() > kMaxName) name.resize(kMaxName);
    // Typing that leaves the prefix as it was is not a name of the user's.
    if (!m_nameTyped && name == prefix()) return;
    m_name = std::move(name);
    m_nameTyped = true;
}

int ProblemForm::categoryControl() const {
    switch (m_category) {
    case kTesuji: return kCtlCreateTesuji;
    case kJoseki: return kCtlCreateJoseki;
    case kFuseki: return kCtlCreateFuseki;
    default: return kCtlCreateLifeAndDeath;
    }
}

void ProblemForm::choose(int control) {
    switch (control) {
    case kCtlCreateBoard19: m_board13 = false; break;
    case kCtlCreateBoard13: m_board13 = true; break;
    case kCtlCreateLifeAndDeath: setCategory(kLifeAndDeath); break;
    case kCtlCreateTesuji: setCategory(kTesuji); break;
    case kCtlCreateJoseki: setCategory(kJoseki); break;
    case kCtlCreateFuseki: setCategory(kFuseki); break;
    case kCtlCreateBlack: setSide(kBlack); break;
    case kCtlCreateWhite: setSide(kWhite); break;
    default: break;
    }
}

std::u16string ProblemForm::text(int control) const {
    auto t = [&](int id) { return storeText(m_strings, id); };
    switch (control) {
    case 0: return t(kStrCreateTitle);
    case kCtlCreateBoard19: return t(kStrCreateBoard19);
    case kCtlCreateBoard13: return t(kStrCreateBoard13);
    case kCtlCreateLifeAndDeath: return problemCategoryName(m_strings, kLifeAndDeath);
    case kCtlCreateTesuji: return problemCategoryName(m_strings, kTesuji);
    case kCtlCreateJoseki: return problemCategoryName(m_strings, kJoseki);
    case kCtlCreateFuseki: return problemCategoryName(m_strings, kFuseki);
    case kCtlCreateBlack: return t(kStrCreateBlack);
    case kCtlCreateWhite: return t(kStrCreateWhite);
    case kCtlCreateName: return t(kStrCreateName);
    case kCtlCreateDescription: return t(kStrCreateDescription);
    case kCtlCreateInitialMove: return t(kStrCreateInitialMove);
    case kCtlCreateReference: return t(m_category == kFuseki ? kStrCreateRecordReference : kStrCreateNameReference);
    case 1: return m_editing ? t(kStrDialogOk) : t(kStrCreateStart); // IDOK
    case 2: return t(kStrDialogCancel);                              // IDCANCEL
    default: return {};
    }
}

std::optional<std::u16string> ProblemForm::refusal() const {
    if (m_name.find_first_not_of(u" \u3000") == std::u16string::npos) return storeText(m_strings, kStrCreateNoName);
    return std::nullopt;
}

GameInfo ProblemForm::header(const GameInfo& base) const {
    GameInfo info = base;
    info.name = m_name.substr(0, kMaxName);
    info.board = m_board13 ? 1 : 0;
    info.startFlags = static_cast<std::uint8_t>((info.startFlags & ~0x70) | (m_category & 0x70));
    info.gameComment = m_description;
    if (!m_description.empty()) info.flags |= kExtendedHeader;
    info.ownMoveMark = static_cast<std::int16_t>(m_initialMove);
    return info;
}

void ProblemForm::remember(ProblemFormMemory& memory) const {
    memory.board13 = m_board13;
    memory.category = m_category;
    memory.side = m_side;
}

} // namespace stonewise
