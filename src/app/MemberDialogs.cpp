// The members' dialogs without a window: the member list and a member's settings with its alias.
#include <algorithm>

#include "app/LibraryDialogs.h"
#include "app/Ui.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/GameStore.h"

namespace stonewise {

namespace {

constexpr int kStrMemberColumns = 12401; // "対局者名", "番号", "種別", "メールアドレス…", "登録日"
constexpr int kStrDeleteMemberQuestion = 50054; // "選択中の対局メンバーを削除して良いですか？"
constexpr int kStrMembersTitle = 50055;         // "対局メンバー"
constexpr int kStrNull = 50056;                 // "<NULL>"
constexpr int kStrKindSelf = 50057;             // "自分"
constexpr int kStrKindOpponent = 50058;         // "対局者"
constexpr int kStrKindGeneral = 50059;          // "一般"
constexpr int kStrMemberPlays = 50060;          // the member plays in %d games: kept
constexpr int kStrMemberSettingsTitle = 50070;  // "対局者設定"
constexpr int kStrPickNameTitle = 50078;        // "既存メンバー名の参照"
constexpr int kStrBadAddress = 50079;           // "メンバー「%s」のメールアドレスが異常です。"
constexpr int kStrAddMemberTitle = 50080;       // "対局者追加"
constexpr int kStrSetMemberName = 50081;        // "対局者名を設定して下さい。"
constexpr int kStrNameTaken = 50082;            // "メンバー「%s」は既に登録されています。"
constexpr int kStrMembersFull = 50084;          // no free member number
constexpr int kStrPickNamePrompt = 50085;       // choose the member this name stands for

std::u16string text(int id) { return std::u16string(uiText(id)); }
std::u16string orNull(const std::u16string& s) { return s.empty() ? text(kStrNull) : s; }

std::u16string dateText(const GameDate& d) {
    return formatText(u"%4d/%2d/%2d", {int{d.year}, int{d.month}, int{d.day}});
}

// Every member, in number order.
std::vector<const MemberRecord*> allMembers(const MemberList& members) {
    std::vector<const MemberRecord*> out;
    for (int pg = 0; pg < kMemberPages; ++pg)
        if (const MemberPage* p = members.page(pg))
            for (const auto& m : p->slots)
                if (m) out.push_back(&*m);
    return out;
}

// A mail address as far as it can be checked here: one "@" with text on both sides, no blanks.
bool plausibleAddress(std::u16string_view a) {
    const std::size_t at = a.find(u'@');
    if (at == std::u16string_view::npos || at == 0 || at + 1 >= a.size() ||
        a.find(u'@', at + 1) != std::u16string_view::npos)
        return false;
    return std::none_of(a.begin(), a.end(), [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\u3000'; });
}

} // namespace

std::u16string memberListColumnTitle(MemberListColumn column) {
    switch (column) {
    case MemberListColumn::Number: return text(12402);
    case MemberListColumn::Name: return text(kStrMemberColumns);
    case MemberListColumn::Kind: return text(12403);
    case MemberListColumn::Address: return text(12404);
    case MemberListColumn::Registered: return text(12405);
    }
    return {};
}

std::u16string memberKindText(int kind) {
    switch (kind) {
    case kMemberSelf: return text(kStrKindSelf);
    case kMemberOpponent: return text(kStrKindOpponent);
    default: return text(kStrKindGeneral);
    }
}

// --- the member list -------------------------------------------------------------------------------

MemberListForm::MemberListForm(LibraryEnvironment env) : m_env(std::move(env)) { reload(); }

void MemberListForm::reload() {
    m_rows.clear();
    for (const MemberRecord* m : allMembers(m_env.store->members())) {
        MemberListRow row;
        row.member = m->number;
        row.cells = {formatText(u"%5d", {int{m->number}}), orNull(m->name), memberKindText(m->kind), orNull(m->address),
                     dateText(m->registered)};
        m_rows.push_back(std::move(row));
    }
}

void MemberListForm::addMember() {
    MemberSettingsForm form(m_env, std::nullopt);
    m_env.ui->runMemberSettings(form);
    reload();
}

void MemberListForm::editMember(int member) {
    if (!m_env.store->members().find(member)) return;
    MemberSettingsForm form(m_env, member);
    m_env.ui->runMemberSettings(form);
    reload();
}

void MemberListForm::deleteMember(int member) {
    const MemberRecord* m = m_env.store->members().find(member);
    if (!m) return;
    if (!m_env.ui->ask(text(kStrDeleteMemberQuestion), text(kStrMembersTitle))) return;
    StoreMessages messages;
    int games = 0;
    for (const GroupChoice& c : groupChoices(*m_env.store))
        for (const GameInfo* info : m_env.store->gameList(c.group, messages).entries())
            games += info->blackPlayer == member || info->whitePlayer == member;
    if (games > 0) {
        m_env.ui->showMessage(formatText(text(kStrMemberPlays), {m->name, games}), text(kStrMembersTitle));
        return;
    }
    const MemberRecord removed = *m;
    m_env.store->members().remove(member);
    if (!m_env.store->writeMembers(messages)) m_env.store->members().put(removed);
    m_env.showMessages(messages);
    reload();
}

// --- a member's settings ---------------------------------------------------------------------------

MemberSettingsForm::MemberSettingsForm(LibraryEnvironment env, std::optional<int> member)
    : m_env(std::move(env)), m_member(member), m_kind(kMemberOpponent), m_registered(m_env.today) {
    if (const MemberRecord* m = m_member ? m_env.store->members().find(*m_member) : nullptr) {
        m_kind = m->kind;
        m_name = m->name;
        m_address = m->address;
        m_registered = m->registered;
    } else {
        m_member.reset();
    }
}

int MemberSettingsForm::number() const {
    if (m_member) return *m_member;
    const MemberList& members = m_env.store->members();
    for (int pg = 0; pg < kMemberPages; ++pg)
        if (const MemberPage* p = members.page(pg))
            for (int slot = 0; slot < kMemberSlots; ++slot)
                if (!p->slots[static_cast<std::size_t>(slot)]) return pg * kMemberSlots + slot;
    return members.nextNumber();
}

void MemberSettingsForm::setName(std::u16string_view name) {
    m_name = std::u16string(name.substr(0, std::min<std::size_t>(name.size(), 255)));
}

void MemberSettingsForm::setAddress(std::u16string_view address) {
    m_address = std::u16string(address.substr(0, std::min<std::size_t>(address.size(), 255)));
}

bool MemberSettingsForm::isAlias() const { return !m_address.empty() && m_address.find(u'@') == std::u16string::npos; }

std::u16string MemberSettingsForm::registeredText() const {
    const GameDate& d = m_registered;
    return formatText(u"%04d/%2d/%2d ", {int{d.year}, int{d.month}, int{d.day}});
}

void MemberSettingsForm::makeAlias() {
    NameChoiceRequest request;
    request.title = text(kStrPickNameTitle);
    request.prompt = text(kStrPickNamePrompt);
    for (const MemberRecord* m : allMembers(m_env.store->members()))
        if ((!m_member || m->number != *m_member) && !m->name.empty()) request.names.push_back(m->name);
    const std::optional<int> chosen = m_env.ui->chooseName(request);
    if (chosen && *chosen >= 0 && static_cast<std::size_t>(*chosen) < request.names.size())
        m_address = request.names[static_cast<std::size_t>(*chosen)];
}

bool MemberSettingsForm::confirm() {
    const std::u16string title = text(isNew() ? kStrAddMemberTitle : kStrMemberSettingsTitle);
    MemberList& members = m_env.store->members();
    if (m_name.empty()) {
        m_env.ui->showMessage(text(kStrSetMemberName), title);
        return false;
    }
    if (const int other = members.findByName(m_name); other >= 0 && (!m_member || other != *m_member)) {
        m_env.ui->showMessage(formatText(text(kStrNameTaken), {m_name}), title);
        return false;
    }
    // The address is a mail address or the name of another member; the user and the opponents of
    // Mail Go need one, a general member (a player of game records) may go without.
    const int aliasOf = isAlias() ? members.findByName(m_address) : -1;
    const bool addressOk = isAlias()           ? aliasOf >= 0 && (!m_member || aliasOf != *m_member)
                           : m_address.empty() ? m_kind == kMemberGeneral
                                               : plausibleAddress(m_address);
    if (!addressOk) {
        m_env.ui->showMessage(formatText(text(kStrBadAddress), {m_name}), title);
        return false;
    }
    MemberRecord record;
    if (m_member) record = *members.find(*m_member);
    else record.registered = {m_env.today.year, m_env.today.month, m_env.today.day, 0};
    const std::optional<MemberRecord> before = m_member ? std::optional(record) : std::nullopt;
    record.kind = static_cast<std::uint16_t>(m_kind);
    record.name = m_name;
    record.address = m_address;
    int number = -1;
    if (m_member) {
        number = *m_member;
        members.put(record);
    } else {
        number = members.add(record);
        if (number < 0) {
            m_env.ui->showMessage(text(kStrMembersFull), title);
            return false;
        }
    }
    StoreMessages messages;
    if (!m_env.store->writeMembers(messages)) {
        // Nothing is changed that the files do not hold.
        if (before) members.put(*before);
        else members.remove(number);
        m_env.showMessages(messages);
        return false;
    }
    m_member = number;
    return true;
}

} // namespace stonewise
