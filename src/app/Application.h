#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "app/CommandLine.h"
#include "app/FunctionModes.h"
#include "app/WindowFit.h"
#include "record/GameInfo.h"
#include "store/DataFolder.h"
#include "store/SettingsRecord.h"
#include "store/StoreMessage.h"

namespace stonewise {

class CGoStory;
class CIgoBoard;
class GameSession;
class GameStore;
class LanguageLibrary;
class StringTable;
class Ui;

// The program as one object, without any window: the command line, the interface language, the
// settings, the library and the main board's session and mode, with the steps of start-up and exit.
// The desktop creates it first, builds its windows with what it says, then hands it the board.
class Application : public ModeHost {
public:
    Application(CommandLine commandLine, DataFolder folder, std::string programFolder);
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    const CommandLine& commandLine() const { return m_commandLine; }
    // The file named on the command line, given once (empty afterwards).
    std::u16string takeCommandLineFile() { return std::exchange(m_commandLine.file, {}); }
    const DataFolder& folder() const { return m_folder; }
    // The folder of the program's own files, ending with "/" (or empty).
    std::string programFolder() const {
        return m_programFolder.empty() || m_programFolder.back() == '/' ? m_programFolder : m_programFolder + "/";
    }

    // --- language ---
    // Chooses the interface language: the user's locale or the command line's; any language but
    // Japanese comes from the library "LanguageList.txt" names for it.
    void chooseLanguage(long userLocale);
    bool japanese() const { return m_japanese; }
    const StringTable& strings() const;

    // The maintenance start's message ("MODE=MAINTENANCE").
    static std::u16string_view maintenanceMessage();

    // --- settings ---
    // Loads the settings (the defaults when that fails); the messages of the load go to `ui`, or
    // without one wait for the library's start, which shows them.
    void loadSettings(Ui* ui);
    SettingsRecord& settings() { return m_settings; }
    // The main window's place for this desktop. The fitted place is written back into the
    // settings; the window is shown there, at 1280 × 960 with "MOVIE".
    WindowRect placeMainWindow(const WindowRect& desktop);
    // The main window moved (not minimised or maximised): the outer corner of its frame goes into
    // the settings (its size stays the fitted one).
    void mainWindowMoved(int left, int top);

    // --- the library and the board ---
    // Starts the store (default groups, members, current group), the main board's session and its
    // mode from the settings, then restores the game of a run that ended without its exit (saying
    // so). The board and the ui must outlive the application's use of them.
    void startLibrary(CIgoBoard& board, Ui* ui, const GameDate& today);
    // The file that keeps the game shown while it has unsaved changes: "Recovery.dat" in the data
    // folder.
    std::string recoveryFile() const { return m_folder.file("Recovery.dat"); }
    // The folder of the sample records shipped beside the program ("BundleFiles").
    std::string sampleRecordsFolder() const {
        return m_programFolder + (m_programFolder.empty() || m_programFolder.back() != '/' ? "/" : "") + "BundleFiles";
    }
    // True once after the start of a data folder that had no library yet: the sample records are
    // offered then.
    bool takeSampleRecordsOffer() { return std::exchange(m_offerSamples, false); }
    GameStore* store() { return m_store.get(); }
    GameSession* session() { return m_session.get(); }
    FunctionModes* modes() { return m_modes.get(); }
    // The main board's Go book player: leaving the Go book mode closes its book.
    void setBookPlayer(CGoStory* player) { m_bookPlayer = player; }
    // Called with the bar layouts and the title whenever the mode changes them.
    void setBarLayoutHandler(std::function<void(BarLayout, BarLayout, std::u16string_view)> handler) {
        m_barHandler = std::move(handler);
    }

    // --- exit ---
    // The exit check: saves the game shown when it changed (with its question); true when the
    // program may end.
    bool exitCheck();
    // Records the live values into the settings and saves them (a failure is shown), and removes
    // the recovery file; false when the settings could not be written.
    bool shutDown();

    // ModeHost
    void leaveDisplay() override;
    void openGroup(int group, int mode) override;
    void layoutBars(BarLayout main, BarLayout secondary, std::u16string_view title) override;

private:
    CommandLine m_commandLine;
    DataFolder m_folder;
    std::string m_programFolder;
    bool m_japanese = true;
    std::unique_ptr<LanguageLibrary> m_language;
    SettingsRecord m_settings;
    std::unique_ptr<GameStore> m_store;
    std::unique_ptr<GameSession> m_session;
    std::unique_ptr<FunctionModes> m_modes;
    CIgoBoard* m_board = nullptr;
    CGoStory* m_bookPlayer = nullptr;
    bool m_keepTemporaryGame = false; // at start-up the game of the last run stays shown
    Ui* m_ui = nullptr;
    bool m_offerSamples = false;
    StoreMessages m_pendingMessages; // messages from before there was a window to show them
    std::function<void(BarLayout, BarLayout, std::u16string_view)> m_barHandler;
};

} // namespace stonewise
