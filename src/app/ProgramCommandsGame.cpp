// The program's game settings commands: "新規対局" and "対局情報の編集".
#include "app/ProgramCommands.h"

#include <cstdlib>

#include "app/Application.h"
#include "app/CIgoBoard.h"
#include "app/Clock.h"
#include "app/FunctionModes.h"
#include "app/GameSession.h"
#include "app/GameSettings.h"
#include "app/GameSettingsTexts.h"
#include "app/Ui.h"
#include "store/GameStore.h"

namespace stonewise {

namespace {

constexpr int kStrMemberAdded = 53013;      // a player's name of received mail was added as a member
constexpr int kStrMemberAddedTitle = 53014; // "対局者名の追加登録"

// Where choosing a cloud file starts: the user's home folder.
std::string homeFolder() {
    const char* home = std::getenv("HOME");
    return home ? home : "";
}

GameDate dateOf(const DateTime& now) {
    return {static_cast<std::uint16_t>(now.year), static_cast<std::uint16_t>(now.month),
            static_cast<std::uint8_t>(now.day), static_cast<std::uint8_t>(now.hour)};
}

// The game type a new game of a working mode starts with.
std::int16_t newGameType(int mode) {
    if (mode == kModeMailGo) return kGameMailGo;
    if (mode == kModePlayAndRecord) return kGamePlayAndRecord;
    return kGameRecord;
}

} // namespace

bool ProgramCommands::newGame(const GameInfo* prefill) {
    GameSession* session = m_app.session();
    GameStore* store = m_app.store();
    if (!session || !store) return false;
    m_board.stopBusy();
    const int group = session->group();
    if (group < 0 || group >= kScratchGroup || !store->group(group)) {
        m_ui.showMessage(text(kStrNoGroupForNewGame), text(kStrNewGameTitle));
        return false;
    }
    // What the board shows is saved before anything else replaces it.
    session->saveCurrentGame(true);
    StoreMessages messages;
    const std::optional<int> number = store->newGameNumber(group, messages);
    if (!number) {
        m_ui.showMessage(text(kStrGroupFull), text(kStrNewGameTitle));
        return false;
    }
    GameInfo info;
    info.number = *number;
    info.board = m_board.gameInfo().board == 1 ? 1 : 0;
    if (const FunctionModes* modes = m_app.modes()) info.type = newGameType(modes->mode());
    if (prefill) {
        // A game named by received mail: its name, players and settings as the mail gave them.
        info.type = prefill->type;
        info.name = prefill->name;
        info.blackPlayer = prefill->blackPlayer;
        info.whitePlayer = prefill->whitePlayer;
        info.blackName = prefill->blackName;
        info.whiteName = prefill->whiteName;
        info.handicap = prefill->handicap;
        info.komi = prefill->komi;
        info.board = prefill->board;
    }
    // A game file left under the free number by an earlier run that never listed it can come back.
    std::unique_ptr<RecordSequence> restored;
    GameFileRead old = store->readGame(group, *number, messages);
    if (!prefill && old.status == StoreReadStatus::Ok && old.main && old.entry && !old.entry->name.empty() &&
        m_ui.ask(formatText(text(kStrRestoreOldGame), {old.entry->name}), text(kStrNewGameTitle))) {
        info = *old.entry;
        info.number = *number;
        info.displayFlags = 0;
        restored = std::move(old.main);
    }
    GameSettings::Context context;
    context.newGame = true;
    context.wholePointKomi = m_app.settings().komiAsInteger != 0;
    context.recordLastMove = restored ? restored->lastMoveNumber() : 0;
    context.recordHasNodes = restored && restored->nodeCount() > 0;
    context.today = dateOf(m_clock.localNow());
    context.cloud = &cloudRegistry();
    context.cloudStartFolder = homeFolder();
    GameSettings settings(info, store->members(), &m_app.strings(), &m_ui, context);
    const bool confirmed = m_ui.editGameSettings(settings);
    saveCloud(); // files the cloud dialog added stay registered, used or not
    if (!confirmed) return false;
    GameInfo made = settings.result();
    // The record: the one taken back, or an empty one with the table's handicap stones.
    m_board.newGame(made);
    if (restored) m_board.loadGame(std::move(restored), made);
    const std::optional<int> stored = storeNewGame(*store, group, made, m_board.record().main(), messages);
    for (const StoreMessage& m : messages) m_ui.showMessage(m.text, m.title);
    if (!stored) {
        // The board still shows the new game, kept as the temporary game: nothing typed is lost.
        made.number = 0;
        session->newTemporaryGame();
        m_board.changeHeader(made);
        return false;
    }
    session->openGame(group, *stored);
    if (made.handicap == 1 || made.handicap > 9) {
        m_board.beginFreeHandicap();
        if (m_board.freeHandicapActive()) m_ui.setStatusText(text(kStrFreeHandicapHint));
    }
    return true;
}

void ProgramCommands::editGameInfo() {
    GameStore* store = m_app.store();
    if (!store) return;
    m_board.stopBusy();
    GameSettings::Context context;
    context.external = (m_board.gameInfo().flags & kInfoExternalGame) != 0;
    context.wholePointKomi = m_app.settings().komiAsInteger != 0;
    context.recordLastMove = m_board.record().main().lastMoveNumber();
    // Moves beyond the handicap stones: the record must be cleared for other stones.
    const RecordSequence& main = m_board.record().main();
    context.recordHasNodes = main.lastMoveNumber() > 1 || (main.nodeCount() > 0 && main.handicapCount() < 2);
    context.today = dateOf(m_clock.localNow());
    context.cloud = &cloudRegistry();
    context.cloudStartFolder = homeFolder();
    GameInfo info = m_board.gameInfo();
    if (const GameSession* session = m_app.session()) info.number = session->number();
    GameSettings settings(info, store->members(), &m_app.strings(), &m_ui, context);
    const bool confirmed = m_ui.editGameSettings(settings);
    saveCloud();
    if (!confirmed) return;
    GameInfo changed = settings.result();
    changed.number = m_board.gameInfo().number;
    m_board.changeHeader(changed);
    // A game protected now refuses the ordinary save: its header and list entry are stored here.
    if (GameSession* session = m_app.session(); session && changed.isProtected()) session->storeHeader();
}

bool ProgramCommands::newMailGame(const ParsedMail& mail) {
    GameStore* store = m_app.store();
    GameInfo prefill;
    prefill.type = kGameMailGo;
    prefill.name = mail.gameName;
    if (mail.settings) {
        // Names that no member has become members, so that the game can name its players.
        const auto member = [&](const std::u16string& name) -> std::int32_t {
            if (name.empty()) return 0;
            if (const int found = store->members().findByName(name); found >= 0) return found;
            MemberRecord added;
            added.name = name;
            added.kind = kMemberOpponent;
            added.registered = dateOf(m_clock.localNow());
            const int number = store->members().add(added);
            if (number < 0) return 0;
            StoreMessages messages;
            store->writeMembers(messages);
            for (const StoreMessage& m : messages) m_ui.showMessage(m.text, m.title);
            m_ui.showMessage(formatText(text(kStrMemberAdded), {name}), text(kStrMemberAddedTitle));
            return number;
        };
        prefill.whitePlayer = member(mail.settings->whiteName);
        prefill.blackPlayer = member(mail.settings->blackName);
        prefill.whiteName = mail.settings->whiteName;
        prefill.blackName = mail.settings->blackName;
        prefill.handicap = static_cast<std::int16_t>(mail.settings->handicap);
        prefill.komi = mail.settings->komi;
        prefill.board = mail.settings->boardSize == 13 ? 1 : 0;
    }
    return newGame(&prefill);
}

} // namespace stonewise
