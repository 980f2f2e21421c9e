#include "app/HelpForm.h"

#include <chrono>
#include <utility>

#include "app/FunctionModes.h"
#include "app/Shell.h"
#include "app/Ui.h"
#include "help/HelpStrings.h"
#include "record/StringTable.h"
#include "record/Text.h"

namespace stonewise {

namespace {

constexpr std::int64_t kSituationThrottle = 100; // ms between two F1 requests

constexpr HelpMenuTopic kMenuTopics[] = {
    {kCmdHelpFirst, kFirstStepsTopic, -1},
    {kCmdHelpContents, -1, -1},
    {kCmdHelpOverview, 40000, -1},
    {kCmdHelpMailGo, 40001, -1},
    {kCmdHelpPlayAndRecord, 40003, -1},
    {kCmdHelpViewing, 40005, -1},
    {kCmdHelpProblems, 40006, -1},
    {kCmdHelpBook, 40008, -1},
    {kCmdHelpSearch, 40007, -1},
    {kCmdHelpFlash, -1, 12345},
    {kCmdHelpMainButtons, 40110, -1},
    {kCmdHelpRecordButtons, 40111, -1},
    {kCmdHelpBoard, 40120, -1},
};

// The dialogs' topics, by the command that opens them.
constexpr std::pair<int, int> kDialogTopics[] = {
    {32816, 40131}, // "新しい分岐を作成..."
    {32817, 40131}, // "最終手の次に分岐を追加..."
    {32877, 40131}, // "最終手の参考手順を作成..."
    {32832, 40131}, // "以降の石を新しい分岐へコピー..."
    {32793, 40132}, // "コメントの追加・編集..."
    {32830, 40133}, // "マークを設定..."
    {32854, 40133}, // "マークを修正..."
    {32965, 40134}, // "経過時間を修正..."
    {32772, 40146}, // "棋譜ファイルを開く": the import dialog
    {32966, 40146}, // "棋譜ファイルをドロップで受け取る..."
    {32942, 40146}, // "デモ棋譜等のロード"
    {32803, 40141}, // "対局リスト..."
    {32828, 40142}, // "グループリスト..."
    {32801, 40144}, // "対局メンバーリスト..."
    {32797, 40171}, // "新規対局..."
    {32903, 40171}, // "対局情報の編集..."
    {32838, 40160}, // "印刷..."
    {32835, 40173}, // "機能設定"
    {32914, 40174}, // "表示設定"
    {114, 40000},   // "バージョン情報"
};

std::int64_t steadyMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

std::span<const HelpMenuTopic> helpMenuTopics() { return kMenuTopics; }

std::span<const std::pair<int, int>> dialogHelpTopics() { return kDialogTopics; }

std::optional<int> dialogHelpTopic(int command) {
    for (const auto& [c, topic] : kDialogTopics)
        if (c == command) return topic;
    return std::nullopt;
}

std::optional<int> modeHelpTopic(int mode) {
    switch (mode) {
    case kModeMailGo:
    case kModeMailGoFinished: return 40001;
    case kModePlayAndRecord:
    case kModePlayFinished: return 40003;
    case kModeViewing: return 40005;
    case kModeProblems: return 40006;
    case kModeBook:
    case kModeBookExternal: return 40008;
    case kModeSearch: return 40007;
    default: return std::nullopt;
    }
}

HelpForm::HelpForm(Ui& ui, Shell& shell, std::function<std::string()> folder, std::string indexFile,
                   std::function<void(int)> runCommand, std::function<std::int64_t()> milliseconds)
    : m_ui(ui), m_shell(shell), m_folder(std::move(folder)), m_indexFile(std::move(indexFile)),
      m_runCommand(std::move(runCommand)),
      m_milliseconds(milliseconds ? std::move(milliseconds) : std::function<std::int64_t()>(steadyMilliseconds)) {}

HelpForm::~HelpForm() = default;

void HelpForm::say(const StoreMessages& messages) {
    for (const StoreMessage& m : messages) m_ui.showMessage(m.text, m.title);
}

bool HelpForm::openHelp() {
    const std::string folder = m_folder();
    if (m_help && folder == m_openedFolder) return true;
    if (m_help) {
        // Another language: its own help, from the contents on.
        m_help.reset();
        m_history.clear();
        m_historyAt = 0;
        m_entry.reset();
    }
    m_openedFolder = folder;
    StoreMessages messages;
    m_help = HelpContents::open(folder, m_indexFile, messages);
    say(messages);
    return m_help != nullptr;
}

// --- requests ------------------------------------------------------------------------------------

void HelpForm::show(int topic, int subTopic, int subSubTopic) {
    std::optional<std::size_t> entry;
    if (openHelp() && (topic >= 0 || subTopic >= 0)) {
        entry = m_help->index().find(topic, subTopic, subSubTopic);
        if (!entry)
            m_ui.showMessage(formatText(uiText(kStrHelpTopicMissing), {topic, subTopic}), uiText(kStrHelpTitle));
    }
    showEntry(entry, true);
}

void HelpForm::showSituation(HelpBoard board) {
    // A request closer than 100 ms to the one before is ignored (a held F1 shows the help once).
    const std::int64_t now = m_milliseconds();
    const std::optional<std::int64_t> before = std::exchange(m_lastSituationRequest, now);
    if (before && now - *before < kSituationThrottle) return;
    const std::optional<HelpSituation> top = m_situations.top(board);
    if (top) show(top->topic, top->subTopic);
    else show(kFirstStepsTopic);
}

bool HelpForm::runMenuCommand(int command) {
    for (const HelpMenuTopic& t : kMenuTopics)
        if (t.command == command) {
            show(t.topic, t.subTopic);
            return true;
        }
    return false;
}

void HelpForm::pushSituation(HelpBoard board, int topic, int subTopic) {
    StoreMessages messages;
    m_situations.push(board, {topic, subTopic, !m_shown}, messages);
    say(messages);
}

void HelpForm::popSituation(HelpBoard board, int topic, bool keepWindow) {
    const std::optional<HelpSituation> left = m_situations.pop(board, topic);
    if (left && left->helpWasHidden && m_shown && !keepWindow) hide();
}

// --- what the window shows -------------------------------------------------------------------------

void HelpForm::showEntry(std::optional<std::size_t> entry, bool remember) {
    m_entry = entry;
    m_page = {};
    if (entry) {
        StoreMessages messages;
        m_page = m_help->page(*entry, messages);
        say(messages);
    }
    if (remember) {
        if (!m_history.empty()) m_history.resize(m_historyAt + 1);
        if (m_history.empty() || m_history.back() != entry) m_history.push_back(entry);
        m_historyAt = m_history.size() - 1;
    }
    m_shown = true;
    m_ui.showHelp(*this);
    if (m_page.picture) {
        const auto picture = m_help->images().bitmapFile(*m_page.picture);
        if (picture) m_ui.showHelpPicture(*picture, m_page.pictureCaption);
    }
}

std::u16string HelpForm::heading() const {
    if (!m_entry) return std::u16string(uiText(kStrHelpContents));
    return std::u16string(m_help->heading(*m_entry));
}

std::u16string HelpForm::text() const {
    if (m_entry) return m_page.text;
    std::u16string list;
    if (!m_help) return list;
    for (const HelpTreeItem& item : tree()) {
        if (item.depth > 1) continue;
        list += std::u16string(static_cast<std::size_t>(item.depth) * 4, u' ') + item.heading + u"\r\n";
    }
    return list;
}

std::u16string HelpForm::supportCaption() const {
    switch (m_page.support) {
    case HelpSupportLink::Explanation: return std::u16string(uiText(kStrHelpSupportExplain));
    case HelpSupportLink::Detailed: return std::u16string(uiText(kStrHelpSupportDetailed));
    case HelpSupportLink::None: break;
    }
    return {};
}

std::vector<HelpTreeItem> HelpForm::tree() const {
    std::vector<HelpTreeItem> items;
    if (!m_help) return items;
    for (const HelpIndexEntry& e : m_help->index().entries())
        items.push_back({std::u16string(m_help->index().heading(e)), e.level == 0 ? 0 : e.level <= 6 ? 1 : 2});
    return items;
}

bool HelpForm::canGoPrevious() const { return m_entry && *m_entry > 0; }

bool HelpForm::canGoNext() const {
    if (!m_help || m_help->index().entries().empty()) return false;
    return !m_entry || *m_entry + 1 < m_help->index().entries().size();
}

// --- the window's buttons ----------------------------------------------------------------------------

void HelpForm::goBack() {
    if (!canGoBack()) return;
    showEntry(m_history[--m_historyAt], false);
}

void HelpForm::goForward() {
    if (!canGoForward()) return;
    showEntry(m_history[++m_historyAt], false);
}

void HelpForm::previous() {
    if (canGoPrevious()) showEntry(*m_entry - 1, true);
}

void HelpForm::next() {
    if (canGoNext()) showEntry(m_entry ? *m_entry + 1 : 0, true);
}

void HelpForm::showContents() { showEntry(std::nullopt, true); }

void HelpForm::chooseTreeItem(std::size_t entry) {
    if (m_help && entry < m_help->index().entries().size()) showEntry(entry, true);
}

void HelpForm::pressCommand(std::size_t button) {
    if (button >= m_page.commands.size()) return;
    const HelpCommandButton command = m_page.commands[button];
    if (command.entry) showEntry(command.entry, true);
    else if (command.programCommand > 0 && m_runCommand) m_runCommand(command.programCommand);
}

void HelpForm::openSupportPage() {
    if (m_page.support != HelpSupportLink::None) m_shell.openUrl(helpSupportAddress(m_page.supportToken));
}

void HelpForm::hide() {
    m_shown = false;
    m_ui.hideHelp();
}

void HelpForm::close() {
    hide();
    m_ui.showHelpPicture({}, {});
    m_history.clear();
    m_historyAt = 0;
}

} // namespace stonewise
