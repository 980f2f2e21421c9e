// Mail Go: sending the next move or a study sequence as mail text or into the cloud folder,
// receiving mail text from the clipboard, a file or the cloud, the clipboard watch and the time
// limit.
#include <algorithm>

#include "app/Application.h"
#include "app/CIgoBoard.h"
#include "app/Clipboard.h"
#include "app/Clock.h"
#include "app/FunctionModes.h"
#include "app/GameSession.h"
#include "app/MailGoGame.h"
#include "app/ProgramCommands.h"
#include "app/ProgramDialogs.h"
#include "app/Shell.h"
#include "app/Ui.h"
#include "mailgo/CloudExchange.h"
#include "mailgo/CloudPoller.h"
#include "mailgo/CloudRegistryFile.h"
#include "mailgo/MailGoTimeLimit.h"
#include "store/GameStore.h"

namespace stonewise {

namespace {

constexpr int kStrMailMakeTitle = 53001;     // "メール作成"
constexpr int kStrMailRequestFailed = 53004; // the mail link could not be opened
constexpr int kStrMailRequestTitle = 53005;  // "メール送信の要求"
constexpr int kStrPasteIntoBody = 53006;     // "メール本文へ貼り付けして下さい。"
constexpr int kStrNoMailText = 53010;        // no mail text on the clipboard
constexpr int kStrNoGameHeading = 53011;     // no game heading in the text
constexpr int kStrMailFetchTitle = 53012;    // "メール取得"
constexpr int kStrEarlierNotRead = 53015;    // the earlier record could not be read
constexpr int kStrTimeLimitExit = 53040;     // a game is over its time limit: exit anyway?
constexpr int kStrTimeLimitTitle = 53041;    // "メール碁の時間超過"
constexpr int kStrNoStudySequence = 53042;   // no study sequence shown to send
constexpr int kStrNextMoveFiles = 53043;     // "次の手ファイル"
constexpr int kStrNoCloudFile = 53044;       // the game has no cloud file
constexpr int kStrCloudSgfWritten = 53045;   // the record was put into the cloud folder as SGF
constexpr int kStrCloudSgfFailed = 53046;    // it could not be written
constexpr int kStrMailGoTitle = 11204;       // "メール碁"
constexpr int kStrAllFiles = 25009;
constexpr int kStrOpenTitle = 20039; // "メール碁の取り込み"

// Times the watch lets the program's own clipboard text pass before emptying the clipboard.
constexpr int kIgnoreAfterSend = 5;
constexpr int kIgnoreAfterBodySend = 2;
// Characters of a kept clipboard copy are rounded up to this.
constexpr std::size_t kKeptCopyBlock = 256;
// A mail text file larger than this is no mail text.
constexpr std::size_t kMailFileLimit = 1 << 20;

// Sets a flag for the time of a call and clears it on every way out.
class BusyFlag {
public:
    explicit BusyFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~BusyFlag() { m_flag = false; }
    BusyFlag(const BusyFlag&) = delete;
    BusyFlag& operator=(const BusyFlag&) = delete;

private:
    bool& m_flag;
};

} // namespace

// The cloud check reads a changed file into its game through the window, as the import command would.
class ProgramCommands::CloudReader : public CloudMailReader {
public:
    explicit CloudReader(ProgramCommands& commands) : m_commands(commands) {}
    bool readNextMove(const CloudGame& game, const std::string& path) override { return read(game, path).newMoves > 0; }
    bool readStudy(const CloudGame& game, const std::string& path) override {
        return read(game, path).branch != nullptr;
    }

private:
    MailApplyResult read(const CloudGame& game, const std::string& path) {
        const std::optional<std::u16string> text = readMailTextFile(path);
        if (!text) return {};
        return m_commands.receiveMailText(*text, MailSource::Cloud, game.index);
    }
    ProgramCommands& m_commands;
};

// --- sending ---------------------------------------------------------------------------------------

void ProgramCommands::sendMail(MailPurpose purpose) {
    GameStore* store = m_app.store();
    GameSession* session = m_app.session();
    if (!store || !session) return;
    m_board.stopBusy();
    GameInfo& info = m_board.gameInfo();
    const RecordSequence& main = m_board.record().main();
    if (main.nodeCount() == 0) return;
    const MailGoSides sides = mailGoSides(info, store->members());
    const bool cloud = usesCloud(info);
    const RecordSequence* study = nullptr;
    if (purpose == MailPurpose::StudySequence) {
        study = m_board.record().pathTop();
        if (!study || study == &main) {
            m_ui.showMessage(text(kStrNoStudySequence), text(kStrMailMakeTitle));
            return;
        }
    }
    MailComposeRequest request =
        mailComposeRequest(info, store->members(), m_app.settings(), purpose, m_app.japanese(), false);
    SendDecision decision;
    if (purpose == MailPurpose::NextMove) {
        SendCheckInput check;
        check.forCloud = cloud;
        check.haveOpponent = sides.haveOpponent;
        check.userIsBlack = sides.userIsBlack;
        check.lastMove = main.lastMoveNumber();
        check.ownMoveMark = info.ownMoveMark;
        check.lastExchangedMove = info.lastExchangedMove;
        check.handicap = info.handicap;
        decision = decideSend(check);
        if (decision.refused) {
            m_ui.showMessage(decision.message, text(kStrMailMakeTitle));
            return;
        }
        for (const SendQuestion& q : decision.questions)
            if (!m_ui.ask(q.text, q.title)) return;
        request.lastMove = decision.lastMoveToSend;
        info.ownMoveMark = static_cast<std::int16_t>(decision.newOwnMoveMark);
        clearMailGoWarnings(info);
        session->storeHeader();
    }
    bool makeMail = true;
    if (cloud) {
        MailComposeRequest forCloud = request;
        forCloud.forCloud = true;
        forCloud.plainText = true;
        const MailText composed = composeMailText(info, main, study, forCloud);
        const CloudFileKind kind = purpose == MailPurpose::NextMove ? CloudFileKind::NextMove
                                   : sides.userIsBlack              ? CloudFileKind::BlackStudy
                                                                    : CloudFileKind::WhiteStudy;
        const int number = study ? study->firstMoveNumber() : 0;
        const CloudSave saved =
            saveToCloud(cloudRegistry(), cloudFileOf(info), kind, number, composed.text, alsoMailsCloudMoves(info));
        saveCloud();
        if (saved.statusText) {
            m_ui.setStatusText(text(saved.statusText));
            m_ui.beep();
        }
        if (saved.messageText) m_ui.showMessage(text(saved.messageText), text(kStrMailMakeTitle));
        makeMail = saved.makeMail;
    }
    if (makeMail) deliverMail(purpose, request, study, sides);
    if (purpose == MailPurpose::NextMove) {
        m_board.setMailUnsent(false);
        if (!decision.repeat && m_unsentGames > 0) --m_unsentGames;
        applyTimeLimit();
    }
}

void ProgramCommands::deliverMail(MailPurpose purpose, MailComposeRequest request, const RecordSequence* study,
                                  const MailGoSides& sides) {
    const GameInfo& info = m_board.gameInfo();
    const RecordSequence& main = m_board.record().main();
    const MailText mail = composeMailText(info, main, study, request);
    if (!mail.bodyMode) putMailOnClipboard(mail.text, kIgnoreAfterSend);
    const std::u16string subject =
        mailSubject(purpose, info.gameComment, request.settings.nameInSubject, sides.userName);
    const std::u16string body = mailBody(purpose, request.settings, mail);
    if (!m_shell.openUrl(mailtoUrl(sides.opponentAddress, subject, body, mail.bodyMode)))
        m_ui.showMessage(text(kStrMailRequestFailed), text(kStrMailRequestTitle));
    if (mail.bodyMode) {
        // The mail's body holds the moves; the clipboard gets them as plain text all the same.
        request.plainText = true;
        putMailOnClipboard(composeMailText(info, main, study, request).text, kIgnoreAfterBodySend);
    } else {
        m_ui.setStatusText(text(kStrPasteIntoBody));
    }
}

void ProgramCommands::putMailOnClipboard(const std::u16string& mail, int ignoreCount) {
    BusyFlag busy(m_mailBusy);
    if (!m_clipboard.setText(mail)) return;
    m_keptMail = mail;
    m_keptMail.reserve((mail.size() / kKeptCopyBlock + 1) * kKeptCopyBlock);
    m_ignoreCount = ignoreCount;
}

// --- receiving -------------------------------------------------------------------------------------

void ProgramCommands::receiveMailFromClipboard(MailSource source) {
    if (m_mailBusy) return;
    const std::optional<std::u16string> clip = m_clipboard.text();
    if (!clip || clip->empty()) {
        if (source != MailSource::Watch) m_ui.showMessage(text(kStrNoMailText), text(kStrMailFetchTitle));
        return;
    }
    m_keptMail = *clip;
    if (isSgfText(*clip)) {
        // SGF text is a game record, not mail: the command reads it as one.
        if (source == MailSource::Command) openText(*clip);
        return;
    }
    const MailApplyResult result = receiveMailText(*clip, source, 0);
    if (result.taken()) {
        BusyFlag busy(m_mailBusy);
        m_clipboard.clear();
        m_keptMail.clear();
    }
}

void ProgramCommands::receiveMailFile(const std::string& path) {
    const std::optional<std::u16string> mail = readMailTextFile(path, kMailFileLimit);
    if (!mail) {
        m_ui.showMessage(text(kStrNoGameHeading), text(kStrMailFetchTitle));
        return;
    }
    receiveMailText(*mail, MailSource::Command, 0);
}

MailApplyResult ProgramCommands::receiveMailText(std::u16string_view mailText, MailSource source, int gameNumber) {
    GameStore* store = m_app.store();
    GameSession* session = m_app.session();
    if (!store || !session || m_mailBusy) return {};
    BusyFlag busy(m_mailBusy);
    const ParsedMail mail = parseMailText(mailText, mailReadOptions(m_app.settings(), m_app.japanese()));
    if (!mail.headingFound) {
        if (source != MailSource::Watch) m_ui.showMessage(text(kStrNoGameHeading), text(kStrMailFetchTitle));
        return {};
    }
    if (!showMailGame(mail, source, gameNumber)) return {};
    const MailGoSides sides = mailGoSides(m_board.gameInfo(), store->members());
    MailApplyResult result =
        m_board.receiveMail(mail, sides.userIsBlack, source, stampFromSeconds(m_clock.secondsSinceEpoch()));
    for (const MailMessage& m : result.messages) m_ui.showMessage(m.text, text(m.titleId));
    for (int id : result.statusTexts) {
        m_ui.setStatusText(text(id));
        m_ui.beep();
    }
    if (result.taken() || !result.messages.empty()) session->saveCurrentGame(false);
    if (result.opponentsText) {
        // The opponent's news was taken: the cloud is not looked at again for a while.
        if (m_cloudPoller) m_cloudPoller->pause(m_clock.secondsSinceEpoch());
        if (result.newMoves > 0) ++m_unsentGames;
    }
    return result;
}

bool ProgramCommands::showMailGame(const ParsedMail& mail, MailSource source, int gameNumber) {
    GameStore* store = m_app.store();
    GameSession* session = m_app.session();
    const int group = session->group();
    if (!session->temporary() &&
        (gameNumber != 0 ? session->number() == gameNumber : m_board.gameInfo().name == mail.gameName))
        return true;
    StoreMessages messages;
    const bool inGroup = group >= 0 && group < kScratchGroup && store->group(group);
    const int number = gameNumber != 0 ? gameNumber
                       : inGroup       ? findMailGame(store->gameList(group, messages), mail.gameName)
                                       : 0;
    if (number == 0) {
        if (source == MailSource::Cloud) return false;
        if (source != MailSource::Command || !m_keptMail.empty()) {
            BusyFlag clipboard(m_mailBusy);
            m_clipboard.clear();
        }
        return newMailGame(mail);
    }
    session->saveCurrentGame(true);
    if (!session->openGame(group, number)) {
        m_ui.showMessage(text(kStrEarlierNotRead), text(kStrMailFetchTitle));
        return false;
    }
    return true;
}

// --- the clipboard watch and the fetch after activation ---------------------------------------------

bool ProgramCommands::clipboardHoldsNewMail() {
    if (m_mailBusy) return false;
    const std::optional<std::u16string> clip = m_clipboard.text();
    if (!clip || clip->empty()) return false;
    if (*clip == m_keptMail) {
        if (m_ignoreCount > 0 && --m_ignoreCount == 0) {
            BusyFlag busy(m_mailBusy);
            m_clipboard.clear();
        }
        return false;
    }
    if (isSgfText(*clip)) return false;
    return holdsGameHeading(*clip, mailReadOptions(m_app.settings(), m_app.japanese()));
}

void ProgramCommands::watchClipboard() {
    const FunctionModes* modes = m_app.modes();
    if (m_app.settings().automaticMailFetch == 0 || !modes || modes->mode() != kModeMailGo) return;
    if (!clipboardHoldsNewMail()) return;
    receiveMailFromClipboard(MailSource::Watch);
    refresh();
}

void ProgramCommands::windowActivated() { m_fetchCountdown = 2; }

bool ProgramCommands::fetchTick() {
    if (m_fetchCountdown <= 0) return false;
    if (--m_fetchCountdown == 0) watchClipboard();
    return m_fetchCountdown > 0;
}

// --- the cloud folder --------------------------------------------------------------------------------

CloudRegistry& ProgramCommands::cloudRegistry() {
    if (!m_cloud) {
        StoreMessages messages;
        m_cloud = std::make_unique<CloudRegistry>(loadCloudRegistry(m_app.folder(), m_app.strings(), messages));
        for (const StoreMessage& m : messages) m_ui.showMessage(m.text, m.title);
    }
    return *m_cloud;
}

void ProgramCommands::saveCloud() {
    if (!m_cloud || (m_cloud->changes() == 0 && m_cloud->changedTimeBlocks().empty())) return;
    StoreMessages messages;
    saveCloudRegistry(*m_cloud, m_app.folder(), m_app.strings(), messages);
    for (const StoreMessage& m : messages) m_ui.showMessage(m.text, m.title);
}

CloudCheck ProgramCommands::checkCloud(bool forced) {
    GameStore* store = m_app.store();
    GameSession* session = m_app.session();
    const FunctionModes* modes = m_app.modes();
    if (!store || !session || !modes) return {};
    const std::int64_t now = m_clock.secondsSinceEpoch();
    if (!m_cloudPoller) return {};
    std::vector<CloudGame> games;
    StoreMessages messages;
    const int group = store->currentGroup();
    if (group >= 0 && group < kScratchGroup && store->group(group))
        for (const GameInfo* info : store->gameList(group, messages).entries())
            if (info && usesCloud(*info))
                games.push_back({info->number, cloudFileOf(*info), mailGoSides(*info, store->members()).userIsBlack});
    CloudWindowState window;
    window.autoRetrieval = m_app.settings().automaticMailFetch != 0;
    window.mailGoMode = modes->mode() == kModeMailGo;
    window.unsentMove = m_board.mailUnsent();
    window.unsentGames = m_unsentGames;
    CloudReader reader(*this);
    const CloudCheck check = forced ? m_cloudPoller->force(now, window, games, cloudRegistry(), reader)
                                    : m_cloudPoller->tick(now, window, games, cloudRegistry(), reader);
    if (check.statusText) {
        m_ui.setStatusText(text(check.statusText));
        m_ui.beep();
    }
    if (check.unsentGames) m_unsentGames = *check.unsentGames;
    if (check.ran) saveCloud();
    return check;
}

void ProgramCommands::openCloudNextMove() {
    const GameInfo& info = m_board.gameInfo();
    const std::optional<std::string> path = cloudRegistry().filePath(cloudFileOf(info));
    OpenFilesRequest request;
    request.title = text(kStrOpenTitle);
    if (path) request.folder = path->substr(0, path->rfind('/'));
    request.filters = {{text(kStrNextMoveFiles), {u"*.nextmove"}}, {text(kStrAllFiles), {u"*"}}};
    const std::vector<std::string> chosen = m_ui.chooseFilesToOpen(request);
    if (chosen.empty()) return;
    const std::optional<std::u16string> mail = readMailTextFile(chosen.front(), kMailFileLimit);
    if (!mail) {
        m_ui.showMessage(text(kStrNoGameHeading), text(kStrMailFetchTitle));
        return;
    }
    const MailApplyResult result = receiveMailText(*mail, MailSource::Command, 0);
    if (result.newMoves > 0 && path && chosen.front() == *path) {
        cloudRegistry().recordFileTime(cloudFileOf(m_board.gameInfo()));
        saveCloud();
    }
}

void ProgramCommands::putRecordIntoCloud() {
    const std::optional<std::string> path = cloudRegistry().filePath(cloudFileOf(m_board.gameInfo()));
    if (!path) {
        m_ui.showMessage(text(kStrNoCloudFile), text(kStrMailMakeTitle));
        return;
    }
    const std::size_t dot = path->find_last_of('.');
    const std::size_t slash = path->find_last_of('/');
    const std::string sgf =
        (dot != std::string::npos && (slash == std::string::npos || dot > slash) ? path->substr(0, dot) : *path) +
        ".sgf";
    if (!writeExportSgf(sgf)) {
        m_ui.showMessage(formatText(text(kStrCloudSgfFailed), {fromUtf8(sgf)}), text(kStrMailMakeTitle));
        return;
    }
    m_ui.setStatusText(formatText(text(kStrCloudSgfWritten), {fromUtf8(sgf)}));
}

// --- the time limit ------------------------------------------------------------------------------------

bool ProgramCommands::applyTimeLimit() {
    GameStore* store = m_app.store();
    const FunctionModes* modes = m_app.modes();
    const int hours = m_app.settings().unreceivedWarningHours;
    if (!store || !modes || modes->mode() != kModeMailGo || hours == 0) return false;
    const int group = store->currentGroup();
    if (group < 0 || group >= kScratchGroup || !store->group(group)) return false;
    StoreMessages messages;
    GameList& list = store->gameList(group, messages);
    std::vector<GameInfo> games;
    for (const GameInfo* info : list.entries())
        if (info) games.push_back(*info);
    // The game shown counts with its information as the window has it.
    if (const GameSession* session = m_app.session(); session && !session->temporary())
        for (GameInfo& g : games)
            if (g.number == session->number()) {
                g = m_board.gameInfo();
                g.number = session->number();
            }
    const std::vector<std::size_t> warned = applyMailGoTimeLimit(games, hours, m_clock.secondsSinceEpoch());
    for (std::size_t i : warned) {
        const GameInfo& g = games[i];
        list.put(g);
        if (const GameSession* session = m_app.session();
            session && !session->temporary() && session->number() == g.number)
            m_board.gameInfo().mailGoFlags = g.mailGoFlags;
        m_ui.showMessage(mailGoTimeLimitMessage(m_app.strings(), g), text(kStrMailGoTitle));
    }
    if (!warned.empty()) {
        store->saveGameList(group, messages);
        for (const StoreMessage& m : messages) m_ui.showMessage(m.text, m.title);
    }
    return !warned.empty();
}

bool ProgramCommands::mailGoExitCheck() {
    if (!applyTimeLimit()) return true;
    return m_ui.ask(text(kStrTimeLimitExit), text(kStrTimeLimitTitle));
}

} // namespace stonewise
